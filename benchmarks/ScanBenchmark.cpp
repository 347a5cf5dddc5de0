// The market scan against the floor of merely reading its files: a generated market
// of VERDAXIL_BENCH_FILES day files (default 2000) of 5000 days each, in the page cache.
// Besides the day's list: the list of a day two weeks before the market's last, and
// the check of the signal over every day; the whole verdaxil-scan process in its
// modes; and the scan of files evicted from the page cache against reading them cold.
// At the end each time is given as a multiple of the floor's on as many threads, the
// cold ones of the cold floor's on two.

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
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace verdaxil {
namespace {

constexpr int kDays = 5000;
// The generated histories run into the 2030s. Moved twelve years back (which keeps
// 29 February on leap years) they end before today, so that the whole process, which
// takes today from the clock, finds every date plausible as the scan in process does.
constexpr std::int32_t kYearsBack = 12;
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
                         movedBack(demoHistory(security, kDays)));
        }
        const QDate last = QDate::fromString(QString::number(movedBack(demoHistory(demoSecurities().front(), kDays)).back().date),
                                             QStringLiteral("yyyyMMdd"));
        twoWeeksBefore_ = last.addDays(-14).toString(QStringLiteral("yyyyMMdd")).toInt();
        files_ = ListDayFiles(dir_.path()).files;
        // Written back before anything is timed: writeback would compete with the reads.
        ::sync();
    }
    const std::vector<DayFileEntry>& files() const { return files_; }
    std::int32_t twoWeeksBefore() const { return twoWeeksBefore_; }
    QString quoteDir() const { return dir_.path(); }

private:
    static std::vector<DayRecord> movedBack(std::vector<DayRecord> history)
    {
        for (DayRecord& record : history)
            record.date -= kYearsBack * 10000;
        return history;
    }

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
void readEveryFile(int threads)
{
    std::atomic<std::size_t> bytes{0};
    onThreads(threads, [&](const DayFileEntry& entry, DayRecordBlock& block) {
        const int descriptor = ::open(entry.localPath.constData(), O_RDONLY | O_CLOEXEC);
        bytes += static_cast<std::size_t>(::pread(descriptor, block.bytes.data(), block.bytes.size(), 0));
        ::close(descriptor);
    });
    benchmark::DoNotOptimize(bytes.load());
}

void ReadOnlyFloor(benchmark::State& state)
{
    for (auto _ : state)
        readEveryFile(static_cast<int>(state.range(0)));
    reportFiles(state);
}

// Drops the market's own files from the page cache, never the system's caches as a
// whole; they were written back when made, so every page can go.
void evictMarket(benchmark::State& state)
{
    state.PauseTiming();
    for (const DayFileEntry& entry : market().files()) {
        const int descriptor = ::open(entry.localPath.constData(), O_RDONLY | O_CLOEXEC);
        ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
        ::close(descriptor);
    }
    state.ResumeTiming();
}

void ColdFloor(benchmark::State& state)
{
    for (auto _ : state) {
        evictMarket(state);
        readEveryFile(static_cast<int>(state.range(0)));
    }
    reportFiles(state);
}

void ColdScan(benchmark::State& state)
{
    const ScanSettings settings{.horizon = 30, .fee = 6, .jobs = static_cast<int>(state.range(0)), .today = kToday};
    for (auto _ : state) {
        evictMarket(state);
        benchmark::DoNotOptimize(ScanDayFiles(market().files(), settings, {}, [](ScanProgress) {}));
    }
    reportFiles(state);
}

// The whole verdaxil-scan process on the market, from its start to its last line
// written (to /dev/null), with the mode's options.
void Process(benchmark::State& state, std::vector<std::string> options)
{
    std::vector<std::string> arguments{VERDAXIL_SCAN_PROGRAM, "--dir", market().quoteDir().toStdString(), "--jobs",
                                       std::to_string(state.range(0))};
    for (std::string& option : options)
        arguments.push_back(option == "DAY" ? std::to_string(market().twoWeeksBefore()) : option);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (::posix_spawn(&child, argv.front(), &quiet, nullptr, argv.data(), environ) != 0
            || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("verdaxil-scan failed");
            break;
        }
    }
    ::posix_spawn_file_actions_destroy(&quiet);
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
BENCHMARK_CAPTURE(Process, list, std::vector<std::string>{})
    ->ArgName("threads")
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Process, day, std::vector<std::string>{"--day", "DAY"})
    ->ArgName("threads")
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Process, report, std::vector<std::string>{"--report"})
    ->ArgName("threads")
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Process, all_json, std::vector<std::string>{"--all", "--format", "json"})
    ->ArgName("threads")
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(ColdFloor)->ArgName("threads")->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ColdScan)->ArgName("threads")->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();
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
    // The whole process reads no kept name list of the user's.
    const QTemporaryDir home;
    ::setenv("XDG_DATA_HOME", home.path().toLocal8Bit().constData(), 1);
    ::setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
    verdaxil::RatioReporter reporter([](const std::string& name) {
        const std::string coldFloor = "ColdFloor/threads:2/real_time";
        if (name.starts_with("Cold"))
            return name == coldFloor ? std::string() : coldFloor;
        const std::size_t threads = name.find("threads:");
        return name.starts_with("ReadOnlyFloor") || threads == std::string::npos
            ? std::string()
            : "ReadOnlyFloor/" + name.substr(threads, name.find('/', threads) - threads) + "/real_time";
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
