// A practice window's dialogs: its pop-ups, the page guards' message, and
// printing the question, with the offer of a PDF file when no printer takes it.

#include "practicewindow/page_browser.h"
#include "practicewindow/practice_window.h"
#include "ui/pdf_file.h"

namespace qv {

namespace {

QString Words(const std::string& utf8) { return QString::fromStdString(utf8); }

QString ChoosePdfFile(QWidget* owner) {
    return AskPdfFile(owner, QStringLiteral("Save the question as a PDF file"), QStringLiteral("question.pdf"));
}

}  // namespace

void PracticeWindow::ShowProblem(const std::string& words) {
    Ask(QStringLiteral("Quorvale"), Words(words), PopUpButtons::Ok);
}

bool PracticeWindow::Ask(const QString& title, const QString& message, PopUpButtons buttons) {
    return WhileAsking([&] { return services_.ask(title, message, buttons, this); });
}

void PracticeWindow::Inform() {
    WhileAsking([this] {
        services_.inform(QStringLiteral("Error"), QStringLiteral("Invalid operation"), this);
        return true;
    });
}

void PracticeWindow::EndAsking() {
    if (--asking_ == 0 && goneAfterAsking_) deleteLater();
}

void PracticeWindow::PrintQuestion() {
    if (busy_ || unloading_) return;
    const PrintStatus status = WhileAsking([this] { return brwWebBrowser->PrintPage(this); });
    if ((status != PrintStatus::NoPrinter && status != PrintStatus::NotTaken) || unloading_) return;
    // Without a printer that takes it the page can still be kept, as a PDF file.
    const QString offer = PageBrowser::DescribePrintStatus(status) +
                          QStringLiteral(" Would you like to save it as a PDF file instead?");
    if (!Ask(QStringLiteral("Print"), offer, PopUpButtons::YesNo) || unloading_) return;
    const QString file =
        WhileAsking([this] { return services_.choosePdfFile ? services_.choosePdfFile(this) : ChoosePdfFile(this); });
    if (file.isEmpty() || unloading_) return;
    const QString problem = brwWebBrowser->SaveAsPdf(file);
    const QString shown = ShownPath(file);
    Ask(QStringLiteral("Print"),
        problem.isEmpty() ? QStringLiteral("The question has been saved in %1.").arg(shown)
                          : QStringLiteral("The question could not be saved in %1 (%2).").arg(shown, problem),
        PopUpButtons::Ok);
}

}  // namespace qv
