// The results printout, sent to PDF files and read back as text, and the
// printer setup.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "course/record_file.h"
#include "mainwindow/results_printing.h"
#include "ui/pdf_file.h"
#include "ui_fixture.h"

namespace {

namespace fs = std::filesystem;
using qv::PrintOutcome;
using qv::ResultsPrinting;

// The text of a PDF file as laid out on its pages; empty when pdftotext is not there.
QStringList PdfLines(const fs::path& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QString::fromStdString(file.string()), QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (QString& line : lines) line.remove(QLatin1Char('\f'));
    return lines;
}

// How far right the rules and the words of a PDF file reach, in points.
struct RightEdges {
    double rules = 0, words = 0;
};
RightEdges PdfRightEdges(const fs::path& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QString::fromStdString(file.string()), QStringLiteral("-")});
    RightEdges edges;
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return edges;
    static const QRegularExpression word(QStringLiteral("<word [^>]*xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    for (auto match = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); match.hasNext();) {
        const auto found = match.next();
        double& edge = found.captured(2).startsWith(QStringLiteral("---")) ? edges.rules : edges.words;
        edge = std::max(edge, found.captured(1).toDouble());
    }
    return edges;
}

bool HavePdfToText() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

class PrintingTest : public MainWindowTest {
protected:
    void StartPrinting() {
        Prepare(Pack());
        qv::MarksLists lists = qv::UnmarkedLists(50);
        const auto set = [&](int paper, const char* first, const char* time, const char* date, const char* second) {
            lists.firstScores[paper - 1] = first;
            lists.timesTaken[paper - 1] = time;
            lists.dates[paper - 1] = date;
            lists.secondScores[paper - 1] = second;
        };
        set(1, "90", "0:12:5", "09/12/2026", "100");
        set(2, "88.8", "1:0:30", "10/12/2026", "");
        set(50, "0", "0:3:0", "11/12/2026", "0");
        ASSERT_EQ(qv::WriteMarksFile(lists, 50, dir_ / "marks2QEN.txt"), qv::IoStatus::Ok);
        Open();
        printing_ = window_->findChild<ResultsPrinting*>();
        ASSERT_NE(printing_, nullptr);
        printing_->ask = [this](const QString& title, const QString& message, qv::PopUpButtons buttons, QWidget*) {
            asked_.push_back(title + QStringLiteral(" | ") + message);
            return buttons == qv::PopUpButtons::Ok || answer_;
        };
        printing_->choosePdfFile = [this](QWidget*) { return chosen_; };
    }
    void PrintTo(const fs::path& file) {
        printing_->printer().setOutputFormat(QPrinter::PdfFormat);
        printing_->printer().setOutputFileName(QString::fromStdString(file.string()));
    }
    void NoPrinter() {
        printing_->printer().setOutputFormat(QPrinter::NativeFormat);
        printing_->printer().setPrinterName(QString());
    }
    void ClickPrint() { QTest::mouseClick(Find("ToolBar03"), Qt::LeftButton); }

    ResultsPrinting* printing_ = nullptr;
    std::vector<QString> asked_;
    bool answer_ = true;
    QString chosen_;
};

