#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "course/atomic_file.h"

// A fresh folder for one test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("quorvale-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const auto file = path_ / name;
        if (qv::AtomicWriteFile(file, bytes) != qv::IoStatus::Ok) throw std::runtime_error("cannot write " + file.string());
        return file;
    }
    std::string Read(const std::string& name) const { return qv::ReadWholeFile(path_ / name).value; }

private:
    std::filesystem::path path_;
};
