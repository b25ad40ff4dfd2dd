#include "command.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "course/atomic_file.h"
#include "course/file_system.h"
#include "course/resources.h"
#include "course_checks.h"
#include "course_review.h"
#include "course_source.h"
#include "course_writer.h"
#include "diagnostics.h"
#include "preview.h"
#include "previous_build.h"

namespace coursec {

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: coursec [--preview DIR] [--previous EARLIER] [--quiet] COURSE.qvc [OUTDIR]\n"
    "       coursec --pictures DIR --qrc FILE [--pictures-qrc FILE] COURSE.qvc OUTDIR\n"
    "                                            (the program's own build)\n"
    "\n"
    "Checks the course whose header is COURSE.qvc and writes it, compiled, into OUTDIR\n"
    "(start the program on it with: quorvale --course OUTDIR).\n"
    "  --preview DIR       write every question as a web page into DIR, with its key\n"
    "                      under it; open DIR/index.html in a web browser\n"
    "  --previous EARLIER  list the papers whose questions differ from those of the\n"
    "                      compiled course in EARLIER (pupils' saved answers for them\n"
    "                      would no longer fit)\n"
    "  --quiet             do not print the summary of the course\n";

struct Options {
    fs::path pictures, qrc, picturesQrc, preview, previous;
    bool quiet = false;
    fs::path header, output;
};

bool ParseOptions(const std::vector<std::string>& args, Options& options) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h")
            return false;
        else if (arg == "--pictures" && hasValue)
            options.pictures = args[++i];
        else if (arg == "--qrc" && hasValue)
            options.qrc = args[++i];
        else if (arg == "--pictures-qrc" && hasValue)
            options.picturesQrc = args[++i];
        else if (arg == "--preview" && hasValue)
            options.preview = args[++i];
        else if (arg == "--previous" && hasValue)
            options.previous = args[++i];
        else if (arg == "--quiet")
            options.quiet = true;
        else if (!arg.empty() && arg[0] == '-')
            return false;
        else
            positional.push_back(arg);
    }
    if (positional.empty() || positional.size() > 2) return false;
    options.header = positional[0];
    if (positional.size() == 2) options.output = positional[1];
    // The packed build needs somewhere to write.
    if (!options.picturesQrc.empty() && (options.pictures.empty() || options.qrc.empty())) return false;
    return options.output.empty() ? options.pictures.empty() && options.qrc.empty() : true;
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

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Faults and notes file by file (in the order the files were read), line by line.
std::vector<Diagnostic> InFileOrder(std::vector<Diagnostic> all) {
    std::map<std::string, std::size_t> files;
    for (const Diagnostic& d : all) files.emplace(d.file, files.size());
    std::stable_sort(all.begin(), all.end(), [&](const Diagnostic& a, const Diagnostic& b) {
        const std::size_t fa = files.at(a.file), fb = files.at(b.file);
        return fa != fb ? fa < fb : a.line < b.line;
    });
    return all;
}

// One line a topic, then one for the course.
void PrintSummary(const Course& course, std::ostream& out) {
    std::size_t total = 0, papers = 0, topics = 0;
    for (const Module& module : course.modules) {
        for (const Topic& topic : module.topics) {
            std::size_t questions = 0, answers = 0;
            for (const Paper& paper : topic.papers) {
                questions += paper.questions.size();
                for (const Question& question : paper.questions) answers += question.parts.size();
            }
            out << topic.name << ": " << Count(topic.papers.size(), "paper", "papers") << ", "
                << Count(questions, "question", "questions") << ", "
                << Count(answers, "answer", "answers") << " (" << topic.file << ")\n";
            total += questions;
            papers += topic.papers.size();
            ++topics;
        }
    }
    out << course.title << " (" << course.code
        << "): " << Count(course.modules.size(), "module", "modules") << ", "
        << Count(topics, "topic", "topics") << ", " << Count(papers, "paper", "papers") << ", "
        << Count(total, "question", "questions");
    if (total >= kQuestionIdCount)
        out << "; the course is full (" << kQuestionIdCount << " questions at most)\n";
    else
        out << "; room for " << Count(kQuestionIdCount - total, "more question", "more questions")
            << "\n";
}

