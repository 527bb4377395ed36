// One pass of the assembler scanner over one file: the definition pass (labels, exported labels
// that become modules, call names, tables, line classes) or the analysis pass (calls, branch
// records, path numbers, module line counts, line words).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "asm/AsmLabels.h"
#include "asm/AsmTokenReader.h"
#include "common/ConditionalCompilation.h"
#include "common/LineCounts.h"
#include "common/LineWordBuilder.h"

namespace lumbra {

class NFileAnly;
class SourceText;
struct FileRecord;
struct ModuleRecord;

// The thirteen instruction classes, in the order of the instruction settings.
enum AsmClass : int {
    kAsmNone = -1,
    kAsmCall = 0,
    kAsmReturn = 1,
    kAsmMove = 2,
    kAsmExport = 3,
    kAsmImport = 4,
    kAsmByteDefine = 5,
    kAsmWordDefine = 6,
    kAsmDefineStorage = 7,
    kAsmEquate = 8,
    kAsmCondition = 9,
    kAsmInclude = 10,
    kAsmBranchCondition = 11,
    kAsmBranchAlways = 12,
};

class AsmScanPass {
public:
    enum class Mode { Definition, Analysis };

    // `index` (analysis pass): the labels of every assembler file.
    AsmScanPass(NFileAnly& engine, FileRecord& file, ConditionalCompilation& conditions,
                const AsmLabelIndex* index, Mode mode);
    void Run(const SourceText& text);

    // The class of an instruction word: the word as it stands, else without a size suffix
    // ".b", ".w", ".s" or ".l"; "=" and words beginning with it are equates.
    static int ClassOf(const NFileAnly& engine, std::string_view word);

private:
    // How a line begins: its label (if any) and its instruction word.
    struct Head {
        Directive directive = Directive::None;
        std::string_view condition;      // the operand of a conditional directive
        bool comment = false;            // the first token begins a comment
        bool hasLabel = false;           // a label (its text in labelText_)
        bool proc = false;               // "name PROC": the label is a routine
        const char* commentAt = nullptr; // the comment of a comment line or after the label
        bool hasWord = false;            // an instruction word follows (in word_)
        bool wordComment = false;        // a comment follows the label
        const char* operands = nullptr;
        int cls = kAsmNone;
    };
    Head parseHead(const char* text);
    // Whether a first token without a colon (token_, followed by word_) is a label.
    bool labelWithoutColon(bool column0) const;

    // The condition state of a line: directives move the condition stack.
    unsigned stateOf(const Head& h);
    void line(const char* text);
    void inactiveLine(bool directive);
    void label(const Head& head);
    void instruction(const Head& head);
    void definitionInstruction(const Head& head);
    void analysisInstruction(const Head& head);

    // Definition pass.
    void makePendingModule();
    void exportNames(const char* operands);
    void tableEntries(const char* operands);
    void addCallName(std::string_view name);

    // Analysis pass.
    void call(const char* operands);
    void move(const char* operands);
    void branch(const char* operands);
    void record(std::string_view name, ModuleRecord* module);
    ModuleRecord* tableEntryModule(std::string_view entry);

    // Both passes.
    void equate(std::string_view name, const char* operands);
    void include(const char* operands, const std::string& includingPath);
    void prescan(const std::string& path);
    // The call target of a Call: the first operand name after the size and distance words;
    // none for an indirect call.
    bool callTarget(const char* operands, std::string& name);

    void keyOf(std::string_view name, std::string& key);
    void plainKeyOf(std::string_view name, std::string& key) const;
    const AsmLabel* findLabel(std::string_view name);
    // The token reader in token mode, Shift-JIS aware when the internal code page is 932.
    const char* read(const char* p, std::string& out, const char** start = nullptr) const;
    void count(LineClass c);
    void captureLabels(const char* commentStart);
    void setCurrent(ModuleRecord* module);
    ModuleRecord* current() const;
    bool analysis() const { return mode_ == Mode::Analysis; }

    NFileAnly& engine_;
    FileRecord& file_;
    ConditionalCompilation& conditions_;
    const AsmLabelIndex* index_;
    const Mode mode_;
    AsmFileLabels* labels_;
    AsmNames names_;
    LineWordBuilder words_;

    // Options read once per pass.
    bool ignoreCase_, tables_, combineTables_, constants_, prescanIncludes_, includeOnce_,
        labelLinesOther_, storageDefine_, captureLabels_, cp932_;

    // Per-file state.
    int lineNo_ = 0;
    std::string scope_;        // key of the last label that is not local
    long pending_ = -1;        // definition: the exported label waiting to become a module
    long awaitingFirst_ = -1;  // definition: the label whose first statement is still to come
    long tableLabel_ = -1;     // definition: the label that "2 Bytes Define" entries belong to
    bool pathPending_ = false; // analysis: the current module's first instruction is to come
    bool limitReported_ = false;

    // Per-line state.
    std::string lineLabelName_; // the label of this line ("" when none)
    bool lineHasCall_ = false;

    std::string token_, word_, labelText_, name_, key_, scratch_, operand_;
};

} // namespace lumbra
