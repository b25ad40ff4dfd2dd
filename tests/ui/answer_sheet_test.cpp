#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QTest>
#include <QToolTip>

#include "course/text.h"
#include "practicewindow/answer_sheet.h"
#include "practice/answer_text.h"
#include "skin_fixture.h"
#include "ui/skin.h"
#include "ui/units.h"

namespace {

using qv::AnswerSheet;
using qv::SheetPart;
using qv::TwipsToPixels;

class AnswerSheetTest : public SkinTest {
protected:
    void SetUp() override {
        sheet_ = std::make_unique<AnswerSheet>(*pictures_, qv::Attempt::First, nullptr);
        sheet_->resize(sheet_->width(), 560);
        sheet_->show();
    }

    static std::vector<SheetPart> Parts(int n, const std::string& type = "T") {
        std::vector<SheetPart> parts(static_cast<std::size_t>(n));
        for (auto& part : parts) part = qv::SheetPartOf(qv::ParseAnswerType(type));
        return parts;
    }

    QWidget* Find(const QString& name) { return sheet_->findChild<QWidget*>(name); }
    QWidget* Frame(int r) { return Find(QStringLiteral("Frame%1").arg(r)); }

    std::unique_ptr<AnswerSheet> sheet_;
};

TEST_F(AnswerSheetTest, ShowsTheRowsAQuestionNeedsWithTheGapOfItsSize) {
    struct Case {
        int parts;
        bool letters;
        int gapTwips;
    };
    for (const Case c : {Case{1, false, 105}, Case{2, true, 105}, Case{15, true, 105}, Case{16, true, -10},
                         Case{20, true, -10}}) {
        SCOPED_TRACE(c.parts);
        sheet_->Fill(Parts(c.parts));
        for (int r = 1; r <= AnswerSheet::kRows; ++r) EXPECT_EQ(Frame(r)->isVisible(), r <= c.parts) << r;
        EXPECT_EQ(Find("QL1")->isVisible(), c.letters);
        EXPECT_EQ(Frame(1)->y(), TwipsToPixels(50));
        // Every row stands one row and one gap below the one before it.
        EXPECT_NEAR(Frame(c.parts)->y(), TwipsToPixels(50 + (c.parts - 1) * (375 + c.gapTwips)), 1);
        // The last row of the question stays inside the sheet.
        EXPECT_LE(Frame(c.parts)->geometry().bottom(), sheet_->height());
    }
    EXPECT_EQ(qobject_cast<QLabel*>(Find("QL3"))->text(), "(c)");
    EXPECT_EQ(qobject_cast<QLabel*>(Find("QL20"))->text(), "(t)");
}

TEST_F(AnswerSheetTest, ASentenceGetsATallRowAndAChoiceTheShortOneBack) {
    auto sentence = Parts(1, "L");
    sentence[0].answer = "The whole school listened.";
    sheet_->Fill(sentence);
    auto* box = qobject_cast<QPlainTextEdit*>(Find("FA1"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Frame(1)->height(), TwipsToPixels(2100));
    EXPECT_EQ(box->height(), TwipsToPixels(1000));
    EXPECT_EQ(box->toPlainText(), "The whole school listened.");

    sheet_->Fill(Parts(1, "Q"));
    auto* line = qobject_cast<QLineEdit*>(Find("FA1"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Frame(1)->height(), TwipsToPixels(375));
    EXPECT_EQ(line->height(), TwipsToPixels(255));
    EXPECT_EQ(line->maxLength(), 1);
    EXPECT_EQ(sheet_->findChildren<QWidget*>(QStringLiteral("FA1")).size(), 1);
}

TEST_F(AnswerSheetTest, HandsBackWhatWasTypedAsRecordBytes) {
    auto parts = Parts(3);
    parts[0].answer = "caf\xE9";  // Windows-1252
    sheet_->Fill(parts);
    auto* first = qobject_cast<QLineEdit*>(Find("FA1"));
    EXPECT_EQ(first->text(), QStringLiteral("caf\u00e9"));
    auto* second = qobject_cast<QLineEdit*>(Find("FA2"));
    second->setFocus();
    QTest::keyClicks(second, QStringLiteral("  Went "));
    const auto answers = sheet_->Answers();
    ASSERT_EQ(answers.size(), 3U);
    EXPECT_EQ(answers[0], "caf\xE9");
    EXPECT_EQ(answers[1], "  Went ");  // as typed: marking trims
    EXPECT_EQ(answers[2], "");
}

// Every road into a field keeps out what the files cannot hold, says so
// beside the field, and shows exactly what is saved.
TEST_F(AnswerSheetTest, KeepsOutWhatTheFilesCannotHoldOnEveryRoad) {
    enum class Road { Keys, Paste, InputMethod };
    struct Case {
        const char* type;
        Road road;
        QString input;
        QString shown;
        bool told;
        bool locked = false;
    };
    const QString emoji = QStringLiteral("\U0001F600");
    for (const Case& c : {Case{"T", Road::Keys, QStringLiteral("a>b"), QStringLiteral("ab"), true},
                          Case{"T", Road::Keys, QStringLiteral("\u20ac5"), QStringLiteral("\u20ac5"), false},
                          Case{"T", Road::Paste, QStringLiteral("jumper\n"), QStringLiteral("jumper"), false},
                          Case{"T", Road::Paste, QStringLiteral("one\r\ntwo"), QStringLiteral("one two"), false},
                          Case{"T", Road::Paste, QStringLiteral("hugged\tto"), QStringLiteral("hugged to"), false},
                          Case{"T", Road::Paste, QString(40000, QLatin1Char('a')), QString(32767, QLatin1Char('a')), true},
                          Case{"T", Road::Paste, QStringLiteral("caf\u00e9 \u0101x"), QStringLiteral("caf\u00e9 x"), true},
                          Case{"T", Road::InputMethod, QStringLiteral("x") + emoji, QStringLiteral("x"), true},
                          Case{"T", Road::Keys, QStringLiteral("cafe\u0301"), QStringLiteral("caf\u00e9"), false},
                          Case{"L", Road::Paste, QStringLiteral("cafe\u0301"), QStringLiteral("caf\u00e9"), false},
                          Case{"L", Road::Keys, emoji + QStringLiteral("a"), QStringLiteral("a"), true},
                          Case{"L", Road::InputMethod, QStringLiteral("b") + emoji, QStringLiteral("b"), true},
                          Case{"L", Road::Paste, QStringLiteral("My brother\tplays"), QStringLiteral("My brother plays"), false},
                          Case{"Q", Road::Keys, QStringLiteral(" 2"), QStringLiteral("2"), false},
                          Case{"Q", Road::Keys, emoji, QString(), true},
                          Case{"L", Road::Keys, QStringLiteral("ABC"), QString(), false, true},
                          Case{"L", Road::InputMethod, QStringLiteral("ABC"), QString(), false, true},
                          Case{"L", Road::Paste, QStringLiteral("one\ntwo>three"), QStringLiteral("one twothree"), true}}) {
        SCOPED_TRACE(c.input.toStdString());
        QToolTip::showText(QPoint(), QStringLiteral("none"), sheet_.get());  // a tip that says nothing was told
        sheet_->SetLocked(c.locked);
        sheet_->Fill(Parts(1, c.type));
        QWidget* field = Find(QStringLiteral("FA1"));
        field->setFocus();
        if (c.road == Road::Keys) {
            // One key event per character as the keyboard sends it, both halves of an emoji in one.
            for (int i = 0; i < c.input.size(); ++i) {
                const int n = c.input.at(i).isHighSurrogate() ? 2 : 1;
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c.input.mid(i, n));
                QApplication::sendEvent(field, &press);
                i += n - 1;
            }
        } else if (c.road == Road::Paste) {
            QApplication::clipboard()->setText(c.input);
            if (auto* line = qobject_cast<QLineEdit*>(field)) line->paste();
            else qobject_cast<QPlainTextEdit*>(field)->paste();
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(c.input);
            QApplication::sendEvent(field, &commit);
        }
        const auto* line = qobject_cast<QLineEdit*>(field);
        const QString shown = line ? line->text() : qobject_cast<QPlainTextEdit*>(field)->toPlainText();
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(QString::fromStdString(qv::Cp1252ToUtf8(sheet_->Answers()[0])), shown);
        EXPECT_EQ(QToolTip::text() != QStringLiteral("none"), c.told) << QToolTip::text().toStdString();
    }
    // Enter takes no line break into a sentence.
    auto* box = qobject_cast<QPlainTextEdit*>(Find("FA1"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("one twothree"));
}

// A pupil who goes on pressing a key a field cannot take is told once a
// question, not at every press.
TEST_F(AnswerSheetTest, WhatAFieldCannotTakeIsToldOnceAQuestion) {
    for (const char* type : {"T", "L"}) {
        SCOPED_TRACE(type);
        const auto pressRefusedKey = [&] {
            QToolTip::showText(QPoint(), QStringLiteral("none"), sheet_.get());
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Greater, Qt::ShiftModifier, QStringLiteral(">"));
            QApplication::sendEvent(Find(QStringLiteral("FA1")), &press);
            return QToolTip::text() != QStringLiteral("none");
        };
        sheet_->Fill(Parts(1, type));
        Find(QStringLiteral("FA1"))->setFocus();
        EXPECT_TRUE(pressRefusedKey());
        EXPECT_FALSE(pressRefusedKey());
        sheet_->Fill(Parts(1, type));
        EXPECT_TRUE(pressRefusedKey());
    }
}

// A huge paste is cut to what a sentence holds, at once, and the pupil is told.
TEST_F(AnswerSheetTest, AHugePasteIsCutQuicklyAndTold) {
    sheet_->Fill(Parts(1, "L"));
    auto* box = qobject_cast<QPlainTextEdit*>(Find("FA1"));
    QApplication::clipboard()->setText(QString(4'300'000, QLatin1Char('w')));
    QElapsedTimer clock;
    clock.start();
    box->paste();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(box->toPlainText().size(), qv::kSentenceMaxLength);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("at most"))) << QToolTip::text().toStdString();
}

