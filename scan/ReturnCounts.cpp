#include "scan/ReturnCounts.h"

#include <algorithm>

namespace verdaxil {

ReturnCounts::ReturnCounts(const ReturnCounts& other) : outliers_(other.outliers_)
{
    for (std::uint64_t page = 0; page < kPages; ++page) {
        if (other.pages_[page])
            pages_[page] = std::make_unique<Page>(*other.pages_[page]);
    }
}

ReturnCounts& ReturnCounts::operator=(const ReturnCounts& other)
{
    if (this != &other)
        *this = ReturnCounts(other);
    return *this;
}

ReturnCounts::Page* ReturnCounts::newPage(std::uint64_t page)
{
    pages_[page] = std::make_unique<Page>();
    return pages_[page].get();
}

ReturnCounts& ReturnCounts::operator+=(const ReturnCounts& other)
{
    for (std::uint64_t page = 0; page < kPages; ++page) {
        if (!other.pages_[page])
            continue;
        Page& to = pages_[page] ? *pages_[page] : *newPage(page);
        for (std::uint64_t k = 0; k < kPageSize; ++k)
            to[k] += (*other.pages_[page])[k];
    }
    outliers_.insert(outliers_.end(), other.outliers_.begin(), other.outliers_.end());
    return *this;
}

std::int64_t ReturnCounts::count() const
{
    auto total = static_cast<std::int64_t>(outliers_.size());
    for (std::uint64_t page = 0; page < kPages; ++page) {
        for (std::uint64_t k = 0; k < kPageSize; ++k)
            total += countAt(page, k);
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
    for (std::uint64_t page = 0; page < kPages; ++page) {
        for (std::uint64_t k = 0; k < kPageSize; ++k) {
            const std::int64_t n = countAt(page, k);
            if (left < n)
                return kLowest + static_cast<std::int64_t>(page * kPageSize + k);
            left -= n;
        }
    }
    return *(above + left);
}

bool ReturnCounts::operator==(const ReturnCounts& other) const
{
    for (std::uint64_t page = 0; page < kPages; ++page) {
        for (std::uint64_t k = 0; k < kPageSize; ++k) {
            if (countAt(page, k) != other.countAt(page, k))
                return false;
        }
    }
    return sortedOutliers() == other.sortedOutliers();
}

} // namespace verdaxil
