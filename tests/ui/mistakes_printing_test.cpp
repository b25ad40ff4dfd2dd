// The mistakes sheet from the report's button, saved as a PDF file when
// there is no printer and read back as text.

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "mainwindow/mistakes_printing.h"
#include "mainwindow/results_printing.h"
#include "practice/marking.h"
#include "practice/paper_data.h"
#include "practice/paper_records.h"
#include "ui_fixture.h"

namespace {

namespace fs = std::filesystem;

QString PdfText(const fs::path& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QString::fromStdString(file.string()), QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

class MistakesPrintingTest : public MainWindowTest {
protected:
    void StartProgram() {
        Prepare(Pack());
        Open();
        window_->SetResources(Pack());
        auto* results = window_->findChild<qv::ResultsPrinting*>();
        mistakes_ = window_->findChild<qv::MistakesPrinting*>();
        ASSERT_TRUE(results && mistakes_);
        results->printer().setOutputFormat(QPrinter::NativeFormat);
        results->printer().setPrinterName(QString());
        mistakes_->ask = [this](const QString& title, const QString& message, qv::PopUpButtons, QWidget*) {
            asked_.push_back(title + QStringLiteral(" | ") + message);
            return true;
        };
        mistakes_->choosePdfFile = [this](QWidget*) { return QString::fromStdString((dir_ / "sheet.pdf").string()); };
        QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton);
        QTest::mouseClick(Find("RCBar4"), Qt::LeftButton);
    }
    // Paper 23 (a cloze with a word box) marked twice, its first part still
    // wrong: the word of the second gap put in the first.
    void MarkPaperTwice() {
        qv::PaperData paper;
        const qv::PaperContext context{dir_.path(), 2, "QEN", 123, 50, 21, "Grammar Cloze (1)"};
        ASSERT_TRUE(qv::LoadPaperData(Pack(), context, paper).ok());
        const int parts = paper.totalParts();
        qv::Fields answers = paper.answerKey, results(static_cast<std::size_t>(parts), std::string(qv::kTick));
        answers[0] = paper.answerKey[1];
        results[0] = qv::kCross;
        key_ = QString::fromStdString(paper.answerKey[0]);
        answer_ = QString::fromStdString(paper.answerKey[1]);
        qv::Fields lines;
        qv::MarksLists marks;
        ASSERT_EQ(qv::ReplacePaperRecord(dir_ / "second2QEN.txt", 50, 23, answers, parts, lines), qv::IoStatus::Ok);
        ASSERT_EQ(qv::ReplacePaperRecord(dir_ / "sresults2QEN.txt", 50, 23, results, parts, lines), qv::IoStatus::Ok);
        ASSERT_EQ(qv::UpdateMarksFields(dir_ / "marks2QEN.txt", 50, 23, {{qv::MarksRecord::FirstMarked, "1"}, {qv::MarksRecord::SecondMarked, "1"}}, marks), qv::IoStatus::Ok);
    }

    qv::MistakesPrinting* mistakes_ = nullptr;
    std::vector<QString> asked_;
    QString key_, answer_;
};

TEST_F(MistakesPrintingTest, TheSheetIsSavedAsPdfWithoutAPrinterAndReadsBack) {
    StartProgram();
    QTest::mouseClick(Find("ButMistakes"), Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].startsWith("Mistakes | No part is still wrong")) << asked_[0].toStdString();
    EXPECT_FALSE(fs::exists(dir_ / "sheet.pdf"));

    MarkPaperTwice();
    QTest::mouseClick(Find("ButMistakes"), Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 3u);
    EXPECT_TRUE(asked_[1].startsWith("Mistakes | No printer is set up")) << asked_[1].toStdString();
    EXPECT_TRUE(asked_[2].startsWith("Mistakes | Your mistakes sheet has been saved in")) << asked_[2].toStdString();

    // Another paper's damaged field is told, and the sheet is still made from what could be read.
    qv::MarksLists marks;
    ASSERT_EQ(qv::UpdateMarksFields(dir_ / "marks2QEN.txt", 50, 1, {{qv::MarksRecord::FirstMarked, "x"}}, marks),
              qv::IoStatus::Ok);
    QTest::mouseClick(Find("ButMistakes"), Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 6u);
    EXPECT_TRUE(asked_[3].startsWith("Mistakes | Some of your results could not be read")) << asked_[3].toStdString();
    EXPECT_TRUE(asked_[5].startsWith("Mistakes | Your mistakes sheet has been saved in")) << asked_[5].toStdString();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed (package poppler-utils)";
    const QString text = PdfText(dir_ / "sheet.pdf").simplified();
    for (const QString& expected :
         {QStringLiteral("Grammar Cloze (1) - 1 part still wrong"), QStringLiteral("Paper 3, question 1 (a)"),
          QStringLiteral("Your answer: ") + answer_,
          QStringLiteral("Model answer: ") + key_, QStringLiteral("That word belongs in another gap.")}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    }
}

}  // namespace
