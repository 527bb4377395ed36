// One pass of the Basic scanner: a statement reader over Visual Basic lines, no parse tree. Block
// depth follows the block keywords; a procedure's body ends when the depth returns to zero.
#include "basic/BasicScanPass.h"

#include <cstring>

#include "NFileAnly.h"
#include "TextInput.h"
#include "common/CommentLabels.h"
#include "common/ScanTables.h"

namespace lumbra {
namespace {

constexpr std::string_view kDesignerRegionTitle = "Windows Form Designer generated code";
// Bytes a look-ahead past a keyword reads at most.
constexpr std::ptrdiff_t kLookAhead = 4096;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The word `w` (lower case) at `p` in any case, followed by a blank or the end of the line.
bool wordNoCase(const char* p, std::string_view w) {
    for (char c : w)
        if (lower(*p++) != c)
            return false;
    return *p == '\0' || BasicTokenReader::IsBlank(*p);
}

// Only names made of identifier characters can name a procedure; everything else ("x=1",
// "a,", literals) is skipped before any lookup.
bool mayName(std::string_view t) {
    for (char c : t) {
        const auto u = static_cast<unsigned char>(c);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '.' || c == '[' || c == ']' || u >= 0x80))
            return false;
    }
    return true;
}

// "[Default]" names the procedure "Default".
std::string_view unescaped(std::string_view t) {
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return t.substr(1, t.size() - 2);
    return t;
}

// The line ends with the continuation mark: a blank, "_" and nothing after it.
bool endsWithContinuation(const char* p) {
    const char* end = p + std::strlen(p);
    while (end > p && BasicTokenReader::IsBlank(end[-1]))
        --end;
    return end - p >= 2 && end[-1] == '_' && BasicTokenReader::IsBlank(end[-2]);
}

} // namespace

BasicScanPass::Word BasicScanPass::Classify(std::string_view t) {
    if (t.size() < 2 || t.size() > 14 || t.front() < 'A' || t.front() > 'Z')
        return Word::None;
    struct Entry {
        std::string_view text;
        Word word;
    };
    // Grouped by first letter; most tokens are rejected by the letter alone.
    static constexpr Entry kWords[] = {
        {"Attribute", Word::Attribute},
        {"Async", Word::Modifier},
        {"Case", Word::Case},
        {"Class", Word::Class},
        {"Declare", Word::Declare},
        {"Delegate", Word::DeclareLike},
        {"Default", Word::Modifier},
        {"Do", Word::Do},
        {"End", Word::End},
        {"ElseIf", Word::ElseIf},
        {"Exit", Word::Exit},
        {"Friend", Word::Modifier},
        {"For", Word::For},
        {"Function", Word::Function},
        {"Global", Word::Modifier},
        {"If", Word::If},
        {"Interface", Word::Interface},
        {"Iterator", Word::Modifier},
        {"Loop", Word::Loop},
        {"Module", Word::Module},
        {"MustInherit", Word::Modifier},
        {"MustOverride", Word::DeclareLike},
        {"Namespace", Word::Namespace},
        {"Narrowing", Word::Modifier},
        {"New", Word::New},
        {"Next", Word::Next},
        {"NotInheritable", Word::Modifier},
        {"NotOverridable", Word::Modifier},
        {"Option", Word::Option},
        {"Overloads", Word::Modifier},
        {"Overridable", Word::Modifier},
        {"Overrides", Word::Modifier},
        {"Partial", Word::Modifier},
        {"Private", Word::Private},
        {"Property", Word::Property},
        {"Protected", Word::Modifier},
        {"PtrSafe", Word::Modifier},
        {"Public", Word::Modifier},
        {"ReadOnly", Word::Modifier},
        {"Select", Word::Select},
        {"Shadows", Word::Modifier},
        {"Shared", Word::Modifier},
        {"Static", Word::Modifier},
        {"Sub", Word::Sub},
        {"SyncLock", Word::SyncLock},
        {"Then", Word::Then},
        {"Try", Word::Try},
        {"Using", Word::Using},
        {"Wend", Word::Wend},
        {"While", Word::While},
        {"Widening", Word::Modifier},
        {"With", Word::With},
        {"WriteOnly", Word::Modifier},
    };
    for (const Entry& e : kWords)
        if (e.text.front() == t.front() && e.text == t)
            return e.word;
    return Word::None;
}

