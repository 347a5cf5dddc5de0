#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/InstructionSet.h"
#include "scan/SignalCheck.h"

#include <array>
#include <cstdint>
#include <memory>

namespace verdaxil {

struct DayLanes;

// A worker's counts of the signal check, with a slot for every class and year so that
// a security's days are added without a lookup; merged into a SignalCheck at the end.
class CheckAccumulator {
public:
    CheckAccumulator(std::int64_t horizon, std::int64_t fee, const CheckSettings& settings, std::int32_t today);
    ~CheckAccumulator();
    CheckAccumulator(CheckAccumulator&&) = default;

    // Adds the events of one security's whole table of days: every day r from the 60th
    // with r + horizon within the table, a plausible date and one within the settings'
    // bounds, bought during day r + 1 at its average price and sold at the close of day
    // r + horizon; days whose entry price is not positive are left out.
    void addDays(const EvaluatedDays& days, SecurityClass securityClass);

    SignalCheck result() const;

private:
    static constexpr int kFirstYear = 1990;
    static constexpr int kYears = 256;
    static constexpr std::size_t kClasses = 6;

    std::int64_t horizon_;
    std::int64_t fee_;
    std::int32_t from_;
    std::int32_t to_;
    std::int32_t today_;
    InstructionSet set_;
    std::unique_ptr<std::array<std::array<YearCounts, kYears>, kClasses>> counts_;
    std::unique_ptr<DayLanes> lanes_; // a table's days, worked out in lanes
};

} // namespace verdaxil
