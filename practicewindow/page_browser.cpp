#include "practicewindow/page_browser.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextDocument>

#include "course/atomic_file.h"
#include "ui/focus_ring.h"
#include "ui/record_text.h"

namespace qv {

namespace {

// Stands in for a picture the archive does not hold or that cannot be read.
const QImage& MissingPicture() {
    static const QImage picture = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    }();
    return picture;
}

}  // namespace

const char* const PageBrowser::kUnavailableText = "This question could not be shown.";

// The document of one page. Every resource it asks for is answered from the
// archive, or with nothing that could make the text engine look further: a
// picture is always a picture (the text engine would otherwise load the
// named file itself), a style sheet always text, never a null answer.
class PageBrowser::ArchiveDocument : public QTextDocument {
  public:
    explicit ArchiveDocument(PageBrowser* browser) : QTextDocument(browser), browser_(browser) {}

  protected:
    QVariant loadResource(int type, const QUrl& name) override {
        const QVariant found = browser_->loadResource(type, name);
        QVariant answer;
        if (type == ImageResource) {
            QImage picture;
            if (found.isValid()) picture.loadFromData(found.toByteArray());
            answer = picture.isNull() ? MissingPicture() : picture;
        } else if (type == StyleSheetResource) {
            answer = found.isValid() ? found : QVariant(QString());
        } else {
            answer = QVariant(QString());
        }
        addResource(type, name, answer);
        return answer;
    }

  private:
    PageBrowser* browser_;
};

PageBrowser::PageBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("brwWebBrowser");
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setDocument(new ArchiveDocument(this));
    // Lines break between words only; a word wider than its table cell widens the cell.
    setWordWrapMode(QTextOption::WordWrap);
}

PageStatus PageBrowser::Navigate(const QString& path) {
    const ReadResult<std::string> file = ReadWholeFile(ToPath(path));
    return ShowArchive(file.ok() ? DecodeMhtml(file.value) : MhtmlArchive{},
                       file.ok() ? PageStatus::NotAPage : PageStatus::Unreadable);
}

PageStatus PageBrowser::Show(const std::string& archive) {
    return ShowArchive(archive.empty() ? MhtmlArchive{} : DecodeMhtml(archive), PageStatus::NotAPage);
}

PageStatus PageBrowser::ShowArchive(MhtmlArchive archive, PageStatus failure) {
    const PageStatus status = archive.ok() ? PageStatus::Shown : failure;
    if (status != PageStatus::Shown) {
        archive_ = MhtmlArchive{};
        ShowDocument(
            QStringLiteral(
                "<body style=\"font-family: 'Liberation Sans', Arial, Helvetica, sans-serif;"
                " font-size: 11pt; color: #1d2733; margin: 0 22px;\"><p>%1</p></body>")
                .arg(QString::fromUtf8(kUnavailableText)));
        return status;
    }
    archive_ = std::move(archive);
    ShowDocument(QString::fromStdString(archive_.html));
    emit pageLoaded();
    return status;
}

void PageBrowser::ShowDocument(const QString& html) {
    document()->setHtml(html);  // also forgets the previous page's pictures and style sheets
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

QVariant PageBrowser::loadResource(int type, const QUrl& name) {
    const MhtmlPart* part = archive_.Find(name.toString(QUrl::FullyEncoded).toStdString());
    if (part == nullptr || !archive_.ok() || part == &archive_.parts[archive_.root]) return {};
    if (type == QTextDocument::ImageResource) return QByteArray::fromStdString(part->bytes);
    if (type == QTextDocument::StyleSheetResource) return QString::fromStdString(PartText(*part));
    return {};
}

bool PageBrowser::Refused(const PageInput& input) const {
    return guard_ && guard_(input) == PageVerdict::Refuse;
}

void PageBrowser::keyPressEvent(QKeyEvent* event) {
    PageInput input;
    input.kind = PageInput::Kind::Key;
    input.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    input.keyCode = event->key();
    input.copies = event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut);
    emit keyDown(input.ctrl, input.keyCode);
    if (Refused(input)) {
        event->accept();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void PageBrowser::mousePressEvent(QMouseEvent* event) {
    PageInput input;
    input.kind = PageInput::Kind::Mouse;
    input.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    input.button = event->button();
    emit mouseDown(input.button);
    if (keyboardFocus_) {  // the pupil has turned to the mouse
        keyboardFocus_ = false;
        viewport()->update();
    }
    if (Refused(input)) {
        event->accept();
        return;
    }
    QTextBrowser::mousePressEvent(event);
}

void PageBrowser::contextMenuEvent(QContextMenuEvent* event) {
    PageInput input;
    input.kind = PageInput::Kind::ContextMenu;
    input.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (Refused(input)) {
        event->accept();
        return;
    }
    QTextBrowser::contextMenuEvent(event);
}

QMimeData* PageBrowser::createMimeDataFromSelection() const {
    PageInput copy;  // asked as the copy shortcut is
    copy.kind = PageInput::Kind::Key;
    copy.ctrl = true;
    copy.keyCode = Qt::Key_C;
    copy.copies = true;
    if (Refused(copy)) return new QMimeData;
    return QTextBrowser::createMimeDataFromSelection();
}

void PageBrowser::paintEvent(QPaintEvent* event) {
    QTextBrowser::paintEvent(event);
    if (keyboardFocus_ && hasFocus()) DrawRing(*viewport());
}

void PageBrowser::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        keyboardFocus_ = true;
    else if (reason == Qt::MouseFocusReason)
        keyboardFocus_ = false;
    // Coming back to the window, the page keeps the ring it had.
    QTextBrowser::focusInEvent(event);
    viewport()->update();
}

void PageBrowser::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) keyboardFocus_ = false;
    QTextBrowser::focusOutEvent(event);
    viewport()->update();
}

void PageBrowser::scrollContentsBy(int dx, int dy) {
    QTextBrowser::scrollContentsBy(dx, dy);
    // A scroll moves the pixels already drawn, the ring with them.
    if (keyboardFocus_ && hasFocus()) viewport()->update();
}

PrintStatus PageBrowser::PrintPage(QWidget* parent) {
    if (QPrinterInfo::availablePrinters().isEmpty()) return PrintStatus::NoPrinter;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return PrintStatus::Cancelled;
    return PrintTo(printer) ? PrintStatus::Printed : PrintStatus::NotTaken;
}

bool PageBrowser::PrintTo(QPrinter& printer) const {
    document()->print(&printer);
    return printer.printerState() != QPrinter::Error;
}

QString PageBrowser::SaveAsPdf(const QString& file) const {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    {
        QPdfWriter writer(&out);
        writer.setPageSize(QPageSize(QPageSize::A4));
        document()->print(&writer);
    }
    if (!out.commit()) return out.errorString();
    return QString();
}

QString PageBrowser::DescribePrintStatus(PrintStatus status) {
    switch (status) {
        case PrintStatus::NoPrinter:
            return QStringLiteral(
                "There is no printer on this computer, so the question cannot be printed.");
        case PrintStatus::NotTaken:
            return QStringLiteral("The printer did not take the question, so it has not been printed.");
        case PrintStatus::Printed:
        case PrintStatus::Cancelled:
            break;
    }
    return {};
}

}  // namespace qv
