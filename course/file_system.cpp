#include "course/file_system.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporarySuffix = ".qvtmp";
constexpr std::size_t kRandomLength = 6;

std::string RandomLetters() {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::mt19937_64 random = [] {
        std::random_device device;
        const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seed{device(), device(), static_cast<unsigned>(clock), static_cast<unsigned>(clock >> 32)};
        return std::mt19937_64(seed);
    }();
    std::string letters(kRandomLength, 'x');
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    for (char& c : letters) c = kAlphabet[pick(random)];
    return letters;
}

bool IsWritable(const fs::path& path, fs::perms permissions) {
    constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((permissions & kWrite) == fs::perms::none) return false;
#if !defined(_WIN32)
    if (::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) return false;
#else
    (void)path;
#endif
    return true;
}

}  // namespace

namespace {

PathInfo Inspect(const fs::path& path, bool askWritable) {
    PathInfo info;
    std::error_code error;
    const fs::file_status own = fs::symlink_status(path, error);
    if (own.type() == fs::file_type::not_found) return info;  // Missing
    if (error || own.type() == fs::file_type::none) {
        info.kind = PathKind::Unreadable;
        return info;
    }
    fs::file_status target = own;
    if (own.type() == fs::file_type::symlink) {
        target = fs::status(path, error);
        if (target.type() == fs::file_type::not_found) {
            info.kind = PathKind::NotAFile;  // a link that leads nowhere
            return info;
        }
        if (error || target.type() == fs::file_type::none) {
            info.kind = PathKind::Unreadable;
            return info;
        }
    }
    if (target.type() != fs::file_type::regular) {
        info.kind = PathKind::NotAFile;
        return info;
    }
    info.kind = PathKind::File;
    info.permissions = target.permissions();
    info.size = fs::file_size(path, error);
    if (error) {
        info.kind = PathKind::Unreadable;
        info.size = 0;
        return info;
    }
    if (askWritable) info.readOnly = !IsWritable(path, info.permissions);
    return info;
}

}  // namespace

PathInfo InspectPath(const fs::path& path) { return Inspect(path, true); }

PathInfo InspectForReading(const fs::path& path) { return Inspect(path, false); }

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::status(path, error).type() == fs::file_type::directory && !error;
}

IoStatus StatusOf(const PathInfo& info) {
    switch (info.kind) {
        case PathKind::File: return IoStatus::Ok;
        case PathKind::Missing: return IoStatus::Missing;
        case PathKind::NotAFile: return IoStatus::NotAFile;
        case PathKind::Unreadable: return IoStatus::Unreadable;
    }
    return IoStatus::Unreadable;
}

IoStatus WriteStatusFromError(int error) {
    if (error == ENOSPC) return IoStatus::DiskFull;
#if defined(EDQUOT)
    if (error == EDQUOT) return IoStatus::DiskFull;
#endif
    return IoStatus::WriteFailed;
}

fs::path TemporaryPathFor(const fs::path& path) {
    fs::path temp = path.parent_path();
    temp /= "." + path.filename().string() + "." + RandomLetters() + std::string(kTemporarySuffix);
    return temp;
}

bool IsTemporaryName(std::string_view name) {
    // "." + at least one character + "." + six letters + ".qvtmp"
    const std::size_t tail = 1 + kRandomLength + kTemporarySuffix.size();
    if (name.size() < 2 + tail || name.front() != '.') return false;
    if (name.substr(name.size() - kTemporarySuffix.size()) != kTemporarySuffix) return false;
    const std::string_view random = name.substr(name.size() - kTemporarySuffix.size() - kRandomLength, kRandomLength);
    for (char c : random) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letter) return false;
    }
    return name[name.size() - tail] == '.';
}

namespace {

// Exactly the names those versions gave them: "temptext.txt", "temptext30000.txt"
// and "temppaper" + a question id + ".mht". The working folder may be one the
// pupil keeps other files in, and "temptext for history.txt" is one of them.
bool IsScratchName(std::string_view name) {
    if (name == "temptext.txt" || name == "temptext30000.txt") return true;
    constexpr std::string_view prefix = "temppaper", suffix = ".mht";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix)) {
        return false;
    }
    const std::string_view id = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return id.size() <= 9 && std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A file written through a link is replaced from beside the file the link