TEST_F(PrintingTest, TheListingReadsBackFromThePdfInItsZones) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed (package poppler-utils)";
    StartPrinting();
    const fs::path pdf = dir_ / "printed.pdf";
    PrintTo(pdf);
    ClickPrint();
    EXPECT_TRUE(Find("Body_Home")->isVisible());  // the page does not change
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].contains("have been saved in")) << asked_[0].toStdString();

    const QStringList lines = PdfLines(pdf);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.filter(window_->windowTitle()).size() == 1) << lines.join('\n').toStdString();
    QStringList papers, headings;
    for (const QString& line : lines) {
        if (line.contains(QRegularExpression(QStringLiteral("Paper [1-5]\\b")))) papers << line;
        if (line.contains(QStringLiteral("First take"))) headings << line;
    }
    ASSERT_EQ(papers.size(), 50) << lines.join('\n').toStdString();
    ASSERT_EQ(headings.size(), 10);
    EXPECT_EQ(lines.filter(QString(40, QLatin1Char('-'))).size(), 20);

    // Every topic heading of the course, in order, before its block.
    const auto config = qv::LoadCourseConfig(Pack()).config.module(2);
    int from = 0;
    for (int t = 0; t < 10; ++t) {
        const QString name = QString::fromStdString(config.topicNames[t]);
        const int at = lines.indexOf(QRegularExpression(QStringLiteral("^\\s*") + QRegularExpression::escape(name) +
                                                        QStringLiteral("\\s*$")),
                                     from);
        ASSERT_GE(at, 0) << name.toStdString();
        from = at + 1;
    }

    const QString& first = papers[0];
    const QString& heading = headings[0];
    for (const char* words : {"Paper 1", "90%", "0:12:5", "09/12/2026", "100%"}) {
        EXPECT_TRUE(first.contains(QLatin1String(words))) << words << " in " << first.toStdString();
    }
    // Zones line up: scores under their headings, in every paper line.
    const int firstColumn = heading.indexOf(QStringLiteral("First take"));
    const int secondColumn = heading.indexOf(QStringLiteral("Second take"));
    const int timeColumn = heading.indexOf(QStringLiteral("Time taken"));
    EXPECT_EQ(first.indexOf(QStringLiteral("90%")), firstColumn);
    EXPECT_EQ(first.indexOf(QStringLiteral("0:12:5")), timeColumn);
    EXPECT_EQ(first.indexOf(QStringLiteral("100%")), secondColumn);
    EXPECT_EQ(papers[1].indexOf(QStringLiteral("88.8%")), firstColumn);
    // A paper never taken: "%" alone in both score columns, no time, no date.
    const QString& never = papers[2];
    EXPECT_EQ(never.indexOf(QLatin1Char('%')), firstColumn) << never.toStdString();
    EXPECT_EQ(never.lastIndexOf(QLatin1Char('%')), secondColumn) << never.toStdString();
    EXPECT_EQ(never.simplified(), QStringLiteral("Paper 3 % %"));
    EXPECT_EQ(papers[1].simplified(), QStringLiteral("Paper 2 88.8% 1:0:30 10/12/2026 %"));
    EXPECT_EQ(papers[49].simplified(), QStringLiteral("Paper 5 0% 0:3:0 11/12/2026 0%"));
}

TEST_F(PrintingTest, WithoutAPrinterThePupilIsOfferedAPdfFile) {
    const bool pdftotext = HavePdfToText();
    struct Case {
        const char* name;
        bool answer;
        const char* chosen;     // file chosen, relative to the folder; "" for cancelled
        PrintOutcome outcome;
        const char* lastWords;  // in the last message
    };
    const Case cases[] = {
        {"Yes", true, "results.pdf", PrintOutcome::SavedAsPdf, "have been saved in"},
        {"No", false, "results.pdf", PrintOutcome::NotPrinted, "Would you like to save them as a PDF file"},
        {"Cancelled", true, "", PrintOutcome::NotPrinted, "Would you like to save them as a PDF file"},
        {"Unwritable", true, "no/such/folder/results.pdf", PrintOutcome::NotPrinted, "could not be saved in"},
    };
    // The printer a run starts with, on a computer without printers, counts as none.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        QPrinter fresh(QPrinter::HighResolution);
        EXPECT_FALSE(ResultsPrinting::CanPrint(fresh));
    }
    StartPrinting();
    EXPECT_FALSE(printing_->hasPrinter());  // made when first needed, not at start-up
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NoPrinter();
        asked_.clear();
        answer_ = c.answer;
        const fs::path file = dir_ / c.chosen;
        chosen_ = *c.chosen ? QString::fromStdString(file.string()) : QString();
        std::error_code ignored;
        fs::remove(dir_ / "results.pdf", ignored);

        const auto marks = qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value;
        const auto config = qv::LoadCourseConfig(Pack()).config;
        EXPECT_EQ(printing_->Print(qv::ResultsListing("T", config.module(2), marks)), c.outcome);
        ASSERT_FALSE(asked_.empty());
        EXPECT_TRUE(asked_[0].contains("No printer is set up")) << asked_[0].toStdString();
        EXPECT_TRUE(asked_.back().contains(QLatin1String(c.lastWords))) << asked_.back().toStdString();
        EXPECT_EQ(fs::exists(dir_ / "results.pdf"), c.outcome == PrintOutcome::SavedAsPdf);
        if (c.outcome == PrintOutcome::SavedAsPdf && pdftotext) {
            EXPECT_EQ(PdfLines(file).filter(QRegularExpression(QStringLiteral("Paper [1-5]"))).size(), 50);
        }
        // Nothing half-written is left beside the chosen file.
        for (const auto& entry : fs::directory_iterator(dir_.path())) {
            EXPECT_EQ(entry.path().filename().string().find("results.pdf."), std::string::npos);
        }
    }
}

TEST_F(PrintingTest, APdfPrinterThatCannotWriteItsFileIsTold) {
    StartPrinting();
    PrintTo(dir_ / "no" / "folder" / "printed.pdf");
    answer_ = false;
    ClickPrint();
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].contains("could not be saved in")) << asked_[0].toStdString();
    EXPECT_TRUE(asked_[0].contains("PDF file instead")) << asked_[0].toStdString();
    EXPECT_FALSE(asked_[0].contains("have been saved")) << asked_[0].toStdString();
}

