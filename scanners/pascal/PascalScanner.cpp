// The Pascal scanner: both passes run a PascalScanPass over the file's lines.
#include "pascal/PascalScanner.h"

#include "pascal/PascalScanPass.h"

namespace lumbra {

PascalScanner::PascalScanner(std::shared_ptr<ConditionalCompilation> conditions)
    : conditions_(std::move(conditions)) {}

void PascalScanner::DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    PascalScanPass(engine, file, *conditions_, PascalScanPass::Mode::Definition).Run(text);
}

void PascalScanner::AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    PascalScanPass(engine, file, *conditions_, PascalScanPass::Mode::Analysis).Run(text);
}

} // namespace lumbra
