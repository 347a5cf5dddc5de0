#include "app/ScanRunner.h"

#include "scan/NameListFiles.h"

#include <QElapsedTimer>
#include <QMetaObject>

namespace verdaxil {

namespace {

ScanOutcome scanMarket(const ScanRequest& request, std::stop_token stop, const ProgressCallback& progress) noexcept
{
    ScanOutcome outcome{request, {}, {}, 0, {}};
    QElapsedTimer clock;
    clock.start();
    try {
        outcome.listing = ListDayFiles(request.quoteDir);
        outcome.result = ScanDayFiles(outcome.listing.files, request.settings, stop, progress);
        AssignNames(outcome.result.rows, keptNames(outcome.listing.files));
    } catch (const std::exception& error) {
        outcome.failure = QString::fromUtf8(error.what());
    } catch (...) {
        outcome.failure = QStringLiteral("unknown error");
    }
    outcome.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return outcome;
}

} // namespace

ScanRunner::ScanRunner(QObject* parent) : QObject(parent) {}

ScanRunner::~ScanRunner()
{
    stop();
}

void ScanRunner::start(const ScanRequest& request)
{
    stop();
    const int generation = ++generation_;
    thread_ = std::jthread([this, request, generation](std::stop_token stop) {
        const auto progress = [this, generation](ScanProgress done) {
            QMetaObject::invokeMethod(
                this,
                [this, generation, done] {
                    if (generation == generation_)
                        emit progressed(static_cast<qsizetype>(done.done), static_cast<qsizetype>(done.total));
                },
                Qt::QueuedConnection);
        };
        auto outcome = std::make_shared<ScanOutcome>(scanMarket(request, stop, progress));
        QMetaObject::invokeMethod(
            this, [this, generation, outcome] { deliver(generation, outcome); }, Qt::QueuedConnection);
    });
}

void ScanRunner::stop()
{
    if (!thread_.joinable())
        return;
    thread_.request_stop();
    thread_.join();
}

void ScanRunner::deliver(int generation, std::shared_ptr<ScanOutcome> outcome)
{
    // An outcome of a scan that was replaced by a newer one is dropped.
    if (generation != generation_)
        return;
    emit finished(std::move(outcome));
}

} // namespace verdaxil