BasicScanPass::BasicScanPass(NFileAnly& engine, FileRecord& file, Mode mode)
    : engine_(engine), file_(file), mode_(mode), words_(engine) {
    reader_.SetCodePage932(engine.GetTextReadSettings().codePage == kCodePageShiftJis);
    optDesigner_ = engine.GetOption(kOptDesignerRegion) != 0;
    folding_ = engine.GetSourceFolding() != 0;
    labels_ = false;
    for (int k = 0; k < 4; ++k)
        labels_ = labels_ || !engine.GetCommentKeyword(k).empty();
}

const std::string& BasicScanPass::containerName() const {
    static const std::string kNone;
    return containers_.empty() ? kNone : containers_.back().name;
}

ModuleRecord* BasicScanPass::containerModule() const {
    return containers_.empty() ? nullptr : containers_.back().module;
}

void BasicScanPass::setScope(ModuleRecord* module) {
    if (analysis() && file_.currentModule != module)
        engine_.SetCurrentModule(module);
}

void BasicScanPass::count(LineClass c) {
    if (analysis())
        return;
    CountLine(file_, depth_ > 0 && procedureOpen_ ? current_ : nullptr, c);
}

// --- lines ---------------------------------------------------------------------------------------

void BasicScanPass::Run(const SourceText& text) {
    words_.Reset();
    setScope(nullptr);
    for (std::size_t i = 0; i < text.lineCount(); ++i)
        line(text.line(i).data()); // each line is followed by a NUL in memory
    if (analysis())
        engine_.FinishLineTable();
}

void BasicScanPass::startStatement() {
    first_ = headOnly_ = true;
    attribute_ = private_ = declare_ = skipStatement_ = false;
    firstWord_ = Word::None;
    prev_ = {};
}

void BasicScanPass::line(const char* text) {
    ++lineNo_;
    const bool continued = continued_;
    continued_ = false;
    if (!continued) {
        startStatement();
        awaiting_ = Word::None;
    }
    if (analysis())
        words_.BeginLine(lineNo_, kLineActive);
    const char* s = BasicTokenReader::SkipBlanks(text);
    if (*s == '\0') {
        count(LineClass::Space);
        if (analysis() && optDesigner_ && designer_)
            words_.ClearActive();
    } else if (*s == '#' && !continued) {
        count(LineClass::Define);
        directiveLine(s);
    } else if (optDesigner_ && designer_) {
        // The designer's generated code is left out: neither counted as code nor scanned.
        count(LineClass::Other);
        if (analysis()) {
            words_.ClearActive();
            if (*s == '\'')
                words_.MarkCommentLine();
        }
    } else if (*s == '\'') {
        count(LineClass::Comment);
        commentLine(s + 1);
    } else if (wordNoCase(s, "rem")) {
        // The IDE writes "Rem"; any spelling of the word starts a comment.
        count(LineClass::Comment);
        commentLine(s + 3);
    } else {
        if (propertyUnsure_)
            autoPropertyCheck(s);
        lineLoose_ = !(depth_ > 0 && procedureOpen_) && !analysis();
        count(LineClass::Exec);
        if (lineLoose_)
            ++looseExec_;
        if (skipStatement_)
            continued_ = endsWithContinuation(s); // more of a head that is not read
        else
            scan(s);
    }
    finishLine();
}

