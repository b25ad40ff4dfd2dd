#include "mainwindow/results_printing.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPushButton>
#include <QSaveFile>
#include <algorithm>

#include "mainwindow/print_or_pdf.h"
#include "ui/pdf_file.h"
#include "ui/record_text.h"

namespace qv {

namespace {

const QString kTitle = QStringLiteral("Print");

bool Blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

QString Shown(const ListingItem& item) { return item.figure ? ShownFigure(item.text) : FromRecord(item.text); }

// A rule under a heading: a run of dashes.
bool IsRule(const std::string& text) { return !text.empty() && text.find_first_not_of('-') == std::string::npos; }

// How far right the listing's words reach in `font` on `device`; the rules
// are drawn out to there. A listing of rules alone reaches as far as their
// characters would in columns.
qreal ListingWidth(const std::vector<ListingLine>& lines, const QFont& font, QPaintDevice* device) {
    const QFontMetricsF metrics(font, device);
    qreal words = 0, rules = 0;
    for (const ListingLine& line : lines) {
        for (const ListingItem& item : line) {
            if (Blank(item.text)) continue;
            const qreal x = (item.column - 1) * metrics.averageCharWidth();
            if (IsRule(item.text)) {
                rules = std::max(rules, x + item.text.size() * metrics.averageCharWidth());
            } else {
                words = std::max(words, x + metrics.horizontalAdvance(Shown(item)));
            }
        }
    }
    return words > 0 ? words : rules;
}

// Dashes are narrower than the average character, so a rule is stretched to
// reach `right`.
void DrawRule(QPainter& painter, const QFontMetricsF& metrics, QPointF at, qreal right, const QString& dashes) {
    const qreal drawn = metrics.horizontalAdvance(dashes);
    if (drawn <= 0 || right <= at.x()) return;
    painter.save();
    painter.translate(at);
    painter.scale((right - at.x()) / drawn, 1);
    painter.drawText(QPointF(0, 0), dashes);
    painter.restore();
}


bool DefaultSetupDialog(QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // It chooses the printer; nothing is printed from here.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

QString DefaultPdfFile(QWidget* owner) {
    return AskPdfFile(owner, QStringLiteral("Save your results as a PDF file"), QStringLiteral("results.pdf"));
}

}  // namespace

bool PaintListing(QPagedPaintDevice& device, const std::vector<ListingLine>& lines) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QFont font = painter.font();
    const qreal room = device.width();
    const qreal needed = ListingWidth(lines, font, &device);
    if (needed > room && needed > 0) {
        const qreal scale = room / needed * 0.98;
        if (font.pointSizeF() > 0) font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
        else font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
        painter.setFont(font);
    }
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal column = metrics.averageCharWidth();
    const qreal right = ListingWidth(lines, painter.font(), &device);
    const qreal step = metrics.lineSpacing();
    qreal top = 0;
    bool ok = true;
    for (const ListingLine& line : lines) {
        if (top > 0 && top + step > device.height()) {
            if (!device.newPage()) {
                ok = false;
                break;
            }
            top = 0;
        }
        for (const ListingItem& item : line) {
            if (Blank(item.text)) continue;
            const QPointF at((item.column - 1) * column, top + metrics.ascent());
            if (IsRule(item.text)) DrawRule(painter, metrics, at, right, FromRecord(item.text));
            else painter.drawText(at, Shown(item));
        }
        top += step;
    }
    return painter.end() && ok;
}

QString SaveListingAsPdf(const QString& file, const std::vector<ListingLine>& lines) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    bool painted = false;
    {
        QPdfWriter writer(&out);
        writer.setTitle(QStringLiteral("Results"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        painted = PaintListing(writer, lines);
    }
    if (!painted) {
        out.cancelWriting();
        return QStringLiteral("the listing could not be drawn");
    }
    if (!out.commit()) return out.errorString();
    return QString();
}

ResultsPrinting::ResultsPrinting(QWidget* owner)
    : QObject(owner), owner_(owner) {
    setObjectName(QStringLiteral("ResultsPrinting"));
    ask = [](const QString&, const QString&, PopUpButtons, QWidget*) { return false; };
    choosePdfFile = DefaultPdfFile;
    runSetupDialog = DefaultSetupDialog;
}

ResultsPrinting::~ResultsPrinting() = default;

QPrinter& ResultsPrinting::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool ResultsPrinting::CanPrint(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() && printer.isValid();
}

PrintOutcome ResultsPrinting::Print(const std::vector<ListingLine>& lines) {
    return PrintOrOfferPdf(
        printer(), {kTitle, QStringLiteral("your results"), true},
        [&](QPagedPaintDevice& device) { return PaintListing(device, lines); },
        [&](const QString& file) { return SaveListingAsPdf(file, lines); }, ask, choosePdfFile, owner_);
}

void ResultsPrinting::Setup() {
    printer();
    // The dialog works on a copy, so that cancelling leaves the printer as it was.
    auto chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        chosen->setOutputFormat(QPrinter::PdfFormat);
        chosen->setOutputFileName(printer_->outputFileName());
    } else if (!printer_->printerName().isEmpty()) {
        chosen->setPrinterName(printer_->printerName());
    }
    chosen->setPageLayout(printer_->pageLayout());
    if (runSetupDialog(*chosen, owner_)) printer_ = std::move(chosen);
}

}  // namespace qv
