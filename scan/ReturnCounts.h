#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace verdaxil {

// Every return of a set of trades, in basis points, for its exact median: a count for
// each value of a range that holds nearly all of them, in pages made when first
// reached, and the rare values outside it one by one. Memory grows with the range
// reached, not with the number of trades.
class ReturnCounts {
public:
    void add(std::int64_t bp)
    {
        const auto at = static_cast<std::uint64_t>(bp - kLowest);
        if (at >= kRange) {
            outliers_.push_back(bp);
            return;
        }
        if (pages_.empty())
            pages_.resize(kPages);
        std::vector<std::uint32_t>& page = pages_[at / kPageSize];
        if (page.empty())
            page.resize(kPageSize);
        ++page[at % kPageSize];
    }

    ReturnCounts& operator+=(const ReturnCounts& other);

    // The element at index (count - 1) / 2 of the returns sorted; none without a return.
    std::optional<std::int64_t> median() const;

    bool operator==(const ReturnCounts& other) const;

private:
    static constexpr std::int64_t kLowest = -16384; // -163.84 %
    static constexpr std::uint64_t kPageSize = 512;
    static constexpr std::uint64_t kPages = 64;
    static constexpr std::uint64_t kRange = kPageSize * kPages;

    std::int64_t count() const;
    std::vector<std::int64_t> sortedOutliers() const;

    std::vector<std::vector<std::uint32_t>> pages_; // none until a return falls in the range
    std::vector<std::int64_t> outliers_;            // in the order met
};

} // namespace verdaxil
