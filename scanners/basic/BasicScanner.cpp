// The Basic scanner: both passes run a BasicScanPass over the file's lines. Basic "#If" lines are
// directive lines and are not evaluated.
#include "basic/BasicScanner.h"

#include "basic/BasicScanPass.h"

namespace lumbra {

void BasicScanner::DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    BasicScanPass(engine, file, BasicScanPass::Mode::Definition).Run(text);
}

void BasicScanner::AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) {
    BasicScanPass(engine, file, BasicScanPass::Mode::Analysis).Run(text);
}

} // namespace lumbra
