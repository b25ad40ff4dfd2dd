#include "course/record_keys.h"

#include <algorithm>
#include <string>
#include <vector>

#include "course/text_lines.h"

namespace qv {

namespace {

std::vector<std::string> LineKeys(std::string_view text) {
    std::vector<std::string> keys;
    LineReader lines(text);
    for (std::string_view line; lines.Next(line);) {
        const std::size_t close = line.size() > 1 && line[0] == '#' ? line.find('#', 1) : std::string_view::npos;
        if (close != std::string_view::npos) {
            std::string key(line.substr(0, close + 1));
            for (char& c : key) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            keys.push_back(std::move(key));
        }
    }
    return keys;
}

}  // namespace

bool SharesRecordKeys(std::string_view text, std::string_view reference) {
    const std::vector<std::string> expected = LineKeys(reference);
    const std::vector<std::string> found = LineKeys(text);
    return std::any_of(found.begin(), found.end(), [&](const std::string& key) {
        return std::find(expected.begin(), expected.end(), key) != expected.end();
    });
}

}  // namespace qv
