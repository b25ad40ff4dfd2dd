#pragma once

// The course packed into the program, with its result files laid out in a
// fresh working folder; module slot 2.

#include <gtest/gtest.h>

#include <string>

#include "course/course_config.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "practice/paper_data.h"
#include "temp_dir.h"

class PackedCourseTest : public testing::Test {
protected:
    void SetUp() override {
        config_ = qv::LoadCourseConfig(source_);
        ASSERT_TRUE(config_.available);
        ASSERT_TRUE(qv::ResetResults(source_, dir_.path(), config_.config).empty());
    }
    const qv::ModuleConfig& module() const { return config_.config.module(2); }
    // Paper 1..50 of the module, opened from its topic.
    qv::PaperContext Context(int paper) const {
        const int topic = (paper - 1) / 5;
        return {dir_.path(), 2, config_.config.code, 100 + paper, module().paperCount, 5 * topic + 1,
                module().topicNames[static_cast<std::size_t>(topic)]};
    }
    // The slot's result file of a kind: "marks" gives "marks2QEN.txt".
    std::string File(const std::string& stem) const { return stem + "2" + config_.config.code + ".txt"; }

    const qv::DirectoryResourceSource source_{QUORVALE_COURSE_PACK};
    TempDir dir_;
    qv::ConfigLoad config_;
};
