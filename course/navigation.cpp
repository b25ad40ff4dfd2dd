#include "course/navigation.h"

#include "course/text.h"

namespace qv {

ToolbarButtonLook ToolbarButton(int tab, int button) {
    const std::string_view help[] = {"About", "Trash", "", "Setup"};
    const std::string_view module[] = {"Home", "Report", "Print", "Close"};
    if (button < 1 || button > 4) return {};
    const std::string_view caption = (tab == kHelpTab ? help : module)[button - 1];
    const std::string text(caption);
    if (caption == "Home") return {caption, "home", "Load " + text + " page"};
    if (caption == "Report") return {caption, "report", "Load " + text + " card"};
    if (caption == "Print") return {caption, "print", text + " results"};
    if (caption == "Close") return {caption, "close", text + " program"};
    if (caption == "About") return {caption, "about", text + " Quorvale"};
    if (caption == "Trash") return {caption, "trash", text + " past results"};
    if (caption == "Setup") return {caption, "setup", "Printer " + text};
    return {"", "print", ""};  // the Help tab's third button carries no command
}

PageAction ShowPageAction(int tab, int button) {
    if (tab == kHelpTab) {
        switch (button) {
            case 1: return PageAction::About;
            case 2: return PageAction::Trash;
            case 4: return PageAction::PrintSetup;
            default: return PageAction::Nothing;
        }
    }
    switch (button) {
        case 1: return PageAction::Home;
        case 2: return PageAction::Report;
        case 3: return PageAction::PrintResults;
        case 4: return PageAction::CloseProgram;
        default: return PageAction::Nothing;
    }
}

std::array<int, 4> TabLefts(const std::array<bool, 3>& configured, int tabWidth, int start) {
    std::array<int, 4> lefts{};
    int x = start;
    for (std::size_t slot = 0; slot < configured.size(); ++slot) {
        if (configured[slot]) {
            lefts[slot] = x;
            x += tabWidth - 4;
        } else {
            lefts[slot] = -tabWidth;
        }
    }
    lefts[3] = x;
    return lefts;
}

ReportLayout ReportSectionLayout(int section, int height, const std::array<int, kReportSections>& barHeights) {
    ReportLayout layout;
    const int open = section >= 1 && section <= kReportSections ? section : 1;
    int total = 0;
    for (const int h : barHeights) total += h;
    layout.panelHeight = height - total;
    int top = 0;
    for (int i = 0; i < open; ++i) {
        layout.barTops[static_cast<std::size_t>(i)] = top;
        top += barHeights[static_cast<std::size_t>(i)];
    }
    layout.panelTop = top;
    int bottom = height;
    for (int i = kReportSections - 1; i >= open; --i) {
        bottom -= barHeights[static_cast<std::size_t>(i)];
        layout.barTops[static_cast<std::size_t>(i)] = bottom;
    }
    return layout;
}

int TopicOfFirstPaper(int firstPaper) {
    if (firstPaper < 1 || (firstPaper - 1) % kPapersPerTopic != 0) return 0;
    const int topic = TopicOfPaper(firstPaper);
    return topic <= 10 ? topic : 0;
}

std::string PaperKey(int firstPaper, int offset) { return std::to_string(kPaperKeyOffset + PaperNumber(firstPaper, offset)); }

bool OffersSecondAttempt(std::string_view firstAttemptScore) {
    const auto score = ParseStoredNumber(firstAttemptScore);
    return score.has_value() && *score < 100;
}

}  // namespace qv
