#pragma once

// The six records of a module's marks file, one field per paper in each.

#include <array>
#include <cstddef>
#include <string>

#include "course/record_file.h"

namespace qv {

// The records in file order.
enum class MarksRecord { FirstScore, SecondScore, TimeTaken, Date, FirstMarked, SecondMarked };
inline constexpr std::array<MarksRecord, 6> kMarksRecords = {
    MarksRecord::FirstScore,  MarksRecord::SecondScore, MarksRecord::TimeTaken,
    MarksRecord::Date,        MarksRecord::FirstMarked, MarksRecord::SecondMarked};
// The key each record is stored under, in the same order.
inline const std::array<std::string, 6> kMarksKeys = {"FSE", "SSE", "LTM", "CDD", "FST", "SST"};

inline constexpr std::size_t MarksIndex(MarksRecord record) { return static_cast<std::size_t>(record); }

struct MarksLists {
    Fields firstScores;   // FSE: the first attempt's percentage, empty until marked
    Fields secondScores;  // SSE: the second attempt's
    Fields timesTaken;    // LTM: how long the first attempt took, "h:m:s"
    Fields dates;         // CDD: the day the first attempt was marked
    Fields firstMarked;   // FST: "1" once the first attempt is marked, else "0"
    Fields secondMarked;  // SST: the same for the second attempt

    // For what reads or writes every record alike.
    Fields& operator[](MarksRecord record) { return this->*kInFileOrder[MarksIndex(record)]; }
    const Fields& operator[](MarksRecord record) const { return this->*kInFileOrder[MarksIndex(record)]; }
    bool operator==(const MarksLists&) const = default;

private:
    static constexpr std::array<Fields MarksLists::*, 6> kInFileOrder = {
        &MarksLists::firstScores, &MarksLists::secondScores, &MarksLists::timesTaken,
        &MarksLists::dates,       &MarksLists::firstMarked,  &MarksLists::secondMarked};
};

// The lists of a module where no paper is marked: every score, time and date
// empty, every marked state "0".
MarksLists UnmarkedLists(std::size_t papers);

// Writes the six records, each with `n` fields, durably.
IoStatus WriteMarksFile(const MarksLists& lists, int n, const std::filesystem::path& path);

}  // namespace qv
