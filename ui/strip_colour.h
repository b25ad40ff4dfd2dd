#pragma once

#include <QColor>

namespace qv {

// The colour of the toolbar and tab strips, which the button pictures are
// drawn on; faded pictures fade towards it.
inline const QColor kStripColour(244, 245, 235);

}  // namespace qv
