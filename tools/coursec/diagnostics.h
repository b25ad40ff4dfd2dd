#pragma once

// What a run of the compiler has to tell: the faults that stop the build,
// the warnings of a reviewer and the notes on what was stored differently
// from how it was written.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "course_source.h"

namespace coursec {

struct Diagnostic {
    enum class Kind { Error, Warning, Note };
    Kind kind = Kind::Error;
    std::string file;
    int line = 0;
    std::string message;

    // "file:line: message", with "warning: " or "note: " before a message
    // that does not stop the build.
    std::string text() const;
};

// Thrown when a run has found as many faults as are worth reading at once.
struct TooManyErrors {};

class Diagnostics {
  public:
    static constexpr std::size_t kMaxErrors = 20;

    // The kMaxErrors-th fault throws TooManyErrors once it is recorded.
    void Error(const SourceError& error);
    void Note(const std::string& file, int line, const std::string& message);
    void Warning(const std::string& file, int line, const std::string& message);

    // Runs `step`; a SourceError it throws is recorded. True when it threw none.
    template <typename Step>
    bool Try(Step&& step) {
        try {
            step();
            return true;
        } catch (const SourceError& error) {
            Error(error);
            return false;
        }
    }

    std::size_t errors() const { return errors_; }
    const std::vector<Diagnostic>& all() const { return all_; }
    std::optional<SourceError> firstError() const;

  private:
    std::vector<Diagnostic> all_;
    std::size_t errors_ = 0;
};

}  // namespace coursec
