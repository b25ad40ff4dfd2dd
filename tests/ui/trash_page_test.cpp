// The trash page: Trash asks, No changes nothing, Yes erases every result
// file of every configured module (an open paper is closed first), and a
// file that cannot be reset is named instead of claiming success.

#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/erase_guard.h"
#include "course/record_file.h"
#include "mainwindow/trash_page.h"
#include "app/practice_opener.h"
#include "ui/picture_button.h"
#include "ui_fixture.h"

namespace {

namespace fs = std::filesystem;
using qv::ResultKind;
using qv::TrashState;

const char* const kControls[] = {"Trashlbl1", "ButTrash", "Trashlbl2", "ButTrash_Yes", "ButTrash_No", "Trashlbl3"};

class TrashPageTest : public MainWindowTest {
protected:
    void StartTrash(const Scores& scores = {{1, {"90", "100"}}, {7, {"45", ""}}}) {
        Start(scores);
        window_->SetResources(Pack());
        OpenTrash();
    }
    void OpenTrash() {
        Click("Tab04");
        Click("ToolBar02");
    }
    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    TrashState State() { return Find<qv::TrashPage>("Body_Trash")->state(); }

    // Which controls of the page are shown, as the state table has them.
    void ExpectShows(TrashState state) {
        const bool offer = state == TrashState::Offer, confirm = state == TrashState::Confirm;
        const bool expected[] = {offer, offer, confirm, confirm, confirm, state == TrashState::Done};
        for (std::size_t i = 0; i < std::size(kControls); ++i) {
            EXPECT_EQ(Find(kControls[i])->isVisible(), expected[i]) << kControls[i];
        }
        EXPECT_EQ(State(), state);
    }

    std::map<std::string, std::string> Files(int slot = 2) {
        std::map<std::string, std::string> files;
        for (ResultKind kind : qv::kResultKinds) {
            const std::string name = qv::ResultFileName(kind, slot, "QEN");
            files[name] = dir_.Read(name);
        }
        return files;
    }
    std::map<std::string, std::string> Templates() {
        std::map<std::string, std::string> files;
        for (ResultKind kind : qv::kResultKinds) {
            files[qv::ResultFileName(kind, 2, "QEN")] = *Pack().Load(qv::ResultTemplateId(2, kind), "Custom");
        }
        return files;
    }
};

TEST_F(TrashPageTest, TheButtonsAndTheirCaptionsStepThroughTheStates) {
    StartTrash();
    ExpectShows(TrashState::Offer);
    EXPECT_EQ(Text("Trashlbl1"),
              "Click on the button below if you wish to erase all your past results and reset the program.");
    EXPECT_EQ(Text("Trashlbl2"), "Are you sure?");
    EXPECT_EQ(Text("Trashlbl3"), "All your past results have been erased.");
    for (const char* name : {"ButTrash", "ButTrash_Yes", "ButTrash_No"}) {
        const std::string caption = std::string(name) + "lbl";
        EXPECT_EQ(Find(caption)->toolTip(), Text(caption.c_str()));
        EXPECT_EQ(Find(name)->toolTip(), Text(caption.c_str()));
    }
    EXPECT_EQ(Text("ButTrashlbl"), "Trash");
    EXPECT_EQ(Text("ButTrash_Yeslbl"), "Yes");
    EXPECT_EQ(Text("ButTrash_Nolbl"), "No");

    struct Step {
        const char* click;
        TrashState then;
    };
    const Step steps[] = {
        {"ButTrash", TrashState::Confirm},    {"ButTrash_No", TrashState::Offer},
        {"ButTrashlbl", TrashState::Confirm}, {"ButTrash_Nolbl", TrashState::Offer},
        {"ButTrash", TrashState::Confirm},    {"ButTrash_Yeslbl", TrashState::Done},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.click);
        Click(step.click);
        ExpectShows(step.then);
    }
}

TEST_F(TrashPageTest, ASecondClickOnTrashNeverLandsOnYes) {
    StartTrash();
    const auto before = Files();
    QWidget* trash = Find("ButTrash");
    const QPoint at = trash->mapTo(window_.get(), trash->rect().center());
    // Whatever lies under that spot of the window is clicked, twice.
    for (int click = 0; click < 2; ++click) {
        QWidget* under = window_->childAt(at);
        ASSERT_NE(under, nullptr);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(window_.get(), at));
        EXPECT_EQ(State(), TrashState::Confirm) << click;
    }
    EXPECT_EQ(Files(), before);
}

TEST_F(TrashPageTest, NoChangesNothing) {
    StartTrash();
    const auto before = Files();
    Click("ButTrash");
    Click("ButTrash_No");
    ExpectShows(TrashState::Offer);
    EXPECT_EQ(Files(), before);
    EXPECT_FALSE(fs::exists(dir_ / "backup"));
}

