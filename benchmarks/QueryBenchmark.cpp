// One query without the window, on a 5000-day file that the page cache holds, against
// merely reading the file. Reports the operator new calls per query next to the time
// (Qt allocates its string data with malloc, which this does not count), and at the
// end each time as a multiple of the read's.

#include "RatioReporter.h"
#include "analysis/QueryCommand.h"
#include "analysis/QueryTexts.h"
#include "analysis/SecurityEvaluator.h"
#include "quotes/DayFileReader.h"
#include "runtime/FileSystem.h"
#include "tools/DayFileWriter.h"
#include "tools/DemoQuotes.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace verdaxil {
namespace {

class QuoteDir {
public:
    QuoteDir()
    {
        const auto history = demoHistory(demoSecurities().front(), DayTable::kRows);
        writeDayFile(dir_.filePath(QStringLiteral("data/shase/day/600000.day")), history);
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

const QuoteDir& quoteDir()
{
    static const QuoteDir dir;
    return dir;
}

void reportAllocations(benchmark::State& state, long before)
{
    state.counters["new_per_query"] =
        benchmark::Counter(static_cast<double>(allocations - before), benchmark::Counter::kAvgIterations);
}

// Open, read, decode and clean, indicators, statistics: the work of a query on its
// file, on the processor's best instruction set and on the baseline x86-64.
void AnalysisOfADayFile(benchmark::State& state)
{
    const QString path = quoteDir().path() + QStringLiteral("\\data\\shase\\day\\600000.day");
    const long before = allocations;
    SecurityEvaluator evaluator(state.range(1) == 0 ? InstructionSet::Baseline : BestInstructionSet());
    for (auto _ : state) {
        const auto file = ReadOnlyFile::open(path);
        benchmark::DoNotOptimize(evaluator.evaluate(*file, state.range(0), 6));
    }
    reportAllocations(state, before);
}

// The floor of a query: open the file, read it into a page-aligned buffer, close.
void ReadADayFile(benchmark::State& state)
{
    const QString path = quoteDir().path() + QStringLiteral("\\data\\shase\\day\\600000.day");
    const auto block = std::make_unique<DayRecordBlock>();
    for (auto _ : state) {
        const auto file = ReadOnlyFile::open(path);
        benchmark::DoNotOptimize(file->readAt(0, block->bytes.data(), block->bytes.size()));
    }
}

// The whole query and its texts: resolving the code and forming the paths too.
void WholeQuery(benchmark::State& state)
{
    const QueryInputs inputs{QStringLiteral("600000"), quoteDir().path(), QStringLiteral("6"), QString::number(state.range(0))};
    const long before = allocations;
    for (auto _ : state)
        benchmark::DoNotOptimize(writtenTexts(runQuery(inputs)));
    reportAllocations(state, before);
}

BENCHMARK(ReadADayFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalysisOfADayFile)->ArgNames({"horizon", "best"})->ArgsProduct({{30, 5000}, {1, 0}})->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeQuery)->Arg(30)->Arg(5000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace verdaxil

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    verdaxil::RatioReporter reporter(
        [](const std::string& name) { return name.starts_with("ReadADayFile") ? std::string() : std::string("ReadADayFile"); });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
