// The packs compiled into the program: every resource reads as the file it
// was packed from, and the packed copies' pages leave the program's memory
// when it releases them, every resource still reading the same afterwards
// (Linux: /proc/self/pagemap).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <unistd.h>

#include "app/packed_bytes.h"
#include "app/qt_resource_source.h"
#include "app/resident_pages.h"

namespace {

// Pages wholly inside `bytes` that are in the program's memory, from
// /proc/self/pagemap (bit 63 of each page's entry says so).
int ResidentPages(std::span<const unsigned char> bytes) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const qv::PageRange pages = qv::WholePagesWithin(bytes, page);
    const std::uintptr_t first = pages.begin / page, last = pages.end / page;
    const int pagemap = open("/proc/self/pagemap", O_RDONLY);
    int resident = 0;
    for (std::uintptr_t index = first; index < last && pagemap >= 0; ++index) {
        std::uint64_t entry = 0;
        if (pread(pagemap, &entry, sizeof entry, static_cast<off_t>(index * sizeof entry)) == sizeof entry &&
            (entry >> 63) != 0) {
            ++resident;
        }
    }
    if (pagemap >= 0) close(pagemap);
    return resident;
}

// The course compiler's folder holds one file per resource, named by its id.
TEST(PackedResources, EachReadsAsTheFileItWasPackedFromAndAMissingOneAsNothing) {
    const qv::QtResourceSource packed({qv::PackedCourseBytes(), qv::PackedPictureBytes()});
    const qv::DirectoryResourceSource compiled(QUORVALE_COURSE_PACK);
    std::error_code error;
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUORVALE_COURSE_PACK, error)) {
        const int id = std::atoi(entry.path().filename().c_str());
        if (id <= 0) continue;
        SCOPED_TRACE(id);
        const std::optional<std::string> bytes = compiled.Load(id, qv::kResourceType);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(packed.Load(id, qv::kResourceType), bytes);
        ++compared;
    }
    EXPECT_FALSE(error);
    EXPECT_GT(compared, 91);  // the pictures and the course
    EXPECT_EQ(packed.Load(999999, qv::kResourceType), std::nullopt);
    EXPECT_EQ(packed.Load(1, "NoSuchType"), std::nullopt);
}

TEST(PackedPages, ReleasedPagesLeaveMemoryAndReadTheSameAgain) {
    const qv::QtResourceSource packed({qv::PackedCourseBytes(), qv::PackedPictureBytes()});
    // The configuration lies in the course's pack, picture 1 in the pictures'.
    const struct {
        int id;
        std::span<const unsigned char> pack;
    } reads[] = {{qv::kConfigurationId, qv::PackedCourseBytes()}, {1, qv::PackedPictureBytes()}};
    for (const auto& read : reads) {
        SCOPED_TRACE(read.id);
        const std::optional<std::string> first = packed.Load(read.id, qv::kResourceType);
        ASSERT_TRUE(first && !first->empty());
        EXPECT_GT(ResidentPages(read.pack), 0);
        packed.ReleaseMemory();
        EXPECT_EQ(ResidentPages(qv::PackedCourseBytes()), 0);
        EXPECT_EQ(ResidentPages(qv::PackedPictureBytes()), 0);
        EXPECT_EQ(packed.Load(read.id, qv::kResourceType), first);
    }
}

}  // namespace
