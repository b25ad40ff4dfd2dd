#pragma once

// Tagged record files: plain text in the Windows-1252 code page, one record
// per line. Writers end every line with CR LF; readers also take LF alone
// and CR alone as a line end. A record is "#KEY#" followed by its fields, each field
// introduced by '>':   #101#>13001>13002>13003
// Lines without a key (such as "...") are skipped by every reader.
//
// Finding a record: the first line that holds "#KEY#" anywhere, letter case
// ignored; later lines with the same key are never seen.
// Splitting: the first '>' is not searched for but taken at a fixed place
// after the key (the 6th character for three-character keys, the 8th for
// five-character keys); the last field asked for runs to the end of the line,
// '>' included. A record with fewer fields than asked for gives empty fields.
//
// Every reader opens, reads and closes its file within the call. A missing or
// unreadable file gives an empty value and a status saying why. A file over
// kMaxFileBytes is damaged: its sound lines are read (see ReadRecordText) and
// the status is Damaged.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "course/atomic_file.h"
#include "course/io_status.h"
#include "course/text.h"

namespace qv {

using Fields = std::vector<RecordText>;  // the fields of a record

// Zero-based index of the first separator for a key of the given length.
constexpr std::size_t FirstSeparatorIndex(std::size_t keyLength) { return keyLength + 2; }

// True when `line` holds "#key#", letter case ignored.
bool LineHasKey(std::string_view line, std::string_view key);

// The fields of `line`, with the first separator at `firstSeparator` (0-based)
// and n fields in all.
Fields SplitFields(std::string_view line, std::size_t firstSeparator, int n);

// The first line of `text` (a file's bytes already read) that holds the
// key, found as the file readers find it; empty when none does.
std::string_view FindRecordLine(std::string_view text, std::string_view key);

// The record line from its 7th character on; empty when the key is absent or
// the line is shorter than 7 characters.
ReadResult<std::string> ReadRecordValue(const std::filesystem::path& path, std::string_view key);

// The first n fields (1..50) of a record with a three-character key.
ReadResult<Fields> ReadRecordFields(const std::filesystem::path& path, std::string_view key, int n);

// Ten entries: the first n (1..10) fields of the record, the rest empty.
ReadResult<Fields> ReadTopicNames(const std::filesystem::path& path, std::string_view key, int n);

// The whole matching line; empty when none matches.
ReadResult<std::string> ReadRecordLine(const std::filesystem::path& path, std::string_view key);

// Every field of a record with a three-character key: as many as it has '>'.
ReadResult<Fields> ReadPaperQuestions(const std::filesystem::path& path, std::string_view key);
Fields PaperQuestionsIn(std::string_view text, std::string_view key);  // of text already read

// In one pass: entry i (0-based) is the whole line of paper key 101 + i.
// The search never goes back, so once a key is not found before the end of
// the file, it and every later entry are empty.
ReadResult<Fields> ReadPaperLines(const std::filesystem::path& path, int n);

// The first n fields (1..80) of a line with a three-character key.
Fields SplitRecordLine(std::string_view line, int n);

// The first n fields (1..50) of the trend line.
Fields SplitTrendEntries(std::string_view line, int n);

// In one pass: for each key in order, the number of '>' in its line (0 when
// the end of the file came first).
ReadResult<std::vector<int>> CountAnswerParts(const std::filesystem::path& path,
                                              const std::vector<std::string>& keys);
std::vector<int> AnswerPartsIn(std::string_view text, const std::vector<std::string>& keys);

// In one pass: all fields of the records of the five-character keys, record
// after record in the order of the keys, as one flat list.
ReadResult<Fields> ReadQuestionFields(const std::filesystem::path& path,
                                      const std::vector<std::string>& keys);
Fields QuestionFieldsIn(std::string_view text, const std::vector<std::string>& keys);

// Builds "#key#>v1>v2>...>vk" from the first k values (missing values are
// empty, so the record always has k fields). Values are neutralised
// so that the record keeps its field count.
std::string BuildRecordLine(std::string_view key, const std::vector<std::string>& values, int k);

// Replaces line `lineIndex` (1-based: the paper number) of the caller's list
// with the record of `key` and the first `valueCount` values, then rewrites
// the file whole with entries 1..lineCount, each followed by CR LF. An entry
// that does not hold its paper's record (the file was read out of order, with
// a gap or a repeated key) is taken from wherever that record stands in the
// file, or written as the bare key when it is nowhere, so no readable record
// is lost and the file is in key order afterwards. The list is changed even
// when writing fails. A line index outside 1..lineCount writes nothing and
// gives BadRecord.
IoStatus SavePaperRecord(std::vector<std::string>& lines, const std::vector<std::string>& values,
                         int lineIndex, std::string_view key, int lineCount, int valueCount,
                         const std::filesystem::path& path, Durability durability = Durability::Synced);
// The same, the file's bytes built in `bytes`, whose memory is kept.
IoStatus SavePaperRecord(std::vector<std::string>& lines, const std::vector<std::string>& values,
                         int lineIndex, std::string_view key, int lineCount, int valueCount,
                         const std::filesystem::path& path, Durability durability, std::string& bytes);

}  // namespace qv
