// coursec: compiles the course source into the resource files packed into
// the program, one file per resource id.
//
//   coursec [--pictures DIR] [--qrc FILE] COURSE.qvc OUTDIR

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "course/atomic_file.h"
#include "course/resources.h"
#include "course_review.h"
#include "course_source.h"
#include "course_writer.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
    std::cerr << "usage: coursec [--pictures DIR] [--qrc FILE] COURSE.qvc OUTDIR\n";
    return 2;
}

bool WriteIfChanged(const fs::path& path, const std::string& bytes) {
    auto old = qv::ReadWholeFile(path);
    if (old.ok() && old.value == bytes) return true;
    return qv::AtomicWriteFile(path, bytes) == qv::IoStatus::Ok;
}

std::string XmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

int Run(const std::vector<std::string>& args) {
    fs::path pictures, qrc;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pictures" && i + 1 < args.size())
            pictures = args[++i];
        else if (args[i] == "--qrc" && i + 1 < args.size())
            qrc = args[++i];
        else if (!args[i].empty() && args[i][0] == '-')
            return Usage();
        else
            positional.push_back(args[i]);
    }
    if (positional.size() != 2) return Usage();
    const fs::path header = positional[0];
    const fs::path out = positional[1];

    std::map<int, std::string> resources;
    try {
        const coursec::Course course = coursec::ReadCourse(header);
        for (const coursec::Warning& warning : coursec::ReviewCourse(course))
            std::cerr << warning.text() << "\n";
        resources = coursec::BuildCourseResources(course);
    } catch (const coursec::SourceError& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }

    if (!pictures.empty()) {
        for (const qv::Picture& picture : qv::InterfacePictures()) {
            const fs::path file = pictures / picture.fileName;
            auto bytes = qv::ReadWholeFile(file);
            if (!bytes.ok()) {
                std::cerr << file.string() << ":1: the interface picture is missing\n";
                return 1;
            }
            resources[picture.id] = std::move(bytes.value);
        }
    }

    std::error_code error;
    fs::create_directories(out, error);
    if (error) {
        std::cerr << "coursec: cannot create " << out.string() << ": " << error.message() << "\n";
        return 1;
    }
    std::set<std::string> written;
    for (const auto& [id, bytes] : resources) {
        const std::string name = std::to_string(id);
        if (!WriteIfChanged(out / name, bytes)) {
            std::cerr << "coursec: cannot write " << (out / name).string() << "\n";
            return 1;
        }
        written.insert(name);
    }
    // Resources from an earlier build that the course no longer has.
    for (const auto& entry : fs::directory_iterator(out, error)) {
        const std::string name = entry.path().filename().string();
        if (!written.count(name) && name.find_first_not_of("0123456789") == std::string::npos) {
            fs::remove(entry.path(), error);
        }
    }

    if (!qrc.empty()) {
        std::string text =
            "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/Custom\">\n";
        const fs::path absolute = fs::absolute(out);
        for (const std::string& name : written) {
            text += "  <file alias=\"" + name + "\">" +
                    XmlEscape((absolute / name).generic_string()) + "</file>\n";
        }
        text += "</qresource>\n</RCC>\n";
        if (!WriteIfChanged(qrc, text)) {
            std::cerr << "coursec: cannot write " << qrc.string() << "\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        // A file system fault while writing the output: the build stops with its reason.
        std::cerr << "coursec: " << error.what() << "\n";
        return 1;
    }
}
