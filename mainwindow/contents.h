#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include "course/course_config.h"
#include "course/startup.h"

namespace qv {

// The main window. It holds the program-wide state that the other windows
// read: the current module slot, the course code and the paper being opened.
class Contents : public QWidget {
    Q_OBJECT

public:
    Contents(const StartupData& startup, QString workDir, QWidget* parent = nullptr);

    const CourseConfig& config() const { return config_; }
    const QString& workDir() const { return workDir_; }

    // Program-wide state, as text like the controls that other windows read.
    QString LChose;        // current module slot "1".."3"
    QString lblCOD;        // course code
    QString TtPapersCon;   // paper count of the current slot
    QString TopicCount = QStringLiteral("1");
    QString PaperNum;
    QString TakeNum;
    QString PopUpResponse;

private:
    CourseConfig config_;
    QString workDir_;
    QLabel* title_ = nullptr;
    QLabel* body_ = nullptr;
};

}  // namespace qv
