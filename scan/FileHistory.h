#pragma once

#include "analysis/BackTestDefaults.h"
#include "analysis/SecurityEvaluator.h"
#include "scan/CheckAccumulator.h"
#include "scan/DayFileCut.h"

#include <array>
#include <cstdint>
#include <optional>

namespace verdaxil {

class ReadOnlyFile;

// A file's last days as of a day, to tell whether it was on the list of an earlier day
// without reading it again. Usable when every record read was kept, from the file's
// first, and the last ones' dates ascend: then the file as of an earlier day that no
// record before these follows is these days up to it, with the same averages.
struct RecentDays {
    static constexpr std::size_t kDays = 4;

    bool usable = false;
    std::optional<std::int32_t> earlierLatest; // the latest date before these days
    std::size_t count = 0;                     // of these days, up to kDays; all the days there are when fewer
    std::array<std::int32_t, kDays> dates{};
    std::array<bool, kDays> recommended{};

    // Whether the file as of `day` is on that day's list; none when these days cannot tell.
    std::optional<bool> onListAsOf(std::int32_t day) const;
};

// What one security's file gives the scan of a day, besides its row.
struct FileFacts {
    std::optional<SecurityEvaluation> evaluation; // as of the day
    // The latest date above 0 of the records before the cut: when it is not after the
    // list's day, the file as of that day is the file as of the day asked for.
    std::optional<std::int32_t> latestRecordDate;
    // The two latest distinct plausible dates of the kept days as of the day, latest
    // first; none where there is none.
    std::array<std::optional<std::int32_t>, 2> latestDates{};
    // The date of the whole file's last kept day, plausible or not.
    std::optional<std::int32_t> wholeLatestDate;
    // The first plausible date of the kept days read.
    std::optional<std::int32_t> firstDate;
    // How it did since, were the list's day its own latest day as of the day asked for,
    // and whether a suspected ex-rights day lies after the entry's.
    std::optional<std::int64_t> sinceBp;
    bool sinceExRights = false;
    // The latest suspected ex-rights day among the last kept days as of the day.
    std::optional<std::int32_t> exRightsDay;
    RecentDays recent;
};

// Which of the scan's files is evaluated, and what its class makes of its days.
struct FileIdentity {
    std::size_t index = 0; // in the scan's listing
    SecurityClass securityClass = SecurityClass::Other;
    PriceLimit limit = PriceLimit::None;
};

// Evaluates one file after another as of a day, with what the list of a past day
// needs of each: a worker's tools, kept from one file to the next.
class FileHistory {
public:
    struct Settings {
        std::int64_t horizon = kDefaultHorizon;
        std::int64_t fee = kDefaultFee;
        std::int32_t today = 0;
        std::int64_t costBp = 0; // taken off how it did since
    };

    // What is wanted of a file besides its summary as of the day; named at the call,
    // e.g. {.dates = true, .since = true}.
    struct Wanted {
        bool backTest = false; // the selection points' statistics
        bool dates = false;    // latestRecordDate, latestDates, firstDate, recent and wholeLatestDate
        bool since = false;    // sinceBp
    };

    explicit FileHistory(const Settings& settings);

    // The file as of `day` (the whole file when none); adds the whole file's days to
    // `check` when given.
    FileFacts evaluate(const ReadOnlyFile& file, std::optional<std::int32_t> day, Wanted wanted, CheckAccumulator* check,
                       const FileIdentity& identity);

private:
    void learnTheWholeFile(std::size_t cut, bool since, FileFacts& facts, CheckAccumulator* check, const FileIdentity& identity);

    Settings settings_;
    DayFileCut file_;
    SecurityEvaluator evaluator_;
};

} // namespace verdaxil
