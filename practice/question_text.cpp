#include "practice/question_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "course/text.h"
#include "practice/marking.h"
#include "mhtml/mhtml.h"

namespace qv {

namespace {

std::string LowerAscii(std::string_view text) { return AsciiLowerCopy(text); }

// A character reference at `at` ("&amp;", "&#233;", "&#xE9;"); its length in
// `length`, or the '&' alone when it is not one.
std::string Reference(std::string_view html, std::size_t at, std::size_t& length) {
    const std::size_t end = html.find(';', at);
    length = 1;
    if (end == std::string_view::npos || end - at > 10) return "&";
    const std::string name = LowerAscii(html.substr(at + 1, end - at - 1));
    std::string out;
    if (name == "amp") out = "&";
    else if (name == "lt") out = "<";
    else if (name == "gt") out = ">";
    else if (name == "quot") out = "\"";
    else if (name == "apos") out = "'";
    else if (name == "nbsp") out = " ";
    else if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x';
        std::uint32_t code = 0;
        for (std::size_t i = hex ? 2 : 1; i < name.size(); ++i) {
            const char c = name[i];
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (digit < 0 || code > 0x10FFFF) return "&";
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        }
        const bool character = code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        AppendUtf8(out, !character ? U'\uFFFD' : code == 0xA0 ? U' ' : static_cast<char32_t>(code));
    } else {
        return "&";
    }
    length = end - at + 1;
    return out;
}

// Runs of blanks as one space, none at either end.
std::string Collapse(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool StartsBlock(std::string_view tag) {
    static constexpr std::string_view kBlocks[] = {"p", "br", "h1", "h2", "h3", "h4", "h5", "h6", "li",
                                                   "tr", "div", "table", "ul", "ol", "blockquote"};
    return std::find(std::begin(kBlocks), std::end(kBlocks), tag) != std::end(kBlocks);
}

bool IsBoxTable(std::string_view tagText) {
    const std::string lower = LowerAscii(tagText);
    const std::size_t at = lower.find("class=");
    if (at == std::string::npos) return false;
    std::string_view value = std::string_view(lower).substr(at + 6);
    if (!value.empty() && (value[0] == '"' || value[0] == '\'')) value.remove_prefix(1);
    return value.substr(0, 3) == "box" && (value.size() == 3 || !std::isalnum(static_cast<unsigned char>(value[3])));
}

}  // namespace

QuestionText ReadQuestionText(std::string_view html) {
    QuestionText page;
    std::string block, cell;
    bool inBox = false, inCell = false;
    std::string skipping;  // the element whose content is left out
    const auto endBlock = [&] {
        std::string text = Collapse(block);
        if (!text.empty()) page.paragraphs.push_back(std::move(text));
        block.clear();
    };
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const std::size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            const std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            const std::string_view tagText = html.substr(i + 1, end - i - 1);
            i = end + 1;
            const bool closing = !tagText.empty() && tagText[0] == '/';
            std::size_t nameEnd = closing ? 1 : 0;
            while (nameEnd < tagText.size() && std::isalnum(static_cast<unsigned char>(tagText[nameEnd]))) ++nameEnd;
            const std::string name = LowerAscii(tagText.substr(closing ? 1 : 0, nameEnd - (closing ? 1 : 0)));
            if (!skipping.empty()) {
                if (closing && name == skipping) skipping.clear();
                continue;
            }
            if (!closing && (name == "head" || name == "style" || name == "script" || name == "title")) {
                skipping = name;
                continue;
            }
            if (name == "table" && !closing && IsBoxTable(tagText)) inBox = true;
            if (inBox && name == "td") {
                if (!closing) {
                    inCell = true;
                    cell.clear();
                } else if (inCell) {
                    std::string word = Collapse(cell);
                    if (!word.empty()) page.boxWords.push_back(std::move(word));
                    inCell = false;
                }
            }
            if (name == "td" || name == "th") block += ' ';
            if (StartsBlock(name)) endBlock();
            if (name == "table" && closing) inBox = false;
            continue;
        }
        if (!skipping.empty()) {
            ++i;
            continue;
        }
        std::string text;
        if (c == '&') {
            std::size_t length = 1;
            text = Reference(html, i, length);
            i += length;
        } else {
            text = std::string(1, c);
            ++i;
        }
        block += text;
        if (inCell) cell += text;
    }
    endBlock();
    return page;
}

