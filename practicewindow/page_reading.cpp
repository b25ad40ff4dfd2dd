#include "practicewindow/page_reading.h"

#include <QAccessibleWidget>
#include <QTextBrowser>
#include <algorithm>

#include "practicewindow/page_browser.h"

namespace qv {

namespace {

class PageText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PageText(PageBrowser* page) : QAccessibleWidget(page, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Plain();
        return QAccessibleWidget::text(t);
    }

    QString text(int start, int end) const override { return Plain().mid(start, std::max(0, end - start)); }
    int characterCount() const override { return static_cast<int>(Plain().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return QString();
    }

private:
    QString Plain() const { return static_cast<const QTextBrowser*>(widget())->toPlainText(); }
};

QAccessibleInterface* MakePageInterface(const QString&, QObject* object) {
    if (auto* page = qobject_cast<PageBrowser*>(object)) return new PageText(page);
    return nullptr;
}

}  // namespace

void EnablePageReading() {
    static const bool installed = [] {
        QAccessible::installFactory(&MakePageInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace qv
