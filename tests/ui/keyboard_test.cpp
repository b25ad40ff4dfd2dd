// The program from the keyboard alone: Tab order, arrow keys, shortcuts,
// and moving and sizing the frameless windows.

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QToolTip>

#include "practice_fixture.h"
#include "ui/window_keys.h"

namespace {

class KeyboardTest : public PracticeWindowTest {
protected:
    static QWidget* Focused() { return QApplication::focusWidget(); }
    static QString FocusedName() { return Focused() ? Focused()->objectName() : QStringLiteral("(none)"); }
    static void Activate(QWidget* window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // A key as the pupil presses it: to the control with the focus.
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* to = Focused() ? Focused() : QApplication::activeWindow();
        ASSERT_NE(to, nullptr);
        QTest::keyClick(to, static_cast<Qt::Key>(key), modifiers);
    }
    static void Type(const QString& text) { QTest::keyClicks(Focused(), text); }
    // Tab until `name` has the focus (at most a lap of the window).
    void TabTo(const QString& name) {
        for (int i = 0; i < 40 && FocusedName() != name; ++i) Press(Qt::Key_Tab);
        ASSERT_EQ(FocusedName(), name);
    }
    // The names the focus visits from the one it is on, `count` Tabs.
    static QStringList TabLap(int count) {
        QStringList seen;
        for (int i = 0; i < count; ++i) {
            seen << FocusedName();
            Press(Qt::Key_Tab);
        }
        return seen;
    }
    // The program's own message box, answered with Space on the button that
    // has its focus; what it said is kept.
    void AnswerPopUpsWithSpace() {
        opener_->ask = [this](const QString& title, const QString& message, qv::PopUpButtons buttons, QWidget* owner) {
            QTimer::singleShot(0, [this] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                Activate(dialog);
                asked_.push_back(dialog->findChild<QLabel*>(QStringLiteral("lblMessage"))->text() + " | " +
                                 FocusedName());
                Press(Qt::Key_Space);
                if (dialog->isVisible()) dialog->done(QDialog::Rejected);  // the key did not answer it
            });
            return window_->Ask(title, message, buttons, owner);
        };
    }
};

TEST_F(KeyboardTest, TabGoesThroughTabsToolbarTopicsAndPapersOfTheMainWindow) {
    StartProgram();
    Activate(window_.get());
    // Slot 2 alone is configured: tabs 1 and 3 lie outside the window and are passed by.
    const QStringList order = {"Tab02",  "Tab04",  "ToolBar01", "ToolBar02", "ToolBar03", "ToolBar04", "Topic1",
                               "Topic2", "Topic3", "Topic4",    "Topic5",    "Topic6",    "Topic7",    "Topic8",
                               "Topic9", "Topic10", "P1a",      "P2a",       "P3a",       "P4a",       "P5a",
                               "Tab02"};
    EXPECT_EQ(TabLap(static_cast<int>(order.size())), order);
}

TEST_F(KeyboardTest, ArrowKeysMoveBetweenTabsAndTopicsAndChooseThem) {
    StartProgram();
    Activate(window_.get());
    struct Step {
        const char* from;
        Qt::Key key;
        const char* to;
        const char* shown;  // the page on show after the key
    };
    const Step steps[] = {
        {"Topic1", Qt::Key_Down, "Topic2", "Body_Home"},  {"Topic2", Qt::Key_Down, "Topic3", "Body_Home"},
        {"Topic3", Qt::Key_Up, "Topic2", "Body_Home"},    {"Topic1", Qt::Key_Up, "Topic1", "Body_Home"},
        {"Tab02", Qt::Key_Right, "Tab04", "Body_About"},  {"Tab04", Qt::Key_Right, "Tab04", "Body_About"},
        {"Tab04", Qt::Key_Left, "Tab02", "Body_Home"},    {"Tab02", Qt::Key_Left, "Tab02", "Body_Home"},
        {"ToolBar01", Qt::Key_Right, "ToolBar02", "Body_Home"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.from) + " -> " + step.to);
        Find(step.from)->setFocus(Qt::TabFocusReason);
        Press(step.key);
        EXPECT_EQ(FocusedName(), step.to);
        EXPECT_TRUE(Find(step.shown)->isVisible());
    }
    // Moving to a topic chooses it, as a click does.
    Find("Topic3")->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Down);
    EXPECT_EQ(Text("SubH1"), Text("Topic4"));
}

TEST_F(KeyboardTest, TheTypicalRoadFromTheKeyboardAlone) {
    StartProgram();
    AnswerPopUpsWithSpace();
    Activate(window_.get());
    TabTo("Topic1");
    Press(Qt::Key_Return);  // Grammar (1)
    EXPECT_EQ(Text("SubH1"), "Grammar (1)");
    TabTo("P1a");
    Press(Qt::Key_Return);  // Load paper 1
    ASSERT_NE(Practice(), nullptr);
    Activate(Practice());
    const qv::PaperAttempt& attempt = Practice()->attempt();
    ASSERT_EQ(attempt.totalParts(), 30);
    for (int q = 1; q <= 30; ++q) {
        SCOPED_TRACE(q);
        ASSERT_EQ(Shown("QnTitle"), QStringLiteral("Question %1").arg(q));
        ASSERT_EQ(FocusedName(), "FA1");
        const QString key = QString::fromStdString(attempt.PartKey(q - 1));
        Type(q <= 27 ? key : (key == "1" ? QStringLiteral("2") : QStringLiteral("1")));
        if (q < 30) Press(Qt::Key_Right, Qt::AltModifier);  // Next
    }
    Press(Qt::Key_M, Qt::ControlModifier);  // Mark, Yes
    EXPECT_EQ(Shown("PScoring"), "90");
    Activate(Practice());  // as the desktop gives the window back its activation
    Press(Qt::Key_W, Qt::ControlModifier);  // Close, Yes
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Practice(), nullptr);
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_EQ(asked_[0], "Do you want to mark your practice now? | But1");
    EXPECT_EQ(asked_[1], "Confirm? | But1");
    EXPECT_EQ(Text("MSA1"), "90");
    EXPECT_EQ(Record("trend2QEN.txt", "TRD"), "#TRD#>90");
    EXPECT_TRUE(Find("P1b")->isVisible());
}

