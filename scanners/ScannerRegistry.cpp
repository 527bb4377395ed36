// Language kind -> scanner factory.
#include "ScannerRegistry.h"

#include <memory>

#include "NFileAnly.h"

namespace lumbra {
namespace {

using Factory = std::unique_ptr<LanguageScanner> (*)();

struct ScannerEntry {
    int kind;
    Factory make;
};

// One entry per language kind with a scanner; kinds without one register files unscanned.
constexpr ScannerEntry kScanners[] = {
    {-1, nullptr},
};

} // namespace

void InstallScanners(NFileAnly& engine) {
    for (const ScannerEntry& e : kScanners)
        if (e.make)
            engine.SetScanner(e.kind, e.make());
}

} // namespace lumbra
