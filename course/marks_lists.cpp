#include "course/marks_lists.h"

namespace qv {

namespace fs = std::filesystem;

MarksLists UnmarkedLists(std::size_t papers) {
    MarksLists lists;
    for (MarksRecord record : kMarksRecords) lists[record].assign(papers, std::string());
    lists.firstMarked.assign(papers, "0");
    lists.secondMarked.assign(papers, "0");
    return lists;
}

IoStatus WriteMarksFile(const MarksLists& lists, int n, const fs::path& path) {
    std::string bytes;
    for (MarksRecord record : kMarksRecords) {
        bytes += BuildRecordLine(kMarksKeys[MarksIndex(record)], lists[record], n);
        bytes += "\r\n";
    }
    return AtomicWriteFile(path, bytes, Durability::Synced);
}

}  // namespace qv
