#pragma once

// A compiled course in a folder (as the course compiler writes it: one file
// a resource id) that the program runs on instead of the course packed into
// it, so that a teacher's course reaches pupils without building the program.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "course/resources.h"

namespace qv {

// The course from the folder; an interface picture the folder does not hold
// from `pictures` (the program's own). Nothing else comes from `pictures`, so
// two courses never mix.
class CourseFolderSource : public ResourceSource {
public:
    CourseFolderSource(std::filesystem::path folder, const ResourceSource& pictures)
        : folder_(std::move(folder)), pictures_(pictures) {}
    std::optional<std::string> Load(int id, std::string_view type) const override;
    void ReleaseMemory() const override { pictures_.ReleaseMemory(); }

private:
    DirectoryResourceSource folder_;
    const ResourceSource& pictures_;
};

// Why the program cannot run on the course in `folder`, in words for the
// pupil; empty when it can: the folder is there, holds a configuration with a
// course code and at least one module, and every module's records, result
// templates and question pages.
std::string CourseFolderFault(const std::filesystem::path& folder);

}  // namespace qv
