#include "practicewindow/practice_keys.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <vector>

#include "practicewindow/page_browser.h"
#include "practicewindow/page_reading.h"
#include "ui/accessible.h"
#include "ui/keyboard.h"
#include "ui/picture_button.h"
#include "ui/widget_kit.h"
#include "ui/window_keys.h"

namespace qv {

namespace {

template <typename T = QWidget>
T* Named(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

PictureButton* Button(QWidget* window, int n) { return Named<PictureButton>(window, TwoDigitName("ToolBar", n)); }

// Page Up and Page Down scroll the page while it has the focus, rather than
// moving to another question.
class PageScrollKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) event->accept();
        return false;
    }
};

void Speak(QWidget* window, const char* name, std::function<QString(const QString&)> words) {
    auto* label = Named<QLabel>(window, QString::fromLatin1(name));
    if (!label) return;
    Spoken spoken;
    spoken.name = [label, words = std::move(words)] { return words(label->text().trimmed()); };
    SetSpoken(label, std::move(spoken));
}

QString Or(const QString& shown, const QString& none) { return shown.isEmpty() ? none : shown; }

void DescribeFigures(QWidget* window) {
    Speak(window, "PScoring", [](const QString& s) {
        return s.isEmpty() ? QStringLiteral("Score: not marked yet") : QStringLiteral("Score: %1%").arg(s);
    });
    Speak(window, "lblClock", [](const QString& s) { return QStringLiteral("Time: ") + s; });
    Speak(window, "LTime", [](const QString& s) { return QStringLiteral("Time taken: ") + Or(s, "none"); });
    Speak(window, "lblDate", [](const QString& s) { return QStringLiteral("Date: ") + s; });
    Speak(window, "ETime", [](const QString& s) { return QStringLiteral("Date completed: ") + Or(s, "none"); });
    const QLabel* total = Named<QLabel>(window, QStringLiteral("lblTotalQ"));
    Speak(window, "lblAnsweredQ", [total](const QString& s) {
        return QStringLiteral("%1 of %2 answered").arg(s, total ? total->text() : QString());
    });
    if (auto* list = Named<QComboBox>(window, QStringLiteral("RemQns"))) {
        list->setAccessibleName(QStringLiteral("Qns left"));
    }
}

// The answer fields row by row, then the toolbar, the list, the handle, the page.
void OrderTabs(QWidget* window) {
    std::vector<QWidget*> order;
    if (QWidget* sheet = Named(window, QStringLiteral("AnsBox"))) {
        for (int r = 1; r <= 20; ++r) {
            QWidget* row = Named(sheet, QStringLiteral("Frame%1").arg(r));
            if (!row) continue;
            for (QWidget* field : row->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<QLineEdit*>(field) || qobject_cast<QPlainTextEdit*>(field)) order.push_back(field);
            }
        }
    }
    for (int n : {5, 6, 1, 2, 3, 4}) {
        if (QWidget* button = Button(window, n)) order.push_back(button);
    }
    for (const char* name : {"RemQns", "ImgHandle", "brwWebBrowser"}) {
        if (QWidget* control = Named(window, QString::fromLatin1(name))) order.push_back(control);
    }
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// The answer fields have no frame of their own: the one with the focus gets the style's.
void FrameFocusedField(QWidget* window) {
    QWidget* sheet = Named(window, QStringLiteral("AnsBox"));
    if (!sheet) return;
    auto* ring = new QFocusFrame(window);
    ring->setObjectName(QStringLiteral("FieldFocus"));
    QObject::connect(qApp, &QApplication::focusChanged, ring, [ring, sheet](QWidget*, QWidget* now) {
        const bool field = now && sheet->isAncestorOf(now) &&
                           (qobject_cast<QLineEdit*>(now) || qobject_cast<QPlainTextEdit*>(now));
        ring->setWidget(field ? now : nullptr);
    });
}

}  // namespace

void MakePracticeWindowKeyboardReady(QWidget* window, std::function<void()> refresh) {
    EnableSpokenControls();
    EnablePageReading();
    auto* close = Named<PictureButton>(window, QStringLiteral("imgProgClose"));
    for (const char* name : {"imgProgClose", "imgProgMax", "imgProgMin"}) {
        if (QWidget* button = Named(window, QString::fromLatin1(name))) button->setFocusPolicy(Qt::NoFocus);
    }
    new WindowKeys(window, true, [close] {
        if (close) close->click();
    });
    const struct {
        int button;
        QList<QKeySequence> keys;
    } shortcuts[] = {
        {5, {QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_PageUp)}},
        {6, {QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_PageDown)}},
        {1, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {2, {QKeySequence(Qt::CTRL | Qt::Key_M)}},
        {3, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {4, {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)}},
    };
    for (const auto& shortcut : shortcuts) AddShortcut(window, Button(window, shortcut.button), shortcut.keys, refresh);
    LinkWithArrows({Button(window, 1), Button(window, 2), Button(window, 3), Button(window, 4), Button(window, 5),
                    Button(window, 6)},
                   Qt::Horizontal, false);
    if (auto* page = Named<PageBrowser>(window, QStringLiteral("brwWebBrowser"))) {
        page->installEventFilter(new PageScrollKeys(page));
        // An interface made for the page before its own factory was there is made again.
        if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(page)) {
            if (!made->interface_cast(QAccessible::TextInterface) ||
                made->role() != QAccessible::Document) {
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
            }
        }
        // Named by its question; the page text is read through the page itself.
        const QLabel* title = Named<QLabel>(window, QStringLiteral("QnTitle"));
        QObject::connect(page, &PageBrowser::pageLoaded, page, [page, title] {
            page->setAccessibleName(title ? title->text() : QStringLiteral("Question"));
        });
    }
    DescribeFigures(window);
    OrderTabs(window);
    FrameFocusedField(window);
}

}  // namespace qv
