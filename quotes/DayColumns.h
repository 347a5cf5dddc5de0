#pragma once

#include "quotes/DayTable.h"
#include "quotes/InstructionSet.h"

#include <array>
#include <cstdint>
#include <span>

namespace verdaxil {

// One security's trading days, oldest first, in one array per field the analysis
// reads, so that loops over a field run over adjacent values. The field between date
// and high is only tested for zero and is not kept.
class DayColumns {
public:
    static constexpr int kRows = DayTable::kRows;

    // Takes the most recent kRows whole records of a day file's bytes and removes the
    // defective days: those with a zero field, until the first day whose high is
    // negative; that day and all after it stay as they are. The loops run on `set`.
    void decode(std::span<const char> bytes, InstructionSet set);

    int count() const { return count_; }
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
};

} // namespace verdaxil
