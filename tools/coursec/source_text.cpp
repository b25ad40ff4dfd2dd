#include "source_text.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "course/atomic_file.h"
#include "course/text.h"

namespace coursec {

namespace {

// Why a line cannot be page text, or empty when it can.
std::string LineFault(std::string_view line) {
    const std::size_t bad = qv::FindInvalidUtf8(line);
    char hex[8];
    if (bad != std::string_view::npos) {
        std::snprintf(hex, sizeof hex, "0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(line[bad])));
        return "the text is not valid UTF-8 (byte " + std::string(hex) + " at column " +
               std::to_string(bad + 1) + "); save the file as UTF-8";
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(c));
            return "the line holds the control character " + std::string(hex) + " at column " +
                   std::to_string(i + 1);
        }
    }
    return {};
}

}  // namespace

std::vector<std::string> ReadSourceLines(const std::filesystem::path& file,
                                         const std::string& shownName,
                                         const SourceError& unreadable) {
    const auto read = qv::ReadWholeFile(file);
    if (!read.ok()) throw unreadable;
    std::string_view bytes = read.value;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        const std::string_view line =
            bytes.substr(start, end == std::string_view::npos ? end : end - start);
        const std::string fault = LineFault(line);
        if (!fault.empty()) throw SourceError(shownName, static_cast<int>(lines.size()) + 1, fault);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

bool IsComment(std::string_view line) {
    line = qv::TrimSpacesAndTabs(line);
    return !line.empty() && line.front() == '%';
}

bool SplitDirective(std::string_view line, std::string_view key, std::string& value) {
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':')
        return false;
    value = qv::TrimSpacesAndTabs(line.substr(key.size() + 1));
    return true;
}

bool StartsWithWord(std::string_view line, std::string_view word, std::string& rest) {
    if (line.size() <= word.size() || line.substr(0, word.size()) != word) return false;
    if (line[word.size()] != ' ' && line[word.size()] != '\t') return false;
    rest = qv::TrimSpacesAndTabs(line.substr(word.size()));
    return !rest.empty();
}

bool SplitOption(std::string_view line, int& number, std::string& text) {
    const std::size_t paren = line.find(')');
    if (paren == std::string_view::npos || paren == 0 || paren > 2 ||
        !IsDigits(line.substr(0, paren)))
        return false;
    if (paren + 1 >= line.size() || (line[paren + 1] != ' ' && line[paren + 1] != '\t'))
        return false;
    number = std::stoi(std::string(line.substr(0, paren)));
    text = qv::TrimSpacesAndTabs(line.substr(paren + 1));
    return true;
}

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::istringstream in{std::string(text)};
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

bool HasExternalReference(std::string_view text) {
    const std::string lower = qv::AsciiLowerCopy(text);
    // At the start of a word ("profile:" is a word of the text), and "file:"
    // and "ftp:" only as the start of an address ("the file: ..." is text too).
    const struct {
        std::string_view marker;
        bool slashAfter;
    } markers[] = {{"http:", false}, {"https:", false}, {"ftp:", true},
                   {"file:", true},  {"www.", false},   {"mailto:", false}};
    for (const auto& [marker, slashAfter] : markers) {
        for (std::size_t at = lower.find(marker); at != std::string::npos; at = lower.find(marker, at + 1)) {
            const bool wordStart = at == 0 || !std::isalnum(static_cast<unsigned char>(lower[at - 1]));
            const std::size_t after = at + marker.size();
            if (wordStart && (!slashAfter || (after < lower.size() && lower[after] == '/'))) return true;
        }
    }
    return false;
}

}  // namespace coursec
