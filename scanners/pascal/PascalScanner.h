// The scanner of language kind 3: Pascal and Delphi units and programs.
#pragma once

#include <memory>

#include "LanguageScanner.h"
#include "common/ConditionalCompilation.h"

namespace lumbra {

class PascalScanner final : public LanguageScanner {
public:
    // `conditions` answers for the "$IFDEF" family, "$define" constants and include pre-scans.
    explicit PascalScanner(std::shared_ptr<ConditionalCompilation> conditions);

    void DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;
    void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;

private:
    std::shared_ptr<ConditionalCompilation> conditions_;
};

} // namespace lumbra
