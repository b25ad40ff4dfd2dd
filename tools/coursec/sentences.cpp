#include "sentences.h"

#include "course/text.h"

namespace coursec {

namespace {

constexpr std::string_view kOpenQuote = "\xE2\x80\x9C";   // U+201C
constexpr std::string_view kCloseQuote = "\xE2\x80\x9D";  // U+201D

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsSentenceEnd(char c) {
    return c == '.' || c == '!' || c == '?';
}

// The text ends a sentence, or is empty: what follows starts one.
bool EndsSentence(std::string_view text) {
    if (text.empty() || IsSentenceEnd(text.back())) return true;
    // "...the end." or "(...the end.)": a closed quotation or bracket after a full stop.
    for (std::string_view close : {std::string_view("\""), std::string_view(")"), kCloseQuote}) {
        if (EndsWith(text, close)) {
            const std::string_view rest = text.substr(0, text.size() - close.size());
            return !rest.empty() && rest.back() == '.';
        }
    }
    return false;
}

bool IsWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '\'' || u >= 0x80;
}

void AddWords(std::string_view text, std::vector<std::vector<std::string>>& to) {
    std::vector<std::string> words;
    std::string word;
    const auto finish = [&] {
        // Quotation marks written as apostrophes are not part of the word.
        const std::size_t first = word.find_first_not_of('\'');
        if (first != std::string::npos)
            words.push_back(word.substr(first, word.find_last_not_of('\'') + 1 - first));
        word.clear();
    };
    for (char c : text) {
        if (c == '_') {
            if (word != "_") {
                finish();
                word += '_';
            }
        } else if (IsWordByte(c)) {
            if (word == "_") finish();
            word += c;
        } else {
            finish();
        }
    }
    finish();
    if (!words.empty()) to.push_back(std::move(words));
}

}  // namespace

bool GapStartsSentence(std::string_view before) {
    before = qv::TrimSpacesAndTabs(before);
    if (EndsSentence(before)) return true;
    // A speaker's name at the start of the paragraph: "Amara:".
    if (before.back() == ':' && before.find_first_of(" \t") == std::string_view::npos &&
        before.size() > 1)
        return true;
    // The opening mark of a quotation that stands where a sentence may start.
    std::string_view quote;
    if (EndsWith(before, kOpenQuote))
        quote = kOpenQuote;
    else if (before.back() == '"')
        quote = "\"";
    else
        return false;
    const std::string_view ahead = before.substr(0, before.size() - quote.size());
    if (quote == "\"" && !ahead.empty() && ahead.back() != ' ' && ahead.back() != '\t')
        return false;  // a closing mark
    const std::string_view lead = qv::TrimSpacesAndTabs(ahead);
    return lead.empty() || lead.back() == ',' || lead.back() == ':' || EndsSentence(lead);
}

std::vector<std::vector<std::string>> SayingStretches(std::string_view paragraph) {
    std::vector<std::vector<std::string>> kept;
    std::vector<std::vector<std::string>> asking;  // outside quotations, this sentence
    std::string piece;
    bool quoted = false;
    const auto endPiece = [&] {
        AddWords(piece, quoted ? kept : asking);
        piece.clear();
    };
    const auto endSentence = [&](bool question) {
        endPiece();
        if (!question) kept.insert(kept.end(), asking.begin(), asking.end());
        asking.clear();
    };
    for (std::size_t i = 0; i < paragraph.size(); ++i) {
        const std::string_view rest = paragraph.substr(i);
        const bool open = rest.substr(0, kOpenQuote.size()) == kOpenQuote;
        const bool close = rest.substr(0, kCloseQuote.size()) == kCloseQuote;
        if (paragraph[i] == '"' || open || close) {
            endPiece();
            quoted = open || (!close && !quoted);
            if (open || close) i += kOpenQuote.size() - 1;
        } else if (IsSentenceEnd(paragraph[i])) {
            if (quoted)
                endPiece();
            else
                endSentence(paragraph[i] == '?');
        } else {
            piece += paragraph[i];
        }
    }
    quoted = false;
    endSentence(false);
    return kept;
}

}  // namespace coursec