TEST_F(AnswerSheetTest, MarksAndModelAnswersShowOnlyWhereTheRowSaysSo) {
    auto parts = Parts(2);
    parts[0].result = "\xFC";
    parts[1].result = "\xFB";
    parts[1].key = "went";
    sheet_->Fill(parts);
    auto* tick = qobject_cast<QLabel*>(Find("FR1"));
    auto* cross = qobject_cast<QLabel*>(Find("FR2"));
    EXPECT_FALSE(tick->isVisible());
    EXPECT_FALSE(Find("M2")->isVisible());
    parts[0].showResult = true;
    parts[1].showModel = true;
    sheet_->Fill(parts);
    EXPECT_TRUE(tick->isVisible());
    EXPECT_FALSE(cross->isVisible());
    EXPECT_EQ(tick->text(), QStringLiteral("\u2713"));
    EXPECT_EQ(cross->text(), QStringLiteral("\u2717"));
    EXPECT_FALSE(Find("M1")->isVisible());
    EXPECT_TRUE(Find("M2")->isVisible());
    EXPECT_EQ(qobject_cast<QLineEdit*>(Find("M2"))->text(), "went");
    EXPECT_FALSE(Find("FR3")->isVisible());
    // A first-attempt sheet has no second result labels.
    EXPECT_EQ(Find("SR1"), nullptr);
}

