// Reads the course packed into the program back through the record readers,
// as the program will, and checks that it holds together.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "course/course_config.h"
#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

class CoursePack : public testing::Test {
protected:
    void SetUp() override {
        load_ = qv::LoadCourseConfig(source_);
        ASSERT_TRUE(load_.available);
        slot_ = load_.config.firstConfiguredSlot();
        ASSERT_EQ(slot_, 2);
    }

    // Extracts a course record resource to the scratch file, as the practice window does.
    fs::path Extract(int id) {
        const fs::path file = dir_ / "temptext.txt";
        EXPECT_EQ(qv::ExtractResource(source_, id, "Custom", file), qv::ExtractStatus::Ok) << id;
        return file;
    }

    qv::DirectoryResourceSource source_{QUORVALE_COURSE_PACK};
    TempDir dir_;
    qv::ConfigLoad load_;
    int slot_ = 0;
};

struct PaperShape {
    int questions = 0;
    int parts = 0;
};

TEST_F(CoursePack, EveryPaperReadsBackInOnePass) {
    const qv::ModuleConfig& module = load_.config.module(slot_);
    ASSERT_GE(module.topicCount, 1);
    EXPECT_EQ(module.paperCount, 5 * module.topicCount);
    EXPECT_EQ(module.topicNames[0], "Grammar (1)");

    const fs::path list = Extract(qv::PaperListId(slot_));
    std::vector<std::vector<std::string>> papers;
    for (int p = 1; p <= module.paperCount; ++p) {
        papers.push_back(qv::ReadPaperQuestions(list, std::to_string(100 + p)).value);
    }
    const fs::path key = Extract(qv::AnswerKeyId(slot_));
    std::vector<std::vector<int>> keyCounts;
    for (const auto& ids : papers) keyCounts.push_back(qv::CountAnswerParts(key, ids).value);
    const fs::path types = Extract(qv::AnswerTypesId(slot_));
    std::vector<std::vector<std::string>> typeFields;
    for (const auto& ids : papers) typeFields.push_back(qv::ReadQuestionFields(types, ids).value);
    const fs::path marks = Extract(qv::PartMarksId(slot_));
    std::vector<std::vector<std::string>> markFields;
    for (const auto& ids : papers) markFields.push_back(qv::ReadQuestionFields(marks, ids).value);

    const fs::path firstTemplate = dir_ / "first.txt";
    ASSERT_EQ(qv::ExtractResource(source_, qv::ResultTemplateId(slot_, qv::ResultKind::FirstAnswers), "Custom",
                                  firstTemplate), qv::ExtractStatus::Ok);
    const auto templateLines = qv::ReadPaperLines(firstTemplate, module.paperCount).value;

    std::set<std::string> allIds;
    for (std::size_t p = 0; p < papers.size(); ++p) {
        SCOPED_TRACE("paper " + std::to_string(101 + p));
        ASSERT_FALSE(papers[p].empty());
        int parts = 0;
        for (std::size_t q = 0; q < papers[p].size(); ++q) {
            EXPECT_TRUE(allIds.insert(papers[p][q]).second) << "question " << papers[p][q] << " is in two papers";
            EXPECT_GE(keyCounts[p][q], 1) << papers[p][q];
            EXPECT_LE(keyCounts[p][q], 20) << papers[p][q];
            parts += keyCounts[p][q];
            const auto page = source_.Load(std::stoi(papers[p][q]), "Custom");
            ASSERT_TRUE(page.has_value()) << papers[p][q];
            EXPECT_NE(page->find("Content-Location: "), std::string::npos);
        }
        ASSERT_EQ(typeFields[p].size(), static_cast<std::size_t>(parts));
        ASSERT_EQ(markFields[p].size(), static_cast<std::size_t>(parts));
        for (int i = 0; i < parts; ++i) {
            EXPECT_NE(std::string("QTL").find(typeFields[p][i]), std::string::npos) << typeFields[p][i];
            EXPECT_EQ(markFields[p][i], "1");
        }
        // The empty result record has one field per answer part.
        EXPECT_EQ(qv::SplitRecordLine(templateLines[p], 80).size(), 80u);
        EXPECT_EQ(static_cast<int>(std::count(templateLines[p].begin(), templateLines[p].end(), '>')), parts);
    }
    EXPECT_FALSE(fs::exists(dir_ / "temptext30000.txt"));
}

TEST_F(CoursePack, PaperOneHasThirtyChoiceParts) {
    const fs::path list = Extract(qv::PaperListId(slot_));
    const auto ids = qv::ReadPaperQuestions(list, "101").value;
    ASSERT_EQ(ids.size(), 30u);
    EXPECT_EQ(ids.front(), "13001");
    const fs::path key = Extract(qv::AnswerKeyId(slot_));
    const auto counts = qv::CountAnswerParts(key, ids).value;
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 30);
    for (const std::string& answer : qv::ReadQuestionFields(key, ids).value) {
        EXPECT_TRUE(answer == "1" || answer == "2" || answer == "3" || answer == "4") << answer;
    }
}

// Questions per paper, answer parts per question and the answer type, topic by topic.
struct TopicShape {
    const char* name;
    std::vector<PaperShape> papers;  // questions and parts per question
    const char* type;
};

