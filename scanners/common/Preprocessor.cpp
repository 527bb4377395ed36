// The preprocessor used while conditions are not evaluated: every line active, constants kept as
// plain values.
#include "common/Preprocessor.h"

#include "NFileAnly.h"

namespace lumbra {

void PlainPreprocessor::BeginPass(NFileAnly& engine, FileRecord& file, bool analysisPass) {
    engine.ClearFileConstants();
}

void PlainPreprocessor::DefineConstant(NFileAnly& engine, std::string_view name,
                                       std::string_view value) {
    if (!engine.GetOption(kOptUseDefineConstant) || name.empty())
        return;
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    ConstantRecord c;
    c.name = std::string(name);
    const bool number =
        !value.empty() && ((value.front() >= '0' && value.front() <= '9') || value.front() == '-');
    if (value.empty()) {
        c.value = 1;
        c.isText = 1;
        c.hasText = true;
    } else if (number) {
        c.value = NFileAnly::ParseNumber(value);
    } else {
        c.value = 1;
        c.isText = 1;
        c.hasText = true;
        c.text = std::string(value);
    }
    engine.AddFileConstant(std::move(c), true);
}

void PlainPreprocessor::UndefineConstant(NFileAnly& engine, std::string_view name) {
    if (engine.GetOption(kOptUseDefineConstant))
        engine.RemoveFileConstant(name);
}

} // namespace lumbra
