#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace verdaxil {

// Every return of a set of trades, in basis points, for its exact median: a count for
// each value of a range that holds nearly all of them, in pages made when first
// reached, and the rare values outside it one by one. Memory grows with the range
// reached, not with the number of trades.
class ReturnCounts {
public:
    ReturnCounts() = default;
    ReturnCounts(const ReturnCounts& other);
    ReturnCounts& operator=(const ReturnCounts& other);
    ReturnCounts(ReturnCounts&&) noexcept = default;
    ReturnCounts& operator=(ReturnCounts&&) noexcept = default;

    // Called for every event of the check: one lookup and one increment.
    void add(std::int64_t bp)
    {
        const auto at = static_cast<std::uint64_t>(bp - kLowest);
        if (at >= kRange) [[unlikely]] {
            outliers_.push_back(bp);
            return;
        }
        Page* page = pages_[at / kPageSize].get();
        if (!page) [[unlikely]]
            page = newPage(at / kPageSize);
        ++(*page)[at % kPageSize];
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
    using Page = std::array<std::uint32_t, kPageSize>;

    Page* newPage(std::uint64_t page);
    std::uint32_t countAt(std::uint64_t page, std::uint64_t k) const { return pages_[page] ? (*pages_[page])[k] : 0; }
    std::int64_t count() const;
    std::vector<std::int64_t> sortedOutliers() const;

    std::array<std::unique_ptr<Page>, kPages> pages_; // none until a return falls in its part of the range
    std::vector<std::int64_t> outliers_;              // in the order met
};

} // namespace verdaxil
