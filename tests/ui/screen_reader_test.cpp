// What a screen reader hears, read through QAccessible from the real windows.

#include <QAccessible>
#include <QTest>

#include "practicewindow/answer_words.h"
#include "practice/marking.h"
#include "practice_fixture.h"
#include "ui/picture_button.h"

namespace {

struct Heard {
    QString name;
    QString description;
    QAccessible::Role role = QAccessible::NoRole;
};

Heard Hear(QObject* control) {
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
    if (!spoken) return {};
    return {spoken->text(QAccessible::Name), spoken->text(QAccessible::Description), spoken->role()};
}

class ScreenReaderTest : public PracticeWindowTest {
protected:
    // Every picture button of `window` is in `expected` and is heard as it says.
    static void ExpectButtons(QWidget* window, const std::map<QString, Heard>& expected) {
        const auto buttons = window->findChildren<qv::PictureButton*>();
        ASSERT_FALSE(buttons.isEmpty());
        for (qv::PictureButton* button : buttons) {
            SCOPED_TRACE(button->objectName().toStdString());
            if (QAccessible::queryAccessibleInterface(button)->state().invisible) continue;
            const auto want = expected.find(button->objectName());
            ASSERT_NE(want, expected.end()) << "a picture button with no expected name";
            const Heard heard = Hear(button);
            EXPECT_EQ(heard.name, want->second.name);
            EXPECT_EQ(heard.description, want->second.description);
            EXPECT_EQ(heard.role, want->second.role);
        }
    }
    QString HeardName(const QString& name) { return Hear(InPractice(name)).name; }
    QString HeardDescription(const QString& name) { return Hear(InPractice(name)).description; }
};

constexpr auto kButton = QAccessible::Button;
constexpr auto kTab = QAccessible::PageTab;

TEST_F(ScreenReaderTest, EveryPictureButtonOfBothWindowsIsNamedByItsCaption) {
    StartProgram();
    WriteScores({{1, {"90", ""}}});
    window_->RefreshHomePage();
    std::map<QString, Heard> main = {
        {"Tab02", {"Practice", "Load Practice Module", kTab}}, {"Tab04", {"Help", "F1", kTab}},
        {"ToolBar01", {"Home", "Load Home page", kButton}},    {"ToolBar02", {"Report", "Load Report card", kButton}},
        {"ToolBar03", {"Print", "Print results, Ctrl+P", kButton}},
        {"ToolBar04", {"Close", "Close program", kButton}},
        {"RCBar1", {"Overall Results", "", kButton}},          {"RCBar2", {"Topical Results", "", kButton}},
        {"RCBar3", {"Trend Analysis", "", kButton}},           {"RCBar4", {"Learning Gain", "", kButton}},
        {"ButMistakes", {"Mistakes", "Print the parts still wrong after a second attempt", kButton}},           {"ButTrash", {"Trash", "", kButton}},
        {"ButTrash_Yes", {"Yes", "", kButton}},                {"ButTrash_No", {"No", "", kButton}},
        {"imgProgClose", {"Close", "", kButton}},              {"imgProgMin", {"Minimise", "", kButton}},
    };
    for (int j = 1; j <= 5; ++j) {
        main[QStringLiteral("P%1a").arg(j)] = {QStringLiteral("Load paper %1").arg(j), "", kButton};
        main[QStringLiteral("P%1b").arg(j)] = {QStringLiteral("Try paper %1 again").arg(j), "", kButton};
    }
    QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton);  // the report, so that its bars are laid out
    ExpectButtons(window_.get(), main);
    // The tabs of the modules the course does not have are not offered at all.
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(Find("Tab01"))->state().invisible);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(Find("Tab03"))->state().invisible);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(Find("Tab02"))->state().selected);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(Find("Tab04"))->state().selected);
    EXPECT_EQ(Hear(Find("Topic1")).name, "Grammar (1)");
    EXPECT_EQ(Hear(Find("MSA1")).name, "Paper 1, 1st Attempt: 90%");
    EXPECT_EQ(Hear(Find("MSB1")).name, "Paper 1, 2nd Attempt: none");
    EXPECT_EQ(Hear(Find("OScore1")).name, "First Attempt Average Score: " + Text("OScore1"));
    EXPECT_EQ(Hear(Find("TMark1A")).name, "Grammar (1), first attempt: " + Text("TMark1A"));

    OpenPaper(1, 1);
    Practice()->Tick();
    const std::map<QString, Heard> practice = {
        {"ToolBar01", {"Save", "Ctrl+S", kButton}},   {"ToolBar02", {"Mark", "Ctrl+M", kButton}},
        {"ToolBar03", {"Print", "Ctrl+P", kButton}},  {"ToolBar04", {"Close", "Ctrl+W or Esc", kButton}},
        {"ToolBar05", {"Back", "Alt+Left or PgUp", kButton}},
        {"ToolBar06", {"Next", "Alt+Right or PgDown", kButton}},
        {"imgProgClose", {"Close", "", kButton}},     {"imgProgMax", {"Maximise", "", kButton}},
        {"imgProgMin", {"Minimise", "", kButton}},
    };
    ExpectButtons(Practice(), practice);
    EXPECT_EQ(HeardName("ImgHandle"), "Hide answer sheet");
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(InPractice(QStringLiteral("brwWebBrowser")));
    EXPECT_EQ(page->text(QAccessible::Name), "Question 1");
    ASSERT_NE(page->textInterface(), nullptr);
    // The page's text as shown, each option's number apart from its words.
    EXPECT_EQ(page->textInterface()->text(0, page->textInterface()->characterCount()), Page());
    EXPECT_TRUE(Page().contains(QStringLiteral("\n1\nbrush\n"))) << Page().toStdString();
}

