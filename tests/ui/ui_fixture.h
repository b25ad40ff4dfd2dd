#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <map>
#include <memory>

#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "mainwindow/contents.h"
#include "temp_dir.h"
#include "ui/skin.h"

// Readable test messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A main window started on the packed course in a fresh folder, with a
// cursor the test places itself.
class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    static const qv::ResourceSource& Pack() {
        static const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
        return pack;
    }

    using Scores = std::map<int, std::pair<std::string, std::string>>;

    // Prepares the folder as at start-up, writes the given scores (paper
    // number -> first and second attempt) and opens the main window.
    void Start(const Scores& scores = {}) { Start(Pack(), scores); }
    void Start(const qv::ResourceSource& source, const Scores& scores = {}) {
        const auto data = qv::PrepareStartupData(source, dir_.path(), std::chrono::system_clock::now());
        if (!scores.empty()) WriteScores(scores);
        pictures_ = std::make_unique<qv::PictureCache>(QString::fromStdString((dir_.path() / "Graphics").string()));
        window_ = std::make_unique<qv::Contents>(data, QString::fromStdString(dir_.path().string()), *pictures_, cursor_);
        window_->show();
    }

    // Writes first- and second-attempt scores of the given papers (1-based) into the marks file.
    void WriteScores(const Scores& scores) {
        std::array<qv::Fields, 6> lists;
        for (auto& list : lists) list.assign(50, "");
        lists[4].assign(50, "0");
        lists[5].assign(50, "0");
        for (const auto& [paper, score] : scores) {
            lists[0][paper - 1] = score.first;
            lists[1][paper - 1] = score.second;
        }
        ASSERT_EQ(qv::WriteMarksFile(lists, qv::kMarksKeys, 50, dir_ / "marks2QEN.txt"), qv::IoStatus::Ok);
    }

    template <typename T = QWidget>
    T* Find(const char* name) {
        T* widget = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString Text(const char* name) { return Find<QLabel>(name)->text(); }
    // The cursor in the middle of a widget.
    void PlaceCursorOn(QWidget* widget) { cursor_.point = widget->mapToGlobal(widget->rect().center()); }
    // The cursor on a control, and one timer tick.
    void Hover(const char* name) {
        PlaceCursorOn(Find(name));
        window_->Tick();
    }

    TempDir dir_;
    qv::PlacedCursor cursor_;
    std::unique_ptr<qv::PictureCache> pictures_;
    std::unique_ptr<qv::Contents> window_;
};
