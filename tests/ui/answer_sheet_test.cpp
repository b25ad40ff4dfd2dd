#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "practice/answer_sheet.h"
#include "skin_fixture.h"
#include "ui/skin.h"
#include "ui/units.h"

namespace {

using qv::AnswerSheet;
using qv::SheetPart;
using qv::TwipsToPixels;

// Types text a character at a time, as a keyboard would send it.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

class AnswerSheetTest : public SkinTest {
protected:
    void SetUp() override {
        sheet_ = std::make_unique<AnswerSheet>(*pictures_, false, nullptr);
        sheet_->resize(sheet_->width(), 560);
        sheet_->show();
    }

    static std::vector<SheetPart> Parts(int n, const std::string& type = "T") {
        std::vector<SheetPart> parts(static_cast<std::size_t>(n));
        for (auto& part : parts) part.type = type;
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

TEST_F(AnswerSheetTest, StopsCharactersTheResultFilesCannotHold) {
    struct Case {
        QString typed;
        QString kept;
    };
    sheet_->Fill(Parts(1));
    auto* line = qobject_cast<QLineEdit*>(Find("FA1"));
    for (const Case& c : {Case{QStringLiteral("a>b"), QStringLiteral("ab")},
                          Case{QStringLiteral("\u20ac5"), QStringLiteral("\u20ac5")},
                          Case{QStringLiteral("\u0101x"), QStringLiteral("x")}}) {
        SCOPED_TRACE(c.typed.toStdString());
        line->clear();
        Type(line, c.typed);
        EXPECT_EQ(line->text(), c.kept);
    }
    // A pasted line break becomes a space in a sentence field.
    sheet_->Fill(Parts(1, "L"));
    auto* box = qobject_cast<QPlainTextEdit*>(Find("FA1"));
    QApplication::clipboard()->setText(QStringLiteral("one\ntwo>three"));
    box->setFocus();
    box->paste();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("one twothree"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("one twothree"));
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
    sheet_ = std::make_unique<AnswerSheet>(*pictures_, true, nullptr);
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
    sheet_->Fill(parts);
    EXPECT_FALSE(qobject_cast<QLineEdit*>(Find("FA1"))->isReadOnly());
    auto* carried = qobject_cast<QLineEdit*>(Find("FA2"));
    EXPECT_TRUE(carried->isReadOnly());
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
