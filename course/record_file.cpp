#include "course/record_file.h"

#include <algorithm>

#include "course/atomic_file.h"
#include "course/course_limits.h"
#include "course/text_lines.h"
#include "course/text.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr int kFieldsCapacity = 50;
constexpr int kTopicCapacity = 10;
constexpr int kSplitCapacity = 80;
constexpr int kTrendCapacity = 50;

// Walks the lines of a file held in memory, onward only (see text_lines.h).
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : lines_(text) {}

    bool Next(std::string_view& line) { return lines_.Next(line); }

    // The next line holding the key, searching onward; false at the end.
    bool Find(std::string_view key, std::string_view& line) {
        while (Next(line)) {
            if (LineHasKey(line, key)) return true;
        }
        return false;
    }

private:
    LineReader lines_;
};

int Clamp(int n, int capacity) { return std::clamp(n, 0, capacity); }

int CountSeparators(std::string_view line) {
    return static_cast<int>(std::count(line.begin(), line.end(), '>'));
}

// Reads the file and finds the first line of the key.
ReadResult<std::string> FindLine(const fs::path& path, std::string_view key) {
    auto file = ReadRecordText(path);
    if (!file.usable()) return {{}, file.status};
    LineCursor cursor(file.value);
    std::string_view line;
    if (cursor.Find(key, line)) return {std::string(line), file.status};
    return {{}, file.status};
}

Fields SplitThreeCharKeyLine(std::string_view line, int n) {
    return SplitFields(line, FirstSeparatorIndex(3), n);
}

std::string PaperKey(int index) { return std::to_string(kPaperKeyOffset + 1 + index); }

// True when the line begins with another record's key: its text may hold
// `key` as a pupil's answer ("#103#" typed in paper 101), but it is never
// that record.
bool IsAnotherRecord(std::string_view line, std::string_view key) {
    const std::size_t close = line.starts_with('#') ? line.find('#', 1) : std::string_view::npos;
    if (close == std::string_view::npos) return false;
    return !LineHasKey(line.substr(0, close + 1), key);
}

// Entries of the list that do not hold their paper's record (the one-pass
// reader left them empty because the file was out of order, had a gap or a
// repeated key) take the first record of their key found anywhere in the
// file; a record found nowhere is written as its bare key, which reads as
// empty fields, so every later reader finds every key in order.
void RecoverPaperRecords(std::vector<std::string>& lines, int lineCount, const fs::path& path) {
    std::vector<int> lost;
    for (int i = 0; i < lineCount; ++i) {
        if (!LineHasKey(lines[i], PaperKey(i)) || IsAnotherRecord(lines[i], PaperKey(i))) lost.push_back(i);
    }
    if (lost.empty()) return;
    const auto file = ReadRecordText(path);
    for (int i : lost) {
        const std::string key = PaperKey(i);
        std::string_view found;
        LineCursor cursor(file.value);
        bool recovered = false;
        while (file.usable() && !recovered && cursor.Find(key, found)) recovered = !IsAnotherRecord(found, key);
        lines[i] = recovered ? std::string(found) : "#" + key + "#";
    }
}

}  // namespace

std::string_view FindRecordLine(std::string_view text, std::string_view key) {
    LineCursor cursor(text);
    std::string_view line;
    return cursor.Find(key, line) ? line : std::string_view();
}

bool LineHasKey(std::string_view line, std::string_view key) {
    const std::size_t needed = key.size() + 2;
    if (line.size() < needed) return false;
    for (std::size_t start = 0; start + needed <= line.size(); ++start) {
        if (line[start] != '#' || line[start + needed - 1] != '#') continue;
        bool same = true;
        for (std::size_t i = 0; i < key.size() && same; ++i) {
            same = AsciiLower(line[start + 1 + i]) == AsciiLower(key[i]);
        }
        if (same) return true;
    }
    return false;
}

Fields SplitFields(std::string_view line, std::size_t firstSeparator, int n) {
    Fields fields(static_cast<std::size_t>(std::max(n, 0)));
    std::size_t separator = firstSeparator;
    for (int i = 0; i < n; ++i) {
        if (separator >= line.size()) break;  // fewer fields than asked: the rest stay empty
        const std::size_t start = separator + 1;
        if (i == n - 1) {
            fields[i] = std::string(line.substr(start));
            break;
        }
        const std::size_t next = line.find('>', start);
        if (next == std::string_view::npos) {
            fields[i] = std::string(line.substr(start));
            break;
        }
        fields[i] = std::string(line.substr(start, next - start));
        separator = next;
    }
    return fields;
}

ReadResult<std::string> ReadRecordValue(const fs::path& path, std::string_view key) {
    auto line = FindLine(path, key);
    if (line.value.size() < 7) line.value.clear();
    else line.value.erase(0, 6);
    return line;
}

ReadResult<Fields> ReadRecordFields(const fs::path& path, std::string_view key, int n) {
    auto line = FindLine(path, key);
    if (!line.usable()) return {{}, line.status};
    return {SplitThreeCharKeyLine(line.value, Clamp(n, kFieldsCapacity)), line.status};
}

