#include "course/atomic_file.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qv {

namespace fs = std::filesystem;

std::string DescribeIoStatus(IoStatus status, const fs::path& path) {
    const std::string name = path.filename().string();
    switch (status) {
        case IoStatus::Ok:
            return "The file \"" + name + "\" was saved.";
        case IoStatus::Missing:
            return "The file \"" + name + "\" could not be found in " +
                   path.parent_path().string() + ".";
        case IoStatus::Unreadable:
            return "The file \"" + name + "\" could not be read.";
        case IoStatus::WriteFailed:
            return "The file \"" + name + "\" could not be saved in " +
                   path.parent_path().string() +
                   ". Check that the folder can be written to and that the disk is not full; "
                   "the previous copy of the file has been kept.";
    }
    return {};
}

namespace {

bool WriteAndClose(std::FILE* file, std::string_view bytes, Durability durability) {
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    if (ok && durability == Durability::Synced) {
#if defined(_WIN32)
        ok = _commit(_fileno(file)) == 0;
#else
        ok = fsync(fileno(file)) == 0;
#endif
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace

IoStatus AtomicWriteFile(const fs::path& path, std::string_view bytes, Durability durability) {
    fs::path temp = path;
    temp += ".tmp";
    std::FILE* file = nullptr;
#if defined(_WIN32)
    file = _wfopen(temp.c_str(), L"wb");
#else
    file = std::fopen(temp.c_str(), "wb");
#endif
    std::error_code ignored;
    if (file == nullptr) return IoStatus::WriteFailed;
    if (!WriteAndClose(file, bytes, durability)) {
        fs::remove(temp, ignored);
        return IoStatus::WriteFailed;
    }
    std::error_code error;
    fs::rename(temp, path, error);
    if (error) {
        fs::remove(temp, ignored);
        return IoStatus::WriteFailed;
    }
    return IoStatus::Ok;
}

ReadResult<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!fs::exists(status)) return {{}, IoStatus::Missing};
    if (!fs::is_regular_file(status)) return {{}, IoStatus::Unreadable};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, IoStatus::Unreadable};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {{}, IoStatus::Unreadable};
    return {std::move(bytes), IoStatus::Ok};
}

}  // namespace qv
