#include "scan/MarketScan.h"

#include "runtime/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace verdaxil {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t kChunk = 8; // files a worker takes at a time
constexpr auto kProgressInterval = 50ms;
constexpr std::size_t kThreadsPerCore = 4;
constexpr std::size_t kMostThreads = 256;

QString openErrorText(OpenError error)
{
    switch (error) {
    case OpenError::Missing: return QStringLiteral("文件不存在");
    case OpenError::Denied: return QStringLiteral("没有读取权限");
    case OpenError::NotRegular: return QStringLiteral("不是普通文件");
    case OpenError::Other: break;
    }
    return QStringLiteral("无法打开文件");
}

ScanRow evaluateFile(SecurityEvaluator& evaluator, const DayFileEntry& entry, const ScanSettings& settings)
{
    ScanRow row;
    row.market = entry.market;
    row.code = entry.code;
    row.securityClass = entry.securityClass;
    row.localPath = entry.localPath;
    OpenError error{};
    if (const auto file = ReadOnlyFile::openLocal(entry.localPath.constData(), error))
        row.evaluation = evaluator.evaluate(*file, settings.horizon, settings.fee);
    else
        row.error = openErrorText(error);
    return row;
}

// What the workers share: each writes only the rows it took from `next`.
class Workers {
public:
    Workers(const std::vector<DayFileEntry>& files, const ScanSettings& settings)
        : files_(files), settings_(settings), rows_(files.size()), done_(files.size(), false)
    {}

    std::stop_source& stopSource() { return stop_; }

    void run() noexcept
    {
        const std::stop_token stop = stop_.get_token();
        try {
            SecurityEvaluator evaluator;
            for (std::size_t begin; !stop.stop_requested() && (begin = next_.fetch_add(kChunk)) < files_.size();) {
                for (std::size_t k = begin; k < std::min(begin + kChunk, files_.size()) && !stop.stop_requested(); ++k) {
                    rows_[k] = evaluateFile(evaluator, files_[k], settings_);
                    done_[k] = true;
                    doneCount_.fetch_add(1, std::memory_order_relaxed);
                }
            }
        } catch (...) {
            const std::lock_guard lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
            stop_.request_stop();
        }
        const std::lock_guard lock(mutex_);
        ++finished_;
        finishedChanged_.notify_all();
    }

    // Waits for `workers` to finish, reporting progress meanwhile.
    void wait(std::size_t workers, const ProgressCallback& progress)
    {
        std::unique_lock lock(mutex_);
        while (!finishedChanged_.wait_for(lock, kProgressInterval, [&] { return finished_ == workers; })) {
            lock.unlock();
            progress({doneCount_.load(std::memory_order_relaxed), files_.size()});
            lock.lock();
        }
    }

    ScanResult result(bool stopped)
    {
        if (failure_)
            std::rethrow_exception(failure_);
        ScanResult result;
        result.stopped = stopped;
        result.rows.reserve(doneCount_);
        for (std::size_t k = 0; k < rows_.size(); ++k) {
            if (done_[k])
                result.rows.push_back(std::move(rows_[k]));
        }
        return result;
    }

    std::size_t doneCount() const { return doneCount_; }

private:
    const std::vector<DayFileEntry>& files_;
    const ScanSettings& settings_;
    std::vector<ScanRow> rows_;
    std::vector<char> done_; // not vector<bool>: workers write neighbouring elements
    std::stop_source stop_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> doneCount_{0};

    std::mutex mutex_;
    std::condition_variable finishedChanged_;
    std::size_t finished_ = 0;
    std::exception_ptr failure_;
};

// Threads for a scan: as many as asked, but never more than there are files, nor so
// many that the system runs out of them for nothing (a scan gains nothing beyond a
// few per core).
std::size_t threadCount(int jobs, std::size_t files)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t most = std::min({std::max<std::size_t>(files, 1), kThreadsPerCore * cores, kMostThreads});
    return std::clamp<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), 1, most);
}

// When the system refuses a thread, the scan goes on with the workers it has; only a
// scan without any fails.
void startWorkers(std::vector<std::jthread>& running, std::size_t threads, Workers& workers)
{
    for (std::size_t k = 0; k < threads; ++k) {
        try {
            running.emplace_back([&workers] { workers.run(); });
        } catch (const std::system_error&) {
            if (running.empty())
                throw;
            return;
        }
    }
}

} // namespace

ScanResult ScanDayFiles(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::stop_token stop,
                        const ProgressCallback& progress)
{
    Workers workers(files, settings);
    std::stop_source& stopAll = workers.stopSource();
    const std::stop_callback forwardStop(stop, [&] { stopAll.request_stop(); });

    const std::size_t threads = threadCount(settings.jobs, files.size());
    {
        std::vector<std::jthread> running;
        try {
            running.reserve(threads);
            startWorkers(running, threads, workers);
            workers.wait(running.size(), progress);
        } catch (...) {
            // Whatever failed here, the threads that run must stop before they are joined.
            stopAll.request_stop();
            throw;
        }
    }
    progress({workers.doneCount(), files.size()});
    return workers.result(stopAll.stop_requested() && workers.doneCount() < files.size());
}

} // namespace verdaxil
