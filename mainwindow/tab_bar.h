#pragma once

// The strip of four tabs across the top of the main window: three module
// tabs and the Help tab, and the background strip `ScnTabBG` they stand on.

#include <QObject>
#include <QPoint>
#include <QWidget>
#include <array>

#include "course/course_config.h"
#include "ui/clickable_label.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

class TabBar : public QObject {
    Q_OBJECT

public:
    TabBar(QWidget* host, PictureCache& pictures);

    // `ScnTabBG`: the pages are placed directly below it; the toolbar lies on it.
    QWidget* strip() const { return strip_; }
    // Module labels and their tooltips, and "Help".
    void SetCaptions(const CourseConfig& config);
    // The strip at the top of the window; configured module tabs side by
    // side, the others outside the window, the Help tab after them.
    void Arrange(const CourseConfig& config);
    // Brings tab n (1..4) in front of the strip and the other tabs behind it.
    void Select(int n);
    // A focus on a tab behind the strip (a click leaves the focus where it
    // was, and a page that hides hands its focus on) would show a ring cut
    // off by the strip: it goes to tab n, in front.
    void KeepFocusInFront(int n);
    // Hover pictures: front pictures for the selected tab, back for the others.
    void Tick(QPoint cursor, int selected);

signals:
    void tabClicked(int n);

private:
    QWidget* host_;
    QWidget* strip_;
    std::array<PictureButton*, 4> tabs_{};
    std::array<CaptionLabel*, 4> labels_{};
};

}  // namespace qv