void BasicScanPass::directiveLine(const char* s) {
    if (analysis())
        words_.Add(kLineKindDirective);
    const char* p = BasicTokenReader::SkipBlanks(s + 1);
    if (wordNoCase(p, "region")) {
        file_.regionFlag = 1;
        if (std::strstr(p, kDesignerRegionTitle.data()))
            designer_ = true;
        if (analysis() && folding_)
            ++regions_;
    } else if (wordNoCase(p, "end") && wordNoCase(BasicTokenReader::SkipBlanks(p + 3), "region")) {
        designer_ = false;
        if (analysis() && folding_ && regions_ > 0)
            --regions_;
    }
}

void BasicScanPass::commentLine(const char* text) {
    if (!analysis())
        return;
    words_.MarkCommentLine();
    if (!labels_)
        return;
    // Header comments are often framed: "'*** Name: Compute ***" or "'-- Name = Compute".
    const char* p = text;
    while (*p == '\'' || *p == '*' || *p == '-' || *p == '=' || *p == '/' || *p == '#' ||
           *p == '+' || BasicTokenReader::IsBlank(*p))
        ++p;
    if (*p)
        engine_.ReadCommentItem(std::string_view(p, std::strlen(p)));
}

void BasicScanPass::finishLine() {
    if (!analysis())
        return;
    // A Basic statement ends with its line: a keyword that opened no block leaves nothing
    // pending (the body of a one-line "If" is on its own line).
    if (!continued_)
        words_.EndStatementOnKeywordLine();
    const int nesting = depth_ + netContainers_ + regions_;
    words_.Finish(nesting, folding_ ? netContainers_ % 4 : 0);
}

// --- statements ----------------------------------------------------------------------------------

void BasicScanPass::scan(const char* p) {
    std::string_view t;
    for (;;) {
        const char* after = reader_.Read(p, t);
        if (t.empty() || t.front() == '\'')
            return;
        if (BasicTokenReader::IsContinuation(t, after)) {
            continued_ = true;
            return;
        }
        if (awaiting_ != Word::None) {
            // The name of a procedure whose keyword ended the previous line.
            const Word keyword = awaiting_;
            awaiting_ = Word::None;
            procedure(keyword, t, after);
            return;
        }
        p = token(t, after);
        if (!p) {
            // The rest of the statement (a head's parameters) is not read, even on the lines
            // that continue it.
            if (awaiting_ == Word::None) {
                skipStatement_ = true;
                continued_ = endsWithContinuation(after);
            }
            return;
        }
        prev_ = t;
    }
}

