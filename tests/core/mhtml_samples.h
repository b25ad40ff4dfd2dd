#pragma once

// Archives the archive tests read: pages saved by a web browser, kept beside
// the repository (the folder may be missing; the tests that need it skip).

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace mhtml_samples {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline std::vector<fs::path> SavedPages() {
    std::vector<fs::path> pages;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(QUORVALE_MHTML_TESTDATA, error)) {
        if (entry.path().extension() == ".mhtml") pages.push_back(entry.path());
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

}  // namespace mhtml_samples
