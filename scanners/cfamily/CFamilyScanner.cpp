// The C-family scanner: both passes run a CScanPass over the file's lines.
#include "cfamily/CFamilyScanner.h"

#include "cfamily/CScanPass.h"

namespace lumbra {

CFamilyScanner::CFamilyScanner(std::unique_ptr<Preprocessor> preprocessor)
    : preprocessor_(std::move(preprocessor)) {}

void CFamilyScanner::DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    CScanPass(engine, file, *preprocessor_, CScanPass::Mode::Definition).Run(text);
}

void CFamilyScanner::AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    CScanPass(engine, file, *preprocessor_, CScanPass::Mode::Analysis).Run(text);
}

} // namespace lumbra
