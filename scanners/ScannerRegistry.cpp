// Language kind -> scanner factory.
#include "ScannerRegistry.h"

#include <memory>

#include "NFileAnly.h"
#include "asm/AsmScanner.h"
#include "cfamily/CFamilyScanner.h"
#include "common/Preprocessor.h"

namespace lumbra {
namespace {

using Factory = std::unique_ptr<LanguageScanner> (*)();

std::unique_ptr<LanguageScanner> makeCFamily() {
    return std::make_unique<CFamilyScanner>(std::make_unique<PlainPreprocessor>());
}

std::unique_ptr<LanguageScanner> makeAssembler() {
    return std::make_unique<AsmScanner>();
}

struct ScannerEntry {
    int kind;
    Factory make;
};

// One entry per language kind with a scanner; kinds without one register files unscanned.
constexpr ScannerEntry kScanners[] = {
    {kKindCFamily, &makeCFamily},
    {kKindAssembler, &makeAssembler},
};

} // namespace

void InstallScanners(NFileAnly& engine) {
    for (const ScannerEntry& e : kScanners)
        if (e.make)
            engine.SetScanner(e.kind, e.make());
}

} // namespace lumbra
