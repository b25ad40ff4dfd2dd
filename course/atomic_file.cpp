#include "course/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "course/file_system.h"

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
    if (status == IoStatus::Ok && durability == Durability::Synced && SyncFile(fd) != 0) {
        status = WriteStatusFromError(errno);
    }
    if (CloseFile(fd) != 0 && status == IoStatus::Ok) status = WriteStatusFromError(errno);
    return status;
}

}  // namespace

IoStatus AtomicWriteFile(const fs::path& path, std::string_view bytes, Durability durability) {
    const PathInfo old = InspectPath(path);
    if (old.kind == PathKind::NotAFile) return IoStatus::NotAFile;
    if (old.kind == PathKind::Unreadable) return IoStatus::WriteFailed;
    if (old.kind == PathKind::File && old.readOnly && durability != Durability::Normal) return IoStatus::ReadOnly;

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temp = TemporaryPathFor(path);
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
#if defined(_WIN32)
    if (status == IoStatus::Ok && old.kind == PathKind::File) fs::permissions(temp, old.permissions, ignored);
#endif
    if (status == IoStatus::Ok) {
        std::error_code error;
        fs::rename(temp, path, error);
        if (error) status = WriteStatusFromError(error.value());
    }
    if (status != IoStatus::Ok) {
        fs::remove(temp, ignored);
        return status;
    }
    if (durability == Durability::Synced) SyncFolder(path.has_parent_path() ? path.parent_path() : fs::path("."));
    return IoStatus::Ok;
}

ReadResult<std::string> ReadWholeFile(const fs::path& path) {
    const PathInfo info = InspectPath(path);
    if (info.kind != PathKind::File) return {{}, StatusOf(info)};
    if (info.size > kMaxFileBytes) return {{}, IoStatus::TooLarge};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, IoStatus::Unreadable};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.size));
    char buffer[1 << 14];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxFileBytes) return {{}, IoStatus::TooLarge};  // it grew while being read
    }
    if (in.bad()) return {{}, IoStatus::Unreadable};
    return {std::move(bytes), IoStatus::Ok};
}

}  // namespace qv