ReadResult<Fields> ReadTopicNames(const fs::path& path, std::string_view key, int n) {
    auto line = FindLine(path, key);
    Fields names(kTopicCapacity);
    if (!line.usable()) return {names, line.status};
    const Fields fields = SplitThreeCharKeyLine(line.value, Clamp(n, kTopicCapacity));
    std::copy(fields.begin(), fields.end(), names.begin());
    return {names, line.status};
}

ReadResult<std::string> ReadRecordLine(const fs::path& path, std::string_view key) {
    return FindLine(path, key);
}

Fields PaperQuestionsIn(std::string_view text, std::string_view key) {
    const std::string_view line = FindRecordLine(text, key);
    return SplitThreeCharKeyLine(line, CountSeparators(line));
}

ReadResult<Fields> ReadPaperQuestions(const fs::path& path, std::string_view key) {
    auto file = ReadRecordText(path);
    if (!file.usable()) return {{}, file.status};
    return {PaperQuestionsIn(file.value, key), file.status};
}

ReadResult<Fields> ReadPaperLines(const fs::path& path, int n) {
    auto file = ReadRecordText(path);
    n = Clamp(n, kFieldsCapacity);
    Fields lines(static_cast<std::size_t>(n));
    if (!file.usable()) return {lines, file.status};
    LineCursor cursor(file.value);
    std::string_view line;
    for (int i = 0; i < n; ++i) {
        if (!cursor.Find(std::to_string(kPaperKeyOffset + 1 + i), line)) break;
        lines[i] = std::string(line);
    }
    return {lines, file.status};
}

Fields SplitRecordLine(std::string_view line, int n) {
    return SplitThreeCharKeyLine(line, Clamp(n, kSplitCapacity));
}

Fields SplitTrendEntries(std::string_view line, int n) {
    return SplitThreeCharKeyLine(line, Clamp(n, kTrendCapacity));
}

std::vector<int> AnswerPartsIn(std::string_view text, const std::vector<std::string>& keys) {
    std::vector<int> counts(keys.size(), 0);
    LineCursor cursor(text);
    std::string_view line;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!cursor.Find(keys[i], line)) break;
        counts[i] = CountSeparators(line);
    }
    return counts;
}

ReadResult<std::vector<int>> CountAnswerParts(const fs::path& path,
                                              const std::vector<std::string>& keys) {
    auto file = ReadRecordText(path);
    if (!file.usable()) return {std::vector<int>(keys.size(), 0), file.status};
    return {AnswerPartsIn(file.value, keys), file.status};
}

Fields QuestionFieldsIn(std::string_view text, const std::vector<std::string>& keys) {
    Fields all;
    LineCursor cursor(text);
    std::string_view line;
    for (const std::string& key : keys) {
        if (!cursor.Find(key, line)) break;
        Fields fields = SplitFields(line, FirstSeparatorIndex(5), CountSeparators(line));
        std::move(fields.begin(), fields.end(), std::back_inserter(all));
    }
    return all;
}

ReadResult<Fields> ReadQuestionFields(const fs::path& path, const std::vector<std::string>& keys) {
    auto file = ReadRecordText(path);
    if (!file.usable()) return {{}, file.status};
    return {QuestionFieldsIn(file.value, keys), file.status};
}

std::string BuildRecordLine(std::string_view key, const std::vector<std::string>& values, int k) {
    std::string line = "#";
    line += key;
    line += '#';
    for (int i = 0; i < k; ++i) {
        line += '>';
        if (i < static_cast<int>(values.size())) line += NeutraliseFieldValue(values[i]);
    }
    return line;
}

IoStatus SavePaperRecord(std::vector<std::string>& lines, const std::vector<std::string>& values,
                         int lineIndex, std::string_view key, int lineCount, int valueCount,
                         const fs::path& path, Durability durability) {
    std::string bytes;
    return SavePaperRecord(lines, values, lineIndex, key, lineCount, valueCount, path, durability, bytes);
}

IoStatus SavePaperRecord(std::vector<std::string>& lines, const std::vector<std::string>& values,
                         int lineIndex, std::string_view key, int lineCount, int valueCount,
                         const fs::path& path, Durability durability, std::string& bytes) {
    lineCount = std::max(lineCount, 0);
    if (lineIndex < 1 || lineIndex > lineCount) return IoStatus::BadRecord;
    if (static_cast<int>(lines.size()) < lineCount) lines.resize(static_cast<std::size_t>(lineCount));
    lines[lineIndex - 1] = BuildRecordLine(key, values, valueCount);
    RecoverPaperRecords(lines, lineCount, path);
    std::size_t size = 0;
    for (int i = 0; i < lineCount; ++i) size += lines[i].size() + 2;
    bytes.clear();
    bytes.reserve(size);  // one buffer, however large the file
    for (int i = 0; i < lineCount; ++i) {
        const std::size_t start = bytes.size();
        bytes += lines[i];
        if (HasLineEnd(lines[i])) {  // a line end inside would split the record
            std::replace_if(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(),
                            [](char c) { return c == '\r' || c == '\n'; }, ' ');
        }
        bytes += "\r\n";
    }
    return AtomicWriteFile(path, bytes, durability);
}

}  // namespace qv
