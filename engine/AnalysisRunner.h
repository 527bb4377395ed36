// Runs the engine's second pass on a worker thread, with progress and stop for the caller.
#pragma once

#include <atomic>
#include <thread>

#include "NFileAnly.h"

namespace lumbra {

class AnalysisRunner {
public:
    explicit AnalysisRunner(NFileAnly& engine) : engine_(engine) {}
    // The worker always ends before the engine it works on can go away.
    ~AnalysisRunner() { Join(); }
    AnalysisRunner(const AnalysisRunner&) = delete;
    AnalysisRunner& operator=(const AnalysisRunner&) = delete;

    // Starts Analyze on a new thread (joining a finished previous one first). False when a run
    // is still in progress.
    bool Start();
    // True from Start until the worker's Analyze has returned.
    bool Busy() const { return busy_.load(); }
    // Stops the run at the next file boundary.
    void Stop() { engine_.RequestStop(); }
    // Waits for the worker to end.
    void Join();
    // Result of the last Analyze (0 when there were no files).
    int Result() const { return result_.load(); }

    RunProgress Progress() const { return engine_.GetRunProgress(); }

private:
    NFileAnly& engine_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
    std::atomic<int> result_{0};
};

} // namespace lumbra
