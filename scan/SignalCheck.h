#pragma once

#include "scan/ReturnCounts.h"
#include "scan/SecurityClass.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace verdaxil {

// The days a security's signal is checked on, and what a trade on each gained: bought
// during the next day at its average price, sold at the close N days after the day,
// net of the fee and of the round trip's cost, in basis points of the price paid.
enum class CheckKind {
    All,         // every day: the baseline
    Selection,   // the days the selection rule picks
    Recommended, // the days the buy signal holds on
};
// Every kind, in the order of the enum: counts by kind are indexed by it.
inline constexpr std::array kCheckKinds = {CheckKind::All, CheckKind::Selection, CheckKind::Recommended};
static_assert(kCheckKinds.back() == static_cast<CheckKind>(kCheckKinds.size() - 1));

// Sums of returns: wide, so that many events of absurd prices cannot wrap.
__extension__ typedef __int128 WideSum;

struct CheckCounts {
    std::int64_t events = 0;
    std::int64_t wins = 0;     // returns above 0
    std::int64_t hits5 = 0;    // 500 basis points or more
    std::int64_t hits10 = 0;   // 1000 or more
    std::int64_t excluded = 0; // left out: an ex-rights day within the holding
    WideSum sumBp = 0;
    WideSum winSumBp = 0; // of the returns above 0
    ReturnCounts returns;

    // Means truncated toward zero: of every event, of the wins, of the others; none
    // without one.
    std::optional<std::int64_t> meanBp() const;
    std::optional<std::int64_t> winBp() const;
    std::optional<std::int64_t> lossBp() const;
    std::optional<std::int64_t> medianBp() const { return returns.median(); }

    // One event's return.
    void add(std::int64_t bp);
    CheckCounts& operator+=(const CheckCounts& other);
    bool operator==(const CheckCounts&) const = default;
};

// The counts of one calendar year (of the day checked), or of one horizon, for each kind.
using YearCounts = std::array<CheckCounts, kCheckKinds.size()>;
YearCounts& operator+=(YearCounts& counts, const YearCounts& other);

inline const CheckCounts& countsOf(const YearCounts& counts, CheckKind kind)
{
    return counts[static_cast<std::size_t>(kind)];
}

// The check's counts by class and year for the horizon, and by class for each horizon
// of a list in total, merged from the workers.
class SignalCheck {
public:
    // Adds one security's counts of one year.
    void add(SecurityClass securityClass, int year, const YearCounts& counts);
    // Adds one security's counts of all years for one horizon.
    void addHorizon(SecurityClass securityClass, std::int64_t horizon, const YearCounts& counts);
    void merge(const SignalCheck& other);

    // Years ascending that hold an event, or a left-out one, of kind All, for one class
    // or every class.
    std::map<int, YearCounts> years(std::optional<SecurityClass> securityClass) const;
    // All years together.
    YearCounts total(std::optional<SecurityClass> securityClass) const;
    // Each horizon's totals; a horizon without an event is absent.
    std::map<std::int64_t, YearCounts> horizons(std::optional<SecurityClass> securityClass) const;

    bool operator==(const SignalCheck&) const = default;

private:
    std::map<std::pair<SecurityClass, int>, YearCounts> counts_;
    std::map<std::pair<SecurityClass, std::int64_t>, YearCounts> horizonCounts_;
};

// Which days are checked (those from `from` to `to`, both included, when given), and
// over which horizons in total besides the window's.
struct CheckSettings {
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    std::vector<std::int64_t> horizons; // ascending, without repeats; the window's among them
    bool trades = false;                // list every trade of the kinds Selection and Recommended
};

// 1, 3, 5, 10, 20, 60 and the horizon, ascending, without repeats.
std::vector<std::int64_t> defaultHorizons(std::int64_t horizon);

// One trade of the check, as the trades file lists it.
struct CheckTrade {
    std::size_t row = 0;  // the file in the scan's listing; in a ScanResult, its row
    std::int32_t day = 0; // the signal's
    CheckKind kind = CheckKind::Selection;
    std::int32_t entryDay = 0;
    std::int32_t exitDay = 0;
    std::int32_t entry = 0; // prices in the file's unit
    std::int32_t exit = 0;
    std::int64_t returnBp = 0;
    bool excluded = false;

    auto operator<=>(const CheckTrade&) const = default;
};

} // namespace verdaxil
