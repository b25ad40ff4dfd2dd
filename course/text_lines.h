#pragma once

// The one way every reader of a record file takes its text apart into lines:
// a line ends at CR LF, at LF alone or at CR alone, and the last line may
// lack its end. Files written on any system, or edited by hand, read alike.

#include <cstddef>
#include <string_view>
#include <vector>

namespace qv {

// Walks the lines of a text held in memory, onward only.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next line, without its end; false once the text is used up.
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = text_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (end < text_.size() && text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return true;
    }

    // Where the next line begins.
    std::size_t position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    for (std::string_view line; reader.Next(line);) lines.push_back(line);
    return lines;
}

}  // namespace qv
