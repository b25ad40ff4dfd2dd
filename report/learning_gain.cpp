#include "report/learning_gain.h"

#include <algorithm>
#include <cstddef>

#include "course/text.h"
#include "practice/marking.h"
#include "practice/paper_records.h"

namespace qv {

namespace {

const std::string& At(const Fields& list, std::size_t i) {
    static const std::string kEmpty;
    return i < list.size() ? list[i] : kEmpty;
}

Fields AllResults(const std::string& line) {
    return SplitPaperRecord(line, static_cast<int>(std::count(line.begin(), line.end(), '>')));
}

// True when topic a put right a larger share of its wrong parts than b.
bool Helped(const TopicGain& a, const TopicGain& b) {
    return static_cast<long long>(a.putRight) * b.wrongFirst() > static_cast<long long>(b.putRight) * a.wrongFirst();
}

std::string Sentence(const LearningGain& gain, const ModuleConfig& module, int rankable, bool allEqual) {
    const auto name = [&](int topic) { return At(module.topicNames, static_cast<std::size_t>(topic - 1)); };
    const bool anyShown =
        std::any_of(gain.topics.begin(), gain.topics.end(), [](const TopicGain& t) { return t.shown(); });
    if (!anyShown) return "No paper has had its second attempt marked yet.";
    if (rankable == 0) return "Every part was right at the first attempt, so there was nothing to put right.";
    if (rankable == 1) {
        const TopicGain& t = gain.topics[static_cast<std::size_t>(gain.most - 1)];
        return "A second attempt put right " + std::to_string(t.putRight) + " of the " +
               std::to_string(t.wrongFirst()) + " parts wrong at the first attempt in " + name(gain.most) + ".";
    }
    if (allEqual) return "A second attempt helped as much in every topic.";
    return "A second attempt helped most in " + name(gain.most) + " and least in " + name(gain.least) + ".";
}

}  // namespace

LearningGain ComputeLearningGain(const ModuleConfig& module, const Fields& firstStates, const Fields& secondStates,
                                 const Fields& firstResultLines, const Fields& secondResultLines) {
    LearningGain gain;
    const int topics = std::clamp(module.topicCount, 0, kMaxTopics);
    for (int t = 1; t <= topics; ++t) {
        TopicGain& topic = gain.topics[static_cast<std::size_t>(t - 1)];
        for (int p = kPapersPerTopic * (t - 1); p < kPapersPerTopic * t && p < module.paperCount; ++p) {
            const auto paper = static_cast<std::size_t>(p);
            if (TrimSpaces(At(firstStates, paper)) != "1" || TrimSpaces(At(secondStates, paper)) != "1") continue;
            const Fields first = AllResults(At(firstResultLines, paper));
            const Fields second = AllResults(At(secondResultLines, paper));
            // Only the parts whose results are recorded count: a results file made
            // again from its template since the marking holds none.
            const std::size_t parts = std::max(first.size(), second.size());
            int counted = 0;
            for (std::size_t k = 0; k < parts; ++k) {
                const std::string& was = At(first, k);
                const std::string& now = At(second, k);
                if (was == kTick) ++topic.rightFirst;
                else if (was != kCross || (now != kTick && now != kCross)) continue;
                else if (now == kTick) ++topic.putRight;
                else ++topic.stillWrong;
                ++counted;
            }
            if (counted > 0) ++topic.papers;
        }
    }
    int rankable = 0;
    bool allEqual = true;
    for (int t = 1; t <= topics; ++t) {
        const TopicGain& topic = gain.topics[static_cast<std::size_t>(t - 1)];
        if (topic.wrongFirst() == 0) continue;
        ++rankable;
        if (gain.most == 0) {
            gain.most = gain.least = t;
            continue;
        }
        const TopicGain& most = gain.topics[static_cast<std::size_t>(gain.most - 1)];
        const TopicGain& least = gain.topics[static_cast<std::size_t>(gain.least - 1)];
        if (Helped(topic, most) || Helped(most, topic)) allEqual = false;
        if (!Helped(most, topic)) gain.most = t;
        if (!Helped(topic, least)) gain.least = t;
    }
    gain.sentence = Sentence(gain, module, rankable, allEqual);
    return gain;
}

}  // namespace qv
