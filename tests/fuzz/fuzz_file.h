#pragma once

// The readers under fuzzing take a path: each input is written to one scratch
// file of this process (in memory when /dev/shm is there) and read back. A
// property a target checks with Check and that does not hold is a finding.

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

inline const std::filesystem::path& FuzzFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        std::filesystem::path root = std::filesystem::is_directory("/dev/shm", error)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path(error);
        root /= "quorvale-fuzz-" + std::to_string(getpid());
        std::filesystem::create_directories(root, error);
        return root;
    }();
    return folder;
}

// Writes the input to `name` in the scratch folder, replacing what was there.
inline std::filesystem::path FuzzFile(std::string_view name, std::string_view bytes) {
    const std::filesystem::path file = FuzzFolder() / std::string(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

inline std::string_view FuzzBytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A property that does not hold is a finding: say which, and stop.
#define Check(holds)                                                          \
    do {                                                                      \
        if (!(holds)) {                                                       \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #holds); \
            std::abort();                                                     \
        }                                                                     \
    } while (false)
