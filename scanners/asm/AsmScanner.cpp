// The assembler scanner: both passes run an AsmScanPass; before an analysis the labels that are
// called anywhere become modules.
#include "asm/AsmScanner.h"

#include <string>
#include <unordered_set>

#include "NFileAnly.h"
#include "asm/AsmScanPass.h"

namespace lumbra {

AsmScanner::AsmScanner(std::shared_ptr<ConditionalCompilation> conditions)
    : conditions_(std::move(conditions)) {}

void AsmScanner::DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    AsmScanPass(engine, file, *conditions_, nullptr, AsmScanPass::Mode::Definition).Run(text);
}

void AsmScanner::AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    AsmScanPass(engine, file, *conditions_, &index_, AsmScanPass::Mode::Analysis).Run(text);
}

void AsmScanner::BeforeAnalysis(NFileAnly& engine) {
    index_.Build(engine);
    std::unordered_set<std::string> called;
    for (std::size_t i = 0; i < engine.FileListSize(); ++i)
        if (const AsmFileLabels* labels = AsmFileLabels::Of(*engine.GetFile(static_cast<int>(i))))
            called.insert(labels->CallNames().begin(), labels->CallNames().end());
    if (called.empty())
        return;
    for (std::size_t i = 0; i < engine.FileListSize(); ++i) {
        FileRecord* file = engine.GetFile(static_cast<int>(i));
        const AsmFileLabels* labels = AsmFileLabels::Of(*file);
        if (!labels)
            continue;
        // Local labels are jump targets inside a routine; data labels are no routines.
        for (const AsmLabel& l : labels->Labels())
            if (l.line > 0 && !l.local && !l.data && called.count(l.plainKey))
                engine.CreateModuleInFile(*file, l.name, l.line, 0, true);
    }
}

} // namespace lumbra