// A trash button pressed from the keyboard hides itself; the focus stays on the page.
TEST_F(KeyboardTest, TheTrashPageKeepsTheFocusAsItsButtonsChange) {
    StartProgram();
    Activate(window_.get());
    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton);
    Find("ButTrash")->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Space);
    EXPECT_EQ(FocusedName(), "ButTrash_No");
    Press(Qt::Key_Space);
    EXPECT_EQ(FocusedName(), "ButTrash");
    EXPECT_TRUE(Find("Body_Trash")->isVisible());
}

TEST_F(KeyboardTest, PracticeTabOrderAndShortcutsPressTheirButtonsAndTheTooltipsTellThem) {
    StartProgram();
    OpenPaper(1, 1);
    Activate(Practice());
    // Question 1 of 30: Back is not available, so Tab passes it by.
    Practice()->Tick();
    const QStringList order = {"FA1",       "ToolBar06", "ToolBar01", "ToolBar02", "ToolBar03",
                               "ToolBar04", "RemQns",    "ImgHandle", "brwWebBrowser", "FA1"};
    EXPECT_EQ(TabLap(static_cast<int>(order.size())), order);
    answer_ = false;  // No, when asked to close
    struct Case {
        QKeyCombination key;
        const char* title;      // the question on show afterwards
        const char* asked;      // what the window asked, if anything
    };
    const Case cases[] = {
        {Qt::ALT | Qt::Key_Right, "Question 2", nullptr},
        {QKeyCombination(Qt::Key_PageDown), "Question 3", nullptr},
        {Qt::ALT | Qt::Key_Left, "Question 2", nullptr},
        {QKeyCombination(Qt::Key_PageUp), "Question 1", nullptr},
        {QKeyCombination(Qt::Key_PageUp), "Question 1", nullptr},  // Back is not available on question 1
        {Qt::CTRL | Qt::Key_S, "Question 1", "Quorvale | Paper saved"},
        {Qt::CTRL | Qt::Key_W, "Question 1", "Close Practice | Confirm?"},
        {QKeyCombination(Qt::Key_Escape), "Question 1", "Close Practice | Confirm?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        asked_.clear();
        Press(c.key.key(), c.key.keyboardModifiers());
        ASSERT_NE(Practice(), nullptr);
        EXPECT_EQ(Shown("QnTitle"), c.title);
        EXPECT_EQ(asked_.empty() ? QString() : asked_.back(), c.asked ? QString::fromLatin1(c.asked) : QString());
    }
    // On the page itself Page Down scrolls it rather than leaving the question.
    InPractice(QStringLiteral("brwWebBrowser"))->setFocus();
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Shown("QnTitle"), "Question 1");

    const std::pair<const char*, const char*> tips[] = {
        {"ToolBar01", "Save (Ctrl+S)"},  {"ToolBar02", "Mark (Ctrl+M)"},
        {"ToolBar03", "Print (Ctrl+P)"}, {"ToolBar04", "Close (Ctrl+W or Esc)"},
        {"ToolBar06", "Next (Alt+Right or PgDown)"},
    };
    Practice()->Tick();
    for (const auto& [name, tip] : tips) {
        QWidget* button = InPractice(QString::fromLatin1(name));
        QHelpEvent help(QEvent::ToolTip, button->rect().center(), button->mapToGlobal(button->rect().center()));
        QCoreApplication::sendEvent(button, &help);
        EXPECT_EQ(QToolTip::text(), tip) << name;
    }
    QToolTip::hideText();
}

TEST_F(KeyboardTest, APracticeWindowMovesSizesAndMaximisesFromTheKeyboard) {
    StartProgram();
    OpenPaper(1, 1);
    QWidget* window = Practice();
    Activate(window);
    const QRect start = window->geometry();
    constexpr int step = qv::WindowKeys::kStep;

    Press(Qt::Key_F7, Qt::AltModifier);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    Press(Qt::Key_S);  // no letter reaches the answer field meanwhile
    Press(Qt::Key_Return);
    EXPECT_EQ(window->pos(), start.topLeft() + QPoint(2 * step, step));
    EXPECT_EQ(InPractice<QLineEdit>(QStringLiteral("FA1"))->text(), "");

    Press(Qt::Key_F8, Qt::AltModifier);
    for (int i = 0; i < 200; ++i) Press(Qt::Key_Left);
    EXPECT_EQ(window->width(), window->minimumWidth());
    Press(Qt::Key_Escape);  // undoes the change, and does not close the window
    EXPECT_EQ(window->size(), start.size());
    EXPECT_TRUE(asked_.empty());

    Press(Qt::Key_F10, Qt::AltModifier);
    EXPECT_TRUE(window->isMaximized());
    Press(Qt::Key_F10, Qt::AltModifier);
    EXPECT_FALSE(window->isMaximized());

    Press(Qt::Key_Space, Qt::AltModifier);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("WindowMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    answer_ = false;
    menu->findChild<QAction*>(QStringLiteral("Close"))->trigger();
    EXPECT_EQ(asked_, std::vector<QString>{"Close Practice | Confirm?"});
    menu->hide();
}

}  // namespace