std::vector<PaperShape> Five(PaperShape shape) { return std::vector<PaperShape>(5, shape); }

const std::vector<TopicShape> kCourseShape = {
    {"Grammar (1)", Five({30, 1}), "Q"},
    {"Grammar (2)", Five({40, 1}), "Q"},
    {"Vocabulary (1)", Five({30, 1}), "Q"},
    {"Vocabulary (2)", Five({40, 1}), "Q"},
    {"Grammar Cloze (1)", Five({4, 5}), "T"},
    {"Grammar Cloze (2)", {{5, 5}, {5, 5}, {5, 10}, {5, 10}, {5, 10}}, "T"},
    {"Vocabulary Cloze (1)", Five({4, 5}), "T"},
    {"Vocabulary Cloze (2)", {{5, 5}, {5, 5}, {5, 10}, {5, 10}, {5, 10}}, "T"},
    {"Word Order", Five({40, 1}), "L"},
    {"Comprehension MCQ", Five({3, 5}), "Q"},
};

TEST_F(CoursePack, TenTopicsFiftyPapersAndTheirQuestions) {
    const qv::ModuleConfig& module = load_.config.module(slot_);
    ASSERT_EQ(module.label, "Practice");
    ASSERT_EQ(module.topicCount, 10);
    ASSERT_EQ(module.paperCount, 50);
    const fs::path list = Extract(qv::PaperListId(slot_));
    std::vector<std::vector<std::string>> papers;
    for (int p = 1; p <= 50; ++p) papers.push_back(qv::ReadPaperQuestions(list, std::to_string(100 + p)).value);
    const fs::path key = Extract(qv::AnswerKeyId(slot_));
    std::vector<std::vector<int>> parts;
    for (const auto& ids : papers) parts.push_back(qv::CountAnswerParts(key, ids).value);
    const fs::path types = Extract(qv::AnswerTypesId(slot_));

    int questions = 0;
    for (std::size_t t = 0; t < kCourseShape.size(); ++t) {
        const TopicShape& topic = kCourseShape[t];
        EXPECT_EQ(module.topicNames[t], topic.name);
        for (std::size_t k = 0; k < 5; ++k) {
            const std::size_t p = 5 * t + k;
            SCOPED_TRACE("paper " + std::to_string(101 + p));
            ASSERT_EQ(papers[p].size(), static_cast<std::size_t>(topic.papers[k].questions));
            for (int count : parts[p]) EXPECT_EQ(count, topic.papers[k].parts);
            for (const std::string& type : qv::ReadQuestionFields(types, papers[p]).value) EXPECT_EQ(type, topic.type);
            questions += static_cast<int>(papers[p].size());
        }
    }
    EXPECT_EQ(questions, 1005);
}

TEST_F(CoursePack, PaperOneHundredAndTwentyEightHasFiftyParts) {
    const fs::path list = Extract(qv::PaperListId(slot_));
    const auto ids = qv::ReadPaperQuestions(list, "128").value;
    const fs::path key = Extract(qv::AnswerKeyId(slot_));
    const auto counts = qv::CountAnswerParts(key, ids).value;
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 50);
}

TEST_F(CoursePack, PagesArePlainAsciiWithNothingOutside) {
    const fs::path list = Extract(qv::PaperListId(slot_));
    for (int p = 1; p <= load_.config.module(slot_).paperCount; ++p) {
        for (const std::string& id : qv::ReadPaperQuestions(list, std::to_string(100 + p)).value) {
            const std::string page = *source_.Load(std::stoi(id), "Custom");
            EXPECT_TRUE(std::all_of(page.begin(), page.end(), [](char c) { return static_cast<unsigned char>(c) < 128; })) << id;
            // The only address is the page's own name.
            const std::size_t own = page.find("Content-Location: file:///quorvale/");
            EXPECT_NE(own, std::string::npos) << id;
            EXPECT_EQ(page.find("://", own + 30), std::string::npos) << id;
            EXPECT_EQ(page.find("src="), std::string::npos) << id;
        }
    }
}

TEST_F(CoursePack, TemplatesMatchTheConfiguration) {
    const int papers = load_.config.module(slot_).paperCount;
    const fs::path marks = dir_ / "marks.txt";
    ASSERT_EQ(qv::ExtractResource(source_, qv::ResultTemplateId(slot_, qv::ResultKind::Marks), "Custom", marks), qv::ExtractStatus::Ok);
    for (const std::string& key : qv::kMarksKeys) {
        const auto line = qv::ReadRecordLine(marks, key).value;
        EXPECT_EQ(static_cast<int>(std::count(line.begin(), line.end(), '>')), papers) << key;
        const auto fields = qv::ReadRecordFields(marks, key, papers).value;
        const std::string expected = (key == "FST" || key == "SST") ? "0" : "";
        EXPECT_EQ(fields, std::vector<std::string>(static_cast<std::size_t>(papers), expected)) << key;
    }
    EXPECT_EQ(*source_.Load(qv::ResultTemplateId(slot_, qv::ResultKind::Trend), "Custom"), "#TRD#");
}

}  // namespace
