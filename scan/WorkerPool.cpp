#include "scan/WorkerPool.h"

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

constexpr std::size_t kChunk = 8; // tasks a worker takes at a time
constexpr auto kProgressInterval = 50ms;
constexpr std::size_t kThreadsPerCore = 4;
constexpr std::size_t kMostThreads = 256;

// What the workers share: each writes only the tasks it took from `next`.
class Pool {
public:
    Pool(std::size_t count, const std::function<std::unique_ptr<WorkerTask>()>& makeTask)
        : count_(count), makeTask_(makeTask), done_(count, false)
    {}

    std::stop_source& stopSource() { return stop_; }

    void run() noexcept
    {
        const std::stop_token stop = stop_.get_token();
        try {
            const std::unique_ptr<WorkerTask> task = makeTask_();
            for (std::size_t begin; !stop.stop_requested() && (begin = next_.fetch_add(kChunk)) < count_;) {
                for (std::size_t k = begin; k < std::min(begin + kChunk, count_) && !stop.stop_requested(); ++k) {
                    task->run(k);
                    done_[k] = true;
                    doneCount_.fetch_add(1, std::memory_order_relaxed);
                }
            }
            task->finish();
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
            progress({doneCount_.load(std::memory_order_relaxed), count_});
            lock.lock();
        }
    }

    PoolOutcome outcome()
    {
        if (failure_)
            std::rethrow_exception(failure_);
        const std::size_t doneCount = doneCount_;
        return {std::move(done_), doneCount, stop_.stop_requested() && doneCount < count_};
    }

    std::size_t doneCount() const { return doneCount_; }

private:
    std::size_t count_;
    const std::function<std::unique_ptr<WorkerTask>()>& makeTask_;
    std::vector<char> done_;
    std::stop_source stop_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> doneCount_{0};

    std::mutex mutex_;
    std::condition_variable finishedChanged_;
    std::size_t finished_ = 0;
    std::exception_ptr failure_;
};

// Threads for the tasks: as many as asked, but never more than there are tasks, nor so
// many that the system runs out of them for nothing (a scan gains nothing beyond a
// few per core).
std::size_t threadCount(int jobs, std::size_t tasks)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t most = std::min({std::max<std::size_t>(tasks, 1), kThreadsPerCore * cores, kMostThreads});
    return std::clamp<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), 1, most);
}

// When the system refuses a thread, the work goes on with the workers it has; only
// work without any fails.
void startWorkers(std::vector<std::jthread>& running, std::size_t threads, Pool& pool)
{
    for (std::size_t k = 0; k < threads; ++k) {
        try {
            running.emplace_back([&pool] { pool.run(); });
        } catch (const std::system_error&) {
            if (running.empty())
                throw;
            return;
        }
    }
}

} // namespace

PoolOutcome RunOnWorkers(std::size_t count, int jobs, std::stop_token stop, const ProgressCallback& progress,
                         const std::function<std::unique_ptr<WorkerTask>()>& makeTask)
{
    Pool pool(count, makeTask);
    std::stop_source& stopAll = pool.stopSource();
    const std::stop_callback forwardStop(stop, [&] { stopAll.request_stop(); });
    {
        std::vector<std::jthread> running;
        try {
            running.reserve(threadCount(jobs, count));
            startWorkers(running, threadCount(jobs, count), pool);
            pool.wait(running.size(), progress);
        } catch (...) {
            // Whatever failed here, the threads that run must stop before they are joined.
            stopAll.request_stop();
            throw;
        }
    }
    progress({pool.doneCount(), count});
    return pool.outcome();
}

} // namespace verdaxil
