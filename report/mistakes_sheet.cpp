#include "report/mistakes_sheet.h"

#include <algorithm>

#include "course/text.h"

namespace qv {

namespace {

// Characters, not bytes, of UTF-8 text.
std::size_t Length(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Name(const ModuleConfig& module, int topic) {
    const auto i = static_cast<std::size_t>(topic - 1);
    return i < module.topicNames.size() ? Cp1252ToUtf8(module.topicNames[i]) : std::string();
}

void AddWrapped(std::vector<SheetLine>& out, SheetLine::Style style, int indent, std::string_view text, int width) {
    for (std::string& line : WrapWords(text, std::max(20, width - indent))) out.push_back({style, indent, std::move(line)});
}

// "Your answer:  went", continued under the text when it wraps.
void AddAnswer(std::vector<SheetLine>& out, std::string_view label, std::string_view text, int width) {
    constexpr int kIndent = 4, kLabel = 15;
    std::string padded(label);
    padded.resize(kLabel, ' ');
    const std::vector<std::string> lines = WrapWords(text.empty() ? std::string_view("-") : text,
                                                     std::max(20, width - kIndent - kLabel));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.push_back({SheetLine::Style::Answer, i == 0 ? kIndent : kIndent + kLabel,
                       i == 0 ? padded + lines[i] : lines[i]});
    }
}

std::string Place(const Mistake& m) {
    std::string place = "Paper " + std::to_string(m.paperInTopic) + ", question " + std::to_string(m.question);
    if (m.partsInQuestion > 1 && m.part < 26) place += std::string(" (") + static_cast<char>('a' + m.part) + ")";
    return place;
}

}  // namespace

std::vector<std::string> WrapWords(std::string_view text, int width) {
    std::vector<std::string> lines;
    const auto limit = static_cast<std::size_t>(std::max(1, width));
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view paragraph = text.substr(start, end - start);
        std::string line;
        std::size_t at = 0;
        while (at < paragraph.size()) {
            const std::size_t space = paragraph.find(' ', at);
            const std::size_t wordEnd = space == std::string_view::npos ? paragraph.size() : space;
            const std::string_view word = paragraph.substr(at, wordEnd - at);
            at = wordEnd + 1;
            if (word.empty()) continue;
            if (!line.empty() && Length(line) + 1 + Length(word) > limit) {
                lines.push_back(std::move(line));
                line.clear();
            }
            if (!line.empty()) line += ' ';
            line += word;
        }
        if (!line.empty() || paragraph.empty()) lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<SheetLine> MistakesSheet(std::string_view title, const ModuleConfig& module,
                                     const std::vector<Mistake>& parts, int width) {
    using Style = SheetLine::Style;
    std::vector<SheetLine> out;
    std::string heading = Cp1252ToUtf8(title);
    if (!module.label.empty()) heading += " - " + Cp1252ToUtf8(module.label);
    out.push_back({Style::Title, 0, heading + ": mistakes to go over"});
    AddWrapped(out, Style::Text, 0,
               "Every part still wrong after a marked second attempt, the topic with the most first.", width);
    if (parts.empty()) AddWrapped(out, Style::Text, 0, "Nothing is still wrong: well done.", width);
    int topic = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Mistake& m = parts[i];
        if (m.topic != topic) {
            topic = m.topic;
            const auto count = std::count_if(parts.begin(), parts.end(), [&](const Mistake& x) { return x.topic == topic; });
            out.push_back({Style::Blank, 0, {}});
            out.push_back({Style::Heading, 0,
                           Name(module, topic) + " - " + std::to_string(count) +
                               (count == 1 ? " part still wrong" : " parts still wrong")});
        }
        out.push_back({Style::Blank, 0, {}});
        out.push_back({Style::Place, 2, Place(m)});
        AddWrapped(out, Style::Text, 4, m.questionText, width);
        AddAnswer(out, "Your answer:", Cp1252ToUtf8(m.answer), width);
        AddAnswer(out, "Model answer:", Cp1252ToUtf8(m.model), width);
        AddAnswer(out, "Why:", Cp1252ToUtf8(m.reason), width);
    }
    return out;
}

std::string SheetText(const std::vector<SheetLine>& lines) {
    std::string text;
    for (const SheetLine& line : lines) {
        if (!line.text.empty()) text += std::string(static_cast<std::size_t>(line.indent), ' ') + line.text;
        text += '\n';
    }
    return text;
}

}  // namespace qv
