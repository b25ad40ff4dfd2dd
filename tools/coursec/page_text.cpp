#include "page_text.h"

namespace coursec {

bool IsEscapeAt(std::string_view text, std::size_t at) {
    return at + 1 < text.size() && text[at] == '\\' &&
           std::string_view("*{}").find(text[at + 1]) != std::string_view::npos;
}

bool HasUnescapedBrace(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEscapeAt(text, i))
            ++i;
        else if (text[i] == '{' || text[i] == '}')
            return true;
    }
    return false;
}

std::string ShownText(std::string_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEscapeAt(text, i)) {
            shown += text[++i];
        } else if (text[i] != '*') {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace coursec
