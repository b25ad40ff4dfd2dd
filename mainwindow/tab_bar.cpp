#include "mainwindow/tab_bar.h"

#include <QPainter>
#include <algorithm>

#include "course/navigation.h"
#include "mainwindow/page_kit.h"
#include "ui/clickable_label.h"
#include "ui/record_text.h"
#include "ui/strip_colour.h"
#include "ui/units.h"

namespace qv {

namespace {

constexpr int kStripHeight = 62;

// The black line across the tab strip, just above its bottom edge.
class TabStrip : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kStripColour);
        const int y = height() - 1 - std::max(1, TwipsToPixels(10));
        painter.setPen(Qt::black);
        painter.drawLine(0, y, width(), y);
    }
};

}  // namespace

TabBar::TabBar(QWidget* host, PictureCache& pictures) : QObject(host), host_(host) {
    strip_ = new TabStrip(host);
    strip_->setObjectName(QStringLiteral("ScnTabBG"));
    for (int i = 0; i < 4; ++i) {
        auto* tab = new PictureButton(TwoDigitName("Tab", i + 1), pictures, host);
        tab->SetPicture(QStringLiteral("tabs_back_off.bmp"));
        auto* label = new CaptionLabel(TwoDigitName("Tab", i + 1) + QStringLiteral("lbl"), QString(), tab);
        label->setFont(UiFont(8.5, true));
        SetTextColour(label, kHeadingColour);
        label->setGeometry(0, 3, tab->width(), tab->height() - 5);
        tabs_[i] = tab;
        labels_[i] = label;
        connect(tab, &PictureButton::clicked, this, [this, i] { emit tabClicked(i + 1); });
    }
}

void TabBar::SetCaptions(const CourseConfig& config) {
    for (int slot = 1; slot <= 3; ++slot) {
        const QString label = FromRecord(config.module(slot).label);
        labels_[slot - 1]->setText(label);
        const QString tip = QStringLiteral("Load %1 Module").arg(label);
        tabs_[slot - 1]->setToolTip(tip);
        labels_[slot - 1]->setToolTip(tip);
    }
    labels_[3]->setText(QStringLiteral("Help"));
    tabs_[3]->setToolTip(QStringLiteral("Help"));
    labels_[3]->setToolTip(QStringLiteral("Help"));
}

void TabBar::Arrange(const CourseConfig& config) {
    strip_->setGeometry(2, 60, host_->width() - 4, kStripHeight);
    const auto lefts = TabLefts({config.module(1).configured(), config.module(2).configured(),
                                 config.module(3).configured()},
                                tabs_[0]->width(), 2);
    for (int i = 0; i < 4; ++i) tabs_[i]->move(lefts[i], tabs_[i]->y());
}

void TabBar::Select(int n) {
    for (int i = 3; i >= 0; --i) tabs_[i]->raise();
    strip_->raise();
    tabs_[n - 1]->raise();
    for (PictureButton* tab : tabs_) tab->move(tab->x(), strip_->y() - tab->height() + 3);
    tabs_[n - 1]->move(tabs_[n - 1]->x(), strip_->y() - tabs_[n - 1]->height() + 1);
}

void TabBar::KeepFocusInFront(int n) {
    for (PictureButton* tab : tabs_) {
        if (tab != tabs_[n - 1] && tab->hasFocus()) tabs_[n - 1]->setFocus(Qt::OtherFocusReason);
    }
}

void TabBar::Tick(QPoint cursor, int selected) {
    for (int i = 0; i < 4; ++i) {
        const bool front = i + 1 == selected;
        SetHoverPicture(*tabs_[i], cursor,
                        front ? QStringLiteral("tabs_front_off.bmp") : QStringLiteral("tabs_back_off.bmp"),
                        front ? QStringLiteral("tabs_front_on.bmp") : QStringLiteral("tabs_back_on.bmp"));
    }
}

}  // namespace qv
