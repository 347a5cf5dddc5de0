#include "scan/ListSummary.h"
#include "scan/ListSaving.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>
#include <tuple>

namespace verdaxil {
namespace {

constexpr std::int32_t kToday = 20250702;

struct RowFacts {
    std::int32_t date = 0; // none: the file could not be read
    bool recommended = true;
    std::optional<bool> isNew{};
    std::optional<std::int64_t> sinceBp{};
};

struct SummaryCase {
    const char* name;
    std::vector<RowFacts> rows;
    std::tuple<int, int, int, int> counts;          // recommended, new, stale, unreadable
    std::tuple<int, int, std::optional<int>> since; // known, rose, percent
};

class Summary : public ::testing::TestWithParam<SummaryCase> {};

// The counts over rows whose list day the scan found as it finds it.
TEST_P(Summary, CountsEveryRowAndTheShownOnesRise)
{
    std::vector<ScanRow> rows;
    for (const RowFacts& given : GetParam().rows) {
        ScanRow& row = rows.emplace_back();
        if (given.date != 0)
            row.evaluation = SecurityEvaluation{{10, 5, LatestDay{given.date, 7}, given.recommended}, {}};
        row.isNew = given.isNew;
        row.sinceBp = given.sinceBp;
    }
    const auto listDay = AssignListDay(rows, kToday);
    const ListCounts counts = CountList(rows, listDay);
    EXPECT_EQ(std::tie(counts.recommended, counts.isNew, counts.stale, counts.unreadable), GetParam().counts);
    std::vector<const ScanRow*> shown;
    for (const ScanRow& row : rows)
        shown.push_back(&row);
    const SinceCounts since = CountSince(shown);
    EXPECT_EQ(std::tuple(since.known, since.rose, since.risingPercent()), GetParam().since);
    EXPECT_EQ(unreadableFiles(rows).size(), counts.unreadable);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, Summary,
    ::testing::Values(
        SummaryCase{"Empty", {}, {0, 0, 0, 0}, {0, 0, std::nullopt}},
        // A day after today is no list day and its row is not stale; one before it is.
        SummaryCase{"States", {{20250701}, {20250701, false}, {20250630}, {}, {20991231}}, {1, 0, 1, 1}, {0, 0, std::nullopt}},
        SummaryCase{"New", {{20250701, true, true}, {20250701, true, false}, {20250701}}, {3, 1, 0, 0}, {0, 0, std::nullopt}},
        // Unchanged is no rise, and the share is truncated: 2 of 3 is 66 %.
        SummaryCase{"Since",
                    {{20250701, true, {}, 5}, {20250701, true, {}, 0}, {20250701, true, {}, 1}, {20250701}},
                    {4, 0, 0, 0},
                    {3, 2, 66}}),
    [](const auto& info) { return std::string(info.param.name); });

// The bytes are made before anything is asked: a workbook that cannot be made asks
// nothing and leaves the file there as it was.
TEST(SaveMade, BytesThatCannotBeMadeAskNothingAndWriteNothing)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("list.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    int asked = 0;
    const ListSaver saver([&](const QString&) { return ++asked > 0; }, false, {});

    const SaveOutcome failed = saver.save(fileAsGiven(path), []() -> QByteArray { throw std::runtime_error("no room"); });
    EXPECT_EQ(failed.status, SaveStatus::NotMade);
    EXPECT_EQ(failed.reason, QStringLiteral("no room"));
    EXPECT_EQ(asked, 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
    file.close();

    EXPECT_EQ(saver.save(fileAsGiven(path), [] { return QByteArray("new"); }).status, SaveStatus::Written);
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("new"));
}

} // namespace
} // namespace verdaxil
