// The checks of a question's answer keys that the marking needs to hold: a
// key the course can be marked right against, read as the teacher meant it.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "course/text.h"
#include "course_checks.h"

namespace coursec {

namespace {

bool IsGroupType(char type) { return type == 'G' || type == 'M'; }

// "1,000": the program reads a comma as the decimal point, so this is 1.
bool HasThousandsComma(const std::string& key) {
    for (std::size_t at = key.find(','); at != std::string::npos; at = key.find(',', at + 1)) {
        std::size_t digits = 0;
        while (at + 1 + digits < key.size() && std::isdigit(static_cast<unsigned char>(key[at + 1 + digits]))) ++digits;
        if (digits == 3 && at > 0 && std::isdigit(static_cast<unsigned char>(key[at - 1]))) return true;
    }
    return false;
}

}  // namespace

void CheckAnswerKeys(const Question& question, Diagnostics& out) {
    const auto fail = [&](const Part& part, const std::string& message) {
        out.Error(SourceError(question.file, part.line, message));
    };
    const std::vector<Part>& parts = question.parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Part& part = parts[i];
        if (part.type == 'N') {
            const auto value = qv::ParseStoredNumber(part.key);
            if (value && !std::isfinite(*value)) {
                fail(part, "the answer \"" + part.key + "\" of a number {N:...} is not a number a pupil can type");
            } else if (HasThousandsComma(part.key)) {
                fail(part, "the answer \"" + part.key + "\" would be read with its comma as the decimal point: "
                           "write 1000 for a thousand, or 1.5 for a decimal");
            }
        }
        if (part.type == 'R' || part.type == 'F' || part.type == 'X') {
            if (std::count(part.key.begin(), part.key.end(), ' ') > 1) {
                fail(part, "the answer \"" + part.key + "\" is compared with its spelling and its one space as "
                           "written, so it may hold one space at the most: use {T:...} for more words");
            }
        }
        if (!IsGroupType(part.type)) continue;
        if (part.key == " ") {  // a further part of the group before it
            if (i == 0 || parts[i - 1].type != part.type) {
                fail(part, std::string("a further part {") + part.type + ":} follows the first part of its group "
                           "({" + part.type + ":;first;second}) or another further part, in the same question");
            }
            continue;
        }
        const std::size_t answers = part.answers().size();
        std::size_t groupParts = 1;
        while (i + groupParts < parts.size() && parts[i + groupParts].type == part.type &&
               parts[i + groupParts].key == " ")
            ++groupParts;
        if (answers == 0) {
            fail(part, "the group lists no answer: write {" + std::string(1, part.type) + ":;first;second}");
        } else if (groupParts > answers) {
            fail(part, "the group has " + std::to_string(groupParts) + " parts but lists " + std::to_string(answers) +
                           (answers == 1 ? " answer" : " answers") +
                           ", so a part could never be right: list an answer for every part");
        }
    }
}

}  // namespace coursec
