#include "preview.h"

#include <set>
#include <system_error>
#include <vector>

#include "course/atomic_file.h"
#include "course_writer.h"
#include "page_text.h"

namespace coursec {

namespace fs = std::filesystem;

namespace {

// The key stands in a table of its own, which browsers and Qt's page view
// both draw with its frame and shading.
const char* const kKeyStyle =
    "table.keybox { margin-top: 28px; border: 2px dashed #c0883a; background-color: #fff8ec; }\r\n"
    "table.keybox p { margin-bottom: 6px; }\r\n"
    "p.keytitle { font-weight: bold; color: #8a5a14; }\r\n"
    "table.key { margin-bottom: 8px; }\r\n"
    "table.key td, table.key th { padding: 3px 10px; text-align: left; vertical-align: top; }\r\n"
    "table.key th { color: #8a5a14; border-bottom: 1px solid #ead9bd; }\r\n"
    "p.where { color: #6b7a8c; font-size: 9pt; }\r\n";

const char* const kIndexStyle =
    "body { font-family: 'Liberation Sans', Arial, Helvetica, sans-serif; font-size: 11pt;"
    " color: #1d2733; margin: 22px; }\r\n"
    "h1 { font-size: 16pt; color: #1f4e8c; }\r\n"
    "h2 { font-size: 13pt; color: #1f4e8c; margin-top: 22px; }\r\n"
    "h3 { font-size: 11pt; margin-bottom: 4px; }\r\n"
    "span.file { color: #6b7a8c; font-weight: normal; }\r\n"
    "td { padding: 2px 8px; vertical-align: top; }\r\n"
    "a { color: #1f4e8c; }\r\n";

std::string Plain(const std::string& text) {
    return HtmlText(text, false);
}

std::string Link(int id, const std::string& text) {
    return "<a href=\"" + std::to_string(id) + ".html\">" + text + "</a>";
}

// How the program marks an answer of this type, in the teacher's words.
std::string HowMarked(char type) {
    switch (type) {
        case 'Q':
            return "the number of the right option";
        case 'T':
            return "this word; letter case and spaces around it do not count";
        case 'L':
            return "this sentence; letter case does not count";
        case 'N':
            return "a number of this value, written any way";
        case 'R':
        case 'F':
        case 'X':
            return "this spelling; letter case counts";
        default:
            return "any one of these; each counts once in its group";
    }
}

std::string KeyText(const Part& part) {
    if (part.type == 'Q') {
        const auto option = static_cast<std::size_t>(part.key[0] - '1');
        return Plain(part.key) + ") " + HtmlText(part.options.at(option));
    }
    const std::vector<std::string> answers = part.answers();
    if (answers.empty()) return "another answer of the group above";
    std::string text;
    for (const std::string& answer : answers)
        text += (text.empty() ? "" : " &nbsp;|&nbsp; ") + Plain(answer);
    return text;
}

std::string KeyBox(const Topic& topic, const Paper& paper, std::size_t index, int previous,
                   int next) {
    const Question& question = paper.questions[index];
    std::string html =
        "<table class=\"keybox\" width=\"100%\" cellspacing=\"0\" cellpadding=\"10\" "
        "bgcolor=\"#fff8ec\"><tr><td>\r\n<p class=\"keytitle\">Key (the pupil does not see "
        "it)</p>\r\n";
    html +=
        "<table class=\"key\">\r\n<tr><th>Answer</th><th>Right when the pupil "
        "types</th><th>Marks</th></tr>\r\n";
    for (std::size_t i = 0; i < question.parts.size(); ++i) {
        const Part& part = question.parts[i];
        const std::string label =
            question.parts.size() > 1 ? std::string("(") + static_cast<char>('a' + i) + ")" : "";
        html += "<tr><td>" + label + "</td><td><b>" + KeyText(part) + "</b><br>" +
                HowMarked(part.type) + "</td><td>" + std::to_string(part.mark) + "</td></tr>\r\n";
    }
    html += "</table>\r\n<p class=\"where\">" + Plain(topic.name) + ", paper " +
            std::to_string(paper.key) + ", question " + std::to_string(index + 1) + " of " +
            std::to_string(paper.questions.size()) + " (id " + std::to_string(question.id) + "), " +
            Plain(question.file) + " line " + std::to_string(question.line) + "</p>\r\n<p>";
    if (previous != 0) html += Link(previous, "&larr; Previous question") + " &nbsp; ";
    html += "<a href=\"index.html\">All questions</a>";
    if (next != 0) html += " &nbsp; " + Link(next, "Next question &rarr;");
    html += "</p>\r\n</td></tr></table>\r\n";
    return html;
}

// The first words of the question, to tell it in the index.
std::string Opening(const Question& question) {
    for (const Block& block : question.blocks) {
        std::string text;
        if (block.kind == Block::Kind::Heading) text = block.text;
        if (block.kind == Block::Kind::Paragraph) text = AnsweredParagraph(question, block);
        text = ShownText(text);
        if (text.find_first_not_of(' ') == std::string::npos) continue;
        constexpr std::size_t kLength = 70;
        if (text.size() > kLength) {
            std::size_t cut = text.rfind(' ', kLength);
            if (cut == std::string::npos || cut < kLength / 2) cut = kLength;
            while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
            text = text.substr(0, cut) + " ...";
        }
        return text;
    }
    return {};
}

}  // namespace

std::string PreviewPage(const Topic& topic, const Paper& paper, std::size_t index, int previous,
                        int next) {
    std::string html = BuildQuestionHtml(paper.questions[index]);
    html.insert(html.find("</style>"), kKeyStyle);
    html.insert(html.rfind("</body>"), KeyBox(topic, paper, index, previous, next));
    return html;
}

std::string PreviewIndex(const Course& course) {
    std::string html = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n";
    html += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=us-ascii\">\r\n";
    html += "<title>" + Plain(course.title) + "</title>\r\n<style type=\"text/css\">\r\n";
    html += kIndexStyle;
    html += "</style>\r\n</head>\r\n<body>\r\n<h1>" + Plain(course.title) + " (" + course.code +
            ")</h1>\r\n";
    html += "<p>Every question as the pupil sees it, with its key under it.</p>\r\n";
    for (const Module& module : course.modules) {
        html +=
            "<h2>Module " + std::to_string(module.slot) + ": " + Plain(module.label) + "</h2>\r\n";
        for (std::size_t t = 0; t < module.topics.size(); ++t) {
            const Topic& topic = module.topics[t];
            html += "<h3>Topic " + std::to_string(t + 1) + ": " + Plain(topic.name) +
                    " <span class=\"file\">" + Plain(topic.file) + "</span></h3>\r\n<table>\r\n";
            for (std::size_t p = 0; p < topic.papers.size(); ++p) {
                const Paper& paper = topic.papers[p];
                html += "<tr><td>Paper " + std::to_string(p + 1) + " (" +
                        std::to_string(paper.key) + ")</td><td>";
                for (std::size_t q = 0; q < paper.questions.size(); ++q) {
                    const Question& question = paper.questions[q];
                    html += (q == 0 ? "" : "<br>") +
                            Link(question.id, "Question " + std::to_string(q + 1)) + " &nbsp;" +
                            HtmlText(Opening(question));
                }
                html += "</td></tr>\r\n";
            }
            html += "</table>\r\n";
        }
    }
    html += "</body>\r\n</html>\r\n";
    return html;
}

std::string WritePreview(const Course& course, const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "cannot make the folder " + folder.string() + ": " + error.message();
    std::vector<std::tuple<const Topic*, const Paper*, std::size_t>> questions;
    for (const Module& module : course.modules)
        for (const Topic& topic : module.topics)
            for (const Paper& paper : topic.papers)
                for (std::size_t q = 0; q < paper.questions.size(); ++q)
                    questions.emplace_back(&topic, &paper, q);

    std::set<std::string> written = {"index.html"};
    const auto write = [&](const std::string& name, const std::string& html) {
        written.insert(name);
        return qv::AtomicWriteFile(folder / name, html) == qv::IoStatus::Ok;
    };
    for (std::size_t k = 0; k < questions.size(); ++k) {
        const auto& [topic, paper, q] = questions[k];
        const auto idAt = [&](std::size_t at) {
            const auto& [t, p, i] = questions[at];
            return p->questions[i].id;
        };
        const int id = paper->questions[q].id;
        const std::string page = PreviewPage(*topic, *paper, q, k > 0 ? idAt(k - 1) : 0,
                                             k + 1 < questions.size() ? idAt(k + 1) : 0);
        if (!write(std::to_string(id) + ".html", page))
            return "cannot write " + (folder / (std::to_string(id) + ".html")).string();
    }
    if (!write("index.html", PreviewIndex(course)))
        return "cannot write " + (folder / "index.html").string();
    // Pages of questions from an earlier preview that the course no longer has.
    fs::directory_iterator entry(folder, error);
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        const fs::path name = entry->path().filename();
        const std::string stem = name.stem().string();
        std::error_code removeError;
        if (name.extension() == ".html" && !written.count(name.string()) && !stem.empty() &&
            stem.find_first_not_of("0123456789") == std::string::npos)
            fs::remove(entry->path(), removeError);
    }
    return {};
}

}  // namespace coursec
