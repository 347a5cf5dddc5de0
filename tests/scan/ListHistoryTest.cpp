#include "scan/MarketScan.h"

#include "support/ListHistoryReference.h"
#include "support/QuoteDirFixture.h"

#include <QDate>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace verdaxil {

void PrintTo(const SecurityEvaluation& e, std::ostream* out)
{
    const auto& i = e.indicators;
    *out << "{latest " << (i.latest ? i.latest->date : -1) << " at " << (i.latest ? i.latest->close : -1) << ", high " << i.high
         << ", low " << i.low << ", recommended " << (i.recommended ? int(*i.recommended) : -1) << ", points "
         << e.stats.PointCount << ", max gain " << e.stats.MaxGain << "}";
}

void PrintTo(const CheckCounts& c, std::ostream* out)
{
    *out << "{events " << c.events << ", wins " << c.wins << ", 5% " << c.hits5 << ", 10% " << c.hits10 << ", sum "
         << static_cast<long double>(c.sumBp) << ", win sum " << static_cast<long double>(c.winSumBp) << ", median "
         << c.medianBp().value_or(-1) << ", excluded " << c.excluded << "}";
}

namespace {

using testing::QuoteDirFixture;

std::int32_t asDate(QDate day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

QDate calendarDay(std::int32_t date)
{
    return QDate(date / 10000, date / 100 % 100, date % 100);
}

// A day record's fields by number, for a defect in any of them.
constexpr std::int32_t DayRecord::*kFields[] = {&DayRecord::date,  &DayRecord::open,   &DayRecord::high,  &DayRecord::low,
                                                &DayRecord::close, &DayRecord::amount, &DayRecord::volume};

// Codes of every class on both exchanges, Other too; the file's number makes them unique.
constexpr std::pair<Market, const char*> kCodePrefixes[] = {
    {Market::Shanghai, "600"}, {Market::Shanghai, "688"}, {Market::Shanghai, "900"}, {Market::Shanghai, "000"},
    {Market::Shanghai, "510"}, {Market::Shanghai, "110"}, {Market::Shanghai, "700"}, {Market::Shenzhen, "000"},
    {Market::Shenzhen, "300"}, {Market::Shenzhen, "200"}, {Market::Shenzhen, "399"}, {Market::Shenzhen, "159"},
    {Market::Shenzhen, "123"}, {Market::Shenzhen, "900"}};

// A small market of weekday files sharing one calendar, with the defects real files
// carry, and the settings of a scan of it.
class RandomMarket {
    static constexpr int kRecentDays = 450;

public:
    explicit RandomMarket(unsigned seed) : random_(seed) {}

    ScanSettings build(QuoteDirFixture& dir)
    {
        const bool longFile = chance(10); // more records than the table holds, ending among the others
        makeCalendar(longFile ? DayTable::kRows + 1000 : kRecentDays);
        const int files = uniform(1, 30);
        for (int k = 0; k < files; ++k) {
            const auto& [exchange, prefix] = kCodePrefixes[uniform(0, int(std::size(kCodePrefixes)) - 1)];
            const int records = longFile && k == 0 ? uniform(DayTable::kRows + 100, DayTable::kRows + 400)
                : chance(10)                       ? 0
                                                   : uniform(1, 400);
            // A suspension every twentieth day on average lengthens a file by an eighth.
            const int days = records + records / 8;
            const int first = longFile && k == 0
                ? std::max(0, int(calendar_.size()) - days - uniform(0, 30))
                : int(calendar_.size()) - kRecentDays + uniform(0, std::max(0, kRecentDays - days));
            dir.addDayFile(exchange, QStringLiteral("%1%2").arg(prefix).arg(k, 3, 10, QChar(u'0')), dayFile(records, first));
        }
        ScanSettings settings;
        settings.costBp = chance(5) ? uniform(0, INT32_MAX) : uniform(0, 60);
        settings.today = today_;
        settings.asOf = dayAsked();
        const int horizon = uniform(0, 19);
        settings.horizon = horizon == 0 ? 0
            : horizon == 1              ? 1
            : horizon <= 3              ? uniform(400, DayTable::kRows + 500)
            : horizon == 4              ? INT32_MIN
            : horizon == 5              ? INT32_MAX
                                        : uniform(2, 80);
        settings.fee = chance(5) ? uniform(1, INT32_MAX) : uniform(1, 40);
        settings.jobs = chance(50) ? 1 : 3;
        if (chance(75)) {
            settings.check = CheckSettings{};
            if (chance(40))
                settings.check->from = anyCalendarDay();
            if (chance(40))
                settings.check->to = anyCalendarDay();
            if (chance(50)) {
                const std::int64_t some[] = {1, 2, 7, settings.horizon, 70, 600};
                for (const std::int64_t horizon : some) {
                    if (horizon > 0 && chance(50))
                        settings.check->horizons.push_back(horizon);
                }
                std::sort(settings.check->horizons.begin(), settings.check->horizons.end());
                settings.check->horizons.erase(std::unique(settings.check->horizons.begin(), settings.check->horizons.end()),
                                               settings.check->horizons.end());
            }
            settings.check->trades = chance(50);
        }
        return settings;
    }

    bool chance(int percent) { return uniform(0, 99) < percent; }
    int uniform(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

private:
    // Weekdays up to a last day; today near it, sometimes before it. Some markets span
    // the start of the price limits or ChiNext's wider one.
    void makeCalendar(int days)
    {
        const QDate ends[] = {QDate(2023, 1, 1), QDate(2023, 1, 1), QDate(1997, 1, 1), QDate(2020, 9, 1)};
        const int end = uniform(0, 3);
        QDate day = ends[end].addDays(uniform(0, 900));
        // A fall of 15 % on the first day of a limit's rule or on the day before it.
        const std::int32_t edges[][2] = {{0, 0}, {0, 0}, {19961213, 19961216}, {20200821, 20200824}};
        edgeDay_ = edges[end][uniform(0, 1)];
        today_ = asDate(day.addDays(chance(20) ? -uniform(1, 20) : uniform(0, 10)));
        for (; static_cast<int>(calendar_.size()) < days; day = day.addDays(-1)) {
            if (day.dayOfWeek() <= 5)
                calendar_.push_back(asDate(day));
        }
        std::reverse(calendar_.begin(), calendar_.end());
    }

    // A day of the recent part of the calendar, where most files are.
    std::int32_t anyCalendarDay()
    {
        return calendar_[static_cast<std::size_t>(uniform(int(calendar_.size()) - kRecentDays, int(calendar_.size()) - 1))];
    }

    // Ascending weekdays from a random start with gaps of suspension, a walk of prices
    // small enough that the averages cross often and tie; runs of defective days, and in
    // some files a negative high, a date that goes back, or one no trading day carries.
    std::vector<DayRecord> dayFile(int count, int first)
    {
        std::vector<DayRecord> records;
        const int scale = chance(50) ? 1 : 10;
        std::int32_t price = uniform(5, 300);
        const auto somewhere = [&](int percent) { return chance(percent) ? uniform(0, std::max(0, count - 1)) : -1; };
        const int negativeHighAt = somewhere(15);
        const int backAt = somewhere(20);
        const int oddAt = chance(10) ? count - 1 : somewhere(15);
        // A bonus issue (10送10) or a fall past a tenth, not a fifth: early, at the sixth
        // day or anywhere.
        const int exRightsAt = chance(40) ? (chance(30) ? uniform(3, 6) : somewhere(100)) : -1;
        const bool halved = chance(50);
        const bool edgeFall = chance(70);
        int defective = 0;
        for (int index = first; int(records.size()) < count && index < int(calendar_.size());
             index += chance(5) ? uniform(2, 5) : 1) {
            price = std::max(1, price + uniform(-price / 15 - 1, price / 15 + 1));
            if (int(records.size()) == exRightsAt)
                price = std::max(1, halved ? price / 2 : price * 7 / 10);
            const int volume = uniform(1, 50);
            DayRecord record{calendar_[static_cast<std::size_t>(index)],
                             price,
                             (price + uniform(0, price / 10)) * scale,
                             std::max(1, price - uniform(0, price / 10)) * scale,
                             std::max(1, price + uniform(-price / 20, price / 20)) * scale,
                             price * volume,
                             10000 * volume / scale};
            if (record.date == edgeDay_ && !records.empty() && edgeFall) {
                record.high = records.back().close * 85 / 100;
                record.open = record.low = record.close = record.high;
                price = std::max(1, record.high / scale);
            }
            if (defective > 0 || chance(3)) {
                defective = defective > 0 ? defective - 1 : uniform(0, 5);
                defectiveDates_.push_back(record.date);
                record.*kFields[uniform(0, kDayRecordFields - 1)] = 0;
            }
            if (int(records.size()) == negativeHighAt)
                record.high = -record.high;
            if (int(records.size()) == backAt)
                record.date = calendar_[static_cast<std::size_t>(std::max(0, index - uniform(1, 10)))];
            if (int(records.size()) == oddAt) {
                const std::int32_t odd[] = {0, 29991231, 20250230, asDate(calendarDay(today_).addDays(uniform(1, 400)))};
                record.date = odd[uniform(0, 3)];
            }
            recordDates_.push_back(record.date);
            records.push_back(record);
        }
        return records;
    }

    // None, a day of some record (inside a defective run too), a weekday or a weekend
    // day of the calendar, or a day before or after every file.
    std::optional<std::int32_t> dayAsked()
    {
        const auto pick = [&](const std::vector<std::int32_t>& dates) {
            return dates.empty() ? calendar_.back() : dates[static_cast<std::size_t>(uniform(0, int(dates.size()) - 1))];
        };
        switch (uniform(0, 6)) {
        case 0: return std::nullopt;
        case 1: return pick(recordDates_);
        case 2: return pick(defectiveDates_);
        case 3: return anyCalendarDay();
        case 4: {
            const QDate weekday = calendarDay(anyCalendarDay());
            return asDate(weekday.addDays(uniform(6, 7) - weekday.dayOfWeek()));
        }
        case 5: return asDate(calendarDay(calendar_.front()).addDays(-uniform(1, 100)));
        default: return asDate(calendarDay(calendar_.back()).addDays(uniform(1, 100)));
        }
    }

    std::mt19937 random_;
    std::vector<std::int32_t> calendar_;
    std::int32_t today_ = 0;
    std::int32_t edgeDay_ = 0;
    std::vector<std::int32_t> recordDates_;
    std::vector<std::int32_t> defectiveDates_;
};

void expectSameScan(const ScanResult& scan, const ScanResult& reference)
{
    ASSERT_EQ(scan.rows.size(), reference.rows.size());
    for (std::size_t k = 0; k < scan.rows.size(); ++k) {
        const ScanRow& row = scan.rows[k];
        const ScanRow& expected = reference.rows[k];
        SCOPED_TRACE("row " + std::to_string(k) + ", " + expected.code.toStdString());
        ASSERT_EQ(row.code, expected.code);
        ASSERT_EQ(row.evaluation, expected.evaluation);
        ASSERT_EQ(row.error.isEmpty(), expected.error.isEmpty());
        ASSERT_EQ(row.state, expected.state);
        ASSERT_EQ(row.isNew, expected.isNew);
        ASSERT_EQ(row.sinceBp, expected.sinceBp);
        ASSERT_EQ(row.sinceExRights, expected.sinceExRights);
        ASSERT_EQ(row.exRightsDay, expected.exRightsDay);
    }
    ASSERT_EQ(scan.listDay, reference.listDay);
    ASSERT_EQ(scan.previousDay, reference.previousDay);
    ASSERT_EQ(scan.latestDay, reference.latestDay);
    ASSERT_EQ(scan.check.has_value(), reference.check.has_value());
    if (!scan.check)
        return;
    for (const auto securityClass :
         {std::optional<SecurityClass>{}, std::optional(SecurityClass::AShare), std::optional(SecurityClass::BShare),
          std::optional(SecurityClass::Index), std::optional(SecurityClass::Fund), std::optional(SecurityClass::Bond),
          std::optional(SecurityClass::Other)}) {
        SCOPED_TRACE("class " + std::to_string(securityClass ? int(*securityClass) : -1));
        ASSERT_EQ(scan.check->years(securityClass), reference.check->years(securityClass));
        ASSERT_EQ(scan.check->total(securityClass), reference.check->total(securityClass));
        ASSERT_EQ(scan.check->horizons(securityClass), reference.check->horizons(securityClass));
    }
    ASSERT_EQ(scan.trades, reference.trades);
}

// The rows, the three days, what is new, how it did since and the signal check, as the
// reference computes them from each file read whole for every day asked about.
TEST(ListHistory, ScanAgreesWithTheReferenceOnRandomMarkets)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        QuoteDirFixture dir;
        RandomMarket market(seed);
        const ScanSettings settings = market.build(dir);
        const std::vector<DayFileEntry> files = ListDayFiles(dir.quoteDir()).files;
        if (market.chance(10)) // a file gone since the listing counts in nothing
            QFile::remove(QFile::decodeName(files[static_cast<std::size_t>(market.uniform(0, int(files.size()) - 1))].localPath));
        expectSameScan(ScanDayFiles(files, settings, {}, [](ScanProgress) {}), testing::referenceScan(files, settings));
        if (HasFatalFailure())
            return;
    }
}

struct FiguresCase {
    std::vector<std::int64_t> returns;
    std::optional<std::int64_t> mean, median, win, loss;
};

class CheckFigures : public ::testing::TestWithParam<FiguresCase> {};

// Means truncate toward zero, negative sums too; the median is the middle element,
// lower of two, wherever it is kept; counts merged give the same figures.
TEST_P(CheckFigures, AsDefined)
{
    const FiguresCase& c = GetParam();
    CheckCounts counts, other;
    for (std::size_t k = 0; k < c.returns.size(); ++k)
        (k % 2 == 0 ? counts : other).add(c.returns[k]);
    counts += other;
    EXPECT_EQ(counts.meanBp(), c.mean);
    EXPECT_EQ(counts.medianBp(), c.median);
    EXPECT_EQ(counts.winBp(), c.win);
    EXPECT_EQ(counts.lossBp(), c.loss);
}

INSTANTIATE_TEST_SUITE_P(Returns, CheckFigures,
                         ::testing::Values(FiguresCase{{}, {}, {}, {}, {}}, FiguresCase{{-3, -4}, -3, -4, {}, -3},
                                           FiguresCase{{0, -1}, 0, -1, {}, 0},
                                           FiguresCase{{5, -20000, 40000}, 6668, 5, 20002, -20000},
                                           FiguresCase{{16384, 16383, -16384, -16385}, 0, -16384, 16383, -16384},
                                           FiguresCase{{-16385, -16386, 7, 40000, 40001}, 9447, 7, 26669, -16385}));

} // namespace
} // namespace verdaxil
