#include "course_review.h"

#include <map>
#include <set>
#include <utility>

#include "course/text.h"
#include "page_text.h"
#include "sentences.h"

namespace coursec {

namespace {

using Stretch = std::vector<std::string>;

std::string Join(const Stretch& words, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) text += (i == from ? "" : " ") + words[i];
    return text;
}

// A choice question of one blank: the blank read with the right option in it.
std::string FilledBlank(const Question& question, const std::vector<std::string>& paragraphs) {
    const Part* choice = nullptr;
    for (const Part& part : question.parts) {
        if (part.type != 'Q') continue;
        if (choice) return {};
        choice = &part;
    }
    std::size_t blanks = 0;
    for (const std::string& text : paragraphs) {
        for (std::size_t at = text.find('_'); at != std::string::npos;
             at = text.find('_', text.find_first_not_of('_', at))) {
            ++blanks;
        }
    }
    if (!choice || blanks != 1) return {};
    return ShownText(choice->options[static_cast<std::size_t>(choice->key[0] - '1')]);
}

// The words of the question that say something, with every gap filled.
std::vector<Stretch> QuestionStretches(const Question& question) {
    std::vector<std::string> paragraphs;
    for (const Block& block : question.blocks) {
        if (block.kind == Block::Kind::Paragraph)
            paragraphs.push_back(AnsweredParagraph(question, block));
    }
    const std::string blank = FilledBlank(question, paragraphs);
    std::vector<Stretch> stretches;
    for (std::string& text : paragraphs) {
        const std::size_t at = text.find('_');
        if (!blank.empty() && at != std::string::npos) {
            text.replace(at, text.find_first_not_of('_', at) - at, blank);
        }
        for (Stretch& stretch : SayingStretches(text)) stretches.push_back(std::move(stretch));
    }
    for (const Part& part : question.parts) {
        if (part.type != 'L') continue;
        for (Stretch& stretch : SayingStretches(part.key)) stretches.push_back(std::move(stretch));
    }
    return stretches;
}

std::string Where(const Question& question) {
    return question.file + ":" + std::to_string(question.line);
}

}  // namespace

std::vector<Diagnostic> ReviewCourse(const Course& course) {
    std::vector<const Question*> questions;
    for (const Module& module : course.modules)
        for (const Topic& topic : module.topics)
            for (const Paper& paper : topic.papers)
                for (const Question& question : paper.questions) questions.push_back(&question);

    std::vector<Diagnostic> warnings;
    std::map<std::string, std::size_t> firstWith;  // words in a row -> the first question
    std::set<std::pair<std::size_t, std::size_t>> told;
    std::map<std::string, std::size_t> titles;
    for (std::size_t k = 0; k < questions.size(); ++k) {
        const Question& question = *questions[k];
        for (const Stretch& stretch : QuestionStretches(question)) {
            if (stretch.size() < kRepeatedWords) continue;
            Stretch lower;
            for (const std::string& word : stretch) lower.push_back(qv::AsciiLowerCopy(word));
            const auto run = [&](std::size_t at) { return Join(lower, at, at + kRepeatedWords); };
            for (std::size_t i = 0; i + kRepeatedWords <= lower.size(); ++i) {
                const auto [at, first] = firstWith.emplace(run(i), k);
                const std::size_t other = at->second;
                if (first || other == k || !told.insert({other, k}).second) continue;
                std::size_t end = i + kRepeatedWords;
                while (end < lower.size()) {
                    const auto next = firstWith.find(run(end + 1 - kRepeatedWords));
                    if (next == firstWith.end() || next->second != other) break;
                    ++end;
                }
                warnings.push_back({Diagnostic::Kind::Warning, question.file, question.line,
                                    "the question shares the words \"" + Join(stretch, i, end) +
                                        "\" with the question at " + Where(*questions[other])});
            }
        }
        for (const Block& block : question.blocks) {
            if (block.kind != Block::Kind::Heading) continue;
            const std::string title = qv::AsciiLowerCopy(ShownText(block.text));
            const auto [at, first] = titles.emplace(title, k);
            if (first || at->second == k) continue;
            warnings.push_back({Diagnostic::Kind::Warning, question.file, question.line,
                                "the passage has the title \"" + ShownText(block.text) +
                                    "\", as the passage at " + Where(*questions[at->second]) +
                                    " has"});
        }
    }
    return warnings;
}

}  // namespace coursec
