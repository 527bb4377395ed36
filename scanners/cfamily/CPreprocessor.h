// The C-family preprocessor: "#if" family directives, "#define" constants and the pre-scan of
// quoted include files, on the conditional compilation shared by all scanners.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "Records.h"
#include "common/ConditionalCompilation.h"
#include "common/Preprocessor.h"

namespace lumbra {

class CPreprocessor final : public Preprocessor {
public:
    explicit CPreprocessor(std::shared_ptr<ConditionalCompilation> conditions);

    void BeginPass(NFileAnly& engine, FileRecord& file, bool analysisPass) override;
    unsigned LineState(NFileAnly& engine, std::string_view text, bool inBlockComment) override;
    void DefineConstant(NFileAnly& engine, std::string_view name, std::string_view value) override;
    void UndefineConstant(NFileAnly& engine, std::string_view name) override;
    int IncludeFile(NFileAnly& engine, const std::string& path, bool queued,
                    ModuleRecord* tableScope) override;

    // The conditional directive a line begins with ("#if", "# ifdef", ...), None for any other
    // line. `operand` is set to the text after the directive word.
    static Directive DirectiveOf(std::string_view text, std::string_view& operand);

    // The constant an object-like "#define NAME value" makes (`value`: the text after the name,
    // continuation lines joined, no trailing comment).
    ConstantRecord ConstantOf(NFileAnly& engine, std::string_view name, std::string_view value);

    ConditionalCompilation& Conditions() { return *conditions_; }

private:
    std::shared_ptr<ConditionalCompilation> conditions_;
    bool analysisPass_ = false;
    bool limitReported_ = false;
    std::string value_;
};

} // namespace lumbra
