#pragma once

// Small hand-made course sources for the course compiler's tests.

#include <string>

#include "course_source.h"
#include "temp_dir.h"

namespace coursec_test {

inline const std::string kHeader =
    "% a test course\ntitle: Test Course\ncode: TST\nchoices: 4\n\nmodule 2: Practice\ntopic: "
    "Grammar | g.qvp\n";

inline const std::string kChoice = "She ______ home.\n{Q:2}\n1) go\n2) goes\n3) going\n4) gone";

// Five valid papers; `first` is the body of paper 101's only question, which
// starts at line 4 (line 2 is the paper's instruction; without one, the body
// starts at line 3).
inline std::string Papers(const std::string& first, const std::string& instruction = "Choose.") {
    std::string text = "paper 101\n";
    if (!instruction.empty()) text += "instruction: " + instruction + "\n";
    text += "question\n" + first + "\n";
    for (int key = 102; key <= 105; ++key) {
        text += "paper " + std::to_string(key) + "\nquestion\nSentence " + std::to_string(key) +
                " ______.\n{Q:1}\n1) a\n2) b\n3) c\n4) d\n";
    }
    return text;
}

inline coursec::Course Read(const TempDir& dir, const std::string& header,
                            const std::string& papers) {
    dir.Write("course.qvc", header);
    dir.Write("g.qvp", papers);
    return coursec::ReadCourse(dir / "course.qvc");
}

}  // namespace coursec_test