// The course's resources and the pictures into OUTDIR, with the list for Qt's
// resource compiler; false after telling `err` why not.
bool WriteOutput(const Options& options, std::map<int, std::string> resources, std::ostream& err) {
    if (!options.pictures.empty()) {
        for (const qv::Picture& picture : qv::InterfacePictures()) {
            const fs::path file = options.pictures / picture.fileName;
            auto bytes = qv::ReadWholeFile(file);
            if (!bytes.ok()) {
                err << file.string() << ":1: the interface picture is missing\n";
                return false;
            }
            resources[picture.id] = std::move(bytes.value);
        }
    }
    const fs::path& out = options.output;
    std::error_code error;
    fs::create_directories(out, error);
    if (error) {
        err << "coursec: cannot create " << out.string() << ": " << error.message() << "\n";
        return false;
    }
    // Every changed resource goes to a temporary file first, and only when all
    // are written do they take their names (the configuration last): a build
    // that cannot be written whole leaves the earlier build as it was.
    std::set<std::string> written;
    std::vector<std::pair<fs::path, fs::path>> renames;  // temporary file, resource
    const auto dropTemporaries = [&renames] {
        std::error_code ignored;
        for (const auto& rename : renames) fs::remove(rename.first, ignored);
    };
    for (const auto& [id, bytes] : resources) {
        const std::string name = std::to_string(id);
        written.insert(name);
        const auto old = qv::ReadWholeFile(out / name);
        if (old.ok() && old.value == bytes) continue;
        const fs::path temp = qv::TemporaryPathFor(out / name);
        if (qv::InspectPath(out / name).kind == qv::PathKind::NotAFile ||
            qv::AtomicWriteFile(temp, bytes) != qv::IoStatus::Ok) {
            dropTemporaries();
            err << "coursec: cannot write " << (out / name).string()
                << "; nothing of this build was written, and the earlier one is as it was\n";
            return false;
        }
        renames.emplace_back(temp, out / name);
    }
    std::stable_partition(renames.begin(), renames.end(), [](const auto& rename) {
        return rename.second.filename() != std::to_string(qv::kConfigurationId);
    });
    for (const auto& [temp, target] : renames) {
        fs::rename(temp, target, error);
        if (!error) continue;
        dropTemporaries();
        err << "coursec: cannot write " << target.string() << ": " << error.message() << "\n";
        return false;
    }
    // Resources from an earlier build that the course no longer has.
    // Best effort: a folder that changes meanwhile leaves a stale file, never a failed build.
    std::error_code listError;
    fs::directory_iterator entry(out, listError);
    for (const fs::directory_iterator end; !listError && entry != end; entry.increment(listError)) {
        const std::string name = entry->path().filename().string();
        if (!written.count(name) && name.find_first_not_of("0123456789") == std::string::npos) {
            std::error_code removeError;
            fs::remove(entry->path(), removeError);
        }
    }
    if (options.qrc.empty()) return true;
    // With --pictures-qrc the interface pictures get a list of their own, so
    // that they are packed side by side: a start reads every picture and no
    // question page, and so brings fewer of the program's pages into memory.
    std::set<std::string> pictures;
    if (!options.picturesQrc.empty()) {
        for (const qv::Picture& picture : qv::InterfacePictures()) pictures.insert(std::to_string(picture.id));
    }
    const fs::path absolute = fs::absolute(out, error);
    if (error) {
        err << "coursec: cannot find the full path of " << out.string() << ": " << error.message() << "\n";
        return false;
    }
    const auto list = [&](bool wantPictures) {
        std::string text = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/Custom\">\n";
        for (const std::string& name : written) {
            if ((pictures.count(name) != 0) != wantPictures) continue;
            text += "  <file alias=\"" + name + "\">" + XmlEscape((absolute / name).generic_string()) +
                    "</file>\n";
        }
        return text + "</qresource>\n</RCC>\n";
    };
    for (const auto& [file, wantPictures] : {std::pair{options.qrc, false}, std::pair{options.picturesQrc, true}}) {
        if (file.empty()) continue;
        if (!WriteIfChanged(file, list(wantPictures))) {
            err << "coursec: cannot write " << file.string() << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int RunCoursec(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (!ParseOptions(args, options)) {
        const bool asked = args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
        (asked ? out : err) << kUsage;
        return asked ? 0 : 2;
    }
    Diagnostics diagnostics;
    const Course course = ReadCourse(options.header, diagnostics);
    for (const Diagnostic& diagnostic : InFileOrder(diagnostics.all()))
        err << diagnostic.text() << "\n";
    if (diagnostics.errors() > 0) {
        if (diagnostics.errors() >= Diagnostics::kMaxErrors)
            err << "coursec: stopped after " << Diagnostics::kMaxErrors
                << " faults; correct these and run coursec again to see the rest\n";
        else
            err << "coursec: " << Count(diagnostics.errors(), "fault", "faults")
                << " to correct; nothing was written\n";
        return 1;
    }
    for (const Diagnostic& warning : ReviewCourse(course)) err << warning.text() << "\n";
    const std::map<int, std::string> resources = BuildCourseResources(course);

    // Read before OUTDIR is written, which may be the same folder.
    if (!options.previous.empty()) {
        const Comparison comparison = CompareWithEarlierBuild(course, resources, options.previous);
        for (const std::string& line :
             DescribeComparison(comparison, course, options.previous.string()))
            (comparison.fault.empty() ? out : err) << line << "\n";
        if (!comparison.fault.empty()) return 1;
    }
    if (!options.output.empty() && !WriteOutput(options, resources, err)) return 1;
    if (!options.preview.empty()) {
        const std::string fault = WritePreview(course, options.preview);
        if (!fault.empty()) {
            err << "coursec: " << fault << "\n";
            return 1;
        }
        out << "preview: " << (options.preview / "index.html").string() << "\n";
    }
    if (!options.quiet) PrintSummary(course, out);
    return 0;
}

}  // namespace coursec
