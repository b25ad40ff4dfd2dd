// Shows the practice window on a real screen with a question of each kind,
// before and after marking, and saves pictures of it (scripts/screenshots).
//
//   practice_tour OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <chrono>

#include "course/resources.h"
#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "app/practice_opener.h"
#include "practicewindow/practice_window.h"
#include "temp_dir.h"
#include "tour_kit.h"

namespace {

// Answers every part of the question on show: the key, or a slip where `wrong` says so.
void AnswerShown(qv::PracticeWindow& window, bool wrongFirst) {
    const qv::PaperAttempt& attempt = window.attempt();
    const int q = attempt.currentQuestion();
    for (int r = 0; r < attempt.PartCount(q) && r < 20; ++r) {
        QString text = QString::fromStdString(attempt.PartKey(attempt.PartOffset(q) + r));
        const bool choice = attempt.PartType(attempt.PartOffset(q) + r) == qv::AnswerType::Choice;
        if (wrongFirst && r == 0) text = choice ? (text == "1" ? QStringLiteral("2") : QStringLiteral("1")) : QStringLiteral("went");
        QWidget* field = window.findChild<QWidget*>(QStringLiteral("FA%1").arg(r + 1));
        if (auto* line = qobject_cast<QLineEdit*>(field)) line->setText(text);
        if (auto* box = qobject_cast<QPlainTextEdit*>(field)) box->setPlainText(text);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = OutputFolder(argc, argv);
    if (out.isEmpty()) return 2;

    TempDir dir;
    const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    const auto data = qv::PrepareStartupData(pack, dir.path(), std::chrono::system_clock::now());
    qv::PictureCache pictures(QString::fromStdString((dir.path() / "Graphics").string()));
    qv::PlacedCursor cursor;
    qv::MainWindow window(data, QString::fromStdString(dir.path().string()), pictures, cursor);
    window.show();
    qv::PracticeOpener& opener = *new qv::PracticeOpener(window, pack);  // the main window owns it
    opener.markingStep = std::chrono::milliseconds(1);
    opener.ask = [](const QString&, const QString& message, qv::PopUpButtons buttons, QWidget*) {
        if (buttons == qv::PopUpButtons::Ok) qWarning("%s", qPrintable(message));
        return true;
    };

    struct Shot {
        int topic;
        int paper;  // 1..5 within the topic
        const char* name;
    };
    for (const Shot& shot : {Shot{1, 1, "choice"}, Shot{6, 3, "cloze"}, Shot{9, 1, "word-order"}}) {
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Topic%1").arg(shot.topic)), Qt::LeftButton);
        opener.OpenPaper({100 + 5 * (shot.topic - 1) + shot.paper, qv::Attempt::First});
        qv::PracticeWindow* practice = opener.current();
        if (!practice) return 1;
        practice->activateWindow();
        AnswerShown(*practice, true);
        Settle();

        Save(out, QStringLiteral("practice-%1.png").arg(QLatin1String(shot.name)), practice->frameGeometry());
        practice->MarkPaper();
        Settle();
        Save(out, QStringLiteral("practice-%1-marked.png").arg(QLatin1String(shot.name)), practice->frameGeometry());
        if (QLatin1String(shot.name) == QLatin1String("cloze")) {
            // The wrong part says why under the cursor.
            QWidget* row = practice->findChild<QWidget*>(QStringLiteral("FA1"));
            QToolTip::showText(row->mapToGlobal(QPoint(20, row->height())), row->toolTip(), row);
            Settle();
            Save(out, QStringLiteral("practice-cloze-reason.png"), practice->frameGeometry());
            QToolTip::hideText();
        }
    }
    // The cloze paper again: the parts right the first time are carried over;
    // the one that was wrong is answered wrongly once more.
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Topic6")), Qt::LeftButton);
    opener.OpenPaper({128, qv::Attempt::Second});
    qv::PracticeWindow* second = opener.current();
    if (!second) return 1;
    second->activateWindow();
    Settle();
    Save(out, QStringLiteral("practice-second.png"), second->frameGeometry());
    if (auto* first = second->findChild<QLineEdit*>(QStringLiteral("FA1"))) first->setText(QStringLiteral("went"));
    second->MarkPaper();
    Settle();
    Save(out, QStringLiteral("practice-second-marked.png"), second->frameGeometry());
    // The word box of a cloze at the window's first size, then the window maximised.
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Topic8")), Qt::LeftButton);
    opener.OpenPaper({138, qv::Attempt::First});
    qv::PracticeWindow* cloze = opener.current();
    if (!cloze) return 1;
    cloze->activateWindow();
    Settle();
    Save(out, QStringLiteral("practice-cloze-box.png"), cloze->frameGeometry());
    QTest::mouseClick(cloze->findChild<QWidget*>(QStringLiteral("imgProgMax")), Qt::LeftButton);
    Settle();
    // The window as drawn, also where no window manager maximises it.
    cloze->grab().save(QDir(out).filePath(QStringLiteral("practice-maximised.png")));
    // A long message in the program's own box.
    QTimer::singleShot(600, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            Save(out, QStringLiteral("popup-long.png"), box->frameGeometry());
            box->close();
        }
    });
    window.Ask(QStringLiteral("Quorvale"),
               QStringLiteral("Your past results have not been erased. The file \"sresults2QEN.txt\" in "
                              "/home/pupil/.local/share/Quorvale/Quorvale Practice is read-only, so it has not been "
                              "changed. Allow changes to it and try again. Nothing has been changed."),
               qv::PopUpButtons::Ok, cloze);
    opener.UnloadAll();
    return 0;
}
