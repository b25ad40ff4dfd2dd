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
        load_ = qv::LoadCourseConfig(source_, dir_.path());
        ASSERT_TRUE(load_.available);
        slot_ = load_.config.firstConfiguredSlot();
        ASSERT_EQ(slot_, 2);
    }

    // Extracts a course record resource to the scratch file, as the practice window does.
    fs::path Extract(int id) {
        const fs::path file = dir_ / "temptext.txt";
        EXPECT_EQ(qv::ExtractResource(source_, id, "Custom", file), 0) << id;
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
                                  firstTemplate), 0);
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

TEST_F(CoursePack, TemplatesMatchTheConfiguration) {
    const int papers = load_.config.module(slot_).paperCount;
    const fs::path marks = dir_ / "marks.txt";
    ASSERT_EQ(qv::ExtractResource(source_, qv::ResultTemplateId(slot_, qv::ResultKind::Marks), "Custom", marks), 0);
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
