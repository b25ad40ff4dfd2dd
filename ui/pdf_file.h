#pragma once

// Where a printout is saved as a PDF file when there is no printer.

#include <QString>

class QWidget;

namespace qv {

// Asks where to save a PDF file: a save dialog titled `caption`, in the
// pupil's documents folder (the home folder when there is none), offering
// `name`. A name typed without an ending gets ".pdf". Empty when the pupil cancels.
QString AskPdfFile(QWidget* owner, const QString& caption, const QString& name);

// A file's absolute path as the system writes paths, for a message.
QString ShownPath(const QString& file);

}  // namespace qv
