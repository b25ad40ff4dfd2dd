#pragma once

// Keyboard helpers the windows share: shortcut keys that press a button,
// shown in its tooltip; arrow keys that move along a row or a column of
// controls.

#include <QKeySequence>
#include <QList>
#include <QWidget>
#include <functional>
#include <vector>

namespace qv {

class ClickableLabel;

// Each of `keys`, pressed anywhere in `window`, presses `button` as a click
// would (nothing while it is unavailable). `refresh` runs first, so that the
// button's availability is that of this moment. The tooltip and the screen
// reader tell the keys.
void AddShortcut(QWidget* window, ClickableLabel* button, const QList<QKeySequence>& keys,
                 std::function<void()> refresh = {});

// The keys as the tooltips show them: "Alt+Left or PgUp".
QString KeysText(const QList<QKeySequence>& keys);

// The arrow keys of `orientation` move the focus from one of `controls` to
// the next or the previous one that can take it (shown, enabled, inside its
// parent). With `select`, the control reached is also clicked, as a list
// chooses the item it moves to.
void LinkWithArrows(const std::vector<QWidget*>& controls, Qt::Orientation orientation, bool select);

}  // namespace qv
