#include "tour_gain.h"

#include <QProcess>
#include <QTest>
#include <cmath>

#include "course/course_config.h"
#include "mainwindow/mistakes_printing.h"
#include "practice/marking.h"
#include "practice/paper_data.h"
#include "practice/paper_records.h"
#include "report/mistakes.h"
#include "tour_kit.h"

namespace {

// A wrong answer of the kind pupils give: a swapped pair of letters, the
// word of the next gap, or a choice one along.
std::string Slip(const qv::PaperData& paper, std::size_t part, int kind) {
    const std::string& key = paper.answerKey[part];
    if (paper.answerTypes[part] == qv::AnswerType::Choice) return key == "1" ? "2" : "1";
    if (kind == 1 && part + 1 < paper.answerKey.size() && paper.answerKey[part + 1] != key)
        return paper.answerKey[part + 1];
    std::string slip = key;
    if (slip.size() >= 4) std::swap(slip[1], slip[2]);
    else slip += "s";
    return slip;
}

}  // namespace

void WriteBothAttempts(const qv::ResourceSource& pack, const TempDir& dir, int paper, double firstRight,
                       double secondRight) {
    const int topic = (paper - 1) / 5;
    qv::PaperContext context{dir.path(), 2, "QEN", 100 + paper, 50, 5 * topic + 1, ""};
    qv::PaperData data;
    if (!qv::LoadPaperData(pack, context, data).ok()) return;
    const int parts = data.totalParts();
    const int first = static_cast<int>(std::lround(parts * firstRight / 100));
    const int second = std::max(first, static_cast<int>(std::lround(parts * secondRight / 100)));
    qv::Fields firstAnswers, firstResults, secondAnswers, secondResults;
    for (int k = 0; k < parts; ++k) {
        const auto part = static_cast<std::size_t>(k);
        const bool rightFirst = k < first, rightSecond = k < second;
        firstAnswers.push_back(rightFirst ? data.answerKey[part] : Slip(data, part, k % 2));
        firstResults.emplace_back(rightFirst ? qv::kTick : qv::kCross);
        secondAnswers.push_back(rightSecond ? data.answerKey[part] : Slip(data, part, (k + 1) % 2));
        secondResults.emplace_back(rightSecond ? qv::kTick : qv::kCross);
    }
    qv::Fields lines;
    if (qv::ReplacePaperRecord(dir / "first2QEN.txt", 50, paper, firstAnswers, parts, lines) != qv::IoStatus::Ok) qWarning("a result file could not be written");
    if (qv::ReplacePaperRecord(dir / "fresults2QEN.txt", 50, paper, firstResults, parts, lines) != qv::IoStatus::Ok) qWarning("a result file could not be written");
    if (qv::ReplacePaperRecord(dir / "second2QEN.txt", 50, paper, secondAnswers, parts, lines) != qv::IoStatus::Ok) qWarning("a result file could not be written");
    if (qv::ReplacePaperRecord(dir / "sresults2QEN.txt", 50, paper, secondResults, parts, lines) != qv::IoStatus::Ok) qWarning("a result file could not be written");
}

void GainAndMistakes(qv::MainWindow& window, qv::PlacedCursor& cursor, const qv::ResourceSource& pack,
                     const TempDir& dir, const QString& out) {
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("RCBar4")), Qt::LeftButton);
    QWidget* button = window.findChild<QWidget*>(QStringLiteral("ButMistakes"));
    cursor.point = button->mapToGlobal(QPoint(10, 10));
    window.Tick();
    Settle();
    Save(out, QStringLiteral("main-report-gain.png"), window.frameGeometry());

    const auto config = qv::LoadCourseConfig(pack);
    const qv::ModuleConfig& module = config.config.module(2);
    const qv::Mistakes mistakes = qv::LoadMistakes(pack, dir.path(), 2, "QEN", module);
    const QString pdf = QString::fromStdString((dir.path() / "mistakes.pdf").string());
    qv::SaveMistakesSheetAsPdf(pdf, qv::MistakesSheet(config.config.title, module, mistakes.parts));
    const QString picture = QDir(out).filePath(QStringLiteral("mistakes-sheet"));
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"),
                                                   QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                   QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, picture});
}
