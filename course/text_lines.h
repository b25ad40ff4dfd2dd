#pragma once

// The one way every reader of a record file takes its text apart into lines:
// a line ends at CR LF, at LF alone or at CR alone, and the last line may
// lack its end. Files written on any system, or edited by hand, read alike.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

namespace qv {

// Finds the line ends of one text, onward only. Each kind of end (CR, LF) is
// looked for with memchr and remembered until passed, so however the lines
// end the text is scanned at most once for each kind.
class LineEnds {
public:
    explicit LineEnds(std::string_view text) : text_(text), cr_(Find('\r', 0)), lf_(Find('\n', 0)) {}

    // The first CR or LF at or after `from`, or the text's size if none.
    std::size_t From(std::size_t from) {
        if (from >= text_.size()) return text_.size();
        if (cr_ < from) cr_ = Find('\r', from);
        if (lf_ < from) lf_ = Find('\n', from);
        return std::min(cr_, lf_);
    }

private:
    std::size_t Find(char c, std::size_t from) const {
        if (from >= text_.size()) return text_.size();
        const void* at = std::memchr(text_.data() + from, c, text_.size() - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text_.data()) : text_.size();
    }

    std::string_view text_;
    std::size_t cr_, lf_;
};

// Whether the text holds a CR or an LF anywhere.
inline bool HasLineEnd(std::string_view text) { return LineEnds(text).From(0) < text.size(); }

// Walks the lines of a text held in memory, onward only.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text), ends_(text) {}

    // The next line, without its end; false once the text is used up.
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t end = ends_.From(pos_);
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (end < text_.size() && text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return true;
    }

    // Where the next line begins.
    std::size_t position() const { return pos_; }

private:
    std::string_view text_;
    LineEnds ends_;
    std::size_t pos_ = 0;
};

inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    for (std::string_view line; reader.Next(line);) lines.push_back(line);
    return lines;
}

}  // namespace qv
