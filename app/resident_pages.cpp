#include "app/resident_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace qv {

void DropResidentPages(std::span<const unsigned char> bytes) {
#if defined(__linux__)
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0 || bytes.empty()) return;
    const auto page = static_cast<std::uintptr_t>(pageSize);
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    // Only pages wholly inside the bytes: whatever lies beside them is left alone.
    const std::uintptr_t begin = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes.size()) / page * page;
    // A private, unchanged file mapping: the pages are read from the file again
    // when next used. Should the call fail, the pages simply stay.
    if (end > begin) (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
#else
    (void)bytes;
#endif
}

}  // namespace qv