// A paper closed while the report is on show refreshes the report, and only that:
// the Print that came before it is not run again.
TEST_F(PrintingTest, ClosingAPaperRefreshesTheReportWithoutPrintingAgain) {
    StartPrinting();
    QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton);
    EXPECT_EQ(Text("PCNum"), "3 / 50");
    NoPrinter();
    answer_ = false;
    ClickPrint();
    ASSERT_EQ(asked_.size(), 1u);
    WriteScores({{4, {"70", ""}}});
    window_->RefreshHomePage();
    EXPECT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(Find("Body_Report")->isVisible());
    EXPECT_EQ(Text("PCNum"), "1 / 50");
}

TEST_F(PrintingTest, ThePrinterChosenInSetupIsUsedAndCancellingChangesNothing) {
    StartPrinting();
    const fs::path before = dir_ / "before.pdf";
    const fs::path chosen = dir_ / "chosen.pdf";
    PrintTo(before);
    bool accept = false;
    printing_->runSetupDialog = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(chosen.string()));
        return accept;
    };
    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    QTest::mouseClick(Find("ToolBar04"), Qt::LeftButton);  // Setup, cancelled
    EXPECT_TRUE(Find("Body_About")->isVisible());
    EXPECT_EQ(printing_->printer().outputFileName().toStdString(), before.string());

    accept = true;
    QTest::mouseClick(Find("ToolBar04"), Qt::LeftButton);
    EXPECT_EQ(printing_->printer().outputFileName().toStdString(), chosen.string());
    QTest::mouseClick(Find("Tab02"), Qt::LeftButton);
    ClickPrint();
    EXPECT_TRUE(fs::exists(chosen));
    EXPECT_FALSE(fs::exists(before));
}

TEST_F(PrintingTest, SetupShowsThePrinterDialog) {
    StartPrinting();
    PrintTo(dir_ / "kept.pdf");
    QString title;
    QTimer::singleShot(50, [&title] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        title = dialog->windowTitle();
        dialog->reject();
    });
    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    QTest::mouseClick(Find("ToolBar04"), Qt::LeftButton);
    EXPECT_EQ(title, "Printer Setup");
    EXPECT_EQ(printing_->printer().outputFileName().toStdString(), (dir_ / "kept.pdf").string());
}

}  // namespace

namespace {

using PaintListing = SkinTest;

TEST_F(PaintListing, AListingWiderThanThePageIsMadeToFitAndRunsOnToMorePages) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed (package poppler-utils)";
    TempDir dir;
    qv::ModuleConfig module;
    module.label = "M";
    module.topicCount = 10;
    module.paperCount = 50;
    for (int t = 0; t < 10; ++t) module.topicNames[t] = "Topic " + std::to_string(t + 1);
    qv::MarksLists marks = qv::UnmarkedLists(50);
    marks.firstScores[49] = "77";
    marks.secondScores[49] = "99.9";
    const auto lines = qv::ResultsListing("Narrow", module, marks);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / "narrow.pdf").string()));
    printer.setPageSize(QPageSize(QPageSize::A6));
    ASSERT_TRUE(qv::PaintListing(printer, lines));
    const QStringList text = PdfLines(dir / "narrow.pdf");
    EXPECT_EQ(text.filter(QStringLiteral("Second take")).size(), 10) << text.join('\n').toStdString();
    EXPECT_EQ(text.filter(QString(128, QLatin1Char('-'))).size(), 20) << text.join('\n').toStdString();
    const QStringList last = text.filter(QStringLiteral("Paper 5"));
    ASSERT_EQ(last.size(), 10);
    EXPECT_EQ(last.back().simplified(), QStringLiteral("Paper 5 77% 99.9%"));
    // The rules reach the last column, and no further.
    const RightEdges edges = PdfRightEdges(dir / "narrow.pdf");
    EXPECT_NEAR(edges.rules, edges.words, 2.0);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {QString::fromStdString((dir / "narrow.pdf").string())});
    ASSERT_TRUE(info.waitForFinished(20000));
    EXPECT_FALSE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
}

// The box that asks where a PDF file goes, answered as a pupil types a name.
class PdfFileBox : public SkinTest {};

TEST_F(PdfFileBox, ANameTypedWithoutAnEndingGetsPdf) {
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {{"my results", "my results.pdf"}, {"results.pdf", "results.pdf"}, {"notes.PDF", "notes.PDF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->selectFile(QString::fromStdString((dir_.path() / c.typed).string()));
            QMetaObject::invokeMethod(box, "accept");
        });
        EXPECT_EQ(QFileInfo(qv::AskPdfFile(nullptr, "Save", "results.pdf")).fileName().toStdString(), c.saved);
    }
}

}  // namespace
