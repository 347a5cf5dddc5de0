#include "quotes/DayFileReader.h"

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

DayTable::Row rowOf(const DayRecord& record)
{
    return {record.date, record.open, record.high, record.low, record.close, record.amount, record.volume, -1, -1, -1};
}

DayTable::Row fillRow()
{
    DayTable::Row row;
    row.fill(-1);
    return row;
}

class DayFileReader : public ::testing::Test {
protected:
    std::unique_ptr<DayTable> read(const std::vector<DayRecord>& records, const QByteArray& trailing = {})
    {
        const QString path = dir.localPath(QStringLiteral("x.day"));
        writeDayFile(path, records);
        if (!trailing.isEmpty()) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::Append));
            file.write(trailing);
        }
        return readPath(path);
    }

    std::unique_ptr<DayTable> readPath(const QString& path)
    {
        auto table = std::make_unique<DayTable>();
        table->count = 12345;
        table->rows[0].fill(7);
        const auto file = ReadOnlyFile::open(path);
        EXPECT_TRUE(file);
        ReadDayTable(*file, *table);
        return table;
    }

    // Rows from `count` on hold the fill value in every column.
    static void expectFilledFrom(const DayTable& table, int count)
    {
        for (int row = count; row < DayTable::kRows; ++row)
            ASSERT_EQ(table.rows[static_cast<std::size_t>(row)], fillRow()) << "row " << row;
    }

    QuoteDirFixture dir;
};

TEST_F(DayFileReader, RecordsInFileOrder)
{
    const auto records = samples(3);
    const auto table = read(records);
    ASSERT_EQ(table->count, 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(table->rows[static_cast<std::size_t>(row)], rowOf(records[static_cast<std::size_t>(row)]));
    expectFilledFrom(*table, 3);
}

TEST_F(DayFileReader, NegativeAndExtremeFieldsAreReadAsSigned)
{
    const DayRecord extreme{INT32_MAX, INT32_MIN, 1, -2, 2147483600, -1, INT32_MIN};
    const auto table = read({extreme});
    ASSERT_EQ(table->count, 1);
    EXPECT_EQ(table->rows[0], rowOf(extreme));
}

TEST_F(DayFileReader, EmptyFileGivesAnEmptyTable)
{
    const auto table = read({});
    EXPECT_EQ(table->count, 0);
    expectFilledFrom(*table, 0);
}

TEST_F(DayFileReader, TrailingPartialRecordIsIgnored)
{
    const auto table = read(samples(9), QByteArray(39, '\x01')); // 399 bytes
    EXPECT_EQ(table->count, 9);
    expectFilledFrom(*table, 9);
}

TEST_F(DayFileReader, ZeroFieldsRemoveRowsAndTheRestMovesUp)
{
    auto records = samples(100);
    records[10].volume = 0;
    records[11].volume = 0;
    const auto table = read(records);
    ASSERT_EQ(table->count, 98);
    EXPECT_EQ(table->rows[9], rowOf(records[9]));
    for (int row = 10; row < 98; ++row)
        EXPECT_EQ(table->rows[static_cast<std::size_t>(row)], rowOf(records[static_cast<std::size_t>(row + 2)]));
    expectFilledFrom(*table, 98);
}

class ZeroField : public DayFileReader, public ::testing::WithParamInterface<int> {};

TEST_P(ZeroField, RemovesTheRow)
{
    auto records = samples(3);
    std::int32_t* fields[] = {&records[1].date,  &records[1].open,   &records[1].high,  &records[1].low,
                              &records[1].close, &records[1].amount, &records[1].volume};
    *fields[GetParam()] = 0;
    const auto table = read(records);
    ASSERT_EQ(table->count, 2);
    EXPECT_EQ(table->rows[1], rowOf(records[2]));
}

INSTANTIATE_TEST_SUITE_P(EachRecordField, ZeroField, ::testing::Range(0, 7));

TEST_F(DayFileReader, NegativeHighEndsTheCleaning)
{
    auto records = samples(6);
    records[1].volume = 0; // removed
    records[3].high = -5;  // stops the cleaning; stays although its low is 0
    records[3].low = 0;
    records[4].amount = 0; // stays: after the stop
    const auto table = read(records);
    ASSERT_EQ(table->count, 5);
    EXPECT_EQ(table->rows[0], rowOf(records[0]));
    EXPECT_EQ(table->rows[1], rowOf(records[2]));
    EXPECT_EQ(table->rows[2], rowOf(records[3]));
    EXPECT_EQ(table->rows[3], rowOf(records[4]));
    EXPECT_EQ(table->rows[4], rowOf(records[5]));
    expectFilledFrom(*table, 5);
}

TEST_F(DayFileReader, AllRowsDefectiveGivesCountZero)
{
    auto records = samples(4);
    for (auto& record : records)
        record.open = 0;
    const auto table = read(records);
    EXPECT_EQ(table->count, 0);
    expectFilledFrom(*table, 0);
}

TEST_F(DayFileReader, MoreThanTheTableHoldsKeepsTheMostRecentDays)
{
    const auto records = samples(DayTable::kRows + 123);
    const auto table = read(records);
    ASSERT_EQ(table->count, DayTable::kRows);
    EXPECT_EQ(table->rows[0], rowOf(records[123]));
    EXPECT_EQ(table->rows[DayTable::kRows - 1], rowOf(records.back()));
}

TEST_F(DayFileReader, MoreThanTheTableHoldsIsCleanedAfterwards)
{
    auto records = samples(DayTable::kRows + 2);
    records[0].volume = 0;                  // outside the last 5000: never read
    records[records.size() - 1].volume = 0; // the latest day is removed
    const auto table = read(records);
    ASSERT_EQ(table->count, DayTable::kRows - 1);
    EXPECT_EQ(table->rows[0], rowOf(records[2]));
    EXPECT_EQ(table->rows[DayTable::kRows - 2], rowOf(records[records.size() - 2]));
    expectFilledFrom(*table, DayTable::kRows - 1);
}

} // namespace
} // namespace verdaxil
