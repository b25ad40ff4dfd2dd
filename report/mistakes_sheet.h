#pragma once

// The printed mistakes sheet: a title, then for each topic (most-missed
// first) a heading and, for every part still wrong, where it stands, the
// question's text, the pupil's last answer, the model answer and why the
// answer was wrong. Lines are wrapped here, at a number of characters, so
// the widget that prints the sheet only turns lines into positions on the
// page. Texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "report/mistakes.h"

namespace qv {

inline constexpr int kSheetColumns = 84;

struct SheetLine {
    enum class Style { Title, Heading, Place, Text, Answer, Blank };
    Style style = Style::Text;
    int indent = 0;  // in characters
    std::string text;

    bool operator==(const SheetLine&) const = default;
};

// Words of `text` on lines of at most `width` characters (a longer word
// stands alone on its line); a line break in the text starts a new line.
std::vector<std::string> WrapWords(std::string_view text, int width);

// `title` and the module's topic names are Windows-1252, as stored.
std::vector<SheetLine> MistakesSheet(std::string_view title, const ModuleConfig& module,
                                     const std::vector<Mistake>& parts, int width = kSheetColumns);

// The sheet as plain text: each line at its indent, none at the end.
std::string SheetText(const std::vector<SheetLine>& lines);

}  // namespace qv
