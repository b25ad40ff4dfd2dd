#pragma once

// What a screen reader hears of the program's own controls. Picture buttons
// and clickable labels are buttons (a tab is a page tab) named by their
// caption, or by their tooltip where they have none; they can be pressed,
// and their description is their tooltip and shortcut keys. Labels that show
// a figure can be given words that say what the figure is.

#include <QAccessible>
#include <QString>
#include <QWidget>
#include <functional>

namespace qv {

// Installs the interfaces above, once; every picture button calls it.
void EnableSpokenControls();

// The words a screen reader hears for one control, worked out each time it
// asks, so they follow what is shown.
struct Spoken {
    std::function<QString()> name;
    std::function<QString()> description;
    // For a tab: true while it is the chosen one.
    std::function<bool()> selected;
    // NoRole: a button for a clickable control, static text for a label.
    QAccessible::Role role = QAccessible::NoRole;
};
// Set before the control is first asked for by a screen reader.
void SetSpoken(QWidget* widget, Spoken spoken);

// The shortcut keys of a control, in the words the tooltip shows ("Ctrl+S").
void SetShortcutText(QWidget* widget, const QString& keys);
QString ShortcutText(const QWidget* widget);

}  // namespace qv
