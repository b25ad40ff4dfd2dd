#include "practice/practice_opener.h"

#include <QEvent>
#include <QLabel>
#include <QMessageBox>

#include "mainwindow/contents.h"
#include "practice/test1.h"
#include "practice/test2.h"
#include "ui/record_text.h"

namespace qv {

PracticeOpener::PracticeOpener(Contents& contents, const ResourceSource& resources)
    : QObject(&contents), contents_(contents), resources_(resources) {
    ask = [this](const QString& title, const QString& message, int buttons, QWidget* owner) {
        return contents_.Ask(title, message, buttons, owner);
    };
    inform = [](const QString& title, const QString& message, QWidget* owner) {
        QMessageBox::critical(owner, title, message, QMessageBox::Ok);
    };
    connect(&contents_, &Contents::paperRequested, this, &PracticeOpener::OpenPaper);
    contents_.installEventFilter(this);
}

PracticeOpener::~PracticeOpener() { delete current_.data(); }

PaperContext PracticeOpener::Context() const {
    PaperContext context;
    context.workDir = ToPath(contents_.workDir());
    context.slot = contents_.LChose.toInt();
    context.courseCode = contents_.lblCOD.toStdString();
    context.paperKey = contents_.PaperNum.toInt();
    context.paperCount = contents_.TtPapersCon.toInt();
    context.topicFirstPaper = contents_.TopicCount.toInt();
    if (const auto* heading = contents_.findChild<QLabel*>(QStringLiteral("SubH1"))) {
        context.topicName = ToRecord(heading->text());
    }
    return context;
}

void PracticeOpener::OpenPaper() {
    // A paper being marked finishes first; the pupil can open the next one then.
    if (current_ && (current_->busy() || !current_->KeepAnswers())) return;
    UnloadAll();
    const bool second = contents_.TakeNum == QStringLiteral("2");
    if (!second && contents_.TakeNum != QStringLiteral("1")) return;
    PracticeServices services{contents_.pictures(), contents_.cursor(), resources_, ask, inform,
                              [this] { contents_.RefreshContents(); }, markingStep, choosePdfFile};
    PracticeWindow* window = second ? static_cast<PracticeWindow*>(new Test2(std::move(services)))
                                    : new Test1(std::move(services));
    const LoadOutcome outcome = window->Open(Context());
    if (!outcome.ok()) {
        delete window;
        ask(QStringLiteral("Quorvale"), QString::fromStdString(outcome.message), 1, &contents_);
        return;
    }
    current_ = window;
    connect(window, &PracticeWindow::unloaded, this, [this, window] {
        if (current_ == window) current_ = nullptr;
    });
    window->show();
    window->activateWindow();
}

void PracticeOpener::UnloadAll() {
    if (current_) current_->Unload();
    current_ = nullptr;
}

bool PracticeOpener::eventFilter(QObject* watched, QEvent* event) {
    // The program closes its practice window before the main window, keeping
    // its answers. It stays open while a paper is being marked, and when the
    // answers could not be written, unless the pupil chooses to go without them.
    if (watched != &contents_ || event->type() != QEvent::Close || !current_) {
        return QObject::eventFilter(watched, event);
    }
    bool stay = false;
    if (current_->busy()) {
        ask(QStringLiteral("Quorvale"),
            QStringLiteral("A paper is being marked. Close the program when the marking has finished."), 1,
            &contents_);
        stay = true;
    } else if (!current_->KeepAnswers()) {
        stay = !ask(QStringLiteral("Quorvale"),
                    QStringLiteral("Close the program without the answers that could not be saved?"), 2,
                    &contents_);
    }
    if (stay) {
        event->ignore();
        return true;
    }
    UnloadAll();
    return QObject::eventFilter(watched, event);
}

}  // namespace qv
