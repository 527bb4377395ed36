// Conditional assembly and equate constants of the assembler scanner. Until conditions are
// evaluated every line is active; directive lines are still recognised as such.
#include "asm/AsmConditions.h"

#include <algorithm>
#include <array>

#include "NFileAnly.h"
#include "common/Preprocessor.h"

namespace lumbra {
namespace {

// The order of the names NFileAnly::ConditionKeywords derives.
constexpr std::array<AsmDirective, 6> kDirectives = {AsmDirective::If,     AsmDirective::IfDef,
                                                     AsmDirective::IfNDef, AsmDirective::Else,
                                                     AsmDirective::ElseIf, AsmDirective::EndIf};

bool equalsUpper(std::string_view token, const std::string& upper) {
    if (token.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        char c = token[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != upper[i])
            return false;
    }
    return true;
}

} // namespace

void AsmConditions::BeginPass(NFileAnly& engine) {
    engine.ClearFileConstants();
    includeChain_.clear();
    if (const FileRecord* file = engine.CurrentFile())
        includeChain_.push_back(file->path);
    prescans_ = 0;
}

AsmDirective AsmConditions::DirectiveOf(const NFileAnly& engine, std::string_view token) {
    const auto& names = engine.ConditionKeywords();
    if (token.empty() || names[0].empty())
        return AsmDirective::None;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (equalsUpper(token, names[i]))
            return kDirectives[i];
    return AsmDirective::None;
}

unsigned AsmConditions::LineState(const NFileAnly&) const {
    return kConditionActive;
}

unsigned AsmConditions::DirectiveState(NFileAnly&, AsmDirective, std::string_view) {
    return kConditionActive | kConditionDirective;
}

void AsmConditions::AddConstant(NFileAnly& engine, ConstantRecord record) {
    if (engine.GetOption(kOptUseDefineConstant))
        engine.AddFileConstant(std::move(record), false);
}

bool AsmConditions::EnterInclude(const std::string& path) {
    if (includeChain_.size() > kMaxIncludeDepth || prescans_ >= kMaxPrescans ||
        std::find(includeChain_.begin(), includeChain_.end(), path) != includeChain_.end())
        return false;
    includeChain_.push_back(path);
    ++prescans_;
    return true;
}

void AsmConditions::LeaveInclude() {
    if (includeChain_.size() > 1)
        includeChain_.pop_back();
}

std::shared_ptr<const SourceText> AsmConditions::IncludeText(const NFileAnly& engine,
                                                             const std::string& path) {
    auto text = SourceText::Load(path, engine.GetTextReadSettings());
    if (!text)
        return nullptr;
    return std::make_shared<const SourceText>(std::move(*text));
}

} // namespace lumbra
