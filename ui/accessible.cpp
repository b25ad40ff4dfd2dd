#include "ui/accessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <optional>

#include "ui/clickable_label.h"

namespace qv {

namespace {

const char* const kShortcutProperty = "shortcutText";

QHash<const QObject*, Spoken>& Registry() {
    static QHash<const QObject*, Spoken> spoken;
    return spoken;
}

const Spoken* SpokenFor(const QObject* object) {
    const auto found = Registry().constFind(object);
    return found == Registry().constEnd() ? nullptr : &found.value();
}

// The caption lying on a button; none for a button without one.
std::optional<QString> CaptionOf(const QWidget* button) {
    const auto* caption = button->findChild<CaptionLabel*>(QString(), Qt::FindDirectChildrenOnly);
    if (!caption) return std::nullopt;
    return caption->text();
}

// A picture button or clickable label.
class PressableControl : public QAccessibleWidget {
public:
    explicit PressableControl(ClickableLabel* control) : QAccessibleWidget(control, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const QWidget* control = widget();
        const Spoken* spoken = SpokenFor(control);
        if (t == QAccessible::Name) {
            if (spoken && spoken->name) return spoken->name();
            if (!control->accessibleName().isEmpty()) return control->accessibleName();
            if (const std::optional<QString> caption = CaptionOf(control)) return *caption;
            if (const QString own = static_cast<const QLabel*>(control)->text(); !own.isEmpty()) return own;
            return control->toolTip();
        }
        if (t == QAccessible::Description) {
            if (spoken && spoken->description) return spoken->description();
            QString words = control->toolTip() == text(QAccessible::Name) ? QString() : control->toolTip();
            const QString keys = ShortcutText(control);
            if (!keys.isEmpty()) words += (words.isEmpty() ? QString() : QStringLiteral(", ")) + keys;
            return words;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::Role role() const override {
        const Spoken* spoken = SpokenFor(widget());
        return spoken && spoken->role != QAccessible::NoRole ? spoken->role : QAccessible::Button;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        // A control placed outside its parent (a tab of a module the course
        // does not have) is not there for the pupil.
        const QWidget* control = widget();
        if (control->parentWidget() && !control->parentWidget()->rect().intersects(control->geometry())) {
            state.invisible = true;
            state.offscreen = true;
        }
        const Spoken* spoken = SpokenFor(control);
        if (spoken && spoken->selected) {
            state.selectable = true;
            state.selected = spoken->selected();
        }
        return state;
    }
    // Its caption is part of its name, not a child of its own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) static_cast<ClickableLabel*>(widget())->click();
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        const QString keys = ShortcutText(widget());
        if (action != pressAction() || keys.isEmpty()) return {};
        return keys.split(QStringLiteral(" or "));
    }
};

// A label whose words were given with SetSpoken.
class SpokenLabel : public QAccessibleWidget {
public:
    explicit SpokenLabel(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const Spoken* spoken = SpokenFor(widget());
        if (t == QAccessible::Name && spoken && spoken->name) return spoken->name();
        if (t == QAccessible::Description && spoken && spoken->description) return spoken->description();
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::Role role() const override {
        const Spoken* spoken = SpokenFor(widget());
        return spoken && spoken->role != QAccessible::NoRole ? spoken->role : QAccessible::StaticText;
    }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (qobject_cast<CaptionLabel*>(object)) return nullptr;
    if (auto* control = qobject_cast<ClickableLabel*>(object)) return new PressableControl(control);
    if (auto* label = qobject_cast<QLabel*>(object); label && SpokenFor(label)) return new SpokenLabel(label);
    return nullptr;
}

}  // namespace

void EnableSpokenControls() {
    static const bool installed = [] {
        QAccessible::installFactory(&MakeInterface);
        return true;
    }();
    (void)installed;
}

void SetSpoken(QWidget* widget, Spoken spoken) {
    if (!widget) return;
    EnableSpokenControls();
    if (!Registry().contains(widget)) {
        QObject::connect(widget, &QObject::destroyed, [widget] { Registry().remove(widget); });
    }
    Registry().insert(widget, std::move(spoken));
    // An interface made for it before these words were given is made again.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<SpokenLabel*>(made) && !dynamic_cast<PressableControl*>(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void SetShortcutText(QWidget* widget, const QString& keys) { widget->setProperty(kShortcutProperty, keys); }

QString ShortcutText(const QWidget* widget) { return widget->property(kShortcutProperty).toString(); }

}  // namespace qv
