#pragma once

// The course as read from its source files (see docs/course-format.md).

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "course/course_limits.h"

namespace coursec {

// A fault in the source, reported as "file:line: message".
class SourceError : public std::runtime_error {
  public:
    SourceError(std::string file, int line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message),
          file_(std::move(file)),
          line_(line),
          message_(message) {}
    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& message() const { return message_; }

  private:
    std::string file_;
    int line_;
    std::string message_;
};

struct Part {
    char type = 'T';
    int mark = 1;
    std::string key;                   // as the pupil types it, UTF-8
    std::vector<std::string> options;  // choice parts: options 1..n
    int line = 0;

    // The answers the key allows, each non-empty: one, or the list of a group
    // part (none for a further part of a group).
    std::vector<std::string> answers() const;
};

// A run of a paragraph: plain text (with *bold* still marked) or a part.
struct Segment {
    bool isPart = false;
    std::string text;
    int part = -1;  // index into Question::parts
};

struct Block {
    enum class Kind { Paragraph, Heading, WordBox, Options, PartOnly };
    Kind kind = Kind::Paragraph;
    std::vector<Segment> segments;   // Paragraph
    std::string text;                // Heading
    std::vector<std::string> items;  // WordBox
    int part = -1;                   // Options, PartOnly
    int line = 0;                    // where it starts
};

struct Question {
    std::string file;
    int line = 0;
    std::string instruction;
    int instructionLine = 0;  // 0: the question has no instruction
    std::vector<Block> blocks;
    std::vector<Part> parts;
    int id = 0;             // resource id, given out after reading
    bool readWhole = true;  // false: a line of it could not be read
};

struct Paper {
    int key = 0;
    int line = 0;
    std::vector<Question> questions;
};

struct Topic {
    std::string name;
    std::string file;
    int line = 0;
    std::vector<Paper> papers;
};

struct Module {
    int slot = 0;
    std::string label;
    int line = 0;
    std::vector<Topic> topics;
    int paperCount() const { return static_cast<int>(topics.size()) * qv::kPapersPerTopic; }
};

// A paragraph of the question as the pupil reads it once it is answered: each
// gap holds its key (the first answer of a group), and a choice or word-order
// marker is a space. `atGap`, when given, is told of every gap with the text
// before it.
std::string AnsweredParagraph(
    const Question& question, const Block& paragraph,
    const std::function<void(const Part& gap, const std::string& before)>& atGap = {});

// What the course header asks of every question.
struct QuestionRules {
    int choices = 0;      // options per choice part; 0 = any number from 2
    std::string boxRule;  // said by the instruction of every cloze with a word box; empty = no rule
    std::string orderRule;  // said by the instruction of every word-order question; empty = no rule
};

struct Course {
    std::string title;
    std::string code;
    QuestionRules rules;
    std::vector<Module> modules;  // in slot order
};

class Diagnostics;

// Reads the header and every paper file it names, checks everything and gives
// out the question ids. Every fault, note and warning goes to `out`; reading
// stops early only when there are more faults than are worth reading at once.
// The course is complete only when `out` has no error.
Course ReadCourse(const std::filesystem::path& header, Diagnostics& out);

// The same, throwing the first fault as a SourceError.
Course ReadCourse(const std::filesystem::path& header);

}  // namespace coursec