TEST_F(TrashPageTest, YesErasesEveryFileAfterACopyAndHomeShowsNoMarks) {
    StartTrash();
    const auto before = Files();
    ASSERT_NE(before, Templates());
    DialogWatcher dialogs(window_.get());
    Click("ButTrash");
    Click("ButTrash_Yes");
    ExpectShows(TrashState::Done);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(Files(), Templates());
    EXPECT_FALSE(fs::exists(dir_ / "resetting.txt"));
    // A copy of the results as they were is kept.
    std::vector<fs::path> copies;
    for (const auto& entry : fs::directory_iterator(dir_ / "backup")) copies.push_back(entry.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(qv::ReadWholeFile(copies[0] / "marks2QEN.txt").value, before.at("marks2QEN.txt"));
    // and the page says where.
    EXPECT_TRUE(Find("TrashCopy")->isVisible());
    EXPECT_TRUE(Text("TrashCopy").contains(QString::fromStdString(copies[0].string()))) << Text("TrashCopy").toStdString();
    OpenTrash();
    EXPECT_FALSE(Find("TrashCopy")->isVisible());

    Click("Tab02");
    for (int j = 1; j <= 5; ++j) {
        EXPECT_EQ(Text(("MSA" + std::to_string(j)).c_str()), "");
        EXPECT_EQ(Text(("MSB" + std::to_string(j)).c_str()), "");
    }
    Click("Topic2");
    EXPECT_EQ(Text("MSA2"), "");
}

TEST_F(TrashPageTest, OnlyTheConfiguredSlotsFilesAreTouched) {
    // The packed course has a module in slot 2 only.
    ASSERT_FALSE(qv::LoadCourseConfig(Pack()).config.module(1).configured());
    StartTrash();
    dir_.Write("marks1QEN.txt", "slot one");
    dir_.Write("trend3QEN.txt", "slot three");
    Click("ButTrash");
    Click("ButTrash_Yes");
    ExpectShows(TrashState::Done);
    EXPECT_EQ(dir_.Read("marks1QEN.txt"), "slot one");
    EXPECT_EQ(dir_.Read("trend3QEN.txt"), "slot three");
    for (int slot : {1, 3}) {
        for (ResultKind kind : qv::kResultKinds) {
            const std::string name = qv::ResultFileName(kind, slot, "QEN");
            if (name != "marks1QEN.txt" && name != "trend3QEN.txt") {
                EXPECT_FALSE(fs::exists(dir_ / name)) << name;
            }
        }
    }
}

TEST_F(TrashPageTest, OpenedThroughTheToolbarItAlwaysOffers) {
    StartTrash();
    const char* const roads[][2] = {{"ToolBar01", "ToolBar02"}, {"Tab02", "Tab04"}};
    for (const auto& road : roads) {
        SCOPED_TRACE(road[0]);
        Click("ButTrash");
        ExpectShows(TrashState::Confirm);
        Click(road[0]);
        if (road[1]) Click(road[1]);
        if (!Find("Body_Trash")->isVisible()) Click("ToolBar02");
        ExpectShows(TrashState::Offer);
    }
    // The same after an erase.
    Click("ButTrash");
    Click("ButTrash_Yes");
    ExpectShows(TrashState::Done);
    Click("ToolBar02");
    ExpectShows(TrashState::Offer);
}

TEST_F(TrashPageTest, AFileThatCannotBeResetIsNamedAndNothingIsClaimed) {
    StartTrash();
    fs::permissions(dir_ / "sresults2QEN.txt", fs::perms::owner_read);
    const auto before = Files();
    DialogWatcher dialogs(window_.get());
    Click("ButTrash");
    Click("ButTrash_Yes");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const QString told = dialogs.messages[0];
    EXPECT_TRUE(told.contains("have not been erased")) << told.toStdString();
    EXPECT_TRUE(told.contains("\"sresults2QEN.txt\"")) << told.toStdString();
    EXPECT_TRUE(told.contains("read-only")) << told.toStdString();
    EXPECT_FALSE(told.contains("All your past results have been erased")) << told.toStdString();
    ExpectShows(TrashState::Offer);
    EXPECT_EQ(Files(), before);
}

TEST_F(TrashPageTest, TheButtonsShowTheirHoverPictures) {
    StartTrash();
    auto* trash = Find<qv::PictureButton>("ButTrash");
    Hover("ButTrash");
    EXPECT_EQ(trash->picture(), "button_on.bmp");
    Click("ButTrash");
    Hover("ButTrash_No");
    EXPECT_EQ(Find<qv::PictureButton>("ButTrash_No")->picture(), "button_on.bmp");
    EXPECT_EQ(Find<qv::PictureButton>("ButTrash_Yes")->picture(), "button_off.bmp");
    EXPECT_EQ(trash->picture(), "button_off.bmp");
}

// With the practice window opener wired as the program wires it.
class TrashWithPaperTest : public TrashPageTest {
protected:
    void StartWithOpener() {
        Start();
        window_->SetResources(Pack());
        opener_ = new qv::PracticeOpener(*window_, Pack());
        opener_->ask = [](const QString&, const QString&, qv::PopUpButtons, QWidget*) { return true; };
        opener_->markingStep = std::chrono::milliseconds(20);
        qv::CloseBeforeErasing(*window_, *opener_);
    }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void AnswerAndMove() {
        ASSERT_NE(opener_->current(), nullptr);
        auto* field = opener_->current()->findChild<QLineEdit*>(QStringLiteral("FA1"));
        ASSERT_NE(field, nullptr);
        field->setText(QStringLiteral("2"));
        opener_->current()->Tick();
        QWidget* next = opener_->current()->findChild<QWidget*>(QStringLiteral("ToolBar06"));
        QTest::mouseClick(next, Qt::LeftButton, {}, next->rect().center());
        field->setText(QStringLiteral("3"));  // typed, not saved
    }
    qv::PracticeOpener* opener_ = nullptr;
};

TEST_F(TrashWithPaperTest, ErasingClosesAnOpenPaperAndNothingComesBack) {
    StartWithOpener();
    Click("P1a");
    AnswerAndMove();
    opener_->current()->attempt().FinishWrites();
    ASSERT_NE(dir_.Read("first2QEN.txt"), Templates().at("first2QEN.txt"));
    OpenTrash();
    Click("ButTrash");
    Click("ButTrash_Yes");
    EXPECT_EQ(opener_->current(), nullptr);
    ExpectShows(TrashState::Done);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(250);
    EXPECT_EQ(Files(), Templates());
    Click("Tab02");
    EXPECT_EQ(Text("MSA1"), "");
}

TEST_F(TrashWithPaperTest, WhileAPaperIsBeingMarkedNothingIsErased) {
    StartWithOpener();
    Click("P1a");
    OpenTrash();
    Click("ButTrash");
    DialogWatcher dialogs(window_.get());
    bool tried = false;
    // Mid-way through the marking, the pupil says Yes on the trash page.
    QTimer::singleShot(100, window_.get(), [&] {
        tried = opener_->current() && opener_->current()->busy();
        Click("ButTrash_Yes");
    });
    QWidget* mark = opener_->current()->findChild<QWidget*>(QStringLiteral("ToolBar02"));
    opener_->current()->Tick();
    QTest::mouseClick(mark, Qt::LeftButton, {}, mark->rect().center());
    ASSERT_TRUE(tried);
    ExpectShows(TrashState::Confirm);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].contains("being marked")) << dialogs.messages[0].toStdString();
    ASSERT_NE(opener_->current(), nullptr);
    EXPECT_TRUE(opener_->current()->attempt().marked());
    EXPECT_NE(Files(), Templates());
}

}  // namespace

