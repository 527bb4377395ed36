// Pascal compiler directives.
#include "pascal/PascalDirectives.h"

#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TextInput.h"
#include "common/Preprocessor.h"

namespace lumbra {
namespace {

constexpr std::pair<std::string_view, Directive> kConditionals[] = {
    {"$IFDEF", Directive::IfDef}, {"$IFNDEF", Directive::IfNDef}, {"$IF", Directive::If},
    {"$IFOPT", Directive::If},    {"$ELIF", Directive::ElseIf},   {"$ELSEIF", Directive::ElseIf},
    {"$ELSE", Directive::Else},   {"$ENDIF", Directive::EndIf},   {"$IFEND", Directive::EndIf},
};

} // namespace

PascalDirectives::PascalDirectives(NFileAnly& engine, ConditionalCompilation& conditions,
                                   const PascalTokenReader& reader, bool analysisPass)
    : engine_(engine), conditions_(conditions), reader_(reader), analysisPass_(analysisPass) {}

bool PascalDirectives::Parse(std::string_view body, std::string& name, std::string_view& operand) {
    if (body.empty() || body.front() != '$')
        return false;
    std::size_t i = 1;
    while (i < body.size() &&
           ((body[i] >= 'a' && body[i] <= 'z') || (body[i] >= 'A' && body[i] <= 'Z') ||
            (body[i] >= '0' && body[i] <= '9') || body[i] == '_'))
        ++i;
    name.assign(body.substr(0, i));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    operand = body.substr(i);
    while (!operand.empty() && PascalTokenReader::IsBlank(operand.front()))
        operand.remove_prefix(1);
    return true;
}

Directive PascalDirectives::Conditional(std::string_view upperName) {
    for (const auto& [text, directive] : kConditionals)
        if (upperName == text)
            return directive;
    return Directive::None;
}

std::string_view PascalDirectives::firstToken(std::string_view text) const {
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (p < end && PascalTokenReader::IsBlank(*p))
        ++p;
    const char* start = p;
    while (p < end && PascalTokenReader::StartsToken(*p))
        ++p;
    return std::string_view(start, static_cast<std::size_t>(p - start));
}

unsigned PascalDirectives::Condition(Directive directive, std::string_view operand) {
    // "$IFOPT" asks about a compiler switch: its operand is no constant.
    return conditions_.DirectiveState(engine_, DirectiveFamily::Pascal, directive,
                                      firstToken(operand));
}

void PascalDirectives::Apply(std::string_view upperName, std::string_view operand) {
    if (upperName == "$DEFINE" || upperName == "$UNDEF") {
        std::string_view n = firstToken(operand);
        if (n.empty())
            return;
        name_.assign(n);
        for (char& c : name_)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        if (upperName == "$DEFINE") {
            ConstantRecord c;
            c.name = name_;
            c.value = 1;
            ConditionalCompilation::AddConstant(engine_, std::move(c), false);
        } else {
            ConditionalCompilation::RemoveConstant(engine_, name_);
        }
    } else if (upperName == "$INCLUDE" || upperName == "$I") {
        include(operand);
    }
}

void PascalDirectives::include(std::string_view operand) {
    // "{$I+}" and "{$I-}" are the I/O-check switch, not file names.
    std::string_view file;
    if (!operand.empty() && operand.front() == '\'') {
        const std::size_t close = operand.find('\'', 1);
        file = operand.substr(1, close == std::string_view::npos ? operand.size() - 1 : close - 1);
    } else {
        file = firstToken(operand);
    }
    if (file.empty() || file.front() == '%')
        return;
    const FileRecord* current = engine_.CurrentFile();
    if (!current)
        return;
    const std::string path = engine_.ResolveInclude(current->path, file);
    if (path.empty())
        return;
    const bool queued = engine_.QueueInclude(path, current->kind) != 0;
    if (!engine_.GetOption(kOptUseDefineConstant) ||
        !engine_.GetOption(kOptDefineConstantInInclude))
        return;
    if (!queued && engine_.GetOption(kOptIncludeOnce))
        return;
    if (!conditions_.EnterInclude(path)) {
        if (conditions_.IncludeLimitReached() && !limitReported_ && !analysisPass_) {
            limitReported_ = true;
            engine_.Messages().Message(Format(tr("Include files of %s nest too deeply or repeat "
                                                 "too often: some were not read."),
                                              current->path.c_str()),
                                       tr("Caution"), MessageKind::Warning);
        }
        return;
    }
    if (const std::shared_ptr<const SourceText> text = conditions_.IncludeText(engine_, path))
        prescan(path, *text);
    conditions_.LeaveInclude();
}

void PascalDirectives::prescan(const std::string&, const SourceText& text) {
    const int saved = comment_;
    comment_ = 0;
    for (std::size_t i = 0; i < text.lineCount(); ++i)
        prescanLine(text.line(i).data());
    comment_ = saved;
}

void PascalDirectives::prescanLine(const char* p) {
    while (*p) {
        if (comment_ != 0) {
            const char* e = reader_.Find(p, comment_ == 1 ? "}" : "*)");
            if (!e)
                return;
            p = e + (comment_ == 1 ? 1 : 2);
            comment_ = 0;
            continue;
        }
        if (*p == '/' && p[1] == '/')
            return;
        if (*p == '\'') {
            p = reader_.SkipString(p);
            continue;
        }
        const bool brace = *p == '{';
        if (brace || (*p == '(' && p[1] == '*')) {
            const char* body = p + (brace ? 1 : 2);
            const char* e = reader_.Find(body, brace ? "}" : "*)");
            if (*body == '$')
                directiveText(std::string_view(body, e ? static_cast<std::size_t>(e - body)
                                                       : std::char_traits<char>::length(body)));
            if (!e) {
                comment_ = brace ? 1 : 2;
                return;
            }
            p = e + (brace ? 1 : 2);
            continue;
        }
        p = reader_.Step(p);
    }
}

void PascalDirectives::directiveText(std::string_view body) {
    std::string name;
    std::string_view operand;
    if (!Parse(body, name, operand))
        return;
    const Directive d = Conditional(name);
    if (d != Directive::None)
        Condition(d, operand);
    else if (conditions_.LineState(engine_) & kConditionActive)
        Apply(name, operand);
}

} // namespace lumbra
