// Language kind -> scanner factory.
#include "ScannerRegistry.h"

#include <memory>

#include "NFileAnly.h"
#include "asm/AsmScanner.h"
#include "basic/BasicScanner.h"
#include "cfamily/CFamilyScanner.h"
#include "cfamily/CPreprocessor.h"
#include "common/ConditionalCompilation.h"
#include "pascal/PascalScanner.h"

namespace lumbra {
namespace {

// Every scanner of an engine shares one conditional compilation (one condition stack, one
// expression tokenizer): only one file is scanned at a time.
using Shared = std::shared_ptr<ConditionalCompilation>;
using Factory = std::unique_ptr<LanguageScanner> (*)(const Shared& conditions);

std::unique_ptr<LanguageScanner> makeCFamily(const Shared& conditions) {
    return std::make_unique<CFamilyScanner>(std::make_unique<CPreprocessor>(conditions));
}

std::unique_ptr<LanguageScanner> makeAssembler(const Shared& conditions) {
    return std::make_unique<AsmScanner>(conditions);
}

std::unique_ptr<LanguageScanner> makeBasic(const Shared&) {
    return std::make_unique<BasicScanner>();
}

std::unique_ptr<LanguageScanner> makePascal(const Shared& conditions) {
    return std::make_unique<PascalScanner>(conditions);
}

struct ScannerEntry {
    int kind;
    Factory make;
};

// One entry per language kind with a scanner; kinds without one register files unscanned.
constexpr ScannerEntry kScanners[] = {
    {kKindCFamily, &makeCFamily},
    {kKindAssembler, &makeAssembler},
    {kKindBasic, &makeBasic},
    {kKindPascal, &makePascal},
};

} // namespace

void InstallScanners(NFileAnly& engine) {
    const Shared conditions = std::make_shared<ConditionalCompilation>();
    for (const ScannerEntry& e : kScanners)
        if (e.make)
            engine.SetScanner(e.kind, e.make(conditions));
}

} // namespace lumbra
