#pragma once

// What a new build of a course changes for the pupils who used an earlier
// one. Saved answers and marks belong to a paper by its key and to its
// answers by their order, so a paper whose questions change (one inserted,
// deleted, reworded, or another key) would have old answers read against new
// questions.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "course_source.h"

namespace coursec {

struct PaperChange {
    const Topic* topic = nullptr;
    const Paper* paper = nullptr;
    std::string what;  // "questions 2 and 5 differ", "it has 9 questions (8 before)"
};

struct Comparison {
    std::string fault;    // the earlier build could not be read: why
    std::string oldCode;  // the course code of the earlier build
    std::vector<PaperChange> changed;
    std::vector<std::string> gone;  // papers the earlier build had and this one has not
};

// The papers of `course`, built as `resources`, whose questions differ from
// those of the same module and key in the compiled course folder `earlier`.
Comparison CompareWithEarlierBuild(const Course& course,
                                   const std::map<int, std::string>& resources,
                                   const std::filesystem::path& earlier);

// The report for the teacher, one line a paper and a closing sentence.
std::vector<std::string> DescribeComparison(const Comparison& comparison, const Course& course,
                                            const std::string& earlier);

}  // namespace coursec
