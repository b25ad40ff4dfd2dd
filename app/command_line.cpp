#include "app/command_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

namespace qv {

namespace {

QString HelpText() {
    const QString userFolder =
        QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    return QStringLiteral(
               "Usage: quorvale [--data-dir FOLDER] [--course COURSE]\n"
               "%1: practise exam papers, mark them and follow your results.\n"
               "\n"
               "  --data-dir FOLDER  keep the results in FOLDER (made when it is missing)\n"
               "  --course COURSE    practise the course compiled into the folder COURSE\n"
               "                     (by coursec) instead of the course the program brings\n"
               "  --help             show this help and leave\n"
               "  --version          show the version and leave\n"
               "\n"
               "Without --data-dir, an installed copy keeps the results in\n"
               "  %2\n"
               "and a copy run from its own folder keeps them beside itself.\n")
        .arg(QCoreApplication::applicationName(), userFolder);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data-dir") == 0 || std::strcmp(argv[i], "--course") == 0) {
            ++i;  // the folder's name, whatever it looks like
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(HelpText().toLocal8Bit().constData(), stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", QCoreApplication::applicationName().toLocal8Bit().constData(),
                        QCoreApplication::applicationVersion().toLocal8Bit().constData());
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace qv