const char* BasicScanPass::token(std::string_view t, const char* p) {
    if (attribute_) {
        attribute_ = t.back() != '>';
        return p;
    }
    if (headOnly_ && t.front() == '<') {
        // "<Serializable()>" and the like stand before a declaration's modifiers.
        attribute_ = t.size() == 1 || t.back() != '>';
        return p;
    }
    if (t == "(" || t == ")") {
        first_ = headOnly_ = false;
        return p;
    }
    if (t == ":") {
        startStatement(); // "a = 1 : b = 2"
        return p;
    }
    const Word w = Classify(t);
    const bool first = first_;
    first_ = false;
    if (first)
        firstWord_ = w;

    switch (w) {
    case Word::Attribute:
        if (first) {
            attributeLine(p);
            return nullptr;
        }
        break;
    case Word::Option:
        if (first) {
            std::string_view next;
            reader_.Read(p, next);
            if (next == "Private")
                optionPrivate_ = true;
            return nullptr;
        }
        break;
    case Word::Private:
    case Word::Modifier:
    case Word::Declare:
    case Word::DeclareLike:
        if (headOnly_) {
            private_ = private_ || w == Word::Private;
            declare_ = declare_ || w == Word::Declare || w == Word::DeclareLike;
            return p;
        }
        break;
    case Word::Module:
    case Word::Class:
    case Word::Namespace:
        if (headOnly_) {
            containerHead(p);
            return nullptr;
        }
        break;
    case Word::Interface:
        if (headOnly_) {
            std::string_view name;
            reader_.Read(p, name);
            if (!name.empty() && name.front() != '\'')
                inInterface_ = true;
            return nullptr;
        }
        break;
    case Word::Sub:
    case Word::Function:
    case Word::Property:
        if (headOnly_)
            return procedureHead(w, p);
        // A lambda inside an expression; one that ends its line has a body up to "End Sub" or
        // "End Function".
        if (w != Word::Property && multiLineLambda(p)) {
            statementKind(w, t);
            openLevel();
        }
        headOnly_ = false;
        return p;
    case Word::End:
        headOnly_ = false;
        return endStatement(p);
    case Word::Exit: {
        // "Exit Sub", "Exit For": the word after it opens and closes nothing.
        std::string_view next;
        const char* after = reader_.Read(p, next);
        headOnly_ = false;
        return next.empty() || next.front() == '\'' ? p : after;
    }
    default:
        break;
    }
    headOnly_ = false;

    statementKind(w, t);
    const bool inBody = depth_ > 0 && procedureOpen_;
    if (first && inBody && !analysis() && IsBasicBranchKeyword(t))
        AddBranchPoint(file_, current_);
    switch (w) {
    case Word::For:
    case Word::While:
    case Word::Select:
    case Word::With:
    case Word::Try:
    case Word::SyncLock:
    case Word::Using:
        if (first)
            openLevel();
        break;
    case Word::Do:
        if (first) {
            openLevel();
            std::string_view next;
            const char* after = reader_.Read(p, next);
            if (next == "While" || next == "Until") {
                statementKind(Classify(next), next);
                return after;
            }
        }
        break;
    case Word::Then: {
        // A block "If": nothing but a comment after "Then".
        std::string_view next;
        reader_.Read(p, next);
        if ((next.empty() || next.front() == '\'') && firstWord_ != Word::ElseIf)
            openLevel();
        break;
    }
    case Word::Next:
        if (prev_ != "Resume")
            closeLevel();
        break;
    case Word::Wend:
    case Word::Loop:
        closeLevel();
        break;
    case Word::New:
        return p; // object creation, never a call of a procedure named "New"
    default:
        break;
    }
    if (analysis())
        call(t);
    return p;
}

// --- definitions ---------------------------------------------------------------------------------

void BasicScanPass::convertExecToDefine() {
    // What the file counted as Exec before its header is declaration text; procedure bodies keep
    // their lines.
    if (analysis() || (depth_ > 0 && procedureOpen_))
        return;
    file_.exec -= looseExec_;
    file_.define += looseExec_;
    looseExec_ = 0;
}

void BasicScanPass::attributeLine(const char* p) {
    convertExecToDefine();
    std::string_view t;
    p = reader_.Read(p, t);
    if (t != "VB_Name")
        return;
    p = reader_.Read(p, t);
    if (t != "=")
        return;
    reader_.Read(p, t);
    if (t.size() < 2 || t.front() != '"')
        return;
    const std::string_view name = t.substr(1, t.size() - (t.back() == '"' ? 2 : 1));
    if (name.empty())
        return;
    ModuleRecord* m = nullptr;
    if (analysis()) {
        m = engine_.FindModuleInCurrentFileAtLine(name, lineNo_);
    } else {
        m = engine_.CreateModule(name, lineNo_, 0, true);
        if (m)
            m->containerKind = kModuleBasicFile;
    }
    // The file's name is the outermost container of every procedure in it.
    if (!containers_.empty() && !containers_.front().net)
        containers_.front() = Container{std::string(name), m, false};
    else
        containers_.insert(containers_.begin(), Container{std::string(name), m, false});
    if (m) {
        current_ = m;
        setScope(m);
    }
}

void BasicScanPass::containerHead(const char* p) {
    std::string_view name;
    reader_.Read(p, name);
    if (name.empty() || name.front() == '\'' || name == "(" || name == ")")
        return;
    name = unescaped(name);
    resetDepth();
    convertExecToDefine();
    ModuleRecord* m = nullptr;
    if (analysis()) {
        m = engine_.FindModuleInCurrentFileAtLine(name, lineNo_);
        ++netContainers_;
    } else {
        m = engine_.CreateModule(name, lineNo_, 0, true);
        if (m)
            m->containerKind = kModuleContainer;
    }
    containers_.push_back(Container{std::string(name), m, true});
    if (m) {
        current_ = m;
        setScope(m);
    }
}

