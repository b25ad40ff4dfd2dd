#pragma once

// Prints the mistakes sheet on the printer the pupil chose for the results,
// or, when there is none or it refuses the job, offers to save the sheet as
// a PDF file. Every outcome is told to the pupil in words.

#include <QObject>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "course/resources.h"

#include "mainwindow/results_printing.h"
#include "report/mistakes_sheet.h"

#include "ui/ask.h"

namespace qv {

// Paints the lines from the top of the first page on, a new page when one is
// full; the title and headings bold, each line at its indent in the font's
// average character width. False when the device cannot be painted on.
bool PaintMistakesSheet(QPagedPaintDevice& device, const std::vector<SheetLine>& lines);

// Writes the sheet into a PDF file, replacing the file whole; an empty text
// when that worked, else why not.
QString SaveMistakesSheetAsPdf(const QString& file, const std::vector<SheetLine>& lines);

class MistakesPrinting : public QObject {
    Q_OBJECT

public:
    explicit MistakesPrinting(QWidget* owner);

    PrintOutcome Print(QPrinter& printer, const std::vector<SheetLine>& lines);
    // Gathers the module's parts still wrong and prints their sheet. When a
    // file cannot be read, or nothing is still wrong, the pupil is told so and
    // nothing is printed.
    PrintOutcome PrintModule(QPrinter& printer, const ResourceSource* source, const std::filesystem::path& workDir,
                             int slot, std::string_view code, std::string_view title, const ModuleConfig& module);

    // The program's message box (true for "Yes"/"OK") and the choice of a
    // PDF file (empty: cancelled); tests replace them.
    AskFunction ask;
    std::function<QString(QWidget* owner)> choosePdfFile;

private:
    QWidget* owner_;
};

}  // namespace qv
