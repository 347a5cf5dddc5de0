#include "quotes/DayFileReader.h"

#include "quotes/AveragePrice.h"
#include "quotes/DayColumns.h"
#include "runtime/FileSystem.h"
#include "support/QuoteDirFixture.h"
#include "tools/DayFileWriter.h"

#include <gtest/gtest.h>

#include <memory>

namespace verdaxil {
namespace {

using testing::QuoteDirFixture;
using testing::sampleRecord;

std::vector<DayRecord> samples(int count)
{
    std::vector<DayRecord> records;
    for (int day = 0; day < count; ++day)
        records.push_back(sampleRecord(day));
    return records;
}

// What a day keeps in the columns: all fields but the one only tested for zero, the
// amount as the average price.
using Day = std::array<std::int32_t, 6>;

Day rowOf(const DayRecord& record)
{
    return {record.date, record.high, record.low, record.close, AveragePrice(record.amount, record.volume), record.volume};
}

struct Read {
    std::vector<Day> rows;
    int count = 0;
};

class DayFileReader : public ::testing::Test {
protected:
    Read read(const std::vector<DayRecord>& records, const QByteArray& trailing = {})
    {
        const QString path = dir.localPath(QStringLiteral("x.day"));
        writeDayFile(path, records);
        if (!trailing.isEmpty()) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::Append));
            file.write(trailing);
        }
        const auto file = ReadOnlyFile::open(path);
        EXPECT_TRUE(file);
        // Columns that held another file's days before.
        columns->decode(ReadDayRecords(*file, *block), BestInstructionSet());
        Read result;
        result.count = columns->count();
        for (std::size_t day = 0; day < columns->date().size(); ++day)
            result.rows.push_back({columns->date()[day], columns->high()[day], columns->low()[day], columns->close()[day],
                                   columns->avgPrice()[day], columns->volume()[day]});
        return result;
    }

    void SetUp() override
    {
        const QByteArray earlier = encodeDayFile(samples(DayTable::kRows));
        columns->decode({earlier.data(), static_cast<std::size_t>(earlier.size())}, BestInstructionSet());
    }

    QuoteDirFixture dir;
    std::unique_ptr<DayRecordBlock> block = std::make_unique<DayRecordBlock>();
    std::unique_ptr<DayColumns> columns = std::make_unique<DayColumns>();
};

TEST_F(DayFileReader, TrailingPartialRecordIsIgnored)
{
    const Read table = read(samples(9), QByteArray(39, '\x01')); // 399 bytes
    EXPECT_EQ(table.count, 9);
}

class ZeroField : public DayFileReader, public ::testing::WithParamInterface<int> {};

TEST_P(ZeroField, RemovesTheRow)
{
    auto records = samples(3);
    std::int32_t* fields[] = {&records[1].date,  &records[1].open,   &records[1].high,  &records[1].low,
                              &records[1].close, &records[1].amount, &records[1].volume};
    *fields[GetParam()] = 0;
    const Read table = read(records);
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(table.rows[1], rowOf(records[2]));
}

INSTANTIATE_TEST_SUITE_P(EachRecordField, ZeroField, ::testing::Range(0, 7));

TEST_F(DayFileReader, NegativeHighEndsTheCleaning)
{
    auto records = samples(6);
    records[1].volume = 0; // removed
    records[3].high = -5;  // stops the cleaning; stays although its low is 0
    records[3].low = 0;
    records[4].amount = 0; // stays: after the stop
    const Read table = read(records);
    ASSERT_EQ(table.count, 5);
    EXPECT_EQ(table.rows[0], rowOf(records[0]));
    EXPECT_EQ(table.rows[1], rowOf(records[2]));
    EXPECT_EQ(table.rows[2], rowOf(records[3]));
    EXPECT_EQ(table.rows[3], rowOf(records[4]));
    EXPECT_EQ(table.rows[4], rowOf(records[5]));
}

TEST_F(DayFileReader, AllRowsDefectiveGivesCountZero)
{
    auto records = samples(4);
    for (auto& record : records)
        record.open = 0;
    const Read table = read(records);
    EXPECT_EQ(table.count, 0);
}

TEST_F(DayFileReader, MoreThanTheTableHoldsKeepsTheMostRecentDays)
{
    const auto records = samples(DayTable::kRows + 123);
    const Read table = read(records);
    ASSERT_EQ(table.count, DayTable::kRows);
    EXPECT_EQ(table.rows[0], rowOf(records[123]));
    EXPECT_EQ(table.rows[DayTable::kRows - 1], rowOf(records.back()));
}

TEST_F(DayFileReader, MoreThanTheTableHoldsIsCleanedAfterwards)
{
    auto records = samples(DayTable::kRows + 2);
    records[0].volume = 0;                  // outside the last 5000: never read
    records[records.size() - 1].volume = 0; // the latest day is removed
    const Read table = read(records);
    ASSERT_EQ(table.count, DayTable::kRows - 1);
    EXPECT_EQ(table.rows[0], rowOf(records[2]));
    EXPECT_EQ(table.rows[DayTable::kRows - 2], rowOf(records[records.size() - 2]));
}

} // namespace
} // namespace verdaxil
