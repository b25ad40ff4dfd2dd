#pragma once

// The one road of every printout: to the printer, and when there is none or
// it refuses the job, the offer to save the printout as a PDF file instead.
// Every outcome is told to the pupil.

#include <QPagedPaintDevice>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <functional>

#include "mainwindow/results_printing.h"
#include "ui/ask.h"

namespace qv {

// What a printout is called in the messages about it.
struct PrintoutWords {
    QString title;        // the pop-up's title
    QString name;         // "your results", "your mistakes sheet"
    bool plural = false;  // "your results have been saved", "your mistakes sheet has"
};

// Paints the printout on `printer` with `paint`; on no printer or a refused
// job, offers `savePdf` (an empty text when the file was written, else why
// not) at a file chosen with `choosePdfFile` (empty: cancelled).
PrintOutcome PrintOrOfferPdf(QPrinter& printer, const PrintoutWords& words,
                             const std::function<bool(QPagedPaintDevice&)>& paint,
                             const std::function<QString(const QString& file)>& savePdf, const AskFunction& ask,
                             const std::function<QString(QWidget* owner)>& choosePdfFile, QWidget* owner);

}  // namespace qv