QuestionText LoadQuestionText(const ResourceSource& source, std::string_view questionId) {
    const auto id = ParseStoredInt(questionId);
    if (!id) return {};
    const auto bytes = source.Load(*id, kResourceType);
    if (!bytes) return {};
    const MhtmlArchive archive = DecodeMhtml(*bytes);
    if (!archive.ok()) return {};
    return ReadQuestionText(archive.html);
}

Fields PlacedBoxWords(const QuestionText& page, const Fields& questionKeys) {
    Fields placed;
    for (const std::string& word : page.boxWords) {
        const auto bytes = Utf8ToCp1252(word);
        if (!bytes) continue;
        const std::string comparable = FoldCase(TrimSpaces(PlainTypography(*bytes)));
        const bool keyed = std::any_of(questionKeys.begin(), questionKeys.end(), [&](const std::string& key) {
            return FoldCase(TrimSpaces(PlainTypography(key))) == comparable;
        });
        if (keyed) placed.push_back(*bytes);
    }
    return placed;
}

Fields PlacedBoxWordsOf(const ResourceSource& source, const PaperData& paper, int question) {
    if (question < 1 || question > paper.questionCount()) return {};
    int offset = 0;
    for (int q = 0; q + 1 < question; ++q) offset += paper.partCounts[static_cast<std::size_t>(q)];
    const int count = paper.partCounts[static_cast<std::size_t>(question - 1)];
    if (offset + count > paper.totalParts()) return {};
    const auto first = paper.answerKey.begin() + offset;
    return PlacedBoxWords(LoadQuestionText(source, paper.questionIds[static_cast<std::size_t>(question - 1)]),
                          Fields(first, first + count));
}

namespace {

bool EndsSentence(std::string_view text, std::size_t at) {
    const char c = text[at];
    if (c != '.' && c != '!' && c != '?') return false;
    return at + 1 == text.size() || text[at + 1] == ' ';
}

// "2 rough": a row of a choice part's options, its number and its text.
bool IsOptionRow(std::string_view paragraph) {
    std::size_t digits = 0;
    while (digits < paragraph.size() && paragraph[digits] >= '0' && paragraph[digits] <= '9') ++digits;
    return digits > 0 && digits < 3 && digits + 1 < paragraph.size() && paragraph[digits] == ' ';
}

// The sentence of `paragraph` that holds byte `at`.
std::string SentenceAround(std::string_view paragraph, std::size_t at) {
    std::size_t start = 0;
    for (std::size_t i = at; i-- > 0;) {
        if (EndsSentence(paragraph, i)) {
            start = i + 1;
            break;
        }
    }
    std::size_t end = paragraph.size();
    for (std::size_t i = at; i < paragraph.size(); ++i) {
        if (EndsSentence(paragraph, i)) {
            end = i + 1;
            break;
        }
    }
    return Collapse(paragraph.substr(start, end - start));
}

}  // namespace

std::string QuestionExcerpt(const QuestionText& page, std::size_t part, std::size_t partCount, std::size_t longPage) {
    std::size_t total = 0;
    for (const std::string& paragraph : page.paragraphs) total += paragraph.size() + 1;
    std::string out;
    if (total <= longPage) {
        for (const std::string& paragraph : page.paragraphs) out += (out.empty() ? "" : "\n") + paragraph;
        return out;
    }
    if (partCount > 1 && part < 26) {
        const std::string label = std::string("(") + static_cast<char>('a' + part) + ")";
        for (std::size_t p = 1; p < page.paragraphs.size(); ++p) {
            const std::size_t at = page.paragraphs[p].find(label);
            if (at == std::string::npos) continue;
            out = page.paragraphs.front() + "\n... " + SentenceAround(page.paragraphs[p], at) + " ...";
            // A choice part's options follow its sentence, one row each ("2 rough"):
            // without them its answer and model answer are only numbers.
            for (std::size_t q = p + 1; q < page.paragraphs.size() && IsOptionRow(page.paragraphs[q]); ++q) {
                out += "\n" + page.paragraphs[q];
            }
            return out;
        }
    }
    for (const std::string& paragraph : page.paragraphs) {
        if (!out.empty() && out.size() + paragraph.size() > longPage) break;
        out += (out.empty() ? "" : "\n") + paragraph;
    }
    return out + "\n...";
}

}  // namespace qv