const char* BasicScanPass::procedureHead(Word keyword, const char* p) {
    std::string_view name;
    const char* after = reader_.Read(p, name);
    if (name == "(") {
        // "Function(x) x * 2" at the start of a statement is still a lambda.
        headOnly_ = false;
        return p;
    }
    if (name.empty() || name.front() == '\'')
        return nullptr;
    if (BasicTokenReader::IsContinuation(name, after)) {
        awaiting_ = keyword;
        continued_ = true;
        return nullptr;
    }
    procedure(keyword, name, after);
    return nullptr; // the rest of the head is parameters
}

void BasicScanPass::procedure(Word keyword, std::string_view name, const char* p) {
    if (containerName().empty())
        return; // code outside any module, class or form names nothing
    std::string_view accessor;
    if (keyword == Word::Property && (name == "Get" || name == "Let" || name == "Set")) {
        accessor = name;
        reader_.Read(p, name);
        if (name.empty() || name.front() == '\'' || name == "(")
            return;
    }
    name = unescaped(name);
    if (!IsBasicCandidate(engine_, name))
        return;
    name_.clear();
    if (private_ || optionPrivate_)
        name_.append(containerName()).push_back('.');
    if (!accessor.empty())
        name_.append(accessor).push_back(' ');
    name_.append(name);

    const bool bodiless = declare_ || inInterface_;
    resetDepth();
    ModuleRecord* m = nullptr;
    if (analysis()) {
        if (ModuleRecord* c = containerModule(); c && !(bodiless && !private_)) {
            // The member relation: the container calls each of its procedures.
            engine_.AddCallFrom(c, name_, 0, lineNo_);
            words_.MarkCall();
        }
        m = engine_.FindModuleInCurrentFileAtLine(name_, lineNo_);
        if (!m)
            m = engine_.FindModule(name_);
        setScope(m);
        TakeDescription(engine_, m);
    } else {
        // Overloads, "#If" alternatives and interface implementations share names: each
        // definition is a module of its own.
        m = engine_.CreateModule(name_, lineNo_, 0, false);
        if (m)
            StartPathNumber(file_, *m);
    }
    current_ = m;
    self_.assign(name);
    if (!bodiless && m && lineLoose_ && looseExec_ > 0) {
        --looseExec_;
        lineLoose_ = false;
    } // the head line belongs to the procedure, not to the declarations
    if (!bodiless && m) {
        procedureOpen_ = true;
        depth_ = 1;
        // A VB.NET property may be an auto-property, whose head is all there is.
        propertyUnsure_ =
            keyword == Word::Property && !containers_.empty() && containers_.back().net;
        if (analysis())
            words_.OpenBlock(0);
    }
}

void BasicScanPass::autoPropertyCheck(const char* s) {
    // The first statement of a property body is "Get" or "Set" (perhaps with an access word);
    // anything else follows an auto-property.
    propertyUnsure_ = false;
    std::string_view t;
    const char* p = reader_.Read(s, t);
    const Word w = Classify(t);
    if (w == Word::Private || w == Word::Modifier)
        reader_.Read(p, t);
    if (t != "Get" && t != "Set" && depth_ == 1 && procedureOpen_) {
        endProcedure();
        depth_ = 0;
    }
}

void BasicScanPass::endProcedure() {
    propertyUnsure_ = false;
    if (!procedureOpen_)
        return;
    procedureOpen_ = false;
    if (!analysis() && current_)
        ++current_->exec; // its head line
    setScope(containerModule());
}

// --- blocks --------------------------------------------------------------------------------------

void BasicScanPass::openLevel() {
    ++depth_;
    if (analysis())
        words_.OpenBlock(0);
}