// leads to, so a run that died there left its temporary in that folder: the
// temporaries of that one file are gone through, never anything else there.
void AddTemporariesBesideTarget(const fs::path& link, std::vector<fs::path>& stale) {
    std::error_code error;
    const fs::path target = fs::canonical(link, error);
    if (error || !fs::is_regular_file(target, error)) return;
    const std::string prefix = "." + target.filename().string() + ".";
    fs::directory_iterator entry(target.parent_path(), error);
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code typeError;
        if (name.starts_with(prefix) && IsTemporaryName(name) &&
            entry->symlink_status(typeError).type() == fs::file_type::regular && !typeError) {
            stale.push_back(entry->path());
        }
    }
}

// One pass over the folder: its temporaries, and with `scratchToo` the
// scratch files (files and links only) of a working folder and the
// temporaries beside the files its links lead to.
void RemoveLeftovers(const fs::path& folder, bool scratchToo) {
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    std::vector<fs::path> stale;
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (IsTemporaryName(name)) {
            stale.push_back(entry->path());
            continue;
        }
        if (!scratchToo) continue;
        std::error_code typeError;
        const fs::file_type type = entry->symlink_status(typeError).type();
        if (typeError) continue;
        if (type == fs::file_type::symlink) AddTemporariesBesideTarget(entry->path(), stale);
        if (IsScratchName(name) && (type == fs::file_type::regular || type == fs::file_type::symlink)) {
            stale.push_back(entry->path());
        }
    }
    for (const fs::path& path : stale) {
        std::error_code ignored;
        // remove_all removes a link itself, never what it points to.
        fs::remove_all(path, ignored);
    }
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& folder) { RemoveLeftovers(folder, false); }

void RemoveLeftoverFiles(const fs::path& workDir) { RemoveLeftovers(workDir, true); }

FolderCreation CreateFolderExclusive(const fs::path& folder) {
#if defined(_WIN32)
    std::error_code error;
    if (fs::symlink_status(folder, error).type() != fs::file_type::not_found) return FolderCreation::Exists;
    if (fs::create_directory(folder, error)) return FolderCreation::Created;
    return error ? FolderCreation::Failed : FolderCreation::Exists;
#else
    if (::mkdir(folder.c_str(), 0777) == 0) return FolderCreation::Created;
    return errno == EEXIST ? FolderCreation::Exists : FolderCreation::Failed;
#endif
}

bool IsDiskFull(const fs::path& folder) {
    std::error_code error;
    const fs::space_info space = fs::space(folder, error);
    return !error && space.available == 0;
}

namespace {
WriteStepHook writeStepHook = nullptr;
}  // namespace

void SetWriteStepHook(WriteStepHook hook) { writeStepHook = hook; }

void NoteWriteStep() {
    if (writeStepHook) writeStepHook();
}

bool SyncFolder(const fs::path& folder) {
#if defined(_WIN32)
    (void)folder;
    return true;
#else
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#endif
}

IoStatus CopyFileSynced(const fs::path& from, const fs::path& to) {
#if defined(_WIN32)
    std::error_code error;
    if (!fs::copy_file(from, to, fs::copy_options::none, error) || error) {
        fs::remove(to, error);
        return IoStatus::WriteFailed;
    }
    return IoStatus::Ok;
#else
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return IoStatus::Unreadable;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return WriteStatusFromError(error);
    }
    IoStatus status = IoStatus::Ok;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            status = IoStatus::Unreadable;
            break;
        }
        if (got == 0) break;
        ssize_t done = 0;
        while (done < got && status == IoStatus::Ok) {
            const ssize_t put = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) status = WriteStatusFromError(errno);
            else done += put;
        }
        if (status != IoStatus::Ok) break;
    }
    if (status == IoStatus::Ok && ::fsync(out) != 0) status = WriteStatusFromError(errno);
    if (::close(out) != 0 && status == IoStatus::Ok) status = WriteStatusFromError(errno);
    ::close(in);
    if (status != IoStatus::Ok) ::unlink(to.c_str());
    return status;
#endif
}

}  // namespace qv
