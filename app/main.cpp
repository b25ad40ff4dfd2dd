#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <future>
#include <system_error>
#include <optional>

#include "app/command_line.h"
#include "app/course_option.h"
#include "app/erase_guard.h"
#include "app/folder_lock.h"
#include "app/packed_bytes.h"
#include "app/qt_resource_source.h"
#include "app/start_notices.h"
#include "app/stop_signals.h"
#include "app/work_folder.h"
#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "app/practice_opener.h"
#include "ui/caret_rest.h"
#include "ui/look.h"
#include "ui/pop_up.h"
#include "ui/record_text.h"

namespace {

// "--quit-after-start" (used by the tests): start, prepare the files, show
// the window and leave; what the pupil would be told goes to stderr instead
// of a message box.
bool QuitAfterStart() { return QApplication::arguments().contains(QStringLiteral("--quit-after-start")); }

// Loads the font database and the skin's font, as the first text measured would.
void LoadInterfaceFont() { static_cast<void>(QFontMetrics(qv::UiFont(9)).height()); }

// Why the program cannot start, in the program's own message box (its
// pictures come from the packed copies: the working folder may be another
// copy's, or none).
int Stop(const qv::ResourceSource& packed, const QString& words) {
    std::fprintf(stderr, "%s\n", words.toLocal8Bit().constData());
    if (!QuitAfterStart()) {
        qv::PictureCache pictures(QString(), &packed);
        const qv::SystemCursor cursor;
        qv::AskPopUp(pictures, cursor, QStringLiteral("Quorvale Practice"), words, qv::PopUpButtons::Ok, nullptr);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("Quorvale Practice"));
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUORVALE_APP_ID));
    // --help and --version print and leave, without a screen.
    if (const std::optional<int> answered = qv::AnswerCommandLine(argc, argv)) return *answered;

    QApplication app(argc, argv);
    // The caret stops blinking while the pupil leaves the program alone.
    const qv::CaretRest caret;

    const qv::QtResourceSource packed({qv::PackedCourseBytes(), qv::PackedPictureBytes()});
    // "--course DIR": a compiled course folder instead of the packed course.
    const qv::CourseOption course(QApplication::arguments(), packed);
    if (!course.error().isEmpty()) return Stop(packed, course.error());
    const qv::ResourceSource& resources = course.resources();

    const qv::WorkFolderChoice folder = qv::ChooseWorkFolder(
        QApplication::arguments(), QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (folder.path.isEmpty()) return Stop(packed, folder.error);

    // Held until the program ends, so that no second copy writes the same files.
    qv::FolderLock lock(folder.path);
    // The lock (which is flushed to the disk) and the start-up files are taken care
    // of on a thread of their own while this one loads the fonts, which the
    // window's first text needs: a slow disk and the font files are waited for
    // at the same time. Nothing else runs until both are done.
    auto prepare = [&lock, &resources, &folder]() -> std::optional<qv::StartupData> {
        if (!lock.Acquire()) return std::nullopt;
        return qv::PrepareStartupData(resources, qv::ToPath(folder.path), std::chrono::system_clock::now());
    };
    std::future<std::optional<qv::StartupData>> prepared;
    try {
        prepared = std::async(std::launch::async, prepare);
    } catch (const std::system_error&) {  // no thread to be had: the same work, one after the other
    }
    LoadInterfaceFont();
    const std::optional<qv::StartupData> ready = prepared.valid() ? prepared.get() : prepare();
    if (!ready) return Stop(packed, lock.error());
    const qv::StartupData& startup = *ready;

    // Pictures come from the packed copies already in memory.
    qv::PictureCache pictures(QDir(folder.path).filePath(QStringLiteral("Graphics")), &resources);
    const qv::SystemCursor cursor;
    qv::MainWindow window(startup, folder.path, pictures, cursor);
    // Opens the papers the home page asks for, one practice window at a time;
    // the main window owns it.
    auto* practice = new qv::PracticeOpener(window, resources);
    window.SetResources(resources);
    qv::CloseBeforeErasing(window, *practice);
    // The pictures are decoded and the start's records read: the packed
    // copies' pages go before the window's own memory is taken.
    resources.ReleaseMemory();
    window.show();
    // Asked to stop from outside (a logout, a shutdown), the program closes as
    // when the pupil closes it: the answer on show is saved first, and a paper
    // being marked is marked and written first.
    const qv::StopSignals stops;
    QObject::connect(&stops, &qv::StopSignals::stopRequested, practice, &qv::PracticeOpener::Stop);

    const QStringList notices = qv::GatherStartNotices(folder.notice, startup, window, pictures);
    if (QuitAfterStart()) {
        if (!notices.isEmpty()) {
            std::fprintf(stderr, "notice: %s\n", notices.join(QStringLiteral("\n\n")).toLocal8Bit().constData());
        }
        QTimer::singleShot(0, &app, &QApplication::quit);
        return QApplication::exec();
    }
    qv::TellWhenShown(window, notices);
    return QApplication::exec();
}
