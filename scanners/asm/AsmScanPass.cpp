// One pass of the assembler scanner. A line is a label (at column 0, or ending with ':'), an
// instruction word classified by the user's instruction classes, and operands; the rest of an
// instruction line is not read. The definition pass learns labels and makes exported labels
// modules; the analysis pass records calls and branches against what it learnt.
#include "asm/AsmScanPass.h"

#include <cstring>

#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TextInput.h"
#include "common/CommentLabels.h"
#include "common/Preprocessor.h"

namespace lumbra {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsUpper(std::string_view text, std::string_view upperWord) {
    if (text.size() != upperWord.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (upper(text[i]) != upperWord[i])
            return false;
    return true;
}

bool isDataClass(int cls) {
    return cls == kAsmByteDefine || cls == kAsmWordDefine || cls == kAsmDefineStorage;
}

// Words that stand between a call instruction and its target.
bool isCallQualifier(std::string_view word) {
    for (std::string_view q : {"NEAR", "FAR", "SHORT", "PTR", "WORD", "DWORD", "QWORD", "OFFSET"})
        if (equalsUpper(word, q))
            return true;
    return false;
}

// "word(name):" at the start of a line: a label whose name a macro wraps. Returns the position
// after the colon and the name, or null.
const char* wrappedLabel(const char* paren, std::string_view& name) {
    if (*paren != '(')
        return nullptr;
    const char* s = paren + 1;
    const char* p = s;
    while (*p && *p != ')' && !AsmTokenReader::IsStop(*p))
        ++p;
    if (*p != ')' || p == s || p[1] != ':')
        return nullptr;
    name = std::string_view(s, static_cast<std::size_t>(p - s));
    return p + 2;
}

} // namespace

AsmScanPass::AsmScanPass(NFileAnly& engine, FileRecord& file, ConditionalCompilation& conditions,
                         const AsmLabelIndex* index, Mode mode)
    : engine_(engine), file_(file), conditions_(conditions), index_(index), mode_(mode),
      labels_(nullptr), names_(engine), words_(engine) {
    ignoreCase_ = engine.GetOption(kOptIgnoreCase) != 0;
    tables_ = engine.GetOption(kOptTableDefineModule) != 0;
    combineTables_ = engine.GetOption(kOptCombineTableModule) != 0;
    constants_ = engine.GetOption(kOptUseDefineConstant) != 0;
    prescanIncludes_ = constants_ && engine.GetOption(kOptDefineConstantInInclude) != 0;
    includeOnce_ = engine.GetOption(kOptIncludeOnce) != 0;
    labelLinesOther_ = engine.GetCountOption(1) != 0;
    storageDefine_ = engine.GetCountOption(2) != 0;
    cp932_ = engine.GetTextReadSettings().codePage == kCodePageShiftJis;
    captureLabels_ = false;
    for (int k = 0; k < 4; ++k)
        captureLabels_ = captureLabels_ || !engine.GetCommentKeyword(k).empty();
}

int AsmScanPass::ClassOf(const NFileAnly& engine, std::string_view word) {
    if (word.empty())
        return kAsmNone;
    if (word.front() == '=')
        return kAsmEquate;
    const int cls = engine.LookupKeyword(word);
    if (cls >= 0)
        return cls;
    // "bsr.w", "beq.s", "ds.b": the size suffix on a word listed without it.
    const std::size_t n = word.size();
    if (n > 2 && word[n - 2] == '.' && std::strchr("bwslBWSL", word[n - 1]))
        return engine.LookupKeyword(word.substr(0, n - 2));
    return kAsmNone;
}

const char* AsmScanPass::read(const char* p, std::string& out, const char** start) const {
    return AsmTokenReader::Read(p, out, start, cp932_);
}

ModuleRecord* AsmScanPass::current() const {
    return file_.currentModule;
}

void AsmScanPass::setCurrent(ModuleRecord* module) {
    if (file_.currentModule != module)
        engine_.SetCurrentModule(module);
}

// --- lines ---------------------------------------------------------------------------------------

void AsmScanPass::Run(const SourceText& text) {
    if (analysis()) {
        labels_ = AsmFileLabels::Of(file_);
        if (!labels_)
            labels_ = &AsmFileLabels::Renew(file_);
    } else {
        labels_ = &AsmFileLabels::Renew(file_);
    }
    conditions_.BeginPass(engine_);
    words_.Reset();
    setCurrent(nullptr);
    for (std::size_t i = 0; i < text.lineCount(); ++i)
        line(text.line(i).data()); // each line is followed by a NUL in memory
    if (analysis())
        engine_.FinishLineTable();
}

AsmScanPass::Head AsmScanPass::parseHead(const char* text) {
    Head h;
    const char* start = nullptr;
    const char* after = read(text, token_, &start);
    if (token_.empty())
        return h;
    if (AsmTokenReader::IsCommentStart(token_.front())) {
        h.comment = true;
        h.commentAt = start;
        return h;
    }
    h.directive = ConditionalCompilation::AssemblerDirective(engine_, token_);
    if (h.directive != Directive::None) {
        read(after, operand_);
        if (!operand_.empty() && !AsmTokenReader::IsCommentStart(operand_.front()))
            h.condition = operand_;
        return h;
    }

    const bool column0 = start == text;
    const char* wordFrom = nullptr; // where the instruction word is read from
    const std::size_t equals = token_.find('=');
    if (token_.back() == ':') {
        h.hasLabel = true;
        labelText_ = token_;
        wordFrom = after;
    } else if (equals != std::string::npos && equals > 0) {
        // "NAME=value" written without blanks.
        h.hasLabel = true;
        labelText_.assign(token_, 0, equals);
        h.hasWord = true;
        word_ = "=";
        h.operands = start + equals + 1;
        h.cls = kAsmEquate;
        return h;
    } else {
        // Without a colon the token after the first one decides.
        const char* afterWord = read(after, word_);
        if (equalsUpper(word_, "ENDP")) {
            // "name ENDP" closes a procedure: it does not define the label again.
            h.hasWord = true;
            h.operands = afterWord;
            h.cls = ClassOf(engine_, word_);
            return h;
        }
        std::string_view wrapped;
        if (const char* rest = column0 ? wrappedLabel(after, wrapped) : nullptr) {
            labelText_ = wrapped;
            wordFrom = rest;
        } else if (labelWithoutColon(column0)) {
            h.proc = equalsUpper(word_, "PROC");
            labelText_ = token_;
            wordFrom = after;
        } else {
            word_ = token_;
            h.hasWord = true;
            h.operands = after;
            h.cls = ClassOf(engine_, word_);
            return h;
        }
        h.hasLabel = true;
    }

    const char* wordStart = nullptr;
    const char* afterWord = read(wordFrom, word_, &wordStart);
    if (word_.empty())
        return h;
    if (AsmTokenReader::IsCommentStart(word_.front())) {
        h.wordComment = true;
        h.commentAt = wordStart;
        return h;
    }
    h.hasWord = true;
    if (word_.front() == '=') {
        word_ = "=";
        afterWord = wordStart + 1;
    }
    h.operands = afterWord;
    h.cls = ClassOf(engine_, word_);
    return h;
}

bool AsmScanPass::labelWithoutColon(bool column0) const {
    // "name PROC"; at column 0 any word that is no instruction word; elsewhere a name before an
    // equate or a data word ("SIZE equ 4", "buffer db 80 dup (?)" written indented).
    if (equalsUpper(word_, "PROC"))
        return true;
    if (ClassOf(engine_, token_) != kAsmNone)
        return false;
    if (column0)
        return true;
    const int next = ClassOf(engine_, word_);
    return next == kAsmEquate || isDataClass(next);
}

unsigned AsmScanPass::stateOf(const Head& h) {
    if (h.directive == Directive::None)
        return conditions_.LineState(engine_);
    return conditions_.DirectiveState(engine_, DirectiveFamily::Assembler, h.directive,
                                      h.condition);
}

void AsmScanPass::line(const char* text) {
    ++lineNo_;
    lineLabelName_.clear();
    const Head h = parseHead(text);
    const bool directive = h.directive != Directive::None;
    if (!(stateOf(h) & kConditionActive)) {
        inactiveLine(directive);
        return;
    }
    if (analysis())
        words_.BeginLine(lineNo_, kLineActive);

    LineClass c = LineClass::Exec;
    if (directive) {
        // Conditional directives are statements of the Condition class.
        if (analysis())
            words_.Add(kLineKindDirective);
    } else if (h.comment) {
        c = LineClass::Comment;
        captureLabels(h.commentAt);
        if (analysis())
            words_.MarkCommentLine();
    } else if (!h.hasLabel && !h.hasWord) {
        c = LineClass::Space;
    } else {
        if (h.hasLabel)
            label(h);
        if (h.hasWord) {
            instruction(h);
            if (isDataClass(h.cls) && storageDefine_)
                c = LineClass::Define;
        } else if (h.wordComment) {
            captureLabels(h.commentAt);
        } else if (labelLinesOther_) {
            c = LineClass::Other;
        }
    }
    count(c);
    if (analysis())
        words_.Finish(0, 0);
}

void AsmScanPass::inactiveLine(bool directive) {
    // As in every language, an excluded directive line is a Define line.
    count(directive ? LineClass::Define : LineClass::Other);
    if (analysis()) {
        words_.BeginLine(lineNo_, directive ? kLineActive | kLineKindDirective : 0u);
        words_.Finish(0, 0);
    }
}

void AsmScanPass::count(LineClass c) {
    if (!analysis())
        ++Counter(file_, c);
    else if (ModuleRecord* m = current())
        ++Counter(*m, c);
}

void AsmScanPass::captureLabels(const char* commentStart) {
    if (!analysis() || !captureLabels_ || !commentStart)
        return;
    const char* p = commentStart;
    while (AsmTokenReader::IsCommentStart(*p) || AsmTokenReader::IsBlank(*p))
        ++p;
    if (*p)
        engine_.ReadCommentItem(std::string_view(p, std::strlen(p)));
}

// --- labels --------------------------------------------------------------------------------------

void AsmScanPass::plainKeyOf(std::string_view name, std::string& key) const {
    key.assign(name);
    if (ignoreCase_)
        for (char& c : key)
            c = upper(c);
}

void AsmScanPass::keyOf(std::string_view name, std::string& key) {
    // A local label (".loop") belongs to the label before it: each routine has its own.
    plainKeyOf(name, key);
    if (!name.empty() && name.front() == '.' && !scope_.empty())
        key.insert(0, scope_);
}

const AsmLabel* AsmScanPass::findLabel(std::string_view name) {
    keyOf(name, key_);
    if (const AsmLabel* l = labels_->Find(key_))
        return l;
    if (name.empty() || name.front() != '.')
        return nullptr;
    plainKeyOf(name, key_);
    return labels_->FindPlain(key_);
}

void AsmScanPass::label(const Head& head) {
    std::string_view raw = labelText_;
    if (!raw.empty() && raw.back() == ':')
        raw.remove_suffix(1);
    lineLabelName_.assign(raw);
    if (!names_.Normalise(labelText_, name_))
        return;
    const bool local = labelText_.front() == '.' || labelText_.front() == '@';
    keyOf(name_, key_);
    if (!local)
        scope_ = key_;

    if (analysis()) {
        if (ModuleRecord* m = engine_.FindModuleInCurrentFileAtLine(name_, lineNo_)) {
            setCurrent(m);
            TakeDescription(engine_, m);
            pathPending_ = true;
        }
        return;
    }

    makePendingModule();
    long at;
    if (AsmLabel* l = labels_->Find(key_)) {
        l->name = name_; // as defined, where an export may have spelt it otherwise
        l->line = lineNo_;
        at = static_cast<long>(l - labels_->Labels().data());
        if (l->exported)
            pending_ = at;
    } else {
        AsmLabel fresh;
        fresh.name = name_;
        plainKeyOf(name_, fresh.plainKey);
        fresh.line = lineNo_;
        fresh.local = local;
        labels_->Add(key_, std::move(fresh));
        at = static_cast<long>(labels_->Labels().size()) - 1;
    }
    awaitingFirst_ = at;
    tableLabel_ = at;
    if (head.proc) {
        engine_.CreateModule(name_, lineNo_, 0, true);
        if (pending_ == at)
            pending_ = -1;
    }
}

void AsmScanPass::makePendingModule() {
    if (pending_ < 0)
        return;
    const AsmLabel& l = labels_->Labels()[static_cast<std::size_t>(pending_)];
    engine_.CreateModule(l.name, l.line, 0, true);
    pending_ = -1;
}

// --- instructions --------------------------------------------------------------------------------

void AsmScanPass::instruction(const Head& head) {
    if (analysis())
        analysisInstruction(head);
    else
        definitionInstruction(head);
}

void AsmScanPass::definitionInstruction(const Head& head) {
    if (awaitingFirst_ >= 0) {
        if (isDataClass(head.cls) || head.cls == kAsmEquate)
            labels_->Mutable(static_cast<std::size_t>(awaitingFirst_)).data = true;
        awaitingFirst_ = -1;
    }
    switch (head.cls) {
    case kAsmCall:
        if (callTarget(head.operands, name_))
            addCallName(name_);
        makePendingModule();
        break;
    case kAsmReturn:
        makePendingModule();
        break;
    case kAsmExport:
        exportNames(head.operands);
        break;
    case kAsmImport:
    case kAsmCondition:
        break;
    case kAsmWordDefine:
        if (tables_ || combineTables_)
            tableEntries(head.operands);
        pending_ = -1;
        break;
    case kAsmByteDefine:
    case kAsmDefineStorage:
        pending_ = -1; // data is no module
        break;
    case kAsmEquate:
        if (!lineLabelName_.empty())
            equate(lineLabelName_, head.operands);
        pending_ = -1;
        break;
    case kAsmInclude:
        include(head.operands, file_.path);
        break;
    default:
        makePendingModule();
        break;
    }
}

void AsmScanPass::analysisInstruction(const Head& head) {
    if (pathPending_) {
        if (ModuleRecord* m = current())
            StartPathNumber(file_, *m);
        pathPending_ = false;
    }
    switch (head.cls) {
    case kAsmCall:
        call(head.operands);
        break;
    case kAsmMove:
        if (combineTables_)
            move(head.operands);
        break;
    case kAsmEquate:
        if (!lineLabelName_.empty())
            equate(lineLabelName_, head.operands);
        break;
    case kAsmInclude:
        include(head.operands, file_.path);
        break;
    case kAsmBranchCondition:
        AddBranchPoint(file_, current());
        branch(head.operands);
        break;
    case kAsmBranchAlways:
        branch(head.operands);
        break;
    default:
        break;
    }
}

void AsmScanPass::addCallName(std::string_view name) {
    plainKeyOf(name, key_);
    labels_->AddCallName(key_);
}

void AsmScanPass::exportNames(const char* p) {
    for (;;) {
        p = read(p, token_);
        if (token_.empty() || AsmTokenReader::IsCommentStart(token_.front()))
            return;
        if (!names_.Normalise(token_, name_))
            continue;
        keyOf(name_, key_);
        if (const AsmLabel* l = labels_->Find(key_)) {
            // Exported after its definition: a routine at once (data stays data).
            if (l->line > 0 && !l->data)
                engine_.CreateModule(l->name, l->line, 0, true);
            continue;
        }
        AsmLabel fresh;
        fresh.name = name_;
        plainKeyOf(name_, fresh.plainKey);
        fresh.exported = true;
        fresh.local = token_.front() == '.' || token_.front() == '@';
        labels_->Add(key_, std::move(fresh));
    }
}

void AsmScanPass::tableEntries(const char* p) {
    for (;;) {
        p = read(p, token_);
        if (token_.empty() || AsmTokenReader::IsCommentStart(token_.front()))
            return;
        const char c = token_.front();
        // Numbers and the binary and hexadecimal literals B'0101' and H'FF'.
        if (isDigit(c) ||
            (token_.size() > 1 && token_[1] == '\'' && (upper(c) == 'B' || upper(c) == 'H')))
            continue;
        if (!names_.Normalise(token_, name_))
            continue;
        addCallName(name_);
        if (combineTables_ && tableLabel_ >= 0)
            labels_->Mutable(static_cast<std::size_t>(tableLabel_)).entries.push_back(name_);
    }
}

bool AsmScanPass::callTarget(const char* p, std::string& name) {
    for (;;) {
        p = AsmTokenReader::SkipBlanks(p);
        if (*p == '[' || *p == '(')
            return false; // an indirect call
        p = read(p, token_);
        if (token_.empty() || AsmTokenReader::IsCommentStart(token_.front()))
            return false;
        if (isCallQualifier(token_))
            continue;
        // "cs:[bx]" is indirect as well; an operand beginning with a digit is an offset.
        if (*p == '[' || isDigit(token_.front()))
            return false;
        return names_.Normalise(token_, name);
    }
}

void AsmScanPass::call(const char* operands) {
    ModuleRecord* cur = current();
    if (!cur || !callTarget(operands, name_))
        return;
    if (ModuleRecord* m = engine_.FindModule(name_)) {
        record(name_, m);
        return;
    }
    if (engine_.AddCallToUndefined(name_))
        words_.MarkCall();
}

void AsmScanPass::record(std::string_view name, ModuleRecord* module) {
    engine_.AddCallFound(name, module);
    words_.MarkCall();
}

ModuleRecord* AsmScanPass::tableEntryModule(std::string_view entry) {
    if (ModuleRecord* m = engine_.FindDefinedModule(entry, true))
        return m;
    if (!index_)
        return nullptr;
    FileRecord* file = nullptr;
    plainKeyOf(entry, scratch_);
    const AsmLabel* l = index_->Find(engine_, scratch_, &file);
    if (!l || l->data || !file)
        return nullptr;
    if (ModuleRecord* m = engine_.CreateModuleInFile(*file, l->name, l->line, 0, true))
        return m;
    return engine_.FindDefinedModule(entry, true);
}

void AsmScanPass::move(const char* p) {
    if (!current())
        return;
    for (;;) {
        p = read(p, token_);
        if (token_.empty() || AsmTokenReader::IsCommentStart(token_.front()))
            return;
        if (!names_.Normalise(token_, name_))
            continue;
        // Only what the analysed files define: a module, or a table whose entries are labels.
        if (ModuleRecord* m = engine_.FindDefinedModule(name_, true)) {
            record(name_, m);
            continue;
        }
        const AsmLabel* table = findLabel(name_);
        if (!table && index_) {
            plainKeyOf(name_, key_);
            table = index_->Find(engine_, key_);
        }
        if (!table)
            continue;
        for (const std::string& entry : table->entries)
            if (ModuleRecord* m = tableEntryModule(entry))
                record(entry, m);
    }
}

void AsmScanPass::branch(const char* p) {
    for (;;) {
        p = read(p, token_);
        if (token_.empty() || AsmTokenReader::IsCommentStart(token_.front()))
            return;
        if (!names_.Normalise(token_, name_))
            continue;
        const AsmLabel* l = findLabel(name_);
        if (l && l->line > 0) {
            engine_.AddBranch(lineNo_, l->line); // one branch per line
            return;
        }
    }
}

// --- equates and include files -------------------------------------------------------------------

void AsmScanPass::equate(std::string_view name, const char* operands) {
    if (!constants_ || name.empty())
        return;
    read(operands, token_);
    if (token_.empty() || AsmTokenReader::IsCommentStart(token_.front()))
        return;
    ConstantRecord c;
    c.name = std::string(name);
    if (const ConstantRecord* known = engine_.LookupConstant(token_)) {
        c.value = known->value;
        c.isText = known->isText;
        c.hasText = known->hasText;
        c.text = known->text;
    } else if (isHexDigit(token_.front())) {
        // Read as decimal: "0FFh" gives its leading digits only.
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < token_.size() && isDigit(token_[i]); ++i)
            v = v * 10 + static_cast<std::uint32_t>(token_[i] - '0');
        c.value = static_cast<int>(v);
    } else {
        c.value = 1;
        c.isText = 1;
        c.hasText = true;
        c.text = token_;
    }
    ConditionalCompilation::AddConstant(engine_, std::move(c), false);
}

