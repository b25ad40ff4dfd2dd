#pragma once

// The rules of the main window's tabs, toolbar, pages and home page, kept
// apart from the widgets (no Qt).

#include <array>
#include <string>
#include <string_view>

#include "course/course_limits.h"

namespace qv {

inline constexpr int kHelpTab = 4;

struct ToolbarButtonLook {
    std::string_view caption;   // empty: no command on this tab
    std::string_view picture;   // picture name stem: "home" -> home_off.bmp ...
    std::string tooltip;
};

// Button 1..4 of the toolbar while tab 1..4 is selected. Each tooltip is
// built from the caption.
ToolbarButtonLook ToolbarButton(int tab, int button);

enum class PageAction { Home, Report, PrintResults, CloseProgram, About, Trash, Nothing, PrintSetup };

// What a toolbar command does on the selected tab.
PageAction ShowPageAction(int tab, int button);

// Left edges of the four tabs: configured module tabs side by side from
// `start`, each overlapping the one before by 4; the others outside the
// window at -(tab width); the Help tab after the last configured one.
std::array<int, 4> TabLefts(const std::array<bool, 3>& configured, int tabWidth, int start = 2);

// Tops of the report's section bars and of the open panel, for the report
// page of height `height` with bars of the given heights: the bars down to
// the open section's stand at the top, the others at the bottom, and the
// open panel fills the space between.
inline constexpr int kReportSections = 4;
struct ReportLayout {
    std::array<int, kReportSections> barTops{};
    int panelTop = 0;
    int panelHeight = 0;
};
ReportLayout ReportSectionLayout(int section, int height, const std::array<int, kReportSections>& barHeights);

// Paper number of the first paper of topic k (1..10): 1, 6, ..., 46.
inline int FirstPaperOfTopic(int topic) { return kPapersPerTopic * (topic - 1) + 1; }
// The topic whose first paper is `firstPaper`, or 0.
int TopicOfFirstPaper(int firstPaper);
// The topic (from 1) paper `paperNumber` belongs to, or 0.
inline int TopicOfPaper(int paperNumber) { return paperNumber >= 1 ? (paperNumber - 1) / kPapersPerTopic + 1 : 0; }
// The paper number of button `offset` (0..4) of the topic whose first paper is given.
inline int PaperNumber(int firstPaper, int offset) { return firstPaper + offset; }
// The key of that paper: "101".."150".
std::string PaperKey(int firstPaper, int offset);
// A marked first attempt below a full score offers a second attempt.
bool OffersSecondAttempt(std::string_view firstAttemptScore);

}  // namespace qv
