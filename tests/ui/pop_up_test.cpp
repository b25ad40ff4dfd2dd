#include "ui/pop_up.h"

#include <QTest>
#include <QTimer>

#include "ui_fixture.h"

namespace {

class PopUpTest : public MainWindowTest {
protected:
    void SetUp() override { Start(); }

    std::unique_ptr<qv::frmPopUp> Dialog() {
        return std::make_unique<qv::frmPopUp>(*pictures_, cursor_, window_.get());
    }
    template <typename T = QWidget>
    static T* In(QWidget* dialog, const char* name) {
        T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(PopUpTest, OneButtonIsCentredAndSaysOk) {
    auto dialog = Dialog();
    dialog->CallPop("Quorvale", "Paper saved", qv::PopUpButtons::Ok, window_.get());
    dialog->show();
    QWidget* but1 = In(dialog.get(), "But1");
    EXPECT_TRUE(but1->isVisible());
    EXPECT_FALSE(In(dialog.get(), "But2")->isVisible());
    EXPECT_EQ(but1->x(), (dialog->width() - but1->width()) / 2);
    EXPECT_EQ(In<QLabel>(dialog.get(), "But1_lbl")->text(), "OK");
    EXPECT_EQ(In<QLabel>(dialog.get(), "lblTitle")->text(), "Quorvale");
    EXPECT_EQ(dialog->size(), QSize(265, 150));
}

TEST_F(PopUpTest, TitleIsBoldAndTheSameSizeAsTheMainWindows) {
    auto dialog = Dialog();
    dialog->CallPop("Close Practice", "Confirm?", qv::PopUpButtons::YesNo, window_.get());
    const QFont title = In<QLabel>(dialog.get(), "lblTitle")->font();
    EXPECT_EQ(title.pointSizeF(), 9.75);
    EXPECT_TRUE(title.bold());
    EXPECT_EQ(Find<QLabel>("Title")->font(), title);
}

TEST_F(PopUpTest, TwoButtonsStartAtTheMessage) {
    auto dialog = Dialog();
    dialog->CallPop("Close Practice", "Confirm?", qv::PopUpButtons::YesNo, window_.get());
    dialog->show();
    QWidget* but1 = In(dialog.get(), "But1");
    QWidget* but2 = In(dialog.get(), "But2");
    EXPECT_EQ(but1->x(), In(dialog.get(), "lblMessage")->x());
    EXPECT_EQ(but2->x(), but1->x() + but1->width() + 10);
    EXPECT_EQ(In<QLabel>(dialog.get(), "But1_lbl")->text(), "Yes");
    EXPECT_EQ(In<QLabel>(dialog.get(), "But2_lbl")->text(), "No");
}

TEST_F(PopUpTest, ShortMessagesSitSevenPixelsLower) {
    const QString thirtyTwo(32, 'x');
    const QString thirtyThree(33, 'x');
    auto dialog = Dialog();
    const int icon = In(dialog.get(), "ImgInfo")->y();
    dialog->CallPop("T", thirtyTwo, qv::PopUpButtons::Ok, window_.get());
    EXPECT_EQ(In(dialog.get(), "lblMessage")->y(), icon + 7);
    dialog->CallPop("T", thirtyThree, qv::PopUpButtons::Ok, window_.get());
    EXPECT_EQ(In(dialog.get(), "lblMessage")->y(), icon);
}

TEST_F(PopUpTest, CentredOnAnOwnerThatIsNotCentred) {
    window_->move(300, 120);
    auto dialog = Dialog();
    dialog->CallPop("T", "Message", qv::PopUpButtons::Ok, window_.get());
    const QRect owner = window_->frameGeometry();
    EXPECT_EQ(dialog->pos(), QPoint(owner.x() + (owner.width() - dialog->width()) / 2,
                                     owner.y() + (owner.height() - dialog->height()) / 2));
}

TEST_F(PopUpTest, ButtonsAndTheirLabelsAnswer) {
    struct Case {
        const char* click;
        bool answer;
    };
    const Case cases[] = {{"But1", true}, {"But1_lbl", true}, {"But2", false}, {"But2_lbl", false}};
    for (const Case& c : cases) {
        auto dialog = Dialog();
        dialog->CallPop("Marking", "Do you want to mark your practice now?", qv::PopUpButtons::YesNo, window_.get());
        QTimer::singleShot(0, [&] { QTest::mouseClick(In(dialog.get(), c.click), Qt::LeftButton); });
        dialog->exec();
        EXPECT_EQ(dialog->answer(), c.answer) << c.click;
    }
}

TEST_F(PopUpTest, EscapeNeverLeavesAnEarlierYes) {
    auto dialog = Dialog();
    dialog->CallPop("Close Practice", "Confirm?", qv::PopUpButtons::YesNo, window_.get());
    QTimer::singleShot(0, [&] { QTest::mouseClick(In(dialog.get(), "But1"), Qt::LeftButton); });
    dialog->exec();
    ASSERT_TRUE(dialog->answer());
    dialog->CallPop("Close Practice", "Confirm?", qv::PopUpButtons::YesNo, window_.get());
    QTimer::singleShot(0, [&] { QTest::keyClick(dialog.get(), Qt::Key_Escape); });
    dialog->exec();
    EXPECT_FALSE(dialog->answer());
}

TEST_F(PopUpTest, ButtonsHoverWithoutAPressedPicture) {
    auto dialog = Dialog();
    dialog->CallPop("Close Practice", "Confirm?", qv::PopUpButtons::YesNo, window_.get());
    dialog->show();
    auto* but1 = In<qv::PictureButton>(dialog.get(), "But1");
    auto* but2 = In<qv::PictureButton>(dialog.get(), "But2");
    PlaceCursorOn(but1);
    dialog->Tick();
    EXPECT_EQ(but1->picture(), "button_on.bmp");
    EXPECT_EQ(but2->picture(), "button_off.bmp");
    QTest::mousePress(but1, Qt::LeftButton);
    dialog->Tick();
    EXPECT_EQ(but1->picture(), "button_on.bmp");
}

TEST_F(PopUpTest, OutlineHasRoundedBottomCorners) {
    auto dialog = Dialog();
    EXPECT_EQ(dialog->frame()->Outline().size(), 18);
    EXPECT_FALSE(dialog->mask().contains(QPoint(0, dialog->height() - 1)));
    EXPECT_TRUE(dialog->mask().contains(QPoint(dialog->width() / 2, dialog->height() - 1)));
    EXPECT_FALSE(window_->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window_->mask().contains(QPoint(0, window_->height() - 1)));
}

}  // namespace

namespace {

// Enter answers the first button, Space the focused one, Escape the last one shown.
TEST_F(PopUpTest, AnswersFromTheKeyboard) {
    using qv::PopUpButtons;
    struct Case {
        PopUpButtons buttons;
        std::vector<Qt::Key> keys;
        bool answer;
        bool repeated = false;  // the keys come as the repeats of a key held down
    };
    for (const Case& c : {Case{PopUpButtons::YesNo, {Qt::Key_Return}, true},
                          Case{PopUpButtons::YesNo, {Qt::Key_Enter}, true},
                          Case{PopUpButtons::YesNo, {Qt::Key_Escape}, false},
                          Case{PopUpButtons::YesNo, {Qt::Key_Space}, true},
                          Case{PopUpButtons::YesNo, {Qt::Key_Right, Qt::Key_Space}, false},
                          Case{PopUpButtons::YesNo, {Qt::Key_Right, Qt::Key_Return}, false},
                          Case{PopUpButtons::YesNo, {Qt::Key_Return, Qt::Key_Space}, false, true},
                          Case{PopUpButtons::Ok, {Qt::Key_Return}, true}, Case{PopUpButtons::Ok, {Qt::Key_Escape}, true}}) {
        SCOPED_TRACE(c.keys.size() * 10 + (c.buttons == PopUpButtons::Ok ? 1 : 2) + (c.repeated ? 100 : 0));
        bool answered = true;
        auto dialog = Dialog();
        dialog->CallPop("Marking", "Do you want to mark your practice now?", c.buttons, window_.get());
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
            EXPECT_EQ(QApplication::focusWidget(), In(dialog.get(), "But1"));
            for (Qt::Key key : c.keys) {
                QWidget* focused = QApplication::focusWidget();
                if (!c.repeated) {
                    QTest::keyClick(focused ? focused : dialog.get(), key);
                    continue;
                }
                QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(focused ? focused : dialog.get(), &repeat);
            }
            // Keys that answer nothing leave no answer at all.
            QTimer::singleShot(200, dialog.get(), [&] {
                if (!dialog->isVisible()) return;
                answered = false;
                dialog->done(QDialog::Rejected);
            });
        });
        dialog->exec();
        EXPECT_EQ(answered, !c.repeated);
        EXPECT_EQ(dialog->answer(), c.answer);
    }
}

// A long message is shown whole: the box grows to fit it, a long path included.
TEST_F(PopUpTest, ALongMessageIsShownWhole) {
    const QString path = QStringLiteral("/home/pupil/.local/share/Quorvale/Quorvale Practice/backup/2026-12-09_20-15-03");
    const QString message =
        QStringLiteral("The file \"trend2QEN.txt\" was missing, so all your results have been reset. A copy of your "
                       "results as they were is in ") + path + QStringLiteral(". Your past results have not been "
                       "erased. The file \"sresults2QEN.txt\" in /home/pupil is read-only, so it has not been "
                       "changed. Allow changes to it and try again. Nothing has been changed.");
    auto dialog = Dialog();
    dialog->CallPop("Quorvale", message, qv::PopUpButtons::Ok, window_.get());
    dialog->show();
    auto* label = In<QLabel>(dialog.get(), "lblMessage");
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(path.section(' ', -1)));
    const QRect shown(label->mapTo(dialog.get(), QPoint(0, 0)), label->size());
    EXPECT_LE(shown.bottom(), In(dialog.get(), "But1")->y());
    EXPECT_LE(shown.right(), dialog->width());
}

}  // namespace
