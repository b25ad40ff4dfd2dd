#include "mainwindow/contents.h"

#include <QVBoxLayout>

#include "ui/record_text.h"

namespace qv {

Contents::Contents(const StartupData& startup, QString workDir, QWidget* parent)
    : QWidget(parent), config_(startup.configuration.config), workDir_(std::move(workDir)) {
    setObjectName(QStringLiteral("Contents"));
    // 6070 x 7380 twips at 15 twips per pixel.
    resize(405, 492);
    move(4, 4);

    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("Title"));
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    body_ = new QLabel(this);
    body_->setObjectName(QStringLiteral("Body_Home"));
    body_->setWordWrap(true);
    body_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(title_);
    layout->addWidget(body_, 1);

    const int slot = startup.configuration.available ? config_.firstConfiguredSlot() : 0;
    if (slot == 0) {
        setWindowTitle(QStringLiteral("Quorvale Practice"));
        title_->setText(QStringLiteral("Quorvale Practice"));
        body_->setText(startup.configuration.available
                           ? QStringLiteral("The course in this copy of the program has no modules, so there "
                                            "is nothing to practise yet.")
                           : QStringLiteral("The course could not be read, so there is nothing to practise. "
                                            "Please reinstall the program."));
        return;
    }
    const QString courseTitle = FromRecord(config_.title);
    setWindowTitle(courseTitle);
    title_->setText(courseTitle);
    lblCOD = FromRecord(config_.code);
    LChose = QString::number(slot);
    const ModuleConfig& module = config_.module(slot);
    TtPapersCon = QString::number(module.paperCount);
    QString topics;
    for (int t = 0; t < module.topicCount; ++t) {
        topics += QStringLiteral("<li>%1</li>").arg(FromRecord(module.topicNames[static_cast<std::size_t>(t)]).toHtmlEscaped());
    }
    body_->setText(QStringLiteral("<b>%1</b><ul>%2</ul>").arg(FromRecord(module.label).toHtmlEscaped(), topics));
}

}  // namespace qv