// The second attempt's sheet: a first and a second result on every row,
// both at the same place; rows touch when a question has sixteen or more.
TEST_F(AnswerSheetTest, TheSecondAttemptSheetStacksWithoutAGapAndShowsBothResults) {
    sheet_ = std::make_unique<AnswerSheet>(*pictures_, qv::Attempt::Second, nullptr);
    sheet_->resize(sheet_->width(), 560);
    sheet_->show();
    for (const auto& [rows, gap] : {std::pair{15, 105}, std::pair{16, 0}, std::pair{20, 0}}) {
        SCOPED_TRACE(rows);
        sheet_->Fill(Parts(rows));
        for (int r = 2; r <= rows; ++r) {
            EXPECT_NEAR(Frame(r)->y() - Frame(r - 1)->y(), TwipsToPixels(375 + gap), 1) << r;
            EXPECT_GE(Frame(r)->y(), Frame(r - 1)->geometry().bottom() + 1) << r;  // no overlap
        }
    }
    auto parts = Parts(2);
    parts[0].result = "\xFC";
    parts[0].secondResult = "\xFC";
    parts[1].secondResult = "\xFB";
    parts[1].showSecondResult = true;
    sheet_->Fill(parts);
    EXPECT_FALSE(Find("SR1")->isVisible());
    EXPECT_TRUE(Find("SR2")->isVisible());
    EXPECT_EQ(qobject_cast<QLabel*>(Find("SR2"))->text(), QStringLiteral("\u2717"));
    EXPECT_EQ(Find("SR2")->geometry(), Find("FR2")->geometry());
    EXPECT_EQ(Find("FR1")->x(), TwipsToPixels(2040));
}

