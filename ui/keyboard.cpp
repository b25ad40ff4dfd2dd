#include "ui/keyboard.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QToolTip>
#include <algorithm>

#include "ui/accessible.h"
#include "ui/clickable_label.h"

namespace qv {

namespace {

// Shows a control's tooltip (or its caption, when it has none) with the
// shortcut keys of its button behind it; the tooltip text itself stays as it is.
class ShortcutTip : public QObject {
public:
    ShortcutTip(QWidget* button, QObject* parent) : QObject(parent), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !button_ || !button_->isEnabled()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        const QString keys = ShortcutText(button_);
        QString tip = widget->toolTip();
        if (tip.isEmpty()) tip = button_->toolTip();
        if (tip.isEmpty()) {
            if (const auto* caption = button_->findChild<CaptionLabel*>()) tip = caption->text();
        }
        if (keys.isEmpty() || tip.isEmpty()) return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           QStringLiteral("%1 (%2)").arg(tip, keys), widget);
        return true;
    }

private:
    QPointer<QWidget> button_;
};

class ArrowLink : public QObject {
public:
    ArrowLink(std::vector<QWidget*> controls, Qt::Orientation orientation, bool select, QObject* parent)
        : QObject(parent), orientation_(orientation), select_(select) {
        for (QWidget* control : controls) {
            controls_.emplace_back(control);
            control->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        const bool across = orientation_ == Qt::Horizontal;
        int step = 0;
        if (key->key() == (across ? Qt::Key_Left : Qt::Key_Up)) step = -1;
        if (key->key() == (across ? Qt::Key_Right : Qt::Key_Down)) step = 1;
        if (step == 0) return false;
        const auto at = std::find(controls_.begin(), controls_.end(), watched);
        if (at == controls_.end()) return false;
        for (auto index = (at - controls_.begin()) + step; index >= 0 && index < std::ssize(controls_);
             index += step) {
            QWidget* next = controls_[static_cast<std::size_t>(index)];
            if (!Reachable(next)) continue;
            next->setFocus(Qt::TabFocusReason);
            if (select_) {
                if (auto* pressable = qobject_cast<ClickableLabel*>(next)) pressable->click();
            }
            break;
        }
        return true;
    }

private:
    static bool Reachable(const QWidget* control) {
        if (!control || !control->isVisible() || !control->isEnabled() || !(control->focusPolicy() & Qt::TabFocus)) {
            return false;
        }
        return !control->parentWidget() || control->parentWidget()->rect().intersects(control->geometry());
    }

    std::vector<QPointer<QWidget>> controls_;
    Qt::Orientation orientation_;
    bool select_;
};

}  // namespace

QString KeysText(const QList<QKeySequence>& keys) {
    QStringList words;
    for (const QKeySequence& key : keys) words << key.toString(QKeySequence::NativeText);
    return words.join(QStringLiteral(" or "));
}

void AddShortcut(QWidget* window, ClickableLabel* button, const QList<QKeySequence>& keys,
                 std::function<void()> refresh) {
    if (!window || !button) return;
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, window);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, button, [button, refresh] {
            if (refresh) refresh();
            button->click();
        });
    }
    SetShortcutText(button, KeysText(keys));
    auto* tip = new ShortcutTip(button, button);
    button->installEventFilter(tip);
    for (CaptionLabel* caption : button->findChildren<CaptionLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        caption->installEventFilter(tip);
    }
}

void LinkWithArrows(const std::vector<QWidget*>& controls, Qt::Orientation orientation, bool select) {
    if (controls.empty() || !controls.front()) return;
    new ArrowLink(controls, orientation, select, controls.front());
}

}  // namespace qv
