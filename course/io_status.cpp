#include "course/io_status.h"

#include "course/text.h"

namespace qv {

std::string DescribeIoStatus(IoStatus status, const std::filesystem::path& path) {
    const std::string name = "\"" + PathWords(path.filename()) + "\"";
    const std::string folder = PathWords(path.parent_path());
    switch (status) {
        case IoStatus::Ok:
            return "The file " + name + " was saved.";
        case IoStatus::Missing:
            return "The file " + name + " could not be found in " + folder + ".";
        case IoStatus::Unreadable:
            return "The file " + name + " in " + folder + " could not be read.";
        case IoStatus::WriteFailed:
            return "The file " + name + " could not be saved in " + folder +
                   ". Check that the folder can be written to and that the disk is not full; "
                   "the previous copy of the file has been kept.";
        case IoStatus::DiskFull:
            return "The file " + name + " could not be saved because the disk that holds " + folder +
                   " is full. Free some space on it; the previous copy of the file has been kept.";
        case IoStatus::TooLarge:
            return "The file " + name + " in " + folder +
                   " holds far more than this program ever writes there and looks damaged, "
                   "so it has not been read.";
        case IoStatus::Damaged:
            return "The file " + name + " in " + folder +
                   " is damaged: part of it is missing or is not what this program writes there. "
                   "Everything sound in it has been read; the damaged part has not, and it is never "
                   "written over with a guess.";
        case IoStatus::WouldBeTooLarge:
            return "The file " + name + " could not be saved in " + folder +
                   ": it would hold more than this program can read back. The previous copy of the file "
                   "has been kept.";
        case IoStatus::NotAFile:
            return name + " in " + folder +
                   " is not a file (it is a folder, a link that leads nowhere or some other entry), "
                   "so it can be neither read nor saved.";
        case IoStatus::ReadOnly:
            return "The file " + name + " in " + folder +
                   " is read-only, so it has not been changed. Allow changes to it and try again.";
        case IoStatus::BadRecord:
            return "The file " + name + " was not saved: the record to be saved has no place in it.";
    }
    return {};
}

}  // namespace qv
