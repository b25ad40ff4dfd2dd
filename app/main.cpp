#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>

#include "app/qt_resource_source.h"
#include "app/work_folder.h"
#include "course/startup.h"
#include "mainwindow/contents.h"
#include "ui/record_text.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvale Practice"));
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));

    const QStringList arguments = QApplication::arguments();
    const qv::WorkFolderChoice folder = qv::ChooseWorkFolder(
        arguments, QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (folder.path.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvale Practice"), folder.error);
        return 1;
    }

    const qv::QtResourceSource resources;
    const qv::StartupData startup = qv::PrepareStartupData(
        resources, qv::ToPath(folder.path), std::chrono::system_clock::now());

    qv::PictureCache pictures(QDir(folder.path).filePath(QStringLiteral("Graphics")));
    const qv::SystemCursor cursor;
    qv::Contents window(startup, folder.path, pictures, cursor);
    window.show();

    // Used by the tests: start, prepare the files, show the window and leave.
    if (arguments.contains(QStringLiteral("--quit-after-start"))) {
        for (const std::string& problem : startup.problems()) fprintf(stderr, "problem: %s\n", problem.c_str());
        QTimer::singleShot(0, &app, &QApplication::quit);
        return QApplication::exec();
    }

    QStringList notices;
    if (!folder.notice.isEmpty()) notices << folder.notice;
    for (const std::string& problem : startup.problems()) notices << QString::fromStdString(problem);
    for (const QString& name : pictures.missing()) {
        notices << QStringLiteral("The picture \"%1\" is missing from the Graphics folder.").arg(name);
    }
    if (!notices.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, notices] {
            window.Ask(QStringLiteral("Quorvale"), notices.join(QStringLiteral("\n\n")), 1, &window);
        });
    }
    return QApplication::exec();
}
