#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "skin_fixture.h"
#include "temp_dir.h"
#include "ui/pop_up.h"
#include "ui/skin.h"

// A widget looked for by name; a missing one fails the test with its name,
// and the exception ends the test, which GoogleTest reports as failed.
template <typename T>
T* Found(T* widget, const std::string& name) {
    if (widget == nullptr) {
        ADD_FAILURE() << "no widget named " << name;
        throw std::runtime_error("no widget named " + name);
    }
    return widget;
}

// Readable test messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A small course held in memory: for each of the three module slots a label
// (empty: not configured) and its topic names; five papers a topic. The
// interface pictures are those of the packed course.
struct TestModule {
    std::string label;
    std::vector<std::string> topics;
};

inline qv::MemoryResourceSource MakeCourse(const qv::ResourceSource& pictures, const std::string& code,
                                           const std::array<TestModule, 3>& modules) {
    qv::MemoryResourceSource source;
    for (const auto& picture : qv::InterfacePictures()) {
        if (auto bytes = pictures.Load(picture.id, qv::kResourceType)) source.Add(picture.id, *bytes);
    }
    std::string config = "...\r\n#NME#>Test Course\r\n#COD#>" + code + "\r\n";
    const char* labelKeys[] = {"LAH", "LBH", "LCH"};
    for (int m = 0; m < 3; ++m) config += "#" + std::string(labelKeys[m]) + "#>" + modules[m].label + "\r\n";
    for (int m = 0; m < 3; ++m) {
        const TestModule& module = modules[m];
        if (module.label.empty()) continue;
        const int slot = m + 1;
        const int papers = 5 * static_cast<int>(module.topics.size());
        const std::string n = std::to_string(slot);
        config += "#TT" + n + "#>" + std::to_string(module.topics.size()) + "\r\n#TP" + n + "#>" +
                  std::to_string(papers) + "\r\n#TN" + n + "#";
        for (const std::string& topic : module.topics) config += ">" + topic;
        config += "\r\n";
        std::string empty, zero, records;
        for (int p = 0; p < papers; ++p) {
            empty += ">";
            zero += ">0";
            records += "#" + std::to_string(101 + p) + "#>>\r\n";
        }
        source.Add(qv::ResultTemplateId(slot, qv::ResultKind::Marks),
                   "#FSE#" + empty + "\r\n#SSE#" + empty + "\r\n#LTM#" + empty + "\r\n#CDD#" + empty +
                       "\r\n#FST#" + zero + "\r\n#SST#" + zero + "\r\n");
        for (qv::ResultKind kind : qv::kResultKinds) {
            if (kind == qv::ResultKind::Marks) continue;
            source.Add(qv::ResultTemplateId(slot, kind), kind == qv::ResultKind::Trend ? "#TRD#\r\n" : records);
        }
    }
    source.Add(qv::kConfigurationId, config);
    return source;
}

// Answers every program message box that opens and keeps what it said.
class DialogWatcher {
public:
    explicit DialogWatcher(QWidget* window = nullptr) : window_(window) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<qv::frmPopUp*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            const auto* message = dialog->findChild<QLabel*>(QStringLiteral("lblMessage"));
            messages.push_back(message ? message->text() : QString());
            windowShown.push_back(window_ && window_->isVisible());
            static_cast<QDialog*>(dialog)->reject();
        });
        timer_.start();
    }
    void SetWindow(QWidget* window) { window_ = window; }

    std::vector<QString> messages;
    std::vector<bool> windowShown;  // whether the window was on screen when each dialog came

private:
    QWidget* window_;
    QTimer timer_;
};

// A main window started in a fresh folder, with a cursor the test places itself.
class MainWindowTest : public SkinTest {
protected:
    static const qv::ResourceSource& Pack() {
        static const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
        return pack;
    }

    using Scores = std::map<int, std::pair<std::string, std::string>>;

    // Prepares the folder as at start-up, writes the given scores (paper
    // number -> first and second attempt) into the marks file of slot 2 of
    // the packed course and opens the main window.
    void Start(const Scores& scores = {}) { Start(Pack(), scores); }
    void Start(const qv::ResourceSource& source, const Scores& scores = {}) {
        Prepare(source);
        if (!scores.empty()) WriteScores(scores);
        Open();
    }
    void Prepare(const qv::ResourceSource& source) {
        startup_ = qv::PrepareStartupData(source, dir_.path(), std::chrono::system_clock::now());
    }
    void Open() {
        pictures_ = std::make_unique<qv::PictureCache>(QString::fromStdString((dir_.path() / "Graphics").string()));
        window_ = std::make_unique<qv::MainWindow>(startup_, QString::fromStdString(dir_.path().string()), *pictures_,
                                                 cursor_);
        window_->show();
    }

    // Writes first- and second-attempt scores of the given papers (1-based) into a marks file.
    void WriteScores(const Scores& scores, const std::string& file = "marks2QEN.txt", int papers = 50) {
        qv::MarksLists lists = qv::UnmarkedLists(static_cast<std::size_t>(papers));
        for (const auto& [paper, score] : scores) {
            lists.firstScores[paper - 1] = score.first;
            lists.secondScores[paper - 1] = score.second;
        }
        ASSERT_EQ(qv::WriteMarksFile(lists, papers, dir_ / file), qv::IoStatus::Ok);
    }

    // The window's widget of that name; a missing one fails the test (and
    // ends it), rather than the whole suite.
    template <typename T = QWidget>
    T* Find(const char* name) {
        return Found<T>(window_->findChild<T*>(QString::fromLatin1(name)), name);
    }
    template <typename T = QWidget>
    T* Find(const std::string& name) { return Find<T>(name.c_str()); }
    QString Text(const char* name) { return Find<QLabel>(name)->text(); }
    // The cursor in the middle of a widget.
    void PlaceCursorOn(QWidget* widget) { cursor_.point = widget->mapToGlobal(widget->rect().center()); }
    // The cursor on a control, and one timer tick.
    void Hover(const char* name) {
        PlaceCursorOn(Find(name));
        window_->Tick();
    }

    qv::StartupData startup_;
    std::unique_ptr<qv::MainWindow> window_;
};
