#include "scan/ReturnCounts.h"

#include <algorithm>

namespace verdaxil {

ReturnCounts& ReturnCounts::operator+=(const ReturnCounts& other)
{
    if (!other.pages_.empty() && pages_.empty())
        pages_.resize(kPages);
    for (std::size_t page = 0; page < other.pages_.size(); ++page) {
        const std::vector<std::uint32_t>& from = other.pages_[page];
        if (from.empty())
            continue;
        std::vector<std::uint32_t>& to = pages_[page];
        if (to.empty())
            to.resize(kPageSize);
        for (std::size_t k = 0; k < kPageSize; ++k)
            to[k] += from[k];
    }
    outliers_.insert(outliers_.end(), other.outliers_.begin(), other.outliers_.end());
    return *this;
}

std::int64_t ReturnCounts::count() const
{
    std::int64_t total = static_cast<std::int64_t>(outliers_.size());
    for (const auto& page : pages_) {
        for (const std::uint32_t n : page)
            total += n;
    }
    return total;
}

std::vector<std::int64_t> ReturnCounts::sortedOutliers() const
{
    std::vector<std::int64_t> sorted = outliers_;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

std::optional<std::int64_t> ReturnCounts::median() const
{
    const std::int64_t total = count();
    if (total == 0)
        return std::nullopt;
    std::int64_t left = (total - 1) / 2; // elements to pass
    const std::vector<std::int64_t> outliers = sortedOutliers();
    // Outliers below the range come first, then the range, then those above it.
    const auto above = std::lower_bound(outliers.begin(), outliers.end(), kLowest);
    const auto below = above - outliers.begin();
    if (left < below)
        return outliers[static_cast<std::size_t>(left)];
    left -= below;
    for (std::size_t page = 0; page < pages_.size(); ++page) {
        for (std::size_t k = 0; k < pages_[page].size(); ++k) {
            const std::int64_t n = pages_[page][k];
            if (left < n)
                return kLowest + static_cast<std::int64_t>(page * kPageSize + k);
            left -= n;
        }
    }
    return *(above + left);
}

bool ReturnCounts::operator==(const ReturnCounts& other) const
{
    for (std::size_t page = 0; page < kPages; ++page) {
        const bool here = page < pages_.size() && !pages_[page].empty();
        const bool there = page < other.pages_.size() && !other.pages_[page].empty();
        if (here != there && !std::ranges::all_of(here ? pages_[page] : other.pages_[page], [](auto n) { return n == 0; }))
            return false;
        if (here && there && pages_[page] != other.pages_[page])
            return false;
    }
    return sortedOutliers() == other.sortedOutliers();
}

} // namespace verdaxil
