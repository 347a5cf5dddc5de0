#pragma once

#include "scan/MarketScan.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

namespace verdaxil {

// The work of one worker thread: its own tools, kept from one task to the next.
class WorkerTask {
public:
    virtual ~WorkerTask() = default;
    // Runs task `index`; writes only what belongs to that index.
    virtual void run(std::size_t index) = 0;
    // Called once the worker has no task left, on its thread.
    virtual void finish() {}
};

struct PoolOutcome {
    std::vector<char> done; // by task; not vector<bool>: workers write neighbouring elements
    std::size_t doneCount = 0;
    bool stopped = false; // a stop came before every task was done
};

// Runs tasks 0 to count-1 on as many threads as `jobs` asks for (at most one a task,
// four a core and 256), each made its task object by `makeTask` on its own thread
// and taking chunks of tasks from one atomic index. Reports progress on the calling
// thread at most every few tens of milliseconds and once at the end; returns within a
// task's time of a stop, with no thread left running. When the system refuses a
// thread the others do the work; an exception in a worker stops the others and is
// rethrown here.
PoolOutcome RunOnWorkers(std::size_t count, int jobs, std::stop_token stop, const ProgressCallback& progress,
                         const std::function<std::unique_ptr<WorkerTask>()>& makeTask);

} // namespace verdaxil
