#pragma once

// Sends the listing of a module's results to the printer, and keeps the
// printer chosen in the setup dialog for the rest of the run. When there is
// no printer or the printer refuses the job, the pupil is offered to save
// the listing as a PDF file instead.

#include <QObject>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "report/results_listing.h"
#include "ui/ask.h"

namespace qv {

// Paints the lines from the top of the first page on, each item at its
// column measured in the font's average character width, a new page when
// one is full. The device's own font is used; only when the widest line
// would not fit across the page is it made smaller. False when the device
// cannot be painted on.
bool PaintListing(QPagedPaintDevice& device, const std::vector<ListingLine>& lines);

// Writes the listing into a PDF file, replacing the file whole; an empty
// text when that worked, else why not.
QString SaveListingAsPdf(const QString& file, const std::vector<ListingLine>& lines);

enum class [[nodiscard]] PrintOutcome { Printed, SavedAsPdf, NotPrinted };

class ResultsPrinting : public QObject {
    Q_OBJECT

public:
    explicit ResultsPrinting(QWidget* owner);
    ~ResultsPrinting() override;

    PrintOutcome Print(const std::vector<ListingLine>& lines);
    // The printer dialog; the printer chosen there is the one used from now
    // on. Cancelling changes nothing.
    void Setup();

    // The printer is made on first use, so that nothing of the print support
    // is loaded until the pupil prints or sets up a printer.
    QPrinter& printer();
    // False until the printer has been made.
    bool hasPrinter() const { return printer_ != nullptr; }
    // True when the printer can take a job: a named printer, or a file.
    static bool CanPrint(const QPrinter& printer);

    // The program's message box (true for "Yes"/"OK"), the choice of a PDF
    // file (empty: cancelled) and the printer dialog (true when accepted);
    // tests replace them.
    AskFunction ask;
    std::function<QString(QWidget* owner)> choosePdfFile;
    std::function<bool(QPrinter& printer, QWidget* owner)> runSetupDialog;

private:
    QWidget* owner_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace qv
