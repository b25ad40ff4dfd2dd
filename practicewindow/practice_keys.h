#pragma once

#include <functional>

class QWidget;

namespace qv {

// A practice window from the keyboard and for a screen reader. Tab goes
// through the answer fields, then Back, Next, Save, Mark, Print and Close,
// then the "Qns left" list, the sheet's handle and the page. Shortcuts:
// Alt+Left or Page Up for Back, Alt+Right or Page Down for Next (on the page
// itself Page Up and Page Down scroll it), Ctrl+S Save, Ctrl+M Mark, Ctrl+P
// Print, Ctrl+W or Escape Close (which asks first). The window menu
// (Alt+Space), Alt+F7, Alt+F8 and Alt+F10 move, size and maximise it. The
// score, clock, date and count are read with their captions, and the page
// is named by its question. `refresh` brings the buttons' availability up
// to date. The controls are found by their object names.
void MakePracticeWindowKeyboardReady(QWidget* window, std::function<void()> refresh);

}  // namespace qv
