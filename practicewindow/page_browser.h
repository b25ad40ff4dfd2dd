#pragma once

// The question page of a practice window: opens a saved page (a MIME HTML
// archive file), shows it, and reports the pupil's key presses and mouse
// presses on it, which the window may refuse.
//
// A page takes its pictures and style sheets from its own archive only: an
// address it names that the archive does not hold gives nothing, so a page
// can never make the program read a local file or a network address. Links
// are not followed.

#include <QTextBrowser>
#include <functional>

#include "mhtml/mhtml.h"

class QPrinter;

namespace qv {

// An input event on the page, as a guard sees it.
struct PageInput {
    enum class Kind { Key, Mouse, ContextMenu };
    Kind kind = Kind::Key;
    bool ctrl = false;  // Key, Mouse: the Ctrl key is held (Command on a Mac)
    int keyCode = 0;  // Key: the Qt::Key pressed (Qt::Key_C ...)
    bool copies = false;  // Key: the platform's copy or cut shortcut (Ctrl+C, Ctrl+Insert, Shift+Delete...)
    Qt::MouseButton button = Qt::NoButton;  // Mouse: the button pressed
};

enum class PageVerdict { Allow, Refuse };

// What became of a navigation.
enum class PageStatus {
    Shown,
    Unreadable,  // the file could not be read
    NotAPage,    // the file holds no page that can be shown
};

// What became of printing.
enum class PrintStatus { Printed, Cancelled, NoPrinter, NotTaken };

class PageBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    // Shown in the page area instead of a page that cannot be shown.
    static const char* const kUnavailableText;

    explicit PageBrowser(QWidget* parent = nullptr);

    // Opens and shows the archive file at `path`, replacing the page on show,
    // and emits pageLoaded(). A file that cannot be read or holds no page
    // shows kUnavailableText instead (never the previous page).
    PageStatus Navigate(const QString& path);
    // The same for an archive already in memory (empty: no page).
    PageStatus Show(const std::string& archive);

    // The page on show (empty when there is none).
    const MhtmlArchive& archive() const { return archive_; }

    // Asked after keyDown, mouseDown and before a context menu opens; a
    // refused event goes no further (no copy, no menu). Without a guard
    // every event is allowed.
    using Guard = std::function<PageVerdict(const PageInput&)>;
    void setGuard(Guard guard) { guard_ = std::move(guard); }

    // Shows the print dialog over `parent` and prints the page once the pupil
    // confirms it. Without any printer nothing is shown and NoPrinter comes back.
    PrintStatus PrintPage(QWidget* parent);
    // Prints the page on show on `printer` without asking; false when the
    // printer (or the file it prints to) did not take it.
    bool PrintTo(QPrinter& printer) const;
    // Writes the page on show into a PDF file, replacing it whole; empty
    // text when that worked, else why not.
    QString SaveAsPdf(const QString& file) const;
    // A sentence for the pupil about a print that did not happen, or empty text.
    static QString DescribePrintStatus(PrintStatus status);

    // The content of the archive part a page names: picture bytes (QByteArray)
    // or style sheet text (QString). Null for anything the archive does not hold.
    QVariant loadResource(int type, const QUrl& name) override;

  signals:
    void pageLoaded();
    void keyDown(bool ctrl, int keyCode);
    void mouseDown(Qt::MouseButton button);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // What a selection gives away besides the copy shortcut (dragged out, or
    // the system's selection that a middle click pastes): nothing, when the
    // guard refuses copying.
    QMimeData* createMimeDataFromSelection() const override;
    // The focus ring, while the page holds a focus the keyboard gave it
    // (Tab, Shift+Tab), until the pupil clicks on the page.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    class ArchiveDocument;

    bool Refused(const PageInput& input) const;
    void ShowDocument(const QString& html);
    // Shows a decoded archive; one that is not a page shows kUnavailableText and gives `failure`.
    PageStatus ShowArchive(MhtmlArchive archive, PageStatus failure);

    MhtmlArchive archive_;
    Guard guard_;
    bool keyboardFocus_ = false;  // the focus came from Tab or Shift+Tab
};

}  // namespace qv
