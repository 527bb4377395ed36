// The worker thread and the request queue towards the interface thread.
#include "BackgroundJob.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace lumbra {

bool BackgroundJob::Start(std::function<void()> body) {
    if (running_.load())
        return false;
    Join();
    running_.store(true);
    worker_ = std::thread([this, body = std::move(body)] {
        body();
        running_.store(false);
    });
    return true;
}

void BackgroundJob::Join() {
    if (worker_.joinable())
        worker_.join();
}

struct UiRequestQueue::Request {
    const std::function<void()>* step = nullptr;
    bool done = false;
    bool ran = false;
};

struct UiRequestQueue::State {
    std::mutex mutex;
    std::condition_variable doneSignal;
    std::deque<Request*> queue;
};

UiRequestQueue::UiRequestQueue()
    : uiThread_(std::this_thread::get_id()), state_(std::make_shared<State>()) {}

bool UiRequestQueue::Run(const std::function<void()>& step) {
    if (OnUiThread()) {
        step();
        return true;
    }
    Request request;
    request.step = &step;
    std::unique_lock lock(state_->mutex);
    if (shutDown_.load())
        return false;
    state_->queue.push_back(&request);
    state_->doneSignal.wait(lock, [&] { return request.done; });
    return request.ran;
}

void UiRequestQueue::Service() {
    for (;;) {
        Request* request = nullptr;
        {
            std::lock_guard lock(state_->mutex);
            if (state_->queue.empty())
                return;
            request = state_->queue.front();
            state_->queue.pop_front();
        }
        // The worker waits, so the step may touch everything the worker owns.
        (*request->step)();
        std::lock_guard lock(state_->mutex);
        request->ran = true;
        request->done = true;
        state_->doneSignal.notify_all();
    }
}

void UiRequestQueue::Shutdown() {
    std::lock_guard lock(state_->mutex);
    shutDown_.store(true);
    for (Request* request : state_->queue)
        request->done = true;
    state_->queue.clear();
    state_->doneSignal.notify_all();
}

} // namespace lumbra
