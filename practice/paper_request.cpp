#include "practice/paper_request.h"

#include "course/navigation.h"

namespace qv {

PaperContext RequestedContext(const PaperRequest& request, const std::filesystem::path& workDir, int slot,
                              const std::string& courseCode, const ModuleConfig& module) {
    PaperContext context;
    context.workDir = workDir;
    context.slot = slot;
    context.courseCode = courseCode;
    context.paperKey = request.paperKey;
    context.paperCount = module.paperCount;
    const int topic = TopicOfPaper(context.paperNumber());
    context.topicFirstPaper = topic >= 1 ? FirstPaperOfTopic(topic) : 1;
    if (topic >= 1 && topic <= static_cast<int>(module.topicNames.size())) {
        context.topicName = module.topicNames[static_cast<std::size_t>(topic - 1)];
    }
    return context;
}

}  // namespace qv
