#include "mainwindow/mistakes_printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "mainwindow/print_or_pdf.h"
#include "report/mistakes.h"
#include "ui/pdf_file.h"

namespace qv {

namespace {

const QString kTitle = QStringLiteral("Mistakes");

QString DefaultPdfFile(QWidget* owner) {
    return AskPdfFile(owner, QStringLiteral("Save your mistakes sheet as a PDF file"), QStringLiteral("mistakes.pdf"));
}

QFont LineFont(const QFont& base, SheetLine::Style style) {
    QFont font = base;
    if (style == SheetLine::Style::Title) font.setPointSizeF(base.pointSizeF() * 1.3);
    font.setBold(style == SheetLine::Style::Title || style == SheetLine::Style::Heading ||
                 style == SheetLine::Style::Place);
    return font;
}

}  // namespace

bool PaintMistakesSheet(QPagedPaintDevice& device, const std::vector<SheetLine>& lines) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QFont base = painter.font();
    if (base.pointSizeF() <= 0) base.setPointSizeF(10);
    // The sheet is wrapped at a number of characters: the font is made
    // smaller only when such a line would not fit across the page.
    const QFontMetricsF probe(base, &device);
    const qreal needed = probe.averageCharWidth() * (kSheetColumns + 2);
    if (needed > device.width()) base.setPointSizeF(std::max(4.0, base.pointSizeF() * device.width() / needed));
    const qreal column = QFontMetricsF(base, &device).averageCharWidth();
    qreal top = 0;
    bool ok = true;
    for (const SheetLine& line : lines) {
        const QFont font = LineFont(base, line.style);
        const QFontMetricsF metrics(font, &device);
        const qreal step = metrics.lineSpacing() * (line.style == SheetLine::Style::Blank ? 0.6 : 1.0);
        if (top > 0 && top + step > device.height()) {
            if (!device.newPage()) {
                ok = false;
                break;
            }
            top = 0;
        }
        if (!line.text.empty()) {
            painter.setFont(font);
            painter.drawText(QPointF(line.indent * column, top + metrics.ascent()), QString::fromStdString(line.text));
        }
        top += step;
    }
    return painter.end() && ok;
}

QString SaveMistakesSheetAsPdf(const QString& file, const std::vector<SheetLine>& lines) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    bool painted = false;
    {
        QPdfWriter writer(&out);
        writer.setTitle(QStringLiteral("Mistakes"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        painted = PaintMistakesSheet(writer, lines);
    }
    if (!painted) {
        out.cancelWriting();
        return QStringLiteral("the sheet could not be drawn");
    }
    if (!out.commit()) return out.errorString();
    return QString();
}

MistakesPrinting::MistakesPrinting(QWidget* owner) : QObject(owner), owner_(owner) {
    setObjectName(QStringLiteral("MistakesPrinting"));
    ask = [](const QString&, const QString&, PopUpButtons, QWidget*) { return false; };
    choosePdfFile = DefaultPdfFile;
}

PrintOutcome MistakesPrinting::Print(QPrinter& printer, const std::vector<SheetLine>& lines) {
    return PrintOrOfferPdf(
        printer, {kTitle, QStringLiteral("your mistakes sheet"), false},
        [&](QPagedPaintDevice& device) { return PaintMistakesSheet(device, lines); },
        [&](const QString& file) { return SaveMistakesSheetAsPdf(file, lines); }, ask, choosePdfFile, owner_);
}

PrintOutcome MistakesPrinting::PrintModule(QPrinter& printer, const ResourceSource* source,
                                           const std::filesystem::path& workDir, int slot, std::string_view code,
                                           std::string_view title, const ModuleConfig& module) {
    if (!source) {
        ask(kTitle, QStringLiteral("This copy of the program holds no course, so there is no mistakes sheet."), PopUpButtons::Ok, owner_);
        return PrintOutcome::NotPrinted;
    }
    const Mistakes mistakes = LoadMistakes(*source, workDir, slot, code, module);
    QString problems;
    for (const ReportProblem& problem : mistakes.problems) {
        problems += QLatin1Char(' ') + QString::fromStdString(problem.words);
    }
    if (!problems.isEmpty() && mistakes.parts.empty()) {
        ask(kTitle, QStringLiteral("Your mistakes sheet could not be made.") + problems, PopUpButtons::Ok, owner_);
        return PrintOutcome::NotPrinted;
    }
    // What could be read is still printed: one damaged field does not keep back every other paper's mistakes.
    if (!problems.isEmpty()) {
        ask(kTitle,
            QStringLiteral("Some of your results could not be read, so your mistakes sheet may leave some parts out.") +
                problems,
            PopUpButtons::Ok, owner_);
    }
    if (mistakes.parts.empty()) {
        ask(kTitle,
            QStringLiteral("No part is still wrong after a marked second attempt, so there is no mistakes sheet to "
                           "print. Try a marked paper again first."),
            PopUpButtons::Ok, owner_);
        return PrintOutcome::NotPrinted;
    }
    return Print(printer, MistakesSheet(title, module, mistakes.parts));
}

}  // namespace qv
