#include <string>

#include "course/text.h"
#include "course_writer.h"
#include "page_text.h"

namespace coursec {

namespace {

const char* const kStyle =
    "body { font-family: 'Liberation Sans', Arial, Helvetica, sans-serif; font-size: 11pt;"
    " color: #1d2733; background-color: #ffffff; margin: 44px 22px 22px 22px; }\r\n"
    "p { margin-top: 0; margin-bottom: 10px; line-height: 150%; }\r\n"
    "p.instruction { font-weight: bold; color: #1f4e8c; margin-bottom: 14px; }\r\n"
    "h2 { font-size: 13pt; color: #1f4e8c; margin-top: 4px; margin-bottom: 8px; }\r\n"
    "span.label { font-weight: bold; color: #1f4e8c; }\r\n"
    "span.blank { color: #6b7a8c; }\r\n"
    "table.box { margin-bottom: 12px; background-color: #eef4fb; border-color: #9cb8d9; }\r\n"
    "table.box td { padding: 3px 10px; }\r\n"
    "table.options { margin-left: 18px; margin-bottom: 12px; }\r\n"
    "table.options td { padding: 2px 6px; }\r\n"
    "td.number { font-weight: bold; color: #1f4e8c; }\r\n";

}  // namespace

std::string HtmlText(const std::string& text, bool markup) {
    bool bold = false;
    std::string out = HtmlRun(text, bold, markup);
    if (bold) out += "</b>";
    return out;
}

std::string HtmlRun(const std::string& text, bool& bold, bool markup) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (markup && IsEscapeAt(text, i)) {
            out += text[i + 1];
            i += 2;
            continue;
        }
        const char c = text[i];
        if (markup && c == '*') {
            out += bold ? "</b>" : "<b>";
            bold = !bold;
            ++i;
            continue;
        }
        // The source has been checked to be UTF-8; anything else shows as U+FFFD.
        const auto decoded = qv::DecodeUtf8(text, i);
        const char32_t code = decoded ? decoded->code : 0xFFFD;
        i += decoded ? decoded->length : 1;
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else if (code < 0x80)
            out += c;
        else
            out += "&#" + std::to_string(static_cast<unsigned long>(code)) + ";";
    }
    return out;
}

namespace {

std::string PartLabel(int index) {
    return std::string("(") + static_cast<char>('a' + index) + ")";
}

bool PrintsBlank(char type) {
    return type != 'Q' && type != 'L';
}

std::string RenderPart(const Question& question, int index) {
    const bool several = question.parts.size() > 1;
    std::string out;
    if (several) out += "<span class=\"label\">" + PartLabel(index) + "</span>";
    if (PrintsBlank(question.parts[static_cast<std::size_t>(index)].type)) {
        if (several) out += "&nbsp;";
        out += "<span class=\"blank\">__________</span>";
    }
    return out;
}

}  // namespace

std::string BuildQuestionHtml(const Question& question) {
    std::string html;
    html += "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n";
    html += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=us-ascii\">\r\n";
    html += "<title>Question " + std::to_string(question.id) + "</title>\r\n";
    html += "<style type=\"text/css\">\r\n";
    html += kStyle;
    html += "</style>\r\n</head>\r\n<body>\r\n";
    if (!question.instruction.empty()) {
        html += "<p class=\"instruction\">" + HtmlText(question.instruction) + "</p>\r\n";
    }
    for (const Block& block : question.blocks) {
        switch (block.kind) {
            case Block::Kind::Heading:
                html += "<h2>" + HtmlText(block.text) + "</h2>\r\n";
                break;
            case Block::Kind::Paragraph: {
                // Bold runs on across the paragraph's lines and answer parts.
                html += "<p>";
                bool bold = false;
                for (const Segment& segment : block.segments) {
                    html += segment.isPart ? RenderPart(question, segment.part) : HtmlRun(segment.text, bold);
                }
                html += bold ? "</b></p>\r\n" : "</p>\r\n";
                break;
            }
            case Block::Kind::PartOnly: {
                const std::string part = RenderPart(question, block.part);
                if (!part.empty()) html += "<p>" + part + "</p>\r\n";
                break;
            }
            case Block::Kind::WordBox: {
                // Rows of a few words, so that a long box still fits a narrow page.
                constexpr std::size_t kBoxColumns = 5;
                html +=
                    "<table class=\"box\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\r\n";
                for (std::size_t i = 0; i < block.items.size(); ++i) {
                    if (i % kBoxColumns == 0) html += "<tr>";
                    html += "<td>" + HtmlText(block.items[i]) + "</td>";
                    if (i % kBoxColumns == kBoxColumns - 1 || i + 1 == block.items.size())
                        html += "</tr>\r\n";
                }
                html += "</table>\r\n";
                break;
            }
            case Block::Kind::Options: {
                const Part& part = question.parts[static_cast<std::size_t>(block.part)];
                html += "<table class=\"options\" cellspacing=\"0\" cellpadding=\"3\">\r\n";
                for (std::size_t i = 0; i < part.options.size(); ++i) {
                    html += "<tr><td class=\"number\">" + std::to_string(i + 1) + "</td><td>" +
                            HtmlText(part.options[i]) + "</td></tr>\r\n";
                }
                html += "</table>\r\n";
                break;
            }
        }
    }
    html += "</body>\r\n</html>\r\n";
    return html;
}

std::string EncodeQuotedPrintable(const std::string& text) {
    constexpr std::size_t kMaxLine = 76;
    const char* const hex = "0123456789ABCDEF";
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        const std::string line = text.substr(start, end - start);
        std::string current;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            const bool atEnd = i + 1 == line.size();
            std::string piece;
            if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !atEnd)) {
                piece = static_cast<char>(c);
            } else {
                piece = {'=', hex[c >> 4], hex[c & 15]};
            }
            // Keep room for the soft break '=' unless this is the line's last piece.
            const std::size_t room = atEnd ? kMaxLine : kMaxLine - 1;
            if (current.size() + piece.size() > room) {
                out += current + "=\r\n";
                current.clear();
            }
            current += piece;
        }
        out += current;
        if (last) break;
        out += "\r\n";
        start = end + 2;
    }
    return out;
}

std::string BuildQuestionPage(const Course& course, const Question& question) {
    (void)course;
    std::string page;
    page += "From: <Saved by the Quorvale course compiler>\r\n";
    page += "Subject: Question " + std::to_string(question.id) + "\r\n";
    page += "MIME-Version: 1.0\r\n";
    page += "Content-Type: text/html;\r\n\tcharset=\"us-ascii\"\r\n";
    page += "Content-Transfer-Encoding: quoted-printable\r\n";
    page +=
        "Content-Location: file:///quorvale/question" + std::to_string(question.id) + ".htm\r\n";
    page += "\r\n";
    page += EncodeQuotedPrintable(BuildQuestionHtml(question));
    return page;
}

}  // namespace coursec
