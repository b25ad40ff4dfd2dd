#include "app/resident_pages.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace qv {

PageRange WholePagesWithin(std::span<const unsigned char> bytes, std::uintptr_t pageSize) {
    if (pageSize == 0 || bytes.empty()) return {};
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t begin = (start + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t end = (start + bytes.size()) / pageSize * pageSize;
    return end > begin ? PageRange{begin, end} : PageRange{};
}

void DropResidentPages(std::span<const unsigned char> bytes) {
#if defined(__linux__)
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0) return;
    // Only pages wholly inside the bytes: whatever lies beside them is left alone.
    const PageRange pages = WholePagesWithin(bytes, static_cast<std::uintptr_t>(pageSize));
    // A private, unchanged file mapping: the pages are read from the file again
    // when next used. Should the call fail, the pages simply stay.
    if (pages.end > pages.begin) {
        (void)madvise(reinterpret_cast<void*>(pages.begin), pages.end - pages.begin, MADV_DONTNEED);
    }
#else
    (void)bytes;
#endif
}

}  // namespace qv
