#include "ui/pdf_file.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv {

QString AskPdfFile(QWidget* owner, const QString& caption, const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // No Documents folder (or none yet): the home folder, never wherever the program was started from.
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QFileDialog box(owner, caption, QDir(folder).filePath(name), QStringLiteral("PDF files (*.pdf)"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without ".pdf" gets it, before the box asks whether to replace a file of that name.
    box.setDefaultSuffix(QStringLiteral("pdf"));
    if (box.exec() != QDialog::Accepted) return QString();
    return box.selectedFiles().value(0);
}

QString ShownPath(const QString& file) { return QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()); }

}  // namespace qv
