#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/InstructionSet.h"
#include "scan/ExRightsDays.h"
#include "scan/SignalCheck.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace verdaxil {

struct DayLanes;

// A worker's counts of the signal check, with a slot for every class and year so that
// a security's days are added without a lookup; merged into a SignalCheck at the end.
class CheckAccumulator {
public:
    CheckAccumulator(std::int64_t horizon, std::int64_t fee, std::int64_t costBp, const CheckSettings& settings,
                     std::int32_t today);
    ~CheckAccumulator();
    CheckAccumulator(CheckAccumulator&&) = default;

    // Adds the events of one security's whole table of days: every day r from the 60th
    // with r + horizon within the table, a plausible date and one within the settings'
    // bounds, bought during day r + 1 at its average price and sold at the close of day
    // r + horizon, less the cost; days whose entry price is not positive are left out,
    // and those whose holding holds a suspected ex-rights day after the entry's are
    // counted apart. Does so for the horizon by year and for each other horizon of the
    // settings in total; lists the trades of the file (the `file`th of the scan) when
    // the settings ask for them.
    void addDays(const EvaluatedDays& days, SecurityClass securityClass, PriceLimit limit, std::size_t file);

    SignalCheck result() const;
    // The trades listed, in the order met.
    std::vector<CheckTrade> takeTrades() { return std::move(trades_); }

private:
    void listTrades(const EvaluatedDays& days, std::size_t last, std::size_t file);

    static constexpr int kFirstYear = 1990;
    static constexpr int kYears = 256;
    static constexpr std::size_t kClasses = kSecurityClasses.size();

    std::int64_t horizon_;
    std::int64_t fee_;
    std::int64_t cost_;
    std::int32_t from_;
    std::int32_t to_;
    std::int32_t today_;
    std::vector<std::int64_t> horizons_; // the settings' horizons in total
    std::vector<std::int64_t> others_;   // those but the window's
    bool listTrades_;
    InstructionSet set_;
    std::unique_ptr<std::array<std::array<YearCounts, kYears>, kClasses>> counts_;
    std::vector<std::array<YearCounts, kClasses>> horizonCounts_; // by the index in others_
    std::unique_ptr<DayLanes> lanes_;                             // a table's days, worked out in lanes
    std::vector<CheckTrade> trades_;
};

} // namespace verdaxil
