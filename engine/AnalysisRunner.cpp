// Worker thread of the analysis run.
#include "AnalysisRunner.h"

namespace lumbra {

bool AnalysisRunner::Start() {
    if (busy_.load())
        return false;
    Join();
    busy_.store(true);
    worker_ = std::thread([this] {
        result_.store(engine_.Analyze());
        busy_.store(false);
    });
    return true;
}

void AnalysisRunner::Join() {
    if (worker_.joinable())
        worker_.join();
}

} // namespace lumbra
