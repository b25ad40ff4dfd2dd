#pragma once

// What the second attempt taught, topic by topic: over the papers whose
// first and second attempts are both marked, the parts right at the first
// attempt, those put right at the second and those still wrong. Read from
// the marks file's states and the two results files; nothing is written.

#include <array>
#include <string>

#include "course/course_config.h"
#include "course/course_limits.h"
#include "course/record_file.h"

namespace qv {

struct TopicGain {
    int papers = 0;      // papers with both attempts marked
    int rightFirst = 0;  // parts right at the first attempt
    int putRight = 0;    // wrong at the first, right at the second
    int stillWrong = 0;  // wrong at both

    int parts() const { return rightFirst + putRight + stillWrong; }
    // A topic without a marked second attempt shows nothing.
    bool shown() const { return parts() > 0; }
    // Of the parts wrong the first time, how many there were to put right.
    int wrongFirst() const { return putRight + stillWrong; }
};

struct LearningGain {
    std::array<TopicGain, kMaxTopics> topics{};  // topic t at t - 1
    int most = 0;   // topic (1..10) where a second attempt put right the largest share, 0: none
    int least = 0;  // and the smallest share; on equal shares the later topic
    std::string sentence;  // the line under the bars (Windows-1252)
};

// From the marks file's records FST and SST (entry i for paper i + 1) and the
// lines of the first- and second-attempt results files (entry i the line of
// paper key 101 + i).
LearningGain ComputeLearningGain(const ModuleConfig& module, const Fields& firstStates, const Fields& secondStates,
                                 const Fields& firstResultLines, const Fields& secondResultLines);

}  // namespace qv
