#pragma once

// The course and the interface pictures travel inside the program as numbered
// resources of the type "Custom". Nothing is used in place: a resource is
// copied byte for byte into a file of the working folder first.

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "course/atomic_file.h"

namespace qv {

inline constexpr std::string_view kResourceType = "Custom";

// Resource ids of the course.
inline constexpr int kConfigurationId = 30000;
inline int PaperListId(int slot) { return 30000 + 10 * slot + 2; }
inline int AnswerKeyId(int slot) { return 30000 + 10 * slot + 3; }
inline int AnswerTypesId(int slot) { return 30000 + 10 * slot + 4; }
inline int PartMarksId(int slot) { return 30000 + 10 * slot + 5; }

// Bytes of a resource by id and type.
class ResourceSource {
public:
    virtual ~ResourceSource() = default;
    virtual std::optional<std::string> Load(int id, std::string_view type) const = 0;
    // Gives back the memory that holds resources already loaded, where the
    // source can (the pages of the copy packed into the program); a later Load
    // reads them again. Called once a window has what it needs.
    virtual void ReleaseMemory() const {}
};

// Resources held in memory (tests, benchmarks).
class MemoryResourceSource : public ResourceSource {
public:
    void Add(int id, std::string bytes, std::string type = std::string(kResourceType));
    std::optional<std::string> Load(int id, std::string_view type) const override;

private:
    std::map<std::pair<int, std::string>, std::string, std::less<>> resources_;
};

// Resources as files named by id in one folder, as the course compiler writes
// them; all of the type "Custom".
class DirectoryResourceSource : public ResourceSource {
public:
    explicit DirectoryResourceSource(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::optional<std::string> Load(int id, std::string_view type) const override;

private:
    std::filesystem::path folder_;
};

// What became of ExtractResource.
enum class [[nodiscard]] ExtractStatus { Ok, NoResource, WriteFailed, DiskFull };

// Copies a resource into `target`, which afterwards holds exactly its bytes.
// Returns Ok, or why not: there is no such resource (nothing is written) or
// the file cannot be written (the old file stays as it was).
ExtractStatus ExtractResource(const ResourceSource& source, int id, std::string_view type,
                    const std::filesystem::path& target);

// The same with the reason: `found` is false when there is no such resource
// (nothing is written); otherwise `write` is the status of the write.
struct [[nodiscard]] Extraction {
    bool found = false;
    IoStatus write = IoStatus::Ok;

    bool ok() const { return found && write == IoStatus::Ok; }
};
Extraction ExtractResourceFile(const ResourceSource& source, int id, std::string_view type,
                               const std::filesystem::path& target, Durability durability = Durability::Normal);

struct Picture {
    int id;
    std::string_view fileName;
};

// The 91 interface pictures in ascending id order: ids 1..37 and 41..94.
std::span<const Picture> InterfacePictures();

// The file name of picture `id`, or empty text.
std::string_view PictureFileName(int id);
// The id of the picture of that file name, or 0.
int PictureId(std::string_view fileName);

// Creates "Graphics" in the working folder and makes every interface picture
// file hold exactly its resource's bytes (files that already do are not
// rewritten). Returns the ids that could not be written.
std::vector<int> ExtractPictures(const ResourceSource& source, const std::filesystem::path& workDir);

}  // namespace qv
