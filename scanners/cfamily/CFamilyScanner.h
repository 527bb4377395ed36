// The scanner of language kind 2: C, C++, C# and Java.
#pragma once

#include <memory>

#include "LanguageScanner.h"
#include "common/Preprocessor.h"

namespace lumbra {

class CFamilyScanner final : public LanguageScanner {
public:
    // `preprocessor` answers every line's condition state and receives constants and includes.
    explicit CFamilyScanner(std::unique_ptr<Preprocessor> preprocessor);

    void DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;
    void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override;

private:
    std::unique_ptr<Preprocessor> preprocessor_;
};

} // namespace lumbra
