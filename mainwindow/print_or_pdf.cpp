#include "mainwindow/print_or_pdf.h"

#include "ui/pdf_file.h"

namespace qv {

PrintOutcome PrintOrOfferPdf(QPrinter& printer, const PrintoutWords& words,
                             const std::function<bool(QPagedPaintDevice&)>& paint,
                             const std::function<QString(const QString& file)>& savePdf, const AskFunction& ask,
                             const std::function<QString(QWidget* owner)>& choosePdfFile, QWidget* owner) {
    QString named = words.name;
    if (!named.isEmpty()) named[0] = named[0].toUpper();
    const QString saved = named + (words.plural ? QStringLiteral(" have") : QStringLiteral(" has")) +
                          QStringLiteral(" been saved in %1.");
    QString reason;
    if (!ResultsPrinting::CanPrint(printer)) {
        reason = QStringLiteral("No printer is set up on this computer, so %1 could not be printed.").arg(words.name);
    } else if (paint(printer) && printer.printerState() != QPrinter::Error) {
        if (printer.outputFormat() == QPrinter::PdfFormat) {
            ask(words.title, saved.arg(ShownPath(printer.outputFileName())), PopUpButtons::Ok, owner);
        }
        return PrintOutcome::Printed;
    } else if (printer.outputFormat() == QPrinter::PdfFormat) {
        reason = named + QStringLiteral(" could not be saved in %1.").arg(ShownPath(printer.outputFileName()));
    } else {
        reason = QStringLiteral("The printer \"%1\" did not take the job, so %2 %3 not printed.")
                     .arg(printer.printerName(), words.name,
                          words.plural ? QStringLiteral("were") : QStringLiteral("was"));
    }
    const QString offer = QStringLiteral(" Would you like to save %1 as a PDF file instead?")
                              .arg(words.plural ? QStringLiteral("them") : QStringLiteral("it"));
    if (!ask(words.title, reason + offer, PopUpButtons::YesNo, owner)) return PrintOutcome::NotPrinted;
    const QString file = choosePdfFile(owner);
    if (file.isEmpty()) return PrintOutcome::NotPrinted;
    const QString problem = savePdf(file);
    if (!problem.isEmpty()) {
        ask(words.title, named + QStringLiteral(" could not be saved in %1 (%2).").arg(ShownPath(file), problem),
            PopUpButtons::Ok, owner);
        return PrintOutcome::NotPrinted;
    }
    ask(words.title, saved.arg(ShownPath(file)), PopUpButtons::Ok, owner);
    return PrintOutcome::SavedAsPdf;
}

}  // namespace qv