TEST_F(AnswerSheetTest, LockedAndCarriedFieldsAreReadOnly) {
    auto parts = Parts(2);
    parts[1].carried = true;
    parts[1].answer = std::string(200, 'w') + " and the end";
    sheet_->Fill(parts);
    EXPECT_FALSE(qobject_cast<QLineEdit*>(Find("FA1"))->isReadOnly());
    auto* carried = qobject_cast<QLineEdit*>(Find("FA2"));
    EXPECT_TRUE(carried->isReadOnly());
    EXPECT_EQ(carried->cursorPosition(), 0);  // a locked answer shows its start
    EXPECT_EQ(carried->palette().color(QPalette::Base), QColor(192, 192, 255));
    sheet_->SetLocked(true);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(Find("FA1"))->isReadOnly());
    sheet_->Fill(Parts(2));
    EXPECT_TRUE(qobject_cast<QLineEdit*>(Find("FA2"))->isReadOnly());
}

TEST_F(AnswerSheetTest, TheFieldFrameIsDrawnOnEveryRepaint) {
    sheet_->Fill(Parts(1, "L"));
    sheet_->Fill(Parts(1, "T"));
    QWidget* field = Find("FA1");
    const QImage once = Frame(1)->grab().toImage();
    const QImage twice = Frame(1)->grab().toImage();
    const QPoint corner = field->geometry().topLeft() - QPoint(TwipsToPixels(30), TwipsToPixels(30));
    EXPECT_EQ(QColor(once.pixel(corner)), QColor(178, 217, 246));
    EXPECT_EQ(QColor(twice.pixel(corner)), QColor(178, 217, 246));
    // The tall field's frame is gone from below the short field.
    const QPoint below(corner.x(), field->geometry().bottom() + TwipsToPixels(100));
    if (below.y() < once.height()) {
        EXPECT_NE(QColor(once.pixel(below)), QColor(178, 217, 246));
    }
}

}  // namespace

namespace {

// Enter, Tab and the first focus skip the fields that take no typing (carried
// rows of a second attempt); Enter in the last one says the question is done.
TEST_F(AnswerSheetTest, EnterGoesToTheNextFieldThatTakesTyping) {
    sheet_->show();
    sheet_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet_.get()));
    auto parts = Parts(4);
    parts[0].carried = true;
    parts[2].carried = true;
    sheet_->Fill(parts);
    int finished = 0;
    QObject::connect(sheet_.get(), &AnswerSheet::finished, [&] { ++finished; });
    sheet_->FocusFirstField();
    EXPECT_EQ(QApplication::focusWidget(), Find("FA2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Find("FA4"));
    EXPECT_EQ(finished, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(finished, 1);
    // Tab and Shift+Tab too; on a marked paper they reach every answer, to be read.
    for (const bool marked : {false, true}) {
        SCOPED_TRACE(marked);
        sheet_->SetLocked(marked);
        sheet_->Fill(parts);
        Find("FA2")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Find(marked ? "FA3" : "FA4"));
        Find("FA4")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), Find(marked ? "FA3" : "FA2"));
    }
}

}  // namespace

namespace {

// At the smallest height rows that do not fit scroll, and the field with the
// focus is always in view.
TEST_F(AnswerSheetTest, RowsThatDoNotFitScrollToTheFocusedField) {
    sheet_->resize(sheet_->width(), 230);
    sheet_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet_.get()));
    sheet_->Fill(Parts(10));
    sheet_->FocusFirstField();
    for (int r = 1; r <= 10; ++r) {
        SCOPED_TRACE(r);
        QWidget* field = Find(QStringLiteral("FA%1").arg(r));
        ASSERT_EQ(QApplication::focusWidget(), field);
        const QRect place(field->mapTo(sheet_.get(), QPoint(0, 0)), field->size());
        EXPECT_TRUE(sheet_->rect().contains(place)) << place.y();
        QTest::keyClick(field, Qt::Key_Tab);
    }
}

}  // namespace
