// The market scan against the floor of merely reading its files: a generated market
// of VERDAXIL_BENCH_FILES day files (default 2000) of 5000 days each, in the page cache.
// Besides the day's list: the list of a day two weeks before the market's last, and
// the check of the signal over every day. At the end each time is given as a
// multiple of the floor's on as many threads.

#include "RatioReporter.h"
#include "analysis/SecurityEvaluator.h"
#include "quotes/DayFileReader.h"
#include "quotes/QuoteLayout.h"
#include "runtime/FileSystem.h"
#include "scan/MarketScan.h"
#include "tools/DayFileWriter.h"
#include "tools/DemoQuotes.h"

#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace verdaxil {
namespace {

constexpr int kDays = 5000;
// The generated histories run into the 2030s: every one of their dates is plausible.
constexpr std::int32_t kToday = 20991231;

int fileCount()
{
    const char* text = std::getenv("VERDAXIL_BENCH_FILES");
    return text ? std::max(1, std::atoi(text)) : 2000;
}

class GeneratedMarket {
public:
    GeneratedMarket()
    {
        const int files = fileCount();
        for (int k = 0; k < files; ++k) {
            const DemoSecurity security{"600000", true, 3000 + k % 97 * 300, 50'000 + k % 13 * 20'000, static_cast<unsigned>(k)};
            const QString code = QString::number(600000 + k);
            writeDayFile(dir_.filePath(QuoteLayout::localDayDirectory(Market::Shanghai) + code + QuoteLayout::kDayFileSuffix),
                         demoHistory(security, kDays));
        }
        const QDate last = QDate::fromString(QString::number(demoHistory(demoSecurities().front(), kDays).back().date),
                                             QStringLiteral("yyyyMMdd"));
        twoWeeksBefore_ = last.addDays(-14).toString(QStringLiteral("yyyyMMdd")).toInt();
        files_ = ListDayFiles(dir_.path()).files;
        // Written back before anything is timed: writeback would compete with the reads.
        ::sync();
    }
    const std::vector<DayFileEntry>& files() const { return files_; }
    std::int32_t twoWeeksBefore() const { return twoWeeksBefore_; }

private:
    std::int32_t twoWeeksBefore_ = 0;
    QTemporaryDir dir_;
    std::vector<DayFileEntry> files_;
};

} // namespace

const GeneratedMarket& market()
{
    static const GeneratedMarket generated;
    return generated;
}

namespace {

void reportFiles(benchmark::State& state)
{
    state.counters["files_per_s"] =
        benchmark::Counter(static_cast<double>(market().files().size()), benchmark::Counter::kIsIterationInvariantRate);
}

// Runs `each(file, worker's block)` over the market's files on `threads` threads,
// taking files from one counter as the scan does.
template <typename Work>
void onThreads(int threads, const Work& each)
{
    const auto& files = market().files();
    std::atomic<std::size_t> next{0};
    std::vector<std::jthread> running;
    for (int t = 0; t < threads; ++t) {
        running.emplace_back([&] {
            const auto block = std::make_unique<DayRecordBlock>();
            for (std::size_t k; (k = next.fetch_add(1)) < files.size();)
                each(files[k], *block);
        });
    }
}

// Open, read every byte into a page-aligned block the size of a worker's, close.
void ReadOnlyFloor(benchmark::State& state)
{
    for (auto _ : state) {
        std::atomic<std::size_t> bytes{0};
        onThreads(static_cast<int>(state.range(0)), [&](const DayFileEntry& entry, DayRecordBlock& block) {
            const int descriptor = ::open(entry.localPath.constData(), O_RDONLY | O_CLOEXEC);
            bytes += static_cast<std::size_t>(::pread(descriptor, block.bytes.data(), block.bytes.size(), 0));
            ::close(descriptor);
        });
        benchmark::DoNotOptimize(bytes.load());
    }
    reportFiles(state);
}

// What the scan's workers do for a file, on the baseline x86-64 instruction set: the
// scan itself takes the processor's best.
void BaselineEvaluation(benchmark::State& state)
{
    for (auto _ : state) {
        std::atomic<std::int64_t> points{0};
        onThreads(static_cast<int>(state.range(1)), [&](const DayFileEntry& entry, DayRecordBlock&) {
            thread_local SecurityEvaluator evaluator(InstructionSet::Baseline);
            OpenError error{};
            const auto file = ReadOnlyFile::openLocal(entry.localPath.constData(), error);
            points += evaluator.evaluate(*file, state.range(0), 6).stats.PointCount;
        });
        benchmark::DoNotOptimize(points.load());
    }
    reportFiles(state);
}

void Scan(benchmark::State& state)
{
    const ScanSettings settings{.horizon = state.range(0), .fee = 6, .jobs = static_cast<int>(state.range(1)), .today = kToday};
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanDayFiles(market().files(), settings, {}, [](ScanProgress) {}));
    reportFiles(state);
}

// The list as of a day two weeks before the market's last, with what was new on it and
// how it did since.
void PastDay(benchmark::State& state)
{
    const ScanSettings settings{
        .horizon = 30, .fee = 6, .jobs = static_cast<int>(state.range(0)), .today = kToday, .asOf = market().twoWeeksBefore()};
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanDayFiles(market().files(), settings, {}, [](ScanProgress) {}));
    reportFiles(state);
}

// The day's list and the check of the signal over every day of every file.
void SignalCheck(benchmark::State& state)
{
    const ScanSettings settings{
        .horizon = 30, .fee = 6, .jobs = static_cast<int>(state.range(0)), .today = kToday, .check = CheckSettings{}};
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanDayFiles(market().files(), settings, {}, [](ScanProgress) {}));
    reportFiles(state);
}

BENCHMARK(ReadOnlyFloor)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Scan)
    ->ArgNames({"horizon", "threads"})
    ->ArgsProduct({{30, 5000}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(PastDay)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SignalCheck)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BaselineEvaluation)
    ->ArgNames({"horizon", "threads"})
    ->ArgsProduct({{30, 5000}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace verdaxil

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Written and in the page cache before anything is timed.
    verdaxil::market();
    verdaxil::RatioReporter reporter([](const std::string& name) {
        const std::size_t threads = name.find("threads:");
        return name.starts_with("ReadOnlyFloor") || threads == std::string::npos
            ? std::string()
            : "ReadOnlyFloor/" + name.substr(threads, name.find('/', threads) - threads) + "/real_time";
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
