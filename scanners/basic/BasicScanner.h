// The scanner of language kind 1: Visual Basic 6 modules, forms and classes and VB.NET sources.
#pragma once

#include "LanguageScanner.h"

namespace lumbra {

class BasicScanner final : public LanguageScanner {
public:
    void DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;
    void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;
};

} // namespace lumbra
