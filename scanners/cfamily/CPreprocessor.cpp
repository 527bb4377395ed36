// The C-family preprocessor on the shared conditional compilation.
#include "cfamily/CPreprocessor.h"

#include <array>

#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TextInput.h"
#include "cfamily/CIncludePrescan.h"
#include "cfamily/CLineText.h"

namespace lumbra {
namespace {

constexpr std::array<std::pair<std::string_view, Directive>, 6> kDirectives = {{
    {"if", Directive::If},
    {"ifdef", Directive::IfDef},
    {"ifndef", Directive::IfNDef},
    {"elif", Directive::ElseIf},
    {"else", Directive::Else},
    {"endif", Directive::EndIf},
}};

bool isBlank(char c) {
    return CTokenReader::IsBlank(c);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool hasQuote(std::string_view s) {
    return s.find_first_of("\"'") != std::string_view::npos;
}

} // namespace

CPreprocessor::CPreprocessor(std::shared_ptr<ConditionalCompilation> conditions)
    : conditions_(std::move(conditions)) {}

void CPreprocessor::BeginPass(NFileAnly& engine, FileRecord&, bool analysisPass) {
    conditions_->BeginPass(engine);
    analysisPass_ = analysisPass;
    limitReported_ = false;
}

Directive CPreprocessor::DirectiveOf(std::string_view text, std::string_view& operand) {
    if (text.empty() || text.front() != '#')
        return Directive::None;
    std::size_t i = 1;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const std::size_t start = i;
    while (i < text.size() && IsIdentifierChar(text[i]))
        ++i;
    const std::string_view word = text.substr(start, i - start);
    for (const auto& [name, directive] : kDirectives) {
        if (word == name) {
            operand = text.substr(i);
            return directive;
        }
    }
    return Directive::None;
}

unsigned CPreprocessor::LineState(NFileAnly& engine, std::string_view text, bool inBlockComment) {
    if (!ConditionalCompilation::Enabled(engine))
        return kConditionActive;
    std::string_view operand;
    const Directive d = inBlockComment ? Directive::None : DirectiveOf(text, operand);
    if (d == Directive::None)
        return conditions_->Stack().LineState();
    if (d == Directive::IfDef || d == Directive::IfNDef) {
        // The name is the next token.
        std::size_t i = 0;
        while (i < operand.size() && isBlank(operand[i]))
            ++i;
        std::size_t end = i;
        while (end < operand.size() && !CTokenReader::IsStop(operand[end]))
            ++end;
        operand = operand.substr(i, end - i);
    }
    return conditions_->DirectiveState(engine, DirectiveFamily::C, d, operand);
}

ConstantRecord CPreprocessor::ConstantOf(NFileAnly& engine, std::string_view name,
                                         std::string_view value) {
    ConstantRecord c;
    c.name.assign(name);
    value = trimmed(value);
    if (value.empty()) {
        c.value = 1;
        c.isText = 1;
        c.hasText = true;
        return c;
    }
    // The value read as one token: a literal, or text that no expression starts with, is text.
    value_.assign(value);
    CTokenReader reader;
    reader.SetCodePage932(engine.GetTextReadSettings().codePage == kCodePageShiftJis);
    const char* start = value_.c_str();
    const char* end = reader.Read(start);
    const std::string_view token(start, static_cast<std::size_t>(end - start));
    const bool textLike = token.empty() || token.front() == '\\' || hasQuote(token);
    if (textLike && ((*end != '(' && *end != '-') || hasQuote(end))) {
        c.value = 1;
        c.isText = 1;
        c.hasText = true;
        c.text.assign(token);
        return c;
    }
    const Evaluation e = conditions_->Evaluate(engine, value, true);
    c.value = e.value;
    if (e.status != 0) {
        c.isText = 1;
        c.hasText = true;
        c.text.assign(value);
    }
    return c;
}

void CPreprocessor::DefineConstant(NFileAnly& engine, std::string_view name,
                                   std::string_view value) {
    if (engine.GetOption(kOptUseDefineConstant) && !name.empty())
        ConditionalCompilation::AddConstant(engine, ConstantOf(engine, name, value), true);
}

void CPreprocessor::UndefineConstant(NFileAnly& engine, std::string_view name) {
    ConditionalCompilation::RemoveConstant(engine, name);
}

int CPreprocessor::IncludeFile(NFileAnly& engine, const std::string& path, bool queued,
                               ModuleRecord* tableScope) {
    if (!engine.GetOption(kOptUseDefineConstant) || !engine.GetOption(kOptDefineConstantInInclude))
        return 0;
    if (!queued && engine.GetOption(kOptIncludeOnce))
        return 0;
    if (!conditions_->EnterInclude(path)) {
        if (conditions_->IncludeLimitReached() && !limitReported_ && !analysisPass_) {
            limitReported_ = true;
            const FileRecord* file = engine.CurrentFile();
            engine.Messages().Message(Format(tr("Include files of %s nest too deeply or repeat too "
                                                "often: some were not read."),
                                             file ? file->path.c_str() : path.c_str()),
                                      tr("Caution"), MessageKind::Warning);
        }
        return 0;
    }
    int calls = 0;
    if (const std::shared_ptr<const SourceText> text = conditions_->IncludeText(engine, path))
        calls =
            CIncludePrescan(engine, *this, analysisPass_ ? tableScope : nullptr).Run(path, *text);
    conditions_->LeaveInclude();
    return calls;
}

} // namespace lumbra
