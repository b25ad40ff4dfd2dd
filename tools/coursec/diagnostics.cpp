#include "diagnostics.h"

namespace coursec {

std::string Diagnostic::text() const {
    const char* label = kind == Kind::Warning ? "warning: " : kind == Kind::Note ? "note: " : "";
    return file + ":" + std::to_string(line) + ": " + label + message;
}

void Diagnostics::Error(const SourceError& error) {
    all_.push_back({Diagnostic::Kind::Error, error.file(), error.line(), error.message()});
    if (++errors_ >= kMaxErrors) throw TooManyErrors{};
}

void Diagnostics::Note(const std::string& file, int line, const std::string& message) {
    all_.push_back({Diagnostic::Kind::Note, file, line, message});
}

void Diagnostics::Warning(const std::string& file, int line, const std::string& message) {
    all_.push_back({Diagnostic::Kind::Warning, file, line, message});
}

std::optional<SourceError> Diagnostics::firstError() const {
    for (const Diagnostic& d : all_) {
        if (d.kind == Diagnostic::Kind::Error) return SourceError(d.file, d.line, d.message);
    }
    return std::nullopt;
}

}  // namespace coursec
