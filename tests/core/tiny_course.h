#pragma once

// A course of three papers in module slot 2, small enough to read at a
// glance, with its result files laid out in a fresh working folder.
//   paper 101: question 13001 (three words, "T"), 13002 (a choice, "Q"),
//              13003 (two sentences, "L")
//   paper 102: question 13004 (a choice)
//   paper 103: question 13005 (two words)

#include <string>

#include <gtest/gtest.h>

#include "course/resources.h"
#include "course/results_store.h"
#include "practice/attempt.h"
#include "practice/paper_data.h"
#include "temp_dir.h"

struct TinyCourse {
    std::string paperList = "...\r\n#101#>13001>13002>13003\r\n#102#>13004\r\n#103#>13005\r\n...";
    std::string answerKey =
        "...\r\n#13001#>went>saw>ate\r\n#13002#>2\r\n#13003#>She sings.>He runs.\r\n#13004#>1\r\n#13005#>a>b\r\n...";
    std::string answerTypes =
        "...\r\n#13001#>T>T>T\r\n#13002#>Q\r\n#13003#>L>L\r\n#13004#>Q\r\n#13005#>T>T\r\n...";
    std::string partMarks = "...\r\n#13001#>1>1>1\r\n#13002#>1\r\n#13003#>1>1\r\n#13004#>1\r\n#13005#>1>1\r\n...";
    bool withAnswerTypes = true;

    static std::string MarksTemplate() {
        return "...\r\n#FSE#>>>\r\n#SSE#>>>\r\n#LTM#>>>\r\n#CDD#>>>\r\n#FST#>0>0>0\r\n#SST#>0>0>0\r\n...";
    }
    static std::string PaperTemplate() { return "...\r\n#101#>>>>>>\r\n#102#>\r\n#103#>>\r\n..."; }
    static std::string Page(int id) { return "MIME-Version: 1.0\r\n\r\npage " + std::to_string(id); }

    qv::MemoryResourceSource Source() const {
        qv::MemoryResourceSource source;
        source.Add(qv::PaperListId(2), paperList);
        source.Add(qv::AnswerKeyId(2), answerKey);
        if (withAnswerTypes) source.Add(qv::AnswerTypesId(2), answerTypes);
        source.Add(qv::PartMarksId(2), partMarks);
        source.Add(qv::ResultTemplateId(2, qv::ResultKind::Marks), MarksTemplate());
        for (auto kind : {qv::ResultKind::FirstAnswers, qv::ResultKind::SecondAnswers, qv::ResultKind::FirstResults,
                          qv::ResultKind::SecondResults}) {
            source.Add(qv::ResultTemplateId(2, kind), PaperTemplate());
        }
        source.Add(qv::ResultTemplateId(2, qv::ResultKind::Trend), "#TRD#");
        for (int id = 13001; id <= 13005; ++id) source.Add(id, Page(id));
        return source;
    }
};

// Writes the empty result files of slot 2, as erasing all results does.
inline void WriteTemplates(const qv::ResourceSource& source, const TempDir& dir) {
    for (qv::ResultKind kind : qv::kResultKinds) {
        EXPECT_EQ(qv::ExtractResource(source, qv::ResultTemplateId(2, kind), "Custom",
                                      qv::ResultFilePath(dir.path(), kind, 2, "QEN")),
                  qv::ExtractStatus::Ok);
    }
}

inline qv::PaperContext TinyContext(const TempDir& dir, int paperKey = 101) {
    return {dir.path(), 2, "QEN", paperKey, 3, 1, "Grammar (1)"};
}

// A fresh working folder with the tiny course's empty result files.
class TinyCourseTest : public testing::Test {
protected:
    void SetUp() override { WriteTemplates(source_, dir_); }

    qv::LoadOutcome Open(qv::PaperAttempt& attempt, int paperKey = 101) {
        return attempt.Load(source_, TinyContext(dir_, paperKey));
    }

    TinyCourse course_;
    qv::MemoryResourceSource source_ = course_.Source();
    TempDir dir_;
};
