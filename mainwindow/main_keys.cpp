#include "mainwindow/main_keys.h"

#include <QLabel>
#include <QWidget>
#include <vector>

#include "ui/accessible.h"
#include "ui/keyboard.h"
#include "ui/picture_button.h"
#include "ui/widget_kit.h"
#include "ui/window_keys.h"

namespace qv {

namespace {

template <typename T = QWidget>
T* Named(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

std::vector<QWidget*> NamedRow(QWidget* window, const char* stem, int count, bool twoDigits) {
    std::vector<QWidget*> row;
    for (int n = 1; n <= count; ++n) {
        if (QWidget* control = Named(window, twoDigits ? TwoDigitName(stem, n) : NumberedName(stem, n))) {
            row.push_back(control);
        }
    }
    return row;
}

QString TextOf(const QLabel* label) { return label ? label->text() : QString(); }

// "caption figure", or "caption none" while there is no figure.
void SpeakWithCaption(QLabel* figure, std::function<QString()> caption, QString unit = QString()) {
    if (!figure) return;
    Spoken spoken;
    spoken.name = [figure, caption = std::move(caption), unit] {
        const QString shown = figure->text().trimmed();
        const bool none = shown.isEmpty() || shown == QLatin1String("-");
        return caption() + QLatin1Char(' ') + (none ? QStringLiteral("none") : shown + unit);
    };
    SetSpoken(figure, std::move(spoken));
}

void DescribeTabs(QWidget* window) {
    const std::vector<QWidget*> tabs = NamedRow(window, "Tab", 4, true);
    for (QWidget* tab : tabs) {
        auto* button = qobject_cast<PictureButton*>(tab);
        if (!button) continue;
        // A tab placed outside the window is not configured: Tab passes it by.
        if (!window->rect().intersects(tab->geometry())) tab->setFocusPolicy(Qt::NoFocus);
        Spoken spoken;
        spoken.role = QAccessible::PageTab;
        spoken.selected = [button] { return button->picture().startsWith(QLatin1String("tabs_front")); };
        SetSpoken(tab, std::move(spoken));
    }
    LinkWithArrows(tabs, Qt::Horizontal, true);
}

void DescribeHomePage(QWidget* window) {
    LinkWithArrows(NamedRow(window, "Topic", 10, false), Qt::Vertical, true);
    std::vector<QWidget*> papers;
    for (int j = 1; j <= 5; ++j) {
        for (const char* attempt : {"a", "b"}) {
            if (QWidget* button = Named(window, QStringLiteral("P%1%2").arg(j).arg(QLatin1String(attempt)))) {
                papers.push_back(button);
            }
        }
        const QString paper = QStringLiteral("Paper %1, ").arg(j);
        SpeakWithCaption(Named<QLabel>(window, NumberedName("MSA", j)),
                         [paper] { return paper + QStringLiteral("1st Attempt:"); }, QStringLiteral("%"));
        SpeakWithCaption(Named<QLabel>(window, NumberedName("MSB", j)),
                         [paper] { return paper + QStringLiteral("2nd Attempt:"); }, QStringLiteral("%"));
    }
    LinkWithArrows(papers, Qt::Vertical, false);
}

void DescribeReport(QWidget* window) {
    const char* const rows[][2] = {{"OScore1", "SumyL1"}, {"OScore2", "SumyL2"}, {"PCNum", "SumyL5"},
                                   {"ST", "SumyL4"},      {"WT", "SumyL3"}};
    for (const auto& row : rows) {
        const QLabel* caption = Named<QLabel>(window, QString::fromLatin1(row[1]));
        SpeakWithCaption(Named<QLabel>(window, QString::fromLatin1(row[0])), [caption] { return TextOf(caption); });
    }
    for (int t = 1; t <= 10; ++t) {
        const QLabel* topic = Named<QLabel>(window, NumberedName("TopLab", t));
        SpeakWithCaption(Named<QLabel>(window, NumberedName("TMark", t) + QLatin1Char('A')),
                         [topic] { return TextOf(topic) + QStringLiteral(", first attempt:"); });
        SpeakWithCaption(Named<QLabel>(window, NumberedName("TMark", t) + QLatin1Char('B')),
                         [topic] { return TextOf(topic) + QStringLiteral(", second attempt:"); });
    }
    if (QWidget* plot = Named(window, QStringLiteral("RC3TrendPlot"))) {
        plot->setAccessibleName(QStringLiteral("Trend of the recent papers attempted"));
    }
    LinkWithArrows(NamedRow(window, "RCBar", 4, false), Qt::Vertical, true);
}

}  // namespace

void MakeMainWindowKeyboardReady(QWidget* window) {
    EnableSpokenControls();
    auto* close = Named<PictureButton>(window, QStringLiteral("imgProgClose"));
    // The title bar's buttons are reached through the window menu, as a desktop's are.
    for (const char* name : {"imgProgClose", "imgProgMin"}) {
        if (QWidget* button = Named(window, QString::fromLatin1(name))) button->setFocusPolicy(Qt::NoFocus);
    }
    new WindowKeys(window, false, [close] {
        if (close) close->click();
    });
    DescribeTabs(window);
    LinkWithArrows(NamedRow(window, "ToolBar", 4, true), Qt::Horizontal, false);
    DescribeHomePage(window);
    AddShortcut(window, Named<PictureButton>(window, QStringLiteral("Tab04")), {QKeySequence(Qt::Key_F1)});
    AddShortcut(window, Named<PictureButton>(window, QStringLiteral("ToolBar03")), {QKeySequence::Print});
}

void MakeReportKeyboardReady(QWidget* page) { DescribeReport(page); }

}  // namespace qv
