#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>

#include "app/practice_opener.h"
#include "practicewindow/practice_window.h"
#include "ui_fixture.h"

// The packed course without some of its resources.
class HoleySource : public qv::ResourceSource {
public:
    explicit HoleySource(const qv::ResourceSource& inner) : inner_(inner) {}
    std::optional<std::string> Load(int id, std::string_view type) const override {
        if (std::find(missing.begin(), missing.end(), id) != missing.end()) return std::nullopt;
        return inner_.Load(id, type);
    }
    std::vector<int> missing;

private:
    const qv::ResourceSource& inner_;
};

// The main window with its practice window opener; the program's dialogs
// are answered by the test, which records what they said.
class PracticeWindowTest : public MainWindowTest {
protected:
    void StartProgram() {
        Start();
        opener_ = new qv::PracticeOpener(*window_, source_);
        opener_->markingStep = std::chrono::milliseconds(1);
        opener_->ask = [this](const QString& title, const QString& message, qv::PopUpButtons buttons, QWidget*) {
            asked_.push_back(title + QStringLiteral(" | ") + message);
            return buttons == qv::PopUpButtons::Ok || answer_;
        };
        opener_->inform = [this](const QString& title, const QString& message, QWidget*) {
            informed_.push_back(title + QStringLiteral(" | ") + message);
        };
    }

    // Windows closed by the test go before the pictures and the cursor they use.
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    qv::PracticeWindow* Practice() { return opener_->current(); }
    template <typename T = QWidget>
    T* InPractice(const QString& name) {
        if (Practice() == nullptr) return Found<T>(nullptr, "practice window");
        return Found<T>(Practice()->findChild<T*>(name), name.toStdString());
    }
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }
    void ClickButton(const char* name) {
        Practice()->Tick();
        Click(InPractice(QString::fromLatin1(name)));
    }
    // Types into answer field r of the question on show.
    void Answer(int row, const QString& text) {
        QWidget* field = InPractice(QStringLiteral("FA%1").arg(row));
        if (auto* line = qobject_cast<QLineEdit*>(field)) {
            line->setText(text);
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(field)) {
            box->setPlainText(text);
        }
    }
    QString Shown(const QString& name) { return InPractice<QLabel>(name)->text(); }
    std::string Record(const std::string& file, const std::string& key) {
        if (Practice() != nullptr) Practice()->attempt().FinishWrites();
        return qv::ReadRecordLine(dir_ / file, key).value;
    }

    // Opens paper `paper` (1..5) of topic `topic` for a first attempt ("a")
    // or a second ("b").
    void OpenPaper(int topic, int paper, const char* attempt = "a") {
        QTest::mouseClick(Find(("Topic" + std::to_string(topic)).c_str()), Qt::LeftButton);
        QTest::mouseClick(Find(("P" + std::to_string(paper) + attempt).c_str()), Qt::LeftButton);
        ASSERT_NE(Practice(), nullptr);
    }
    // Answers every question of the open paper, the first `right` with their
    // key and the others wrongly, moving on with Next, then marks it.
    void AnswerAndMark(int right) {
        const qv::PaperAttempt& attempt = Practice()->attempt();
        for (int q = 1; q <= attempt.questionCount(); ++q) {
            SCOPED_TRACE(q);
            EXPECT_EQ(Shown("QnTitle"), QStringLiteral("Question %1").arg(q));
            const QString key = QString::fromStdString(attempt.PartKey(q - 1));
            Answer(1, q <= right ? key : (key == "1" ? QStringLiteral("2") : QStringLiteral("1")));
            if (q < attempt.questionCount()) ClickButton("ToolBar06");
        }
        ClickButton("ToolBar02");
    }
    QString Page() { return InPractice<QTextBrowser>(QStringLiteral("brwWebBrowser"))->toPlainText(); }

    HoleySource source_{Pack()};
    qv::PracticeOpener* opener_ = nullptr;
    std::vector<QString> asked_;
    std::vector<QString> informed_;
    bool answer_ = true;
};
