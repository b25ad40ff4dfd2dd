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
    return QFileDialog::getSaveFileName(owner, caption, QDir(folder).filePath(name),
                                        QStringLiteral("PDF files (*.pdf)"));
}

QString ShownPath(const QString& file) { return QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()); }

}  // namespace qv
