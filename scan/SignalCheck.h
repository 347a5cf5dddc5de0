#pragma once

#include "scan/SecurityClass.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>

namespace verdaxil {

// The days a security's signal is checked on, and what a trade on each gained: bought
// during the next day at its average price, sold at the close N days after the day,
// net of the fee, in basis points of the price paid.
enum class CheckKind {
    All,         // every day: the baseline
    Selection,   // the days the selection rule picks
    Recommended, // the days the buy signal holds on
};
inline constexpr std::array kCheckKinds = {CheckKind::All, CheckKind::Selection, CheckKind::Recommended};

// Sums of returns: wide, so that many events of absurd prices cannot wrap.
__extension__ typedef __int128 WideSum;

struct CheckCounts {
    std::int64_t events = 0;
    std::int64_t wins = 0;   // returns above 0
    std::int64_t hits5 = 0;  // 500 basis points or more
    std::int64_t hits10 = 0; // 1000 or more
    WideSum sumBp = 0;

    // The mean return, truncated; none without an event.
    std::optional<std::int64_t> meanBp() const;
    CheckCounts& operator+=(const CheckCounts& other);
    bool operator==(const CheckCounts&) const = default;
};

// The counts of one calendar year (of the day checked), for each kind.
using YearCounts = std::array<CheckCounts, kCheckKinds.size()>;

// The check's counts by class and year, merged from the workers.
class SignalCheck {
public:
    // Adds one security's counts of one year.
    void add(SecurityClass securityClass, int year, const YearCounts& counts);
    void merge(const SignalCheck& other);

    // Years ascending that hold an event of kind All, for one class or every class.
    std::map<int, YearCounts> years(std::optional<SecurityClass> securityClass) const;
    // All years together.
    YearCounts total(std::optional<SecurityClass> securityClass) const;

    bool operator==(const SignalCheck&) const = default;

private:
    std::map<std::pair<SecurityClass, int>, YearCounts> counts_;
};

// Which days are checked: those from `from` to `to`, both included, when given.
struct CheckSettings {
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
};

} // namespace verdaxil
