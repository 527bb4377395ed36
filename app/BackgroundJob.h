// One piece of work on a worker thread at a time, with a way for the interface thread to see
// that it ended and to pick up its result.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace lumbra {

class BackgroundJob {
public:
    BackgroundJob() = default;
    // The worker always ends before what it works on can go away.
    ~BackgroundJob() { Join(); }
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Runs the body on a new thread (joining a finished previous one first). False while a
    // body is still running.
    bool Start(std::function<void()> body);
    // True from Start until the body has returned.
    bool Running() const { return running_.load(); }
    // True once a started body has returned and the thread was not yet joined.
    bool Ended() const { return worker_.joinable() && !running_.load(); }
    // Waits for the body to return.
    void Join();

private:
    std::thread worker_;
    std::atomic<bool> running_{false};
};

// Lets a worker run a step on the interface thread and wait for it: message boxes and changes
// of what the views show happen there. The interface thread services the queue from its idle
// processing.
class UiRequestQueue {
public:
    UiRequestQueue();

    // On the interface thread the step runs at once; on another thread it is queued and the
    // call returns when the interface thread has run it (or the queue was shut down, when the
    // step does not run at all and the result is false).
    bool Run(const std::function<void()>& step);
    // Interface thread: runs every queued step.
    void Service();
    // From now on queued steps are dropped and their callers released (program exit).
    void Shutdown();
    bool IsShutDown() const { return shutDown_.load(); }
    bool OnUiThread() const { return std::this_thread::get_id() == uiThread_; }

private:
    struct Request;
    std::thread::id uiThread_;
    std::atomic<bool> shutDown_{false};
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace lumbra
