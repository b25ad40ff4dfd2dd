#include "course/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "course/file_system.h"
#include "course/text_lines.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

#if defined(_WIN32)
int OpenExclusive(const fs::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int WriteSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(size > (1u << 30) ? (1u << 30) : size));
}
int SyncFile(int fd) { return _commit(fd); }
int CloseFile(int fd) { return _close(fd); }
#else
int OpenExclusive(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}
ssize_t WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int SyncFile(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
#endif

// Writes everything, syncs when asked and closes; the status of the first failure.
IoStatus WriteAndClose(int fd, std::string_view bytes, Durability durability) {
    IoStatus status = IoStatus::Ok;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto put = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            status = WriteStatusFromError(put < 0 ? errno : ENOSPC);
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    if (status == IoStatus::Ok && durability != Durability::Normal && SyncFile(fd) != 0) {
        status = WriteStatusFromError(errno);
    }
    if (CloseFile(fd) != 0 && status == IoStatus::Ok) status = WriteStatusFromError(errno);
    return status;
}

// The file a path names: the path itself, or where its links lead; empty
// when that cannot be found out.
fs::path LinkTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return error ? fs::path() : path;
    fs::path target = fs::canonical(path, error);
    return error ? fs::path() : target;
}

}  // namespace

IoStatus AtomicWriteFile(const fs::path& path, std::string_view bytes, Durability durability) {
    if (bytes.size() > kMaxFileBytes) return IoStatus::WouldBeTooLarge;
    const PathInfo old = InspectPath(path);
    if (old.kind == PathKind::NotAFile) return IoStatus::NotAFile;
    if (old.kind == PathKind::Unreadable) return IoStatus::WriteFailed;
    if (old.kind == PathKind::File && old.readOnly && durability != Durability::Normal) return IoStatus::ReadOnly;

    // A link to a file stays a link: the file it leads to is replaced, from
    // beside it, so a pupil's folder kept elsewhere goes on being written.
    const fs::path target = old.kind == PathKind::File ? LinkTarget(path) : path;
    if (target.empty()) return IoStatus::WriteFailed;

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temp = TemporaryPathFor(target);
        fd = OpenExclusive(temp);
        if (fd < 0 && errno != EEXIST) return WriteStatusFromError(errno);
    }
    if (fd < 0) return IoStatus::WriteFailed;

    std::error_code ignored;
    if (old.kind == PathKind::File) {
#if defined(_WIN32)
        // Permissions are set once the file is closed.
#else
        // The new file keeps the old one's permissions.
        (void)::fchmod(fd, static_cast<mode_t>(old.permissions & fs::perms::mask));
#endif
    }
    IoStatus status = WriteAndClose(fd, bytes, durability);
    if (status == IoStatus::Ok && durability == Durability::Synced) NoteWriteStep();
#if defined(_WIN32)
    if (status == IoStatus::Ok && old.kind == PathKind::File) fs::permissions(temp, old.permissions, ignored);
#endif
    if (status == IoStatus::Ok) {
        std::error_code error;
        fs::rename(temp, target, error);
        if (error) status = WriteStatusFromError(error.value());
    }
    if (status != IoStatus::Ok) {
        fs::remove(temp, ignored);
        return status;
    }
    if (durability == Durability::Synced) {
        NoteWriteStep();
        SyncFolder(target.has_parent_path() ? target.parent_path() : fs::path("."));
        NoteWriteStep();
    }
    return IoStatus::Ok;
}

ReadResult<std::string> ReadWholeFile(const fs::path& path, std::string reuse) {
    const PathInfo info = InspectForReading(path);
    if (info.kind != PathKind::File) return {{}, StatusOf(info)};
    if (info.size > kMaxFileBytes) return {{}, IoStatus::TooLarge};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, IoStatus::Unreadable};
    std::string bytes = std::move(reuse);
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(info.size));
    char buffer[1 << 14];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxFileBytes) return {{}, IoStatus::TooLarge};  // it grew while being read
    }
    if (in.bad()) return {{}, IoStatus::Unreadable};
    return {std::move(bytes), IoStatus::Ok};
}

namespace {

// An editor that saves the file as UTF-8 may put a byte-order mark before its
// first key, where no record reader would find the key in its place.
ReadResult<std::string> WithoutByteOrderMark(ReadResult<std::string> text) {
    if (text.value.starts_with("\xEF\xBB\xBF")) text.value.erase(0, 3);
    return text;
}

}  // namespace

ReadResult<std::string> ReadRecordText(const fs::path& path, std::string reuse) {
    auto whole = ReadWholeFile(path, std::move(reuse));
    if (whole.status != IoStatus::TooLarge) return WithoutByteOrderMark(std::move(whole));
    // Too large (or it grew meanwhile): read it as below.
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, IoStatus::Unreadable};
    std::string kept;
    std::string line;
    bool tooLong = false;
    const auto endLine = [&] {
        if (!tooLong && kept.size() + line.size() < kMaxFileBytes) {
            kept += line;
            kept += '\n';
        }
        line.clear();
        tooLong = false;
    };
    char buffer[1 << 14];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const std::string_view chunk(buffer, static_cast<std::size_t>(in.gcount()));
        LineEnds ends(chunk);
        for (std::size_t at = 0; at < chunk.size();) {
            const std::size_t end = ends.From(at);
            if (!tooLong) {
                line.append(chunk.substr(at, end - at));
                if (line.size() > kMaxRecordLineBytes) {
                    tooLong = true;
                    line.clear();
                }
            }
            if (end == chunk.size()) break;
            endLine();
            at = end + 1;
        }
    }
    if (in.bad()) return {{}, IoStatus::Unreadable};
    endLine();
    return WithoutByteOrderMark({std::move(kept), IoStatus::Damaged});
}

}  // namespace qv