void BasicScanPass::closeLevel() {
    if (analysis())
        words_.CloseBlock();
    if (depth_ == 0)
        return;
    if (--depth_ == 0)
        endProcedure();
}

void BasicScanPass::resetDepth() {
    // A head ends whatever is still open: an auto-property ("Property Name As String") has no
    // "End Property", and a block keyword misread earlier must not hold the depth up.
    if (depth_ > 0 && procedureOpen_)
        endProcedure();
    depth_ = 0;
    procedureOpen_ = false;
}

const char* BasicScanPass::endStatement(const char* p) {
    std::string_view what;
    const char* after = reader_.Read(p, what);
    const Word w = Classify(what);
    switch (w) {
    case Word::If:
    case Word::Select:
    case Word::With:
    case Word::Try:
    case Word::While:
    case Word::Sub:
    case Word::Function:
    case Word::Property:
    case Word::SyncLock:
    case Word::Using:
        closeLevel();
        return after;
    case Word::Class:
    case Word::Module:
    case Word::Namespace:
        resetDepth();
        if (!containers_.empty() && containers_.back().net) {
            containers_.pop_back();
            if (analysis() && netContainers_ > 0)
                --netContainers_;
            setScope(containerModule());
            current_ = containerModule();
        }
        return after;
    case Word::Interface:
        inInterface_ = false;
        resetDepth();
        return after;
    default:
        // "End Type", "End Enum", "End Get", "End Set", "End Structure" close nothing; "End"
        // alone stops the program.
        if (what == "Structure")
            resetDepth();
        return what.empty() || what.front() == '\'' ? p : after;
    }
}

bool BasicScanPass::multiLineLambda(const char* p) const {
    p = BasicTokenReader::SkipBlanks(p);
    if (*p != '(')
        return false;
    // A parameter list is short; a line of thousands of lambdas must not be read again for each.
    const char* limit = p + kLookAhead;
    int parens = 0;
    std::string_view t;
    do {
        p = reader_.Read(p, t);
        if (t == "(")
            ++parens;
        else if (t == ")")
            --parens;
    } while (!t.empty() && t.front() != '\'' && parens > 0 && p < limit);
    if (parens != 0)
        return false;
    // Only a return type may follow: "Function(x As Integer) As Boolean".
    p = reader_.Read(p, t);
    if (t == "As") {
        p = reader_.Read(p, t);
        p = reader_.Read(p, t);
    }
    return t.empty() || t.front() == '\'';
}

// --- analysis ------------------------------------------------------------------------------------

void BasicScanPass::statementKind(Word w, std::string_view t) {
    if (!analysis())
        return;
    std::uint32_t kind = BasicStatementKind(t);
    if (w == Word::While && prev_ != "Loop")
        kind = 0x110000;
    words_.Keyword(kind, depth_ > 0);
}

void BasicScanPass::call(std::string_view t) {
    if (!mayName(t) || !IsBasicCandidate(engine_, t))
        return;
    t = unescaped(t);
    // Outside procedure bodies are declarations: "As" types, "Implements" and initialisers.
    const ModuleRecord* scope = file_.currentModule;
    if (!scope || !procedureOpen_ || depth_ == 0)
        return;
    // A function or property assigning its own result ("Compute = x") calls nothing.
    if (engine_.NamesEqual(t, self_))
        return;
    if (!containerName().empty()) {
        qualified_.assign(containerName()).push_back('.');
        qualified_.append(t);
        if (ModuleRecord* m = engine_.FindModuleInCurrentFile(qualified_);
            m && m->containerKind == kModuleOrdinary) {
            if (m != scope) {
                engine_.AddCallFound(qualified_, m);
                words_.MarkCall();
            }
            return;
        }
    }
    ModuleRecord* m = engine_.FindModule(t);
    if (!m || m->containerKind != kModuleOrdinary)
        return;
    if (engine_.NamesEqual(m->name, scope->name))
        return;
    engine_.AddCallFound(t, m);
    words_.MarkCall();
}

} // namespace lumbra
