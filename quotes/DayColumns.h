#pragma once

#include "quotes/DayTable.h"
#include "quotes/InstructionSet.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>

namespace verdaxil {

// What decoding learns of the kept days on its way, so that nothing reads the columns
// again for it.
struct DecodedFacts {
    std::int32_t highest = 0;                                       // the highest high, never below 0
    std::int32_t lowest = std::numeric_limits<std::int32_t>::max(); // the lowest low
    bool ascending = true;                                          // every date later than the one before
    bool cleaningStopped = false;                                   // a negative high: the days after it are kept as they are
    bool operator==(const DecodedFacts&) const = default;
};

// One security's trading days, oldest first, in one array per field the analysis
// reads, so that loops over a field run over adjacent values. The field between date
// and high is only tested for zero and is not kept.
class DayColumns {
public:
    static constexpr int kRows = DayTable::kRows;

    // Takes the most recent kRows whole records of a day file's bytes and removes the
    // defective days as DayCleaning does. The loops run on `set`.
    void decode(std::span<const char> bytes, InstructionSet set);

    int count() const { return count_; }
    const DecodedFacts& facts() const { return facts_; }
    std::span<const std::int32_t> date() const { return valid(date_); }
    std::span<const std::int32_t> high() const { return valid(high_); }
    std::span<const std::int32_t> low() const { return valid(low_); }
    std::span<const std::int32_t> close() const { return valid(close_); }
    std::span<const std::int32_t> amount() const { return valid(amount_); }
    std::span<const std::int32_t> volume() const { return valid(volume_); }

private:
    using Values = std::array<std::int32_t, kRows>;

    std::span<const std::int32_t> valid(const Values& values) const
    {
        return std::span(values).first(static_cast<std::size_t>(count_));
    }

    Values date_;
    Values high_;
    Values low_;
    Values close_;
    Values amount_;
    Values volume_;
    int count_ = 0;
    DecodedFacts facts_;
};

} // namespace verdaxil