TEST_F(ScreenReaderTest, AnswerFieldsSayWhichPartTheyAreAndOnceMarkedWhetherTheyAreRight) {
    StartProgram();
    OpenPaper(5, 1);  // a cloze: many parts to a question
    const qv::PaperAttempt& attempt = Practice()->attempt();
    ASSERT_GE(attempt.PartCount(1), 3);
    const QString keyA = QString::fromStdString(attempt.PartKey(0));
    const QString keyB = QString::fromStdString(attempt.PartKey(1));
    Answer(1, keyA);
    Answer(2, keyB + QStringLiteral("x"));
    EXPECT_EQ(HeardName("FA1"), "answer (a)");
    EXPECT_EQ(HeardName("FA3"), "answer (c)");
    EXPECT_EQ(HeardDescription("FA1"), "Enter your answer");  // before marking, its tooltip
    ClickButton("ToolBar02");
    ASSERT_FALSE(Shown("PScoring").isEmpty());
    EXPECT_EQ(HeardName("PScoring"), QStringLiteral("Score: %1%").arg(Shown("PScoring")));
    EXPECT_EQ(HeardDescription("FA1"), "Right.");
    EXPECT_TRUE(HeardDescription("FA2").startsWith("Wrong. "));  // and why
    ClickButton("ToolBar04");
    QApplication::processEvents();

    OpenPaper(5, 1, "b");
    EXPECT_EQ(HeardDescription("FA1"), "Right the first time.");
    EXPECT_EQ(HeardDescription("FA2"), "Enter your answer");
    Answer(2, keyB + QStringLiteral("y"));
    ClickButton("ToolBar02");
    EXPECT_EQ(HeardDescription("FA1"), "Right.");
    EXPECT_TRUE(HeardDescription("FA2").startsWith(QStringLiteral("Wrong. ")));
    EXPECT_TRUE(HeardDescription("FA2").endsWith(QStringLiteral(" The right answer is ") + keyB + "."));
    EXPECT_EQ(HeardName("M2"), "right answer (b)");
}

TEST(AnswerWords, NameAndDescriptionFollowWhatTheRowShows) {
    const std::string tick(qv::kTick), cross(qv::kCross);
    struct Case {
        qv::SheetPart part;
        const char* description;
    };
    const auto part = [](std::string result, bool show, std::string second, bool showSecond, bool carried,
                         bool model) {
        qv::SheetPart p;
        p.key = "went";
        p.result = std::move(result);
        p.showResult = show;
        p.secondResult = std::move(second);
        p.showSecondResult = showSecond;
        p.carried = carried;
        p.showModel = model;
        p.reason = "Nearly: check the spelling.";  // said only for a wrong part
        return p;
    };
    const Case cases[] = {
        {part(tick, false, "", false, false, false), ""},                 // not marked yet
        {part(tick, true, "", false, false, false), "Right."},
        {part(cross, true, "", false, false, false), "Wrong. Nearly: check the spelling."},
        {part(tick, true, "", false, true, false), "Right the first time."},  // carried over
        {part(cross, false, cross, true, false, true), "Wrong. Nearly: check the spelling. The right answer is went."},
        {part(cross, false, tick, true, false, false), "Right."},  // the second mark is the one shown
    };
    for (const Case& c : cases) EXPECT_EQ(qv::AnswerFieldDescription(c.part), c.description);
    qv::SheetPart named = cases[4].part;
    named.reason = "The answer was went.";  // names the right answer already
    EXPECT_EQ(qv::AnswerFieldDescription(named), "Wrong. The answer was went.");
    EXPECT_EQ(qv::AnswerFieldName(1, 1), "answer");
    EXPECT_EQ(qv::AnswerFieldName(3, 10), "answer (c)");
}

}  // namespace
