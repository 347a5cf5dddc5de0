#pragma once

#include "scan/MarketScan.h"

#include <QObject>
#include <QString>

#include <memory>
#include <thread>

namespace verdaxil {

struct ScanRequest {
    QString quoteDir;
    ScanSettings settings;
};

// What a scan on its own thread gives the window.
struct ScanOutcome {
    ScanRequest request;
    DayFileListing listing;
    ScanResult result;
    double seconds = 0;
    QString failure; // set when the scan could not run to an end (memory ran out)
};

// Runs one market scan at a time on a thread of its own. Progress and the outcome
// reach the receiver's thread through queued signals only; starting again or
// destroying the runner stops the running scan and waits for its thread, so no
// signal of an earlier scan arrives after a new one has started.
class ScanRunner : public QObject {
    Q_OBJECT

public:
    explicit ScanRunner(QObject* parent = nullptr);
    ~ScanRunner() override;

    void start(const ScanRequest& request);
    void stop();

signals:
    void progressed(qsizetype done, qsizetype total);
    void finished(std::shared_ptr<ScanOutcome> outcome);

private:
    void deliver(int generation, std::shared_ptr<ScanOutcome> outcome);

    std::jthread thread_;
    int generation_ = 0;
};

} // namespace verdaxil
