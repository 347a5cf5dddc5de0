#pragma once

#include "quotes/DayFileReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace verdaxil {

class ReadOnlyFile;

// A day file's records as the scan of a day needs them: read once, then cut at any day
// as if the file ended there.
class DayFileCut {
public:
    // A file cut at a day is read as the query reads a whole one: its most recent
    // DayTable::kRows records before the cut. The cut itself is searched in this many of
    // the file's most recent records: more than a century of trading days.
    static constexpr std::size_t kMostRecords = 100'000;

    DayFileCut();

    // Reads the file's records: with one read into a page-aligned block when it holds no
    // more than DayTable::kRows, else its most recent kMostRecords.
    void read(const ReadOnlyFile& file);

    std::span<const char> records() const { return records_; }
    std::size_t count() const { return records_.size() / kDayRecordSize; }

    // The number of records before the first one dated after `day`.
    std::size_t cutAt(std::int32_t day) const;
    // The latest date of records `begin` to `end` - 1; 0 for none.
    std::int32_t latestRecordDate(std::size_t begin, std::size_t end) const;
    // What the query reads of the file as if it ended after `end` records: the most
    // recent DayTable::kRows of them.
    std::span<const char> window(std::size_t end) const;

private:
    std::unique_ptr<DayRecordBlock> block_;
    std::vector<char> longFile_;
    std::span<const char> records_;
};

} // namespace verdaxil
