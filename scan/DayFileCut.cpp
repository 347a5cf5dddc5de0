#include "scan/DayFileCut.h"

#include "runtime/FileSystem.h"

#include <algorithm>
#include <array>

namespace verdaxil {

DayFileCut::DayFileCut() : block_(std::make_unique<DayRecordBlock>()) {}

void DayFileCut::read(const ReadOnlyFile& file)
{
    auto records = static_cast<std::size_t>(file.size() / kDayRecordSize);
    if (records > DayTable::kRows) {
        // The tail of zeros a broken download leaves is no part of the file's days.
        std::array<char, kDayRecordSize> last{};
        if (file.readAt(static_cast<std::int64_t>(records - 1) * kDayRecordSize, last.data(), last.size()) == last.size()
            && isZeroRecord(last.data()))
            records = static_cast<std::size_t>(RecordsBeforeZeroTail(file, static_cast<std::int64_t>(records)));
    }
    if (records <= DayTable::kRows) {
        records_ = ReadDayRecords(file, *block_);
        return;
    }
    const std::size_t kept = std::min(records, kMostRecords);
    longFile_.resize(kept * kDayRecordSize);
    const std::size_t got =
        file.readAt(static_cast<std::int64_t>((records - kept) * kDayRecordSize), longFile_.data(), longFile_.size());
    records_ = std::span<const char>(longFile_).first(got / kDayRecordSize * kDayRecordSize);
}

std::size_t DayFileCut::cutAt(std::int32_t day) const
{
    // Blocks of records are tested whole, without an early exit, so the test vectorises;
    // the cut is then searched in the first block that holds it.
    constexpr std::size_t kBlock = 64;
    const char* const base = records_.data();
    std::size_t record = 0;
    for (; record + kBlock <= count(); record += kBlock) {
        bool later = false;
        for (std::size_t k = 0; k < kBlock; ++k)
            later |= dayRecordField(base + (record + k) * kDayRecordSize, 0) > day;
        if (later)
            break;
    }
    for (; record < count(); ++record) {
        if (dayRecordField(base + record * kDayRecordSize, 0) > day)
            return record;
    }
    return count();
}

std::int32_t DayFileCut::latestRecordDate(std::size_t begin, std::size_t end) const
{
    std::int32_t latest = 0;
    for (std::size_t record = begin; record < end; ++record)
        latest = std::max(latest, dayRecordField(records_.data() + record * kDayRecordSize, 0));
    return latest;
}

std::span<const char> DayFileCut::window(std::size_t end) const
{
    const std::size_t begin = end - std::min<std::size_t>(end, DayTable::kRows);
    return records_.subspan(begin * kDayRecordSize, (end - begin) * kDayRecordSize);
}

} // namespace verdaxil
