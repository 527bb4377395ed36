// One pass of the C-family scanner: a character scanner with the C token reader, no parse tree.
// The definition pass finds modules and counts lines and paths; the analysis pass records calls
// and writes the line words. Both keep the same scope and candidate state so that they agree on
// where each definition is.
#include "cfamily/CScanPass.h"

#include <algorithm>
#include <cstring>

#include "NFileAnly.h"
#include "TextInput.h"
#include "cfamily/CLineText.h"
#include "common/CommentLabels.h"
#include "common/Preprocessor.h"

namespace lumbra {
namespace {

constexpr std::string_view kDesignerRegionTitle = "Windows Form Designer generated code";

// The word `w` at `p`, not followed by more identifier characters.
bool wordAt(const char* p, std::string_view w) {
    return std::strncmp(p, w.data(), w.size()) == 0 && !IsIdentifierChar(p[w.size()]);
}

bool hasColons(std::string_view name) {
    return name.find("::") != std::string_view::npos;
}

// The first of `wanted` or of `stops` from p on (outside literals, before a line comment);
// true when it is `wanted`. Declaration heads are short: the look-ahead is bounded.
bool comesFirst(const char* p, char wanted, std::string_view stops) {
    for (const char* limit = p + 1024; *p && p < limit; ++p) {
        if (*p == wanted)
            return true;
        if (stops.find(*p) != std::string_view::npos)
            return false;
        if (*p == '/' && (p[1] == '/' || p[1] == '*'))
            return false;
        if (*p == '"' || *p == '\'') {
            const char quote = *p;
            for (++p; *p && *p != quote; ++p)
                if (*p == '\\' && p[1])
                    ++p;
            if (!*p)
                return false;
        }
    }
    return false;
}

} // namespace

// --- setup ---------------------------------------------------------------------------------------

CFlavor CScanPass::FlavorOf(std::string_view fileName) {
    auto endsWith = [&](std::string_view ext) {
        if (fileName.size() < ext.size())
            return false;
        std::string_view tail = fileName.substr(fileName.size() - ext.size());
        for (std::size_t i = 0; i < ext.size(); ++i) {
            char c = tail[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != ext[i])
                return false;
        }
        return true;
    };
    if (endsWith(".java"))
        return CFlavor::Java;
    if (endsWith(".cs"))
        return CFlavor::CSharp;
    return CFlavor::C;
}

CScanPass::CScanPass(NFileAnly& engine, FileRecord& file, Preprocessor& preprocessor, Mode mode)
    : engine_(engine), file_(file), pre_(preprocessor), mode_(mode), flavor_(FlavorOf(file.name)),
      words_(engine) {
    reader_.SetFlavor(flavor_);
    reader_.SetCodePage932(engine.GetTextReadSettings().codePage == kCodePageShiftJis);
    optMembers_ = engine.GetOption(kOptSearchMemberModule) != 0;
    optTables_ = engine.GetOption(kOptCombineTableModule) != 0;
    optDesigner_ = engine.GetOption(kOptDesignerRegion) != 0;
    optReferences_ = engine.GetOption(kOptCombineModuleClass) != 0;
    optNoClassInMember_ = engine.GetOption(kOptExceptClassInMember) != 0;
    optNoClassPointer_ = engine.GetOption(kOptExceptClassPointer) != 0;
    optMemberLink_ = engine.GetOption(kOptMemberSearchLink) != 0;
    braceLinesOther_ = engine.GetCountOption(0) != 0;
    folding_ = engine.GetSourceFolding() != 0;
    labels_ = false;
    for (int k = 0; k < 4; ++k)
        labels_ = labels_ || !engine.GetCommentKeyword(k).empty();
}

CScanPass::Word CScanPass::classify(std::string_view t) {
    // Most tokens are no keywords: the length and the first letter decide quickly.
    auto is = [&](std::string_view w) { return t == w; };
    switch (t.size()) {
    case 2:
        return is("if") ? Word::If : is("do") ? Word::Do : Word::None;
    case 3:
        return is("for") ? Word::For : Word::None;
    case 4:
        return is("else")   ? Word::Else
               : is("case") ? Word::Case
               : is("enum") ? Word::Enum
                            : Word::None;
    case 5:
        switch (t[0]) {
        case 'w':
            return is("while") ? Word::While : Word::None;
        case 'u':
            return is("until")   ? Word::Until
                   : is("union") ? Word::Union
                   : is("using") ? Word::Using
                                 : Word::None;
        case 'c':
            return is("catch") ? Word::Catch : is("class") ? Word::Class : Word::None;
        default:
            return Word::None;
        }
    case 6:
        if (t[0] != 's')
            return Word::None;
        return is("static")   ? Word::Static
               : is("switch") ? Word::Switch
               : is("struct") ? Word::Struct
                              : Word::None;
    case 7:
        return is("default") ? Word::Default : is("foreach") ? Word::Foreach : Word::None;
    case 9:
        return is("namespace") ? Word::Namespace : is("interface") ? Word::Interface : Word::None;
    default:
        return Word::None;
    }
}

ModuleRecord* CScanPass::current() const {
    return file_.currentModule;
}

void CScanPass::setCurrent(ModuleRecord* module) {
    if (file_.currentModule != module)
        engine_.SetCurrentModule(module);
}

// --- lines ---------------------------------------------------------------------------------------

void CScanPass::Run(const SourceText& text) {
    pre_.BeginPass(engine_, file_, analysis());
    words_.Reset();
    reader_.Reset();
    scopes_.Reset();
    setCurrent(nullptr);
    for (std::size_t i = 0; i < text.lineCount(); ++i)
        line(text.line(i).data()); // each line is followed by a NUL in memory
    if (continuation_ == 2)
        pre_.DefineConstant(engine_, defineName_, defineText_);
    if (analysis())
        engine_.FinishLineTable();
}

void CScanPass::markDirectiveLine() {
    // A directive is a code line; at file level it ends the code that follows a function body.
    directive_ = code_ = true;
    if (depth_ == 0)
        body_ = false;
    if (analysis())
        words_.Add(kLineKindDirective);
}

bool CScanPass::applyCondition(unsigned state) {
    const bool active = (state & kConditionActive) != 0;
    const bool conditional = (state & kConditionDirective) != 0;
    previousActive_ = active;
    if (analysis() && folding_ && conditional)
        inactiveLevels_ = active ? 0 : 1; // an excluded region folds as one block
    if (active)
        return true;
    inactive_ = true;
    directive_ = conditional;
    if (analysis())
        words_.BeginLine(lineNo_, conditional ? kLineActive | kLineKindDirective : 0u);
    return false;
}

void CScanPass::line(const char* text) {
    ++lineNo_;
    lineStart_ = text;
    codeEnd_ = nullptr;
    code_ = directive_ = closedBrace_ = keywordFirst_ = false;
    attributeLine_ = inactive_ = designerLine_ = lastWordWasAccess_ = firstEqualsKnown_ = false;
    angles_ = 0;
    lastSemicolonKnown_ = false;
    if (comment_ == 2)
        comment_ = 0;
    const bool startsInComment = comment_ == 1;
    commentSeen_ = startsInComment;
    if (analysis())
        words_.BeginLine(lineNo_, kLineActive);

    // Lines that carry on a "#define" or a conditional directive.
    if (continuation_ != 0 || joiningIf_) {
        const bool more = EndsWithBackslash(text);
        markDirectiveLine();
        if (continuation_ == 2 || joiningIf_) {
            std::string& joined = joiningIf_ ? ifText_ : defineText_;
            joined.push_back(' ');
            joined.append(more ? WithoutBackslash(text) : std::string_view(text));
        }
        if (!more && continuation_ == 2)
            pre_.DefineConstant(engine_, defineName_, CutComment(defineText_));
        if (!more && joiningIf_) {
            joiningIf_ = false;
            applyCondition(pre_.LineState(engine_, ifText_, false));
            directive_ = true;
        }
        if (!more)
            continuation_ = 0;
        finishLine();
        return;
    }

    const char* s = SkipBlanks(text);
    const bool inLiteral = !startsInComment && reader_.InLiteral();
    if (!startsInComment && !inLiteral && previousActive_ && OpensCondition(s) &&
        EndsWithBackslash(s)) {
        // Evaluated once the last continuation line is read.
        joiningIf_ = true;
        ifText_.assign(WithoutBackslash(s));
        markDirectiveLine();
        finishLine();
        return;
    }
    if (!applyCondition(pre_.LineState(engine_, s, startsInComment))) {
        finishLine();
        return;
    }

    const char* scanFrom = text;
    if (inLiteral) {
        code_ = true;
        scanFrom = reader_.ContinueLiteral(text);
    } else if (!startsInComment) {
        if (*s == '#') {
            if (!directiveLine(s, scanFrom)) {
                finishLine();
                return;
            }
        } else if (*s == 'e' && wordAt(s, "extern")) {
            if (depth_ == 0)
                body_ = false;
            if (std::strncmp(SkipBlanks(s + 6), "\"C\"", 3) != 0) {
                code_ = true;
                unscannedRest(s);
                finishLine();
                return;
            }
            externCPending_ = true;
        } else if (*s == 't' && wordAt(s, "typedef") && !wordAt(SkipBlanks(s + 7), "struct")) {
            code_ = true;
            if (depth_ == 0)
                body_ = false;
            unscannedRest(s);
            finishLine();
            return;
        }
    }
    if (optDesigner_ && designer_) {
        designerLine_ = true;
        code_ = true;
        if (analysis())
            words_.ClearActive();
        unscannedRest(scanFrom);
        finishLine();
        return;
    }
    scan(scanFrom);
    finishLine();
}

bool CScanPass::directiveLine(const char* s, const char*& scanFrom) {
    markDirectiveLine();
    const char* p = nullptr;
    const std::string_view word = DirectiveWord(s, p);
    if (word == "define") {
        defineDirective(p, scanFrom);
        return scanFrom != lineStart_;
    }
    if (word == "region") {
        if (std::strstr(p, kDesignerRegionTitle.data()))
            designer_ = true;
        file_.regionFlag = 1;
        if (analysis() && folding_)
            ++regionLevels_;
    } else if (word == "endregion") {
        designer_ = false;
        file_.regionFlag = 1;
        if (analysis() && folding_ && regionLevels_ > 0)
            --regionLevels_;
    } else if (word == "include") {
        includeDirective(p);
    } else if (word == "undef") {
        const char* n = SkipBlanks(p);
        if (IsIdentifierChar(*n)) {
            const char* e = reader_.Read(n);
            pre_.UndefineConstant(engine_, std::string_view(n, static_cast<std::size_t>(e - n)));
            p = e;
        }
    }
    unscannedRest(p);
    return false;
}

void CScanPass::defineDirective(const char* p, const char*& scanFrom) {
    const char* name = SkipBlanks(p);
    if (!IsIdentifierChar(*name)) {
        unscannedRest(name);
        return;
    }
    const char* nameEnd = reader_.Read(name);
    const std::string_view macro(name, static_cast<std::size_t>(nameEnd - name));
    const bool more = EndsWithBackslash(lineStart_);
    if (*nameEnd == '(') {
        // Only a one-line macro with a "{" may open a module body; continued ones never do.
        if (more)
            continuation_ = 1;
        else if (std::strchr(nameEnd, '{'))
            scanFrom = name;
        if (scanFrom != name)
            unscannedRest(nameEnd);
        return;
    }
    if (more) {
        continuation_ = 2;
        defineName_.assign(macro);
        defineText_.assign(WithoutBackslash(nameEnd));
    } else {
        pre_.DefineConstant(engine_, macro, CutComment(nameEnd));
    }
    unscannedRest(nameEnd);
}

void CScanPass::includeDirective(const char* p) {
    const std::string_view name = QuotedIncludeName(p); // <name> and macros are not followed
    if (name.empty())
        return;
    const std::string path = engine_.ResolveInclude(file_.path, name);
    if (path.empty())
        return;
    const bool queued = engine_.QueueInclude(path, file_.kind) != 0;
    if (pre_.IncludeFile(engine_, path, queued, tableScope_) > 0 && analysis())
        words_.MarkCall(); // entries of a table written in the included file
}

// The rest of a line that is not read as code still opens and closes comments.
void CScanPass::unscannedRest(const char* p) {
    while (*p) {
        if (comment_ == 1) {
            const char* e = std::strstr(p, "*/");
            if (!e)
                return;
            comment_ = 2;
            p = e + 2;
            continue;
        }
        if (*p == '"' || *p == '\'') {
            p = reader_.SkipQuoted(p);
            continue;
        }
        if (p[0] == '/' && p[1] == '/') {
            comment_ = 2;
            commentSeen_ = true;
            return;
        }
        if (p[0] == '/' && p[1] == '*') {
            comment_ = 1;
            commentSeen_ = true;
            p += 2;
            continue;
        }
        ++p;
    }
}

void CScanPass::scan(const char* p) {
    if (flavor_ == CFlavor::CSharp && *SkipBlanks(p) == '[' && scopes_.AtScopeLevel(depth_))
        attributeLine_ = true; // C# attributes name no definitions
    for (;;) {
        if (comment_ == 1) {
            const char* e = std::strstr(p, "*/");
            if (analysis() && labels_)
                captureLabels(p, e ? e : p + std::strlen(p));
            if (!e)
                return;
            comment_ = 2;
            commentSeen_ = true;
            p = e + 2;
            continue;
        }
        const char c = *p;
        const CharClass cls = CTokenReader::ClassOf(c);
        if (cls == CharClass::Blank) {
            ++p;
            continue;
        }
        if (cls == CharClass::End)
            return;
        if (c == '/' && p[1] == '/') {
            comment_ = 2;
            commentSeen_ = true;
            codeEnd_ = p;
            if (analysis() && labels_)
                captureLabels(p + 2, p + std::strlen(p));
            return;
        }
        if (c == '/' && p[1] == '*') {
            comment_ = 1;
            commentSeen_ = true;
            p += 2;
            continue;
        }
        code_ = true;
        if (cls == CharClass::Stop || (c == ':' && p[1] != ':')) {
            p = punctuation(p);
            continue;
        }
        const char* e = reader_.Read(p);
        p = e == p ? p + 1 : token(p, e);
    }
}

void CScanPass::finishLine() {
    ModuleRecord* module = depth_ > 0 ? current() : nullptr;
    if (!analysis()) {
        LineClass cls;
        if (inactive_) {
            cls = directive_ ? LineClass::Define : LineClass::Other;
        } else if (designerLine_) {
            cls = LineClass::Define;
            module = nullptr;
        } else if (code_) {
            cls = body_ ? LineClass::Exec : LineClass::Define;
            if (braceLinesOther_) {
                const char* end = codeEnd_ ? codeEnd_ : lineStart_ + std::strlen(lineStart_);
                while (end > lineStart_ && CTokenReader::IsBlank(end[-1]))
                    --end;
                if (end > lineStart_ && (end[-1] == '{' || end[-1] == '}'))
                    cls = LineClass::Other;
            }
        } else {
            cls = commentSeen_ ? LineClass::Comment : LineClass::Space;
        }
        CountLine(file_, module, cls);
        return;
    }
    if (!inactive_ && !code_ && commentSeen_)
        words_.MarkCommentLine();
    const int containerLevel =
        scopes_.NamedLevel() % 4 + (scopes_.ClassModuleAt(depth_) != nullptr ? 1 : 0);
    words_.Finish(depth_ + regionLevels_ + inactiveLevels_, containerLevel);
}

// --- characters and tokens -----------------------------------------------------------------------

const char* CScanPass::punctuation(const char* p) {
    const char c = *p;
    const bool atScope = scopes_.AtScopeLevel(depth_) && !attributeLine_;
    switch (c) {
    case '{':
        openBrace();
        return p + 1;
    case '}':
        closeBrace();
        return p + 1;
    case '?':
        if (!analysis() && depth_ > scopes_.ScopeLevel())
            AddBranchPoint(file_, current());
        break;
    case ';':
        if (analysis() && !forPending_)
            words_.EndStatementOnKeywordLine();
        if (pendingNested_.active && depth_ == pendingNested_.depth)
            pendingNested_.active = false;
        externCPending_ = false;
        if (atScope)
            declarationHasCall_ = false;
        break;
    case '<':
        ++angles_;
        break;
    case '>':
        angles_ -= angles_ > 0 ? 1 : 0;
        break;
    case ':':
        // "public:" is no initialiser list
        if (lastWordWasAccess_)
            return p + 1;
        break;
    case '(':
        if (atScope) {
            if (candidateState_ == 1) {
                ++parens_;
                return p + 1;
            }
            if (candidateState_ == 0 && emptyTokenCandidate(p))
                return p + 1;
        }
        break;
    default:
        break;
    }
    if (atScope)
        stateToken(c, {}, p + 1);
    return p + 1;
}

const char* CScanPass::token(const char* s, const char* e) {
    const std::string_view tok(s, static_cast<std::size_t>(e - s));
    const Word word = classify(tok);
    const bool atScope = scopes_.AtScopeLevel(depth_);
    const char* paren = *e == '(' ? e : (*e == ' ' && e[1] == '(') ? e + 1 : nullptr;
    // A generic definition "Name<T>(...)"; not a qualified name or an initialiser ("= f<T>()").
    if (!paren && *e == '<' && atScope && !hasColons(tok) && !equalsBefore(s))
        paren = afterTypeArguments(e);
    const bool afterNew = previousWasNew_;
    previousWasNew_ = tok == "new";
    lastWordWasAccess_ = (tok == "public" || tok == "private" || tok == "protected") &&
                         *SkipBlanks(e) == ':' && SkipBlanks(e)[1] != ':';

    if (word != Word::None) {
        if (word == Word::Static)
            static_ = true;
        if (!analysis() && depth_ > scopes_.ScopeLevel() && IsCBranchKeyword(tok))
            AddBranchPoint(file_, current());
        if (analysis()) {
            const std::uint32_t kind = CStatementKind(tok);
            // "else if" is one keyword: the "if" gives it.
            if (kind && !(word == Word::Else && wordAt(SkipBlanks(e), "if"))) {
                words_.Keyword(kind, depth_ + regionLevels_ + inactiveLevels_ > 0);
                forPending_ = word == Word::For;
                if (!closedBrace_)
                    keywordFirst_ = true;
            }
        }
        if (optMembers_ && !previousWasUsing_ && !declarationHasCall_) {
            if (const char* after = scopeKeyword(word, s, e)) {
                previousWasUsing_ = false;
                return after;
            }
        }
    }
    previousWasUsing_ = word == Word::Using;

    if (atScope) {
        if (attributeLine_)
            return paren ? paren + 1 : e;
        if (paren && !(afterNew && flavor_ != CFlavor::C))
            return nameBeforeParen(tok, s, paren);
        if (paren)
            declarationHasCall_ = true;
        stateToken('\0', tok, e);
        if (analysis() && optReferences_ && !paren)
            call(tok, s, true, e);
        return paren ? paren + 1 : e;
    }
    if (analysis()) {
        if (paren)
            call(tok, s, false, paren);
        else if (optReferences_)
            call(tok, s, true, e);
    }
    return e;
}

// --- candidates ----------------------------------------------------------------------------------

bool CScanPass::equalsBefore(const char* s) {
    if (!firstEqualsKnown_) {
        firstEquals_ = std::strchr(lineStart_, '=');
        firstEqualsKnown_ = true;
    }
    return firstEquals_ && firstEquals_ < s;
}

const char* CScanPass::afterTypeArguments(const char* p) {
    // Type argument lists are short; a long run of '<' is no definition (and must stay cheap).
    const char* limit = p + 512;
    int open = 0;
    for (; *p && p < limit; ++p) {
        if (*p == '<') {
            ++open;
        } else if (*p == '>') {
            if (--open == 0)
                break;
        } else if (std::strchr(";{}()=", *p)) {
            return nullptr;
        }
    }
    if (*p != '>')
        return nullptr;
    ++p;
    return *p == '(' ? p : (*p == ' ' && p[1] == '(') ? p + 1 : nullptr;
}

void CScanPass::stateToken(char punct, std::string_view name, const char* after) {
    switch (candidateState_) {
    case 0:
        if (!name.empty()) {
            previousIdentifier_.assign(name);
            if (*after == ')')
                previousIdentifier_.clear();
        } else if (punct == ';') {
            static_ = false;
        }
        break;
    case 1:
        if (punct == ')' && --parens_ <= 0) {
            candidateState_ = 2;
            closeLine_ = lineNo_;
        }
        break;
    case 2:
        if (punct == ';' || punct == ',') {
            // a prototype or a declaration list
            dropCandidate();
            static_ = false;
            break;
        }
        candidateState_ = 3;
        candidateColon_ = candidateColon_ || punct == ':';
        break;
    default:
        if (punct == ':') {
            candidateColon_ = true;
        } else if (punct == ';' && lineNo_ == closeLine_) {
            // "f() const;", "X() = default;"
            dropCandidate();
            static_ = false;
        }
        break;
    }
}

void CScanPass::takeCandidate(std::string_view name, int parens) {
    candidate_.assign(name);
    candidateLine_ = lineNo_;
    candidateState_ = 1;
    parens_ = parens;
    closeLine_ = 0;
    candidateColon_ = false;
    candidateStatic_ = static_;
    candidateScoped_ = false;
}

void CScanPass::dropCandidate() {
    candidateState_ = 0;
    candidate_.clear();
    candidateScoped_ = false;
}

bool CScanPass::emptyTokenCandidate(const char* paren) {
    // "(" standing alone after the name, or at the start of the line ("main\n(void)").
    if (previousIdentifier_.empty())
        return false;
    const char* q = paren;
    while (q > lineStart_ && CTokenReader::IsBlank(q[-1]))
        --q;
    if (q > lineStart_ && !IsIdentifierChar(q[-1]))
        return false;
    scratch_ = previousIdentifier_;
    nameBeforeParen(scratch_, paren, paren);
    return true;
}

const char* CScanPass::nameBeforeParen(std::string_view name, const char* s, const char* paren) {
    declarationHasCall_ = true;
    if (candidateState_ == 1) {
        ++parens_;
        return paren + 1;
    }
    if (s - lineStart_ >= 2 && ((s[-2] == ' ' && s[-1] == '[') || (s[-2] == ',' && s[-1] == ' ')))
        return paren + 1;
    // 'Name<T>::f' is the member f of Name.
    if (name.substr(0, 2) == "::" && s > lineStart_ && s[-1] == '>') {
        std::ptrdiff_t i = s - 1 - lineStart_; // the '>'; find its '<' (close by)
        const std::ptrdiff_t stop = std::max<std::ptrdiff_t>(i - 512, 0);
        for (int open = 0; i >= stop; --i) {
            open += lineStart_[i] == '>' ? 1 : lineStart_[i] == '<' ? -1 : 0;
            if (open == 0)
                break;
        }
        std::ptrdiff_t wordStart = std::max<std::ptrdiff_t>(i, 0);
        while (wordStart > 0 && IsIdentifierChar(lineStart_[wordStart - 1]))
            --wordStart;
        name_.assign(lineStart_ + wordStart,
                     static_cast<std::size_t>(std::max<std::ptrdiff_t>(i - wordStart, 0)));
        name_.append(name);
    } else {
        name_.assign(name.substr(0, 2) == "::" ? name.substr(2) : name);
    }
    if (!IsCCandidate(engine_, name_, flavor_)) {
        std::string table;
        const char* end = nullptr;
        if (optTables_ && candidateState_ == 0 && tablePattern(paren, table, end)) {
            takeCandidate(table, 0);
            candidateState_ = 3;
            closeLine_ = lineNo_;
            if (analysis()) {
                if (ModuleRecord* m = engine_.FindModuleAtLine(table, lineNo_)) {
                    name_ = table;
                    definitionFound(m, table);
                    tableScope_ = m;
                }
            }
            return end;
        }
        if (candidateState_ == 2)
            candidateState_ = 3;
        return paren + 1;
    }
    scopes_.Qualify(name_, qualified_);
    // A name with "(" on a later line replaces a candidate that did not reach its "{" (a macro
    // call at file level), unless a ':' began an initialiser list.
    if (candidateState_ >= 2 && lineNo_ > closeLine_ && !candidateColon_)
        dropCandidate();
    if (candidateState_ != 0) {
        if (candidateState_ == 2)
            candidateState_ = 3;
        return paren + 1;
    }
    // Whether the name is already a module is decided at its "{"; the candidate is taken anyway
    // so that the names in its parameter list and initialisers are not taken for definitions.
    takeCandidate(qualified_, 1);
    if (!analysis())
        return paren + 1;
    if (ModuleRecord* m = engine_.FindModuleAtLine(qualified_, lineNo_))
        definitionFound(m, qualified_);
    else if (scopes_.DirectlyInClass(depth_) && hasColons(qualified_) &&
             name_.find('.') == std::string::npos && !engine_.FindModule(qualified_))
        memberInClassBody(qualified_);
    return paren + 1;
}

bool CScanPass::tablePattern(const char* paren, std::string& name, const char*& end) {
    // "(" "*" name "[" "]" ")" "(" ... ")", blanks anywhere between.
    const char* p = SkipBlanks(paren + 1);
    if (*p != '*')
        return false;
    p = SkipBlanks(p + 1);
    name.clear();
    while (*p && *p != '[') {
        if (CTokenReader::IsBlank(*p))
            name.clear(); // blanks restart the name
        else if (IsIdentifierChar(*p))
            name.push_back(*p);
        else
            return false;
        ++p;
    }
    if (*p != '[' || name.empty())
        return false;
    p = std::strchr(p, ']');
    if (!p)
        return false;
    p = SkipBlanks(p + 1);
    if (*p != ')')
        return false;
    p = SkipBlanks(p + 1);
    if (*p != '(')
        return false;
    p = std::strchr(p, ')');
    if (!p)
        return false;
    end = p + 1;
    // A declaration without initialiser is no table.
    if (!lastSemicolonKnown_) {
        lastSemicolon_ = std::strrchr(lineStart_, ';');
        lastSemicolonKnown_ = true;
    }
    return lastSemicolon_ == nullptr || lastSemicolon_ < end;
}

void CScanPass::definitionFound(ModuleRecord* module, std::string_view name) {
    enterScope(module);
    awaitingBody_ = true;
    candidateScoped_ = true;
    tableScope_ = nullptr;
    const int line = module->line;
    if (hasColons(name_)) {
        // A member defined outside its class: its body calls the class's members first.
        const std::string className(name.substr(0, name.rfind("::")));
        scopes_.EnterMemberOf(className, depth_);
        if (optMembers_) {
            ModuleRecord* cls = engine_.FindModule(className);
            if (!cls) {
                cls = engine_.CreateModule(className, line, 0, false);
                if (cls)
                    cls->containerKind = kModuleContainer;
            }
            engine_.AddCallFrom(cls, name, 0, line);
        }
    } else if (ModuleRecord* cls = scopes_.ClassModuleAt(depth_);
               cls && scopes_.DirectlyInClass(depth_)) {
        engine_.AddCallFrom(cls, name, 0, line);
    } else if (ModuleRecord* ns = scopes_.NamespaceModule()) {
        engine_.AddCallFrom(ns, name, 0, line);
    }
}

void CScanPass::memberInClassBody(std::string_view name) {
    // Members with a body are modules of the definition pass already; what is met here is a
    // declaration (or a macro call at class level), added with a member relation.
    ModuleRecord* cls = scopes_.ClassModuleAt(depth_);
    if (engine_.CreateModule(name, lineNo_, 0, false))
        engine_.AddCallFrom(cls, name, 0, lineNo_);
}

// --- scopes --------------------------------------------------------------------------------------

const char* CScanPass::scopeKeyword(Word word, const char* s, const char* e) {
    const bool javaOrCs = flavor_ != CFlavor::C;
    const bool classLike = word == Word::Class || word == Word::Struct || word == Word::Union ||
                           (javaOrCs && (word == Word::Interface || word == Word::Enum));
    if (word != Word::Namespace && !classLike)
        return nullptr;
    // Not inside an unclosed '<' of the line ("template<class T, class U>").
    if (angles_ > 0)
        return nullptr;
    const int level = scopes_.ContainerLevel();
    const bool top = depth_ == level;
    const bool nested = !top && word != Word::Namespace && scopes_.InClass() && depth_ == level + 1;
    if (!top && !nested)
        return nullptr;
    // struct, union, interface and enum open a scope only with a "{" on their line, so that
    // return types and variables stay out.
    if (word != Word::Class && word != Word::Namespace && !comesFirst(e, '{', "(;=*&[,"))
        return nullptr;

    // The name; a name that is no candidate is taken as a macro and the next token is read.
    auto readName = [&](const char* p, const char*& end) -> std::string_view {
        p = SkipBlanks(p);
        end = p;
        if (!IsIdentifierChar(*p) && !(*p == ':' && p[1] == ':'))
            return {};
        end = reader_.Read(p);
        return {p, static_cast<std::size_t>(end - p)};
    };
    const char* nameEnd = e;
    std::string_view name = readName(e, nameEnd);
    // "class EXPORT_MACRO Name": a second name before anything else makes the first a macro.
    static constexpr std::string_view kAfterName[] = {"final",   "sealed",     "abstract", "where",
                                                      "extends", "implements", "permits"};
    if (word != Word::Namespace && !name.empty() && IsCCandidate(name, flavor_)) {
        const char* next = nullptr;
        std::string_view second = readName(nameEnd, next);
        if (!second.empty() && !hasColons(second) &&
            std::find(std::begin(kAfterName), std::end(kAfterName), second) ==
                std::end(kAfterName)) {
            name = second;
            nameEnd = next;
        }
    }
    if (!name.empty() && !IsCCandidate(name, flavor_)) {
        const char* p = SkipBlanks(nameEnd);
        if (*p == '(') {
            int open = 0;
            for (; *p; ++p) {
                open += *p == '(' ? 1 : *p == ')' ? -1 : 0;
                if (open == 0) {
                    ++p;
                    break;
                }
            }
        }
        name = readName(p, nameEnd);
    }
    const bool forward = comesFirst(nameEnd, ';', "{");
    if (word == Word::Namespace) {
        if (forward)
            return nameEnd; // "namespace fs = std::filesystem;"
        ModuleRecord* m = nullptr;
        if (!name.empty()) {
            if (!analysis()) {
                m = engine_.FindDefinedModule(name, true);
                if (m && m->fileIndex != file_.index)
                    m = nullptr;
                else if (!m && (m = engine_.CreateModule(name, lineNo_, 0, false))) {
                    m->containerKind = kModuleContainer;
                    setCurrent(m);
                    if (depth_ == 0)
                        ++m->exec;
                }
            } else {
                m = engine_.FindModuleAtLine(name, lineNo_);
                if (!m)
                    m = engine_.FindModule(name);
                if (m)
                    enterScope(m);
            }
        }
        scopes_.OpenNamespace(name, depth_, m);
        return nameEnd;
    }
    if (name.empty())
        return nullptr; // an anonymous struct opens no scope
    if (nested) {
        if (comesFirst(nameEnd, '{', ";")) {
            openClass(name, true, lineNo_);
        } else if (!forward) {
            // The "{" comes on a later line.
            pendingNested_ = {true, std::string(name), lineNo_, depth_};
        }
        return nameEnd;
    }
    if (!forward)
        openClass(name, false, lineNo_);
    return nameEnd;
}

void CScanPass::openClass(std::string_view name, bool nested, int line) {
    if (nested)
        scopes_.Qualify(name, qualified_);
    else
        scopes_.QualifyClass(name, qualified_);
    ModuleRecord* m = nullptr;
    if (!analysis()) {
        m = nested ? nullptr : engine_.FindDefinedModule(qualified_, true);
        if (m && m->fileIndex != file_.index) {
            m = nullptr;
        } else if (!m && (m = engine_.CreateModule(qualified_, line, 0, false))) {
            m->containerKind = kModuleContainer;
            setCurrent(m);
            if (depth_ == 0)
                ++m->exec;
        }
    } else {
        m = engine_.FindModuleAtLine(qualified_, line);
        if (!m)
            m = engine_.FindModule(qualified_);
        if (m) {
            ModuleRecord* outer =
                nested ? scopes_.ClassModuleAt(depth_) : scopes_.NamespaceModule();
            if (outer && outer != m)
                engine_.AddCallFrom(outer, qualified_, 0, m->line);
            enterScope(m);
        }
    }
    if (nested)
        scopes_.OpenNested(name, depth_, m);
    else
        scopes_.OpenClass(qualified_, depth_, m);
}

void CScanPass::enterScope(ModuleRecord* module) {
    setCurrent(module);
    TakeDescription(engine_, module);
}

void CScanPass::openBrace() {
    if (externCPending_ && candidateState_ == 0) {
        // extern "C" { ... }: its declarations stay at scope level.
        scopes_.OpenAnonymous(depth_);
        externCPending_ = false;
    }
    if (pendingNested_.active && depth_ == pendingNested_.depth) {
        pendingNested_.active = false;
        openClass(pendingNested_.name, true, pendingNested_.line);
    }
    if (!analysis()) {
        if (candidateState_ != 0) {
            // Each overload of a qualified name is its own module; other names are made once.
            const bool exists =
                optMembers_ && hasColons(candidate_)
                    ? engine_.FindModuleInCurrentFileAtLine(candidate_, candidateLine_) != nullptr
                    : engine_.FindDefinedModule(candidate_, !candidateStatic_) != nullptr;
            if (!exists) {
                if (ModuleRecord* m =
                        engine_.CreateModule(candidate_, candidateLine_, 0, !optMembers_)) {
                    setCurrent(m);
                    if (depth_ == 0)
                        m->exec += lineNo_ - candidateLine_;
                    StartPathNumber(file_, *m);
                    body_ = true;
                    bodyDepth_ = depth_;
                }
            }
        }
    } else {
        words_.OpenBlock(closedBrace_ && !keywordFirst_ ? kStatementBranchContinuation : 0u);
        if (candidateState_ != 0 && !candidateScoped_) {
            // A second definition of a name: its body belongs to the module of that name.
            if (ModuleRecord* m = engine_.FindModule(candidate_)) {
                enterScope(m);
                awaitingBody_ = true;
            }
        }
        if (awaitingBody_) {
            bodyDepth_ = depth_;
            awaitingBody_ = false;
        }
    }
    dropCandidate();
    static_ = false;
    declarationHasCall_ = false;
    ++depth_;
}

void CScanPass::closeBrace() {
    if (depth_ == 0)
        return; // unbalanced
    --depth_;
    ModuleRecord* cur = current();
    const bool bodyClosed = bodyDepth_ >= 0 && depth_ <= bodyDepth_;
    if (!analysis()) {
        if (cur && (depth_ == 0 || bodyClosed))
            ++cur->exec; // the closing line belongs to the function
    } else {
        words_.CloseBlock();
        closedBrace_ = true;
    }
    if (pendingNested_.active && depth_ < pendingNested_.depth)
        pendingNested_.active = false;
    const bool scopeClosed = scopes_.CloseTo(depth_);
    if (bodyClosed)
        bodyDepth_ = -1;
    if (depth_ == 0) {
        resetAtFileLevel();
    } else if (bodyClosed || scopeClosed) {
        // Back in a class or namespace body: what follows belongs to it, not to the function.
        setCurrent(scopes_.InnermostModule());
    }
}

void CScanPass::resetAtFileLevel() {
    scopes_.Reset();
    dropCandidate();
    static_ = false;
    designer_ = false;
    previousIdentifier_.clear();
    declarationHasCall_ = false;
    pendingNested_.active = false;
    bodyDepth_ = -1;
    awaitingBody_ = false;
    tableScope_ = nullptr;
    setCurrent(nullptr);
}

// --- calls ---------------------------------------------------------------------------------------

void CScanPass::record(std::string_view name, ModuleRecord* found) {
    engine_.AddCallFound(name, found);
    words_.MarkCall();
}

bool CScanPass::referenceExcluded(const ModuleRecord& m, const char* s, const char* after) const {
    if (optNoClassPointer_) {
        const char* n = SkipBlanks(after);
        if (*n == '*' || *n == '&' || ((n[0] == '=' || n[0] == '!') && n[1] == '='))
            return true;
        const char* b = s;
        while (b > lineStart_ && CTokenReader::IsBlank(b[-1]))
            --b;
        if (b - lineStart_ >= 2 && b[-1] == '=' && (b[-2] == '=' || b[-2] == '!'))
            return true;
    }
    return m.containerKind == kModuleContainer && optNoClassInMember_ &&
           !scopes_.DirectlyInClass(depth_);
}

void CScanPass::call(std::string_view name, const char* s, bool reference, const char* after) {
    ModuleRecord* cur = current();
    if (!cur)
        return;
    std::string_view plain = name.substr(0, 2) == "::" ? name.substr(2) : name;
    if (!IsCCandidate(engine_, plain, flavor_))
        return;
    const bool arrow = (s - lineStart_ >= 2 && s[-2] == '-' && s[-1] == '>') ||
                       (s - lineStart_ >= 3 && s[-3] == '-' && s[-2] == '>' && s[-1] == ' ');
    ModuleRecord* found = nullptr;
    const std::string* use = nullptr;
    // Inside a class or namespace the qualified name comes first.
    if (!arrow && scopes_.HasNames()) {
        scopes_.Qualify(plain, qualified_);
        if (qualified_ != plain && (found = engine_.FindModule(qualified_)))
            use = &qualified_;
    }
    if (!found) {
        name_.assign(arrow ? "->" : "");
        name_.append(plain);
        if ((found = engine_.FindModule(name_))) {
            use = &name_;
            if (!reference && !arrow && found->containerKind == kModuleContainer) {
                // A class called by name is its constructor.
                const std::string& ns = scopes_.Namespace();
                if (ns.empty()) {
                    scratch_.assign(plain).append("::").append(plain);
                } else {
                    scratch_.assign(ns).append(".").append(plain);
                    if (!file_.regionFlag)
                        scratch_.append("::").append(plain);
                }
                if (ModuleRecord* constructor = engine_.FindModule(scratch_)) {
                    found = constructor;
                    use = &scratch_;
                }
            }
        }
    }
    if (reference) {
        if (found && found != cur && found->name != cur->name &&
            !referenceExcluded(*found, s, after))
            record(*use, found);
        return;
    }
    if (found) {
        record(*use, found);
        return;
    }
    if (optMemberLink_ && (arrow || plain.find('.') != std::string_view::npos)) {
        if (ModuleRecord* m = engine_.FindMember(name_)) {
            record(m->name, engine_.FindModule(m->name));
            return;
        }
    }
    if (engine_.AddCallToUndefined(name_))
        words_.MarkCall();
}

void CScanPass::captureLabels(const char* from, const char* to) {
    std::string_view text(from, static_cast<std::size_t>(to - from));
    while (!text.empty() && (CTokenReader::IsBlank(text.front()) || text.front() == '*' ||
                             text.front() == '/' || text.front() == '-' || text.front() == '!'))
        text.remove_prefix(1);
    if (!text.empty())
        engine_.ReadCommentItem(text, &CTokenReader::ReadLabel, {"*/"});
}

} // namespace lumbra
