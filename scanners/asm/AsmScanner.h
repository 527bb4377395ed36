// The scanner of language kind 0: assembler sources of the 680x0, 80x86 and H8 instruction sets,
// read through the instruction classes of the selected set.
#pragma once

#include <memory>

#include "LanguageScanner.h"
#include "asm/AsmLabels.h"
#include "common/ConditionalCompilation.h"

namespace lumbra {

class AsmScanner final : public LanguageScanner {
public:
    // `conditions` answers for conditional assembly, equate constants and include pre-scans.
    explicit AsmScanner(std::shared_ptr<ConditionalCompilation> conditions);

    void DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;
    void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;
    // Called labels are routines: every label that some file calls becomes a module of the file
    // that defines it, so that calls link across files.
    void BeforeAnalysis(NFileAnly& engine) override;

private:
    std::shared_ptr<ConditionalCompilation> conditions_;
    AsmLabelIndex index_;
};

} // namespace lumbra
