#pragma once

// Every part of a module still wrong after a marked second attempt, with what
// the mistakes sheet prints for it. A paper whose second attempt is not
// marked is left out, so the sheet never gives away an answer the pupil can
// still find. Only reads: the course, the marks file and the second
// attempt's answers and results.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "course/resources.h"
#include "report/module_report.h"

namespace qv {

struct Mistake {
    int topic = 0;         // 1..10
    int paperInTopic = 0;  // 1..5
    int question = 0;      // 1.. within the paper
    int part = 0;          // 0-based within the question
    int partsInQuestion = 1;
    std::string questionText;  // UTF-8: the page, or its instruction and the sentence of the gap
    std::string answer;        // the pupil's last answer (Windows-1252)
    std::string model;         // the model answer (Windows-1252)
    std::string reason;        // why it is wrong (Windows-1252)
};

struct Mistakes {
    std::vector<Mistake> parts;  // most-missed topic first; then paper, question and part order
    std::vector<ReportProblem> problems;  // files, or papers of the course, that could not be read
};

// The most-missed topic first (ties in topic order), then by paper,
// question and part.
void SortMistakes(std::vector<Mistake>& parts);

Mistakes LoadMistakes(const ResourceSource& source, const std::filesystem::path& workDir, int slot,
                      std::string_view code, const ModuleConfig& module);

}  // namespace qv