void AsmScanPass::include(const char* operands, const std::string& includingPath) {
    read(operands, token_);
    std::string_view name = token_;
    if (name.empty() || AsmTokenReader::IsCommentStart(name.front()))
        return;
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'')
        name = name.substr(1, name.size() - 2);
    const std::string path = engine_.ResolveInclude(includingPath, name);
    if (path.empty())
        return;
    const bool queued = engine_.QueueInclude(path, file_.kind) != 0;
    if (prescanIncludes_ && (queued || !includeOnce_))
        prescan(path);
}

void AsmScanPass::prescan(const std::string& path) {
    if (!conditions_.EnterInclude(path)) {
        if (conditions_.IncludeLimitReached() && !limitReported_ && !analysis()) {
            limitReported_ = true;
            engine_.Messages().Message(Format(tr("Include files of %s nest too deeply or repeat "
                                                 "too often: some were not read."),
                                              file_.path.c_str()),
                                       tr("Caution"), MessageKind::Warning);
        }
        return;
    }
    if (auto text = conditions_.IncludeText(engine_, path)) {
        std::string name;
        for (std::size_t i = 0; i < text->lineCount(); ++i) {
            const char* line = text->line(i).data();
            const Head h = parseHead(line);
            const bool directive = h.directive != Directive::None;
            if (!(stateOf(h) & kConditionActive) || directive || !h.hasWord)
                continue;
            if (h.cls == kAsmEquate && h.hasLabel) {
                name = labelText_;
                if (!name.empty() && name.back() == ':')
                    name.pop_back();
                equate(name, h.operands);
            } else if (h.cls == kAsmInclude) {
                include(h.operands, path);
            }
        }
    }
    conditions_.LeaveInclude();
}

} // namespace lumbra