namespace {

// What was typed and not yet saved is saved before an erase: it goes into the
// copy of the results, and it is kept when the erase cannot go through.
TEST_F(TrashWithPaperTest, TheOpenPapersLastAnswersAreSavedBeforeAnErase) {
    StartWithOpener();
    Click("P1a");
    AnswerAndMove();
    dir_.Write("backup", "a file, not a folder");  // no copy can be made
    OpenTrash();
    DialogWatcher dialogs(window_.get());
    Click("ButTrash");
    Click("ButTrash_Yes");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].contains("have not been erased")) << dialogs.messages[0].toStdString();
    ExpectShows(TrashState::Offer);
    EXPECT_EQ(opener_->current(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dir_.Read("first2QEN.txt").starts_with("#101#>2>3>>")) << dir_.Read("first2QEN.txt").substr(0, 20);
}

TEST_F(TrashWithPaperTest, ARefusedEraseLeavesTheOpenPaperAndMakesNoCopy) {
    StartWithOpener();
    Click("P1a");
    AnswerAndMove();
    fs::permissions(dir_ / "sresults2QEN.txt", fs::perms::owner_read);
    OpenTrash();
    DialogWatcher dialogs(window_.get());
    for (int attempt = 0; attempt < 2; ++attempt) {
        Click("ButTrash");
        Click("ButTrash_Yes");
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].contains("have not been erased")) << dialogs.messages[0].toStdString();
    ASSERT_NE(opener_->current(), nullptr);
    EXPECT_EQ(opener_->current()->findChild<QLineEdit*>(QStringLiteral("FA1"))->text(), "3");
    EXPECT_FALSE(fs::exists(dir_ / "backup"));
}

}  // namespace
