#pragma once

class QWidget;

namespace qv {

// The main window from the keyboard and for a screen reader: Tab goes from
// the tabs to the toolbar, the topics and the papers; the arrow keys move
// between tabs and between topics (choosing them) and along the toolbar and
// the papers; F1 opens the Help tab and Ctrl+P prints the results; the
// window menu (Alt+Space) moves, minimises and closes it. Scores and the
// report's figures are read with their captions. The controls are found by
// their object names.
void MakeMainWindowKeyboardReady(QWidget* window);
// The same for the report page, which is built when it is first shown.
void MakeReportKeyboardReady(QWidget* page);

}  // namespace qv
