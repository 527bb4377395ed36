// One pass of the Pascal scanner: a character scanner with the Pascal token reader and a stack of
// open blocks and declarations, no parse tree. A routine becomes a module at its body's "begin";
// the routine heads before it (nested local routines) belong to the first one.
#include "pascal/PascalScanPass.h"

#include <algorithm>
#include <cstring>

#include "NFileAnly.h"
#include "TextInput.h"
#include "common/CommentLabels.h"
#include "common/Preprocessor.h"
#include "common/ScanTables.h"

namespace lumbra {
namespace {

template <std::size_t N> bool oneOf(std::string_view w, const std::string_view (&set)[N]) {
    return std::find(std::begin(set), std::end(set), w) != std::end(set);
}

// Words that follow a routine head's ";" and still belong to it.
constexpr std::string_view kHeadDirectives[] = {
    "stdcall",    "cdecl",      "pascal",       "register",     "safecall",     "winapi",
    "overload",   "inline",     "assembler",    "export",       "far",          "near",
    "virtual",    "dynamic",    "abstract",     "override",     "reintroduce",  "static",
    "message",    "deprecated", "platform",     "library",      "experimental", "unsafe",
    "varargs",    "local",      "nostackframe", "interrupt",    "noreturn",     "iocheck",
    "public",     "alias",      "name",         "compilerproc", "final",        "dispid",
    "vectorcall", "hardfloat",  "softfloat",    "mwpascal",     "internproc",   "cppdecl",
    "oldfpccall", "syscall",    "weakexternal", "forward",      "external"};

// Reserved words: never calls, whatever follows them.
constexpr std::string_view kReserved[] = {"and",
                                          "array",
                                          "as",
                                          "asm",
                                          "begin",
                                          "case",
                                          "class",
                                          "const",
                                          "constructor",
                                          "destructor",
                                          "dispinterface",
                                          "div",
                                          "do",
                                          "downto",
                                          "else",
                                          "end",
                                          "except",
                                          "exports",
                                          "file",
                                          "finalization",
                                          "finally",
                                          "for",
                                          "function",
                                          "goto",
                                          "if",
                                          "implementation",
                                          "in",
                                          "inherited",
                                          "initialization",
                                          "inline",
                                          "interface",
                                          "is",
                                          "label",
                                          "library",
                                          "mod",
                                          "nil",
                                          "not",
                                          "object",
                                          "of",
                                          "or",
                                          "out",
                                          "packed",
                                          "procedure",
                                          "program",
                                          "property",
                                          "raise",
                                          "record",
                                          "repeat",
                                          "resourcestring",
                                          "set",
                                          "shl",
                                          "shr",
                                          "string",
                                          "then",
                                          "threadvar",
                                          "to",
                                          "try",
                                          "type",
                                          "unit",
                                          "until",
                                          "uses",
                                          "var",
                                          "while",
                                          "with",
                                          "xor",
                                          "on"};

// Words after which a new declaration starts: its first word names the type being declared.
constexpr std::string_view kSectionWords[] = {
    "type",      "var",    "const",     "resourcestring", "threadvar", "label",  "private",
    "protected", "public", "published", "strict",         "automated", "generic"};

// Bytes a look-ahead past a keyword reads at most: heads and parameter lists are short, and a
// line of thousands of them must not be read again for each.
constexpr std::ptrdiff_t kLookAhead = 4096;

constexpr int kMaxQualifiedNesting = 16;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

PascalFileData& PascalFileData::Renew(FileRecord& file) {
    auto data = std::make_unique<PascalFileData>();
    PascalFileData& ref = *data;
    file.scannerData = std::move(data);
    return ref;
}

PascalFileData* PascalFileData::Of(FileRecord& file) {
    return dynamic_cast<PascalFileData*>(file.scannerData.get());
}

PascalScanPass::PascalScanPass(NFileAnly& engine, FileRecord& file,
                               ConditionalCompilation& conditions, Mode mode)
    : engine_(engine), file_(file), conditions_(conditions), mode_(mode),
      directives_(engine, conditions, reader_, mode == Mode::Analysis), words_(engine) {
    reader_.SetCodePage932(engine.GetTextReadSettings().codePage == kCodePageShiftJis);
    for (int k = 0; k < 4; ++k)
        labels_ = labels_ || !engine.GetCommentKeyword(k).empty();
}

void PascalScanPass::setScope(ModuleRecord* module) {
    if (analysis() && file_.currentModule != module)
        engine_.SetCurrentModule(module);
}

// --- lines ---------------------------------------------------------------------------------------

void PascalScanPass::Run(const SourceText& text) {
    data_ = analysis() ? PascalFileData::Of(file_) : &PascalFileData::Renew(file_);
    conditions_.BeginPass(engine_);
    words_.Reset();
    setScope(nullptr);
    for (std::size_t i = 0; i < text.lineCount(); ++i)
        line(text.line(i).data()); // each line is followed by a NUL in memory
    if (analysis())
        engine_.FinishLineTable();
}

void PascalScanPass::line(const char* text) {
    ++lineNo_;
    lineStart_ = text;
    if (comment_ == 2)
        comment_ = 0;
    code_ = inactive_ = directiveLine_ = skipping_ = false;
    commentSeen_ = comment_ == 1;
    unsigned state = 0;
    const char* p = comment_ == 0 ? leadingDirective(text, state) : text;
    if (p == text)
        state = conditions_.LineState(engine_);
    inactive_ = (state & kConditionActive) == 0;
    skipping_ = inactive_;
    if (analysis()) {
        std::uint32_t start = inactive_ ? 0u : kLineActive;
        if (directiveLine_)
            start = kLineActive | kLineKindDirective;
        words_.BeginLine(lineNo_, start);
    }
    scan(p);
    finishLine();
}

const char* PascalScanPass::leadingDirective(const char* text, unsigned& state) {
    const char* s = PascalTokenReader::SkipBlanks(text);
    const bool brace = s[0] == '{' && s[1] == '$';
    if (!brace && !(s[0] == '(' && s[1] == '*' && s[2] == '$'))
        return text;
    const char* body = s + (brace ? 1 : 2);
    const char* e = reader_.Find(body, brace ? "}" : "*)");
    const std::size_t length = e ? static_cast<std::size_t>(e - body) : std::strlen(body);
    std::string_view operand;
    if (!PascalDirectives::Parse(std::string_view(body, length), directiveName_, operand))
        return text;
    const Directive d = PascalDirectives::Conditional(directiveName_);
    if (d == Directive::None)
        return text;
    // A conditional directive decides the state of its own line.
    directiveLine_ = true;
    state = directives_.Condition(d, operand);
    code_ = true;
    if (!e) {
        comment_ = 1;
        commentKind_ = brace ? 2 : 1;
        return body + length;
    }
    return e + (brace ? 1 : 2);
}

void PascalScanPass::scan(const char* p) {
    while (*p) {
        if (comment_ == 1) {
            p = comment(p);
            continue;
        }
        const char c = *p;
        if (PascalTokenReader::IsBlank(c)) {
            ++p;
            continue;
        }
        if (c == '/' && p[1] == '/') {
            comment_ = 2;
            commentSeen_ = true;
            if (analysis() && labels_ && !skipping_) {
                const char* from = p + 2;
                while (*from == '/' || *from == '*' || *from == '-' || *from == '=' ||
                       *from == '!' || PascalTokenReader::IsBlank(*from))
                    ++from;
                engine_.ReadCommentItem(std::string_view(from, std::strlen(from)),
                                        &PascalTokenReader::ReadLabel, {"}", "*)"});
            }
            return;
        }
        if (c == '{' || (c == '(' && p[1] == '*')) {
            const bool brace = c == '{';
            if (p[brace ? 1 : 2] == '$') {
                p = directiveComment(p, brace);
                continue;
            }
            comment_ = 1;
            commentKind_ = brace ? 2 : 1;
            commentSeen_ = true;
            p += brace ? 1 : 2;
            continue;
        }
        if (skipping_) {
            p = c == '\'' ? reader_.SkipString(p) : reader_.Step(p);
            continue;
        }
        code_ = true;
        if (c == '\'') {
            const char* e = reader_.SkipString(p);
            token(std::string_view(p, static_cast<std::size_t>(e - p)), p, e);
            p = e;
            continue;
        }
        if (PascalTokenReader::IsDelimiter(c)) {
            punctuation(c, p);
            p += c == ':' && p[1] == '=' ? 2 : 1;
            continue;
        }
        std::string_view t;
        const char* e = reader_.Read(p, t);
        if (t.empty()) {
            ++p; // a stray control character
            continue;
        }
        token(t, p, e);
        p = e;
    }
}

const char* PascalScanPass::comment(const char* p) {
    const std::string_view closer = commentKind_ == 2 ? "}" : "*)";
    const char* e = reader_.Find(p, closer);
    if (analysis() && labels_ && !skipping_) {
        const char* from = p;
        while (*from == '*' || *from == '-' || *from == '=' || *from == '!' || *from == '/' ||
               PascalTokenReader::IsBlank(*from))
            ++from;
        const char* to = e ? e + closer.size() : from + std::strlen(from);
        if (from < to)
            engine_.ReadCommentItem(std::string_view(from, static_cast<std::size_t>(to - from)),
                                    &PascalTokenReader::ReadLabel, {"}", "*)"});
    }
    if (!e)
        return p + std::strlen(p);
    comment_ = 2;
    commentSeen_ = true;
    return e + closer.size();
}

const char* PascalScanPass::directiveComment(const char* p, bool brace) {
    const char* body = p + (brace ? 1 : 2);
    const char* e = reader_.Find(body, brace ? "}" : "*)");
    const std::size_t length = e ? static_cast<std::size_t>(e - body) : std::strlen(body);
    std::string_view operand;
    PascalDirectives::Parse(std::string_view(body, length), directiveName_, operand);
    const Directive d = PascalDirectives::Conditional(directiveName_);
    if (d != Directive::None) {
        // Later on a line a directive still moves the stack: the rest of the line and the lines
        // after it follow its result.
        skipping_ = (directives_.Condition(d, operand) & kConditionActive) == 0;
    } else if (!skipping_) {
        directives_.Apply(directiveName_, operand);
    }
    if (!inactive_) {
        code_ = true;
        if (analysis())
            words_.Add(kLineKindDirective);
    }
    if (!e) {
        comment_ = 1;
        commentKind_ = brace ? 2 : 1;
        return body + length;
    }
    return e + (brace ? 1 : 2);
}

void PascalScanPass::finishLine() {
    if (!analysis()) {
        LineClass cls;
        if (inactive_)
            cls = directiveLine_ ? LineClass::Define : LineClass::Other;
        else if (code_)
            cls = body_ ? LineClass::Exec : LineClass::Define;
        else if (commentSeen_ || comment_ == 1)
            cls = LineClass::Comment;
        else
            cls = LineClass::Space;
        CountLine(file_, current_, cls);
        return;
    }
    if (!inactive_ && !code_ && (commentSeen_ || comment_ == 1))
        words_.MarkCommentLine();
    words_.Finish(static_cast<int>(blocks_.size()), 0);
}

// --- tokens --------------------------------------------------------------------------------------

void PascalScanPass::punctuation(char c, const char* p) {
    switch (c) {
    case ';':
        if (head_ == Head::Parameters && headParens_ == 0)
            head_ = Head::Directives;
        statementFirst_.clear();
        skipNextCall_ = false;
        if (analysis())
            words_.EndStatementOnKeywordLine();
        break;
    case '(':
        if (head_ == Head::Parameters)
            ++headParens_;
        break;
    case ')':
        if (head_ == Head::Parameters && headParens_ > 0)
            --headParens_;
        break;
    default:
        break;
    }
    prev2_ = std::move(prev_);
    if (c == ':' && p[1] == '=')
        prev_ = ":=";
    else
        prev_.assign(1, c);
}

void PascalScanPass::token(std::string_view t, const char* start, const char* after) {
    // A case label: a token directly followed by ':' directly inside a "case" statement.
    if (!analysis() && *after == ':' && after[1] != '=' && !blocks_.empty() &&
        blocks_.back().kind == Block::Case && inBody())
        AddBranchPoint(file_, current_);

    const bool isString = t.front() == '\'';
    std::string_view lower;
    if (!isString && LowerKeyword(t, lower_))
        lower = lower_;

    if (head_ == Head::Directives) {
        if (!lower.empty() && oneOf(lower, kHeadDirectives)) {
            if (lower == "external" || lower == "forward") {
                cancelHeader();
                head_ = Head::None;
            }
        } else if (!isString) {
            head_ = Head::None;
        }
    }
    if (head_ == Head::Parameters) {
        // The parameter list is not read, unless a head without its ";" runs into the code.
        static constexpr std::string_view kEndsHead[] = {
            "begin",     "asm",      "var",         "const",      "type",           "label",
            "procedure", "function", "constructor", "destructor", "implementation", "end"};
        if (headParens_ > 0 || lower.empty() || !oneOf(lower, kEndsHead)) {
            prev2_ = std::move(prev_);
            prev_.assign(lower.empty() ? t : lower);
            return;
        }
        head_ = Head::None;
    }
    if (head_ == Head::None || head_ == Head::Directives)
        keyword(lower, t, start, after);
    prev2_ = std::move(prev_);
    prev_.assign(isString ? std::string_view("'") : lower.empty() ? t : lower);
}

void PascalScanPass::keyword(std::string_view lower, std::string_view t, const char* start,
                             const char* after) {
    const bool pathCounts = !analysis() && inBody();
    auto kind = [&](std::uint32_t value) {
        if (analysis())
            words_.Keyword(value, blockDepth() > 0);
    };
    if (lower == "begin" || lower == "asm") {
        beginBlock();
        if (analysis())
            words_.OpenBlock(0);
    } else if (lower == "end" || lower == "end.") {
        endBlock();
        if (analysis())
            words_.CloseBlock();
    } else if (lower == "case") {
        // The variant part of a record has no "end" of its own.
        if (!blocks_.empty() && blocks_.back().kind == Block::Declaration)
            return;
        if (pathCounts)
            AddBranchPoint(file_, current_);
        kind(0x220000);
        push(Open{Block::Case});
        if (analysis())
            words_.OpenBlock(0);
    } else if (lower == "repeat" || lower == "try") {
        if (lower == "repeat")
            kind(0x110000);
        push(Open{Block::Statement});
        if (analysis())
            words_.OpenBlock(0);
    } else if (lower == "until") {
        if (pathCounts)
            AddBranchPoint(file_, current_);
        if (!blocks_.empty() && blocks_.back().kind != Block::Declaration)
            blocks_.pop_back();
        if (analysis()) {
            words_.OpenBlock(0);
            words_.CloseBlock();
        }
    } else if (lower == "if" || lower == "for" || lower == "while") {
        if (pathCounts)
            AddBranchPoint(file_, current_);
        kind(lower == "if" ? 0x220000 : 0x110000);
    } else if (lower == "then") {
        kind(0x200000);
    } else if (lower == "else") {
        kind(0x220000);
    } else if (lower == "implementation") {
        resetBlocks();
        headers_ = 0;
    } else if (lower == "initialization" || lower == "finalization") {
        current_ = nullptr; // the unit's own code belongs to no routine
        setScope(nullptr);
    } else if (lower == "class" || lower == "record" || lower == "object" || lower == "interface" ||
               lower == "dispinterface") {
        declaration(lower, after);
    } else if (lower == "procedure" || lower == "function" || lower == "constructor" ||
               lower == "destructor" || (lower == "operator" && prev_ == "class")) {
        routineKeyword(start, after);
    } else if (lower == "inherited") {
        skipNextCall_ = true; // the inherited method is no call of this class's own
    } else if (!lower.empty() && oneOf(lower, kSectionWords)) {
        statementFirst_.clear();
    } else {
        if (statementFirst_.empty() && t.front() != '\'')
            statementFirst_.assign(t);
        if (analysis() && inBody() && (lower.empty() || !oneOf(lower, kReserved)))
            call(t, after);
        else if (skipNextCall_)
            skipNextCall_ = false;
    }
}

// --- blocks --------------------------------------------------------------------------------------

void PascalScanPass::beginBlock() {
    if (blockDepth() == 0 && headers_ > 0) {
        if (pending_) {
            pending_ = false;
            ModuleRecord* m = claimBody(pendingName_, pendingLine_);
            if (m && !analysis()) {
                m->exec += lineNo_ - pendingLine_; // its head up to this line
                StartPathNumber(file_, *m);
            }
            body_ = true;
            current_ = m;
            if (analysis()) {
                setScope(m);
                TakeDescription(engine_, m);
                // The class of "TOuter.TInner.Method" is "TOuter.TInner".
                const std::size_t dot = pendingName_.rfind('.');
                prefix_.assign(dot == std::string::npos
                                   ? std::string_view()
                                   : std::string_view(pendingName_).substr(0, dot));
            }
        }
        push(Open{Block::Routine});
        return;
    }
    if (blockDepth() == 0) {
        // The main block of a program: code of no routine.
        current_ = nullptr;
        setScope(nullptr);
    }
    push(Open{Block::Statement});
}

void PascalScanPass::endBlock() {
    if (blocks_.empty()) {
        headers_ = 0; // an "end" that closes no block
        return;
    }
    const Block kind = blocks_.back().kind;
    blocks_.pop_back();
    if (kind == Block::Declaration) {
        // The end of a class or record declaration leaves the routine heads alone.
        --declarations_;
    } else if (kind == Block::Routine) {
        headers_ = std::max(0, headers_ - 1);
    } else if (blockDepth() == 0) {
        headers_ = 0;
    }
}

void PascalScanPass::resetBlocks() {
    blocks_.clear();
    declarations_ = 0;
    head_ = Head::None;
}

void PascalScanPass::push(Open open) {
    // Each entry knows the innermost declaration at or below it, so that finding it takes no
    // walk down a deep stack.
    if (open.kind == Block::Declaration) {
        open.declaration = static_cast<int>(blocks_.size());
        ++declarations_;
    } else {
        open.declaration = blocks_.empty() ? -1 : blocks_.back().declaration;
    }
    blocks_.push_back(std::move(open));
}

PascalScanPass::Open* PascalScanPass::innermostDeclaration() {
    if (blocks_.empty() || blocks_.back().declaration < 0)
        return nullptr;
    return &blocks_[static_cast<std::size_t>(blocks_.back().declaration)];
}

void PascalScanPass::declaration(std::string_view lower, const char* after) {
    const bool afterEquals = prev_ == "=" || (prev_ == "packed" && prev2_ == "=");
    if (!afterEquals) {
        // "class function", "class of", the unit's "interface" section; a record type written
        // inline ("a: record ... end") still has its "end".
        if (lower == "record")
            push(Open{Block::Declaration});
        return;
    }
    const char* q = PascalTokenReader::SkipBlanks(after);
    if (lower == "class" && startsWithNoCase(q, "of") && !PascalTokenReader::StartsToken(q[2]))
        return; // a class reference type
    if (*q == ';')
        return; // a forward declaration
    if (*q == '(') {
        int parens = 0;
        for (const char* limit = q + kLookAhead; *q && q < limit; ++q) {
            if (*q == '(')
                ++parens;
            else if (*q == ')' && --parens == 0)
                break;
        }
        if (*q == ')' && *PascalTokenReader::SkipBlanks(q + 1) == ';')
            return; // "class(TBase);": a declaration without body
    }
    Open d;
    d.kind = Block::Declaration;
    d.line = lineNo_;
    d.methods = lower != "interface" && lower != "dispinterface";
    d.hasModule = !d.methods;
    // Nested types are named by their path ("TOuter.TInner"), up to a depth real code never
    // reaches; deeper names would only grow with the nesting.
    if (const Open* outer = innermostDeclaration();
        outer && !outer->name.empty() && declarations_ < kMaxQualifiedNesting)
        d.name.assign(outer->name).push_back('.');
    if (!statementFirst_.empty()) {
        d.name.append(statementFirst_);
    } else {
        std::string_view first;
        reader_.Read(PascalTokenReader::SkipBlanks(lineStart_), first);
        d.name.append(first);
    }
    push(std::move(d));
    // Classes and objects are containers at once; a record becomes one with its first method.
    if (lower == "class" || lower == "object")
        containerOf(blocks_.back());
}

// --- routine heads -------------------------------------------------------------------------------

void PascalScanPass::routineKeyword(const char* start, const char* after) {
    // A procedural type or field ("TProc = procedure", "OnClick: procedure", "reference to
    // function") declares nothing.
    if (prev_ == "=" || prev_ == ":" || prev_ == "to")
        return;
    const char* q = PascalTokenReader::SkipBlanks(after);
    if (!PascalTokenReader::StartsToken(*q) || isDigit(*q) || *q == '$' || *q == '#')
        return; // an anonymous method
    std::string_view name;
    const char* e = reader_.Read(q, name);
    name_.assign(name);
    // Generic parameters are no part of the name: "TList<T>.Peek" is "TList.Peek".
    while (*e == '<') {
        int angles = 0;
        for (const char* limit = e + kLookAhead; *e && e < limit; ++e) {
            if (*e == '<')
                ++angles;
            else if (*e == '>' && --angles == 0)
                break;
        }
        if (*e != '>')
            break;
        ++e;
        if (*e != '.')
            break;
        e = reader_.Read(e, name);
        name_.append(name);
    }
    if (name_.empty() || name_.back() == '.')
        return;

    head_ = Head::Parameters;
    headParens_ = 0;
    headPending_ = false;
    headRoutine_ = false;
    if (Open* d = innermostDeclaration()) {
        if (d->methods)
            method(name_);
        return;
    }
    // A head in column 0 starts afresh: stray block words (often in text excluded by another
    // compiler's conditions) must not hold the depth up for the rest of the file.
    const bool column0 =
        !PascalTokenReader::IsBlank(lineStart_[0]) &&
        (start == lineStart_ || (prev_ == "class" && startsWithNoCase(lineStart_, "class")));
    if (column0) {
        resetBlocks();
        head_ = Head::Parameters;
        headers_ = 0;
    }
    header(name_);
}

void PascalScanPass::header(std::string_view name) {
    current_ = nullptr;
    setScope(nullptr);
    headRoutine_ = true;
    if (headers_ == 0) {
        pending_ = true;
        pendingName_.assign(name);
        pendingLine_ = lineNo_;
        headPending_ = true;
    }
    ++headers_;
}

void PascalScanPass::cancelHeader() {
    // "external" and "forward" declare a routine whose body is elsewhere.
    if (!headRoutine_)
        return;
    headRoutine_ = false;
    headers_ = std::max(0, headers_ - 1);
    if (headPending_)
        pending_ = false;
    headPending_ = false;
}

// --- modules -------------------------------------------------------------------------------------

void PascalScanPass::record(ModuleRecord* m) {
    if (data_)
        data_->modules.push_back(m ? m->id : 0);
}

ModuleRecord* PascalScanPass::nextRecorded(std::string_view name) {
    if (data_ && nextData_ < data_->modules.size()) {
        ModuleRecord* m = engine_.GetModuleRecord(data_->modules[nextData_++]);
        if (m && engine_.NamesEqual(m->name, name))
            return m;
    }
    return engine_.FindModuleInCurrentFile(name);
}

ModuleRecord* PascalScanPass::makeModule(std::string_view name, int line, int kind) {
    ModuleRecord* m = engine_.CreateModule(name, line, 0, false);
    if (m)
        m->containerKind = kind;
    record(m);
    return m;
}

ModuleRecord* PascalScanPass::containerOf(Open& decl) {
    if (decl.hasModule)
        return decl.module;
    decl.hasModule = true;
    if (analysis()) {
        decl.module = nextRecorded(decl.name);
    } else if (ModuleRecord* existing = engine_.FindModuleInCurrentFile(decl.name)) {
        decl.module = existing; // the class is a module already
        record(existing);
    } else {
        decl.module = makeModule(decl.name, decl.line, kModuleContainer);
    }
    return decl.module;
}

void PascalScanPass::method(std::string_view name) {
    Open& d = *innermostDeclaration();
    ModuleRecord* container = containerOf(d);
    qualified_.assign(d.name).push_back('.');
    qualified_.append(name);
    if (!analysis()) {
        ModuleRecord* m = makeModule(qualified_, lineNo_, kModuleOrdinary);
        if (m)
            declared_[upper(qualified_)].push_back(m);
        return;
    }
    ModuleRecord* m = nextRecorded(qualified_);
    if (container && m) {
        // The member relation: the class calls each of its methods.
        engine_.AddCallFrom(container, m->name, 0, m->line);
        words_.MarkCall();
    }
}

ModuleRecord* PascalScanPass::claimBody(std::string_view name, int headerLine) {
    if (analysis())
        return nextRecorded(name);
    // A body claims the first method of its name that a declaration made and no body took yet;
    // overloads and routines of the same name are modules of their own.
    auto it = declared_.find(upper(name));
    if (it != declared_.end() && !it->second.empty()) {
        ModuleRecord* m = it->second.front();
        it->second.pop_front();
        engine_.SetModuleLine(*m, headerLine);
        record(m);
        return m;
    }
    return makeModule(name, headerLine, kModuleOrdinary);
}

// --- calls ---------------------------------------------------------------------------------------

void PascalScanPass::call(std::string_view t, const char* after) {
    if (skipNextCall_) {
        skipNextCall_ = false;
        return;
    }
    const char* q = PascalTokenReader::SkipBlanks(after);
    if ((*q == ':' || *q == '+' || *q == '-' || *q == '*' || *q == '/') && q[1] == '=')
        return; // an assignment target ("Result := ...", "Compute := x")
    if (startsWithNoCase(t, "self.") && t.size() > 5)
        t.remove_prefix(5);
    const char c = t.front();
    if (isDigit(c) || c == '#' || c == '$' || c == '@' || c == '&')
        return; // numbers, character codes, addresses
    if (!prefix_.empty() && engine_.NamesEqual(t, prefix_))
        return;
    if (!IsPascalCandidate(engine_, t))
        return;
    if (ModuleRecord* m = engine_.FindModuleInCurrentFile(t)) {
        engine_.AddCallFound(t, m);
        words_.MarkCall();
        return;
    }
    if (!prefix_.empty()) {
        qualified_.assign(prefix_).push_back('.');
        qualified_.append(t);
        if (ModuleRecord* m = engine_.FindModule(qualified_)) {
            engine_.AddCallFound(qualified_, m); // a method of the same class
            words_.MarkCall();
            return;
        }
    }
    if (ModuleRecord* m = engine_.FindModule(t)) {
        engine_.AddCallFound(t, m);
        words_.MarkCall();
        return;
    }
    if ((after[0] == '(' || (after[0] == ' ' && after[1] == '(')) && engine_.AddCallToUndefined(t))
        words_.MarkCall();
}

} // namespace lumbra
