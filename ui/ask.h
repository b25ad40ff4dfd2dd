#pragma once

// The program's message box as the windows call it.

#include <QString>
#include <functional>

class QWidget;

namespace qv {

// The buttons of a message box: "OK" alone, or "Yes" and "No".
enum class PopUpButtons { Ok, YesNo };

// Shows a message box owned by a window; true for "OK" or "Yes".
using AskFunction =
    std::function<bool(const QString& title, const QString& message, PopUpButtons buttons, QWidget* owner)>;

}  // namespace qv
