// The pre-scan of a quoted include file: the including file's condition stack, comment handling
// and "#define" continuations, without modules or line counts.
#include "cfamily/CIncludePrescan.h"

#include <cstring>

#include "NFileAnly.h"
#include "TextInput.h"
#include "cfamily/CLineText.h"
#include "cfamily/CPreprocessor.h"
#include "cfamily/CScanPass.h"

namespace lumbra {

CIncludePrescan::CIncludePrescan(NFileAnly& engine, CPreprocessor& preprocessor,
                                 ModuleRecord* tableScope)
    : engine_(engine), pre_(preprocessor), table_(tableScope),
      flavor_(engine.CurrentFile() ? CScanPass::FlavorOf(engine.CurrentFile()->name) : CFlavor::C) {
    reader_.SetFlavor(flavor_);
    reader_.SetCodePage932(engine.GetTextReadSettings().codePage == kCodePageShiftJis);
}

int CIncludePrescan::Run(const std::string& path, const SourceText& text) {
    path_ = path;
    for (std::size_t i = 0; i < text.lineCount(); ++i)
        line(text.line(i).data()); // each line is followed by a NUL in memory
    if (continuation_ == 2)
        pre_.DefineConstant(engine_, defineName_, CutComment(joined_));
    return calls_;
}

void CIncludePrescan::line(const char* text) {
    if (continuation_ != 0 || joiningIf_) {
        const bool more = EndsWithBackslash(text);
        if (continuation_ == 2 || joiningIf_) {
            joined_.push_back(' ');
            joined_.append(more ? WithoutBackslash(text) : std::string_view(text));
        }
        if (!more) {
            if (continuation_ == 2)
                pre_.DefineConstant(engine_, defineName_, CutComment(joined_));
            if (joiningIf_)
                previousActive_ = (pre_.LineState(engine_, joined_, false) & kConditionActive) != 0;
            continuation_ = 0;
            joiningIf_ = false;
        }
        return;
    }
    const bool startsInComment = inComment_;
    const bool inLiteral = !startsInComment && reader_.InLiteral();
    const char* s = SkipBlanks(text);
    if (!startsInComment && !inLiteral && previousActive_ && OpensCondition(s) &&
        EndsWithBackslash(s)) {
        joiningIf_ = true;
        joined_.assign(WithoutBackslash(s));
        return;
    }
    previousActive_ = (pre_.LineState(engine_, s, startsInComment) & kConditionActive) != 0;
    if (!previousActive_)
        return; // excluded lines are not read
    if (inLiteral)
        code(reader_.ContinueLiteral(text), table_ != nullptr);
    else if (!startsInComment && *s == '#')
        directive(s);
    else
        code(text, table_ != nullptr);
}

void CIncludePrescan::directive(const char* s) {
    const char* p = nullptr;
    const std::string_view word = DirectiveWord(s, p);
    if (word == "define") {
        const char* name = SkipBlanks(p);
        if (IsIdentifierChar(*name)) {
            const char* nameEnd = reader_.Read(name);
            const std::string_view macro(name, static_cast<std::size_t>(nameEnd - name));
            const bool more = EndsWithBackslash(s);
            if (*nameEnd == '(') {
                if (more)
                    continuation_ = 1; // a macro with parameters is no constant
            } else if (more) {
                continuation_ = 2;
                defineName_.assign(macro);
                joined_.assign(WithoutBackslash(nameEnd));
            } else {
                pre_.DefineConstant(engine_, macro, CutComment(nameEnd));
            }
            p = nameEnd;
        }
    } else if (word == "undef") {
        const char* name = SkipBlanks(p);
        if (IsIdentifierChar(*name)) {
            p = reader_.Read(name);
            pre_.UndefineConstant(engine_,
                                  std::string_view(name, static_cast<std::size_t>(p - name)));
        }
    } else if (word == "include") {
        const std::string_view name = QuotedIncludeName(p);
        const std::string found =
            name.empty() ? std::string() : engine_.ResolveInclude(path_, name);
        if (!found.empty()) {
            const int kind = engine_.CurrentFile() ? engine_.CurrentFile()->kind : kKindCFamily;
            const bool queued = engine_.QueueInclude(found, kind) != 0;
            calls_ += pre_.IncludeFile(engine_, found, queued, table_);
        }
    }
    code(p, false);
}

void CIncludePrescan::code(const char* p, bool names) {
    while (*p) {
        if (inComment_) {
            const char* e = std::strstr(p, "*/");
            if (!e)
                return;
            inComment_ = false;
            p = e + 2;
            continue;
        }
        const char c = *p;
        if (c == '/' && p[1] == '/')
            return;
        if (c == '/' && p[1] == '*') {
            inComment_ = true;
            p += 2;
            continue;
        }
        if (!names) {
            p = (c == '"' || c == '\'') ? reader_.SkipQuoted(p) : p + 1;
            continue;
        }
        const char* e = CTokenReader::IsStop(c) ? p : reader_.Read(p);
        if (e == p) {
            ++p;
            continue;
        }
        const std::string_view name(p, static_cast<std::size_t>(e - p));
        if (IsCCandidate(engine_, name, flavor_) && engine_.FindModule(name))
            calls_ += engine_.AddCallFrom(table_, name, 0, 0);
        p = e;
    }
}

} // namespace lumbra
