// The analysis engine: the single store of files, modules, calls, constants and options, with
// the operations every scanner, view and report reaches it through.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "LanguageScanner.h"
#include "Records.h"
#include "TextInput.h"

namespace lumbra {

class MessageSink;

// A language's word splitter for header comments: copies the next word into `out` and returns the
// text after it. `separators` are the two item separator characters.
using CommentWordSplitter = std::string_view (*)(std::string_view text, std::string& out,
                                                 std::string_view separators);

// Analysis states.
enum AnalysisState : int {
    kStateNone = 0,      // nothing analysed
    kStateRunning = 1,   // second pass running
    kStateAnalysed = 2,  // analysed
    kStateStopped = 3,   // stopped by the user
    kStateReanalyse = 5, // a re-analysis was requested
};

inline constexpr int kOptionCount = 20;
inline constexpr int kCountOptionCount = 3;

// Analysis option indexes (SetOption).
enum AnalysisOption : int {
    kOptDeleteTopUnderscore = 0,
    kOptUseDefineConstant = 1,
    kOptUseConditionInFile = 2,
    kOptDefineConstantInInclude = 3,
    kOptDeleteDecorationChars = 4,
    kOptTableDefineModule = 5,
    kOptSearchMemberModule = 6,
    kOptExceptModule = 7,
    kOptCombineTableModule = 8,
    kOptDeleteLastUnderscore = 9,
    kOptIgnoreCase = 10,
    kOptDefineConstantFile = 11,
    kOptDesignerRegion = 12,
    kOptCombineModuleClass = 13,
    kOptExceptClassInMember = 14,
    kOptExceptClassPointer = 15,
    kOptExceptUndefined = 16,
    kOptMemberSearchLink = 17,
    kOptAddIncludeFiles = 18,
    kOptIncludeOnce = 19,
};

// Flag value returned when a call to an undefined module was recorded.
inline constexpr int kUndefinedCallFlag = 0x20000000;

// What the user-interface thread may read while the second pass runs.
struct RunProgress {
    int state = kStateNone;
    int finishedFiles = 0;
    std::string fileName;   // file whose second pass is running
    std::string moduleName; // its current module ("" when none)
};

// Inputs of the walk (see NFileAnlyWalk.cpp).
struct WalkNodeInfo {
    std::string name;
    int id = 0;
    int fileIndex = 0;
    int line = 0;
    int spare = 0;
    int exec = 0;
    int comment = 0;
    int define = 0;
    int space = 0;
    int other = 0;
    int containerKind = 0;
    int recursive = 0;
    int foldState = 0;
    int lowerCount = 0;
    int upperCount = 0;
    int pathNumb = 0;
    int scannerValues[3] = {0, 0, 0};
    int level = 0;
    int visited = 0;
};

class NFileAnly {
public:
    NFileAnly();
    ~NFileAnly();
    NFileAnly(const NFileAnly&) = delete;
    NFileAnly& operator=(const NFileAnly&) = delete;

    // --- scanners and sinks --------------------------------------------------------------
    void SetScanner(int kind, std::unique_ptr<LanguageScanner> scanner);
    LanguageScanner* GetScanner(int kind) const;
    void SetMessageSink(MessageSink* sink); // nullptr: messages are dropped
    MessageSink& Messages() const;

    // Reading settings for every reader of source text.
    void SetTextReadSettings(const TextReadSettings& settings) { readSettings_ = settings; }
    const TextReadSettings& GetTextReadSettings() const { return readSettings_; }

    // --- files (operations 0-17) -----------------------------------------------------------
    int AddFile(const std::string& path, int kind);                    // 0
    int RegisterFile(const std::string& path, int kind);               // 1
    void ClearFiles();                                                 // 2
    int Analyze();                                                     // 3
    void AddClassNodes();                                              // 4 (NFileAnlyWalk.cpp)
    int GetFileCount() const { return fileCount_.load(); }             // 5
    const char* GetCurrentFilePath() const;                            // 6
    const char* GetFilePath(int i) const;                              // 7
    const char* GetFileName(int i) const;                              // 8
    int GetFileKind(int i) const;                                      // 9
    int GetFileInfo(int i, FileInfo& out) const;                       // 10
    int GetFileInfoByPath(std::string_view path, FileInfo& out) const; // 11
    int HasModuleAtLine(std::string_view path, int line) const;        // 12
    int GetModuleLineAt(int i, int line) const;                        // 13
    int GetConstantCount(int i) const;                                 // 14
    std::string FormatConstant(int i, int k) const;                    // 15
    std::string NextConstantText(int i, int continueFlag);             // 16
    const char* GetPathByFileName(std::string_view name) const;        // 17
    bool IsRegistered(const std::string& path) const { return fileByPath_.count(path) != 0; }

    // --- modules (operations 18-40) -------------------------------------------------------
    int GetModuleCount() const { return moduleCount_; } // 18
    const char* GetCurrentModuleName() const;           // 19
    int FindModuleId(std::string_view name);            // 20
    const char* GetModuleName(int id) const;            // 21
    int GetNameWidth(int shortName) const;              // 22
    const ModuleRecord* GetModule(int id) const;        // 23
    int GetModuleLine(int id) const;                    // 24
    int GetModuleValue(int id, int selector) const;     // 25
    const char* GetModuleFilePath(int id) const;        // 26
    const char* GetModuleFileName(int id) const;        // 27
    int GetModuleFileIndex(int id) const;               // 28
    int GetUpperCount(int id) const;                    // 29
    int GetContainerKind(int id) const;                 // 30
    int IsRecursive(int id) const;                      // 31
    const char* GetUpperName(int id, int k) const;      // 32
    std::string GetFunctionText(int id) const;          // 33
    int GetLowerCount(int id) const;                    // 34
    const char* GetLowerName(int id, int k) const;      // 35
    int GetLowerTargetLine(int id, int k) const;        // 36
    int GetLowerValue(int id, int k) const;             // 37
    int GetPathNumber(int id) const;                    // 38
    int GetFoldState(int id) const;                     // 39
    void SetFoldState(int id, int state);               // 40

    // --- keywords (41-42) -------------------------------------------------------------------
    void AddKeywords(std::string_view text, int type); // 41
    void ClearKeywords();                              // 42
    // Type of a word (upper-cased first), -1 when it is no keyword.
    int LookupKeyword(std::string_view word) const;
    // The six conditional-assembly directive names derived from the Condition keyword:
    // IF, IFDEF, IFNDEF, ELSE, ELIF, ENDIF forms; empty when none was derived.
    const std::array<std::string, 6>& ConditionKeywords() const { return conditionKeywords_; }

    // --- walk (43-53, NFileAnlyWalk.cpp) -----------------------------------------------------
    int BeginWalk(std::string_view name);    // 43
    int GetWalkDepth() const;                // 44
    int WalkDown();                          // 45
    int WalkNext();                          // 46
    int WalkAgain();                         // 47
    int WalkUp();                            // 48
    int GetWalkNode(WalkNodeInfo& out);      // 49
    int IsWalkNodeNew() const;               // 50
    int GetWalkNodeCount() const;            // 51
    int GetWalkCounter() const { return 0; } // 52
    void EndWalk();                          // 53

    // BeginWalk for one module record: roots are built by id, since several modules may share
    // a name (one per file, or differing in case under option 10).
    int BeginWalkId(int id);
    // Where the short form of a name starts: after the last '.', else after the first "::".
    static std::size_t ShortNameStart(std::string_view name);

    // --- configuration (54-67) ----------------------------------------------------------------
    void SetCommentKeyword(std::string_view text, int index);          // 54
    void SetDecorationChars(std::string_view text);                    // 55
    void SetOption(int index, int value);                              // 56
    void SetCountOption(int index, int value);                         // 57
    void SetDefaultFoldState(int value) { defaultFoldState_ = value; } // 58
    void SetSourceFolding(int value) { sourceFolding_ = value; }       // 59
    void SetIncludePaths(std::string_view text);                       // 60
    void SetTreeSortOrder(int value) { treeSortOrder_ = value; }       // 61
    void AddExceptModule(const char* name);                            // 62
    void ClearExceptModules();                                         // 63
    int IsNotExcepted(std::string_view name) const;                    // 64
    int AddConstant(std::string_view name, int value);                 // 65
    void ClearConstants();                                             // 66
    void ClearIncludePaths() { includePaths_.clear(); }                // 67

    // --- string helpers (68, 72-75) -------------------------------------------------------------
    // Word splitter (68): copies the next word into `out` and returns the rest, or nullopt when
    // the word begins a comment (';' or '*').
    std::optional<std::string_view> NextWord(std::string_view text, std::string& out,
                                             int mode) const;
    static int ParseNumber(std::string_view text);                             // 72
    static std::string& AppendString(std::string& dest, std::string_view src); // 73
    static std::string& CopyString(std::string& dest, std::string_view src);   // 74
    static int CompareString(std::string_view a, std::string_view b);          // 75

    // --- option and state readers ------------------------------------------------------------
    int GetOption(int index) const;
    int GetCountOption(int index) const;
    int GetDefaultFoldState() const { return defaultFoldState_; }
    int GetSourceFolding() const { return sourceFolding_; }
    int GetTreeSortOrder() const { return treeSortOrder_; }
    bool OptionsChanged() const { return optionsChanged_; }
    const std::string& GetDecorationChars() const { return decorationChars_; }
    const std::string& GetSeparators() const { return separators_; }
    const std::string& GetCommentKeyword(int index) const { return commentKeywords_.at(index); }
    const std::vector<std::string>& GetIncludePaths() const { return includePaths_; }
    const std::vector<std::string>& GetExceptModules() const { return exceptModules_; }
    const ConstantList& GetGlobalConstants() const { return globalConstants_; }

    int GetState() const { return state_.load(); }
    void SetState(int state) { state_.store(state); }
    // Stops a running second pass at the next file boundary (state 1 -> 3).
    void RequestStop();
    RunProgress GetRunProgress() const;

    // --- services for the scanners --------------------------------------------------------------
    FileRecord* CurrentFile() const { return currentFile_; }
    void SetCurrentFile(FileRecord* file) { currentFile_ = file; }
    FileRecord* GetFile(int i) const;
    std::size_t FileListSize() const { return files_.size(); }
    ModuleRecord* GetModuleRecord(int id) const;
    // The module whose body the scanner reads; calls are recorded from it.
    void SetCurrentModule(ModuleRecord* module);

    // Module creation: nullptr for an empty name or, with rejectDuplicates, when the current
    // file already has a module of byte-for-byte this name.
    ModuleRecord* CreateModule(std::string_view name, int line, int recursive,
                               bool rejectDuplicates);
    // Module creation in the file whose public symbols list the name (assembler).
    ModuleRecord* CreateModuleInFile(FileRecord& file, std::string_view name, int line,
                                     int recursive, bool rejectDuplicates);
    // A class node inserted at the head of the file's module list.
    ModuleRecord* CreateClassNode(FileRecord& file, std::string_view name, int line);
    // Changes a module's definition line (keeps the name index in order).
    void SetModuleLine(ModuleRecord& module, int line);

    // The four-sweep lookup by name (current file first, then all files; defined modules first).
    ModuleRecord* FindModule(std::string_view name);
    // Only the current file's modules.
    ModuleRecord* FindModuleInCurrentFile(std::string_view name);
    // Lookup by name and definition line.
    ModuleRecord* FindModuleAtLine(std::string_view name, int line);
    // Only modules with a definition line: the current file's first, then (allFiles) the others.
    ModuleRecord* FindDefinedModule(std::string_view name, bool allFiles);
    // The current file's module of this name defined at this line.
    ModuleRecord* FindModuleInCurrentFileAtLine(std::string_view name, int line);
    // Member lookup: the unique module whose name after its last "::" equals the text after a
    // leading "->" or the first '.', nullptr when none or ambiguous.
    ModuleRecord* FindMember(std::string_view callText);
    // Name comparison under option 10.
    bool NamesEqual(std::string_view a, std::string_view b) const;

    // Adding a call, first form: from the current file's current module. 1 recorded, 0 not.
    int AddCall(std::string_view callee, int targetLine);
    // The first form without a target line, for a caller that already looked the callee up by
    // name (`found` is what FindModule(callee) returned).
    int AddCallFound(std::string_view callee, ModuleRecord* found);
    // Second form: from a given module, with value and pinned target line.
    int AddCallFrom(ModuleRecord* caller, std::string_view callee, int value, int targetLine);
    // A call to a name no module has: creates the undefined module in the current file.
    int AddCallToUndefined(std::string_view callee);

    // Per-file and global constants.
    // Adds to the current file's list; replace: a later definition replaces the earlier one.
    void AddFileConstant(ConstantRecord record, bool replace);
    void RemoveFileConstant(std::string_view name);
    void ClearFileConstants();
    // The global list first, then the current file's; counts a use.
    const ConstantRecord* LookupConstant(std::string_view name);
    // Adds to the global list regardless of option 11 (define files, WINVER, command line).
    int AddGlobalConstant(ConstantRecord record);

    // --- scanner support services (NFileAnlyScan.cpp) -------------------------------------------
    // Include queue: 1 when queued, 0 when the path is already pending.
    int QueueInclude(const std::string& path, int kind);
    // Finds the file an include directive names: the name (quotes removed, backslashes as
    // separators) as an absolute path, then beside the current file, then beside the including
    // file and below each include folder, where each leading "../" climbs one folder of the base.
    // When no exact path exists, each path component is matched without regard to case. Returns
    // "" when nothing exists.
    std::string ResolveInclude(std::string_view includingPath, std::string_view name) const;
    const std::vector<std::pair<std::string, int>>& PendingIncludes() const {
        return pendingIncludes_;
    }
    void ClearPendingIncludes() { pendingIncludes_.clear(); }

    // Header-comment item values (0-3) found by ReadCommentItem.
    std::string& CommentItem(int index) { return commentItems_.at(index); }
    void ClearCommentItems();
    // Reads one header-comment item: when the first word of `text` equals one of the four comment
    // keywords, the next word becomes that item's value. Returns the text after the last word
    // read. This variant splits words as NextWord mode 1 (assembler, Basic).
    std::string_view ReadCommentItem(std::string_view text);
    // The same with a language's own word splitter in its label mode. A value word that runs
    // into one of `commentEnds` is cut before it, and the rest starts at the comment end so that
    // the caller still sees it.
    std::string_view ReadCommentItem(std::string_view text, CommentWordSplitter split,
                                     std::initializer_list<std::string_view> commentEnds);

    // Branch chart of the current file: 1 added, 0 refused (a branch from that line exists).
    int AddBranch(int sourceLine, int targetLine);

    // Line table of the current file.
    void AllocateLineTable(int lineCount);
    void SetLineWord(int line, std::uint32_t value);
    std::uint32_t GetLineWord(int line) const;
    // End of a file's second pass: marks module lines, measures containers, and stores the
    // greatest block level.
    void FinishLineTable();

private:
    struct NameBucket {
        std::vector<ModuleRecord*> all;     // every module of this key, in list order
        std::vector<ModuleRecord*> defined; // those with a nonzero line
    };

    ModuleRecord* newModule(FileRecord& file, std::string_view name, int line, int recursive,
                            bool atHead);
    void indexModule(ModuleRecord* m);
    void unindexDefined(ModuleRecord* m);
    static void insertOrdered(std::vector<ModuleRecord*>& v, ModuleRecord* m);
    std::string nameKey(std::string_view name) const;
    ModuleRecord* sweep(std::string_view name, int line, bool allFiles, bool definedOnly = false);
    bool hasCall(ModuleRecord& caller, std::string_view name, const int* targetLine);
    void addCaller(ModuleRecord& callee, int callerId);
    CallRecord& appendCall(ModuleRecord& caller, std::string_view name);
    int addCallTo(ModuleRecord& caller, std::string_view callee, ModuleRecord* target,
                  int targetLine);
    void updateProgressModule(const ModuleRecord* module);
    void takeFirstPassSnapshot();
    void restoreFirstPassSnapshot();
    void rebuildIndexes();

    std::array<std::unique_ptr<LanguageScanner>, kLanguageKindCount> scanners_;
    MessageSink* messages_ = nullptr;
    TextReadSettings readSettings_;

    std::atomic<int> state_{kStateNone};
    int cancel_ = 0;
    std::atomic<int> fileCount_{0};
    int lastAnalysedFileCount_ = 0;
    int moduleCount_ = 0;

    int walkDepth_ = 0;
    int walkNodeCount_ = 0;
    int nameWidth_ = 1;
    int shortNameWidth_ = 1;

    std::array<int, kCountOptionCount> countOptions_{};
    std::array<int, kOptionCount> options_{};
    bool optionsChanged_ = false;
    int defaultFoldState_ = 1;
    int sourceFolding_ = 0;
    int treeSortOrder_ = 0;

    std::vector<std::pair<std::string, int>> keywords_; // upper-cased word, type; table order
    std::unordered_map<std::string, int> keywordIndex_; // first entry of each word
    std::array<std::string, 6> conditionKeywords_;

    std::vector<std::unique_ptr<FileRecord>> files_;
    std::unordered_map<std::string, int> fileByPath_;
    std::unordered_map<std::string, int> fileByName_; // first file of each name
    FileRecord* currentFile_ = nullptr;
    std::vector<std::unique_ptr<ModuleRecord>> modules_; // by id - 1
    std::unordered_map<std::string, NameBucket> nameIndex_;
    std::unordered_map<std::string, std::vector<ModuleRecord*>> memberIndex_;

    std::vector<std::string> exceptModules_;
    std::unordered_set<std::string> exceptExact_;
    std::unordered_set<std::string> exceptUpper_;
    ConstantList globalConstants_;
    std::vector<std::pair<std::string, int>> pendingIncludes_;
    std::unordered_set<std::string> pendingIndex_; // the paths of pendingIncludes_
    std::vector<std::string> includePaths_;

    std::array<std::string, 4> commentKeywords_;
    std::array<std::string, 4> commentItems_;
    std::string separators_ = ":=";
    std::string decorationChars_;

    // Iterator state of NextConstantText.
    int constantCursor_ = 0;
    bool constantCursorInFile_ = false;

    // Walk stack (NFileAnlyWalk.cpp).
    // A node's inclusive values hold what its popped descendants contributed; a node passes
    // its totals to its parent when it is popped, so each step costs the same at any depth.
    struct WalkNode {
        int level = 0;
        int visited = 0;
        int execInc = 0;
        int pathInc = 0;
        int ownPath = 0;   // the module's path number when the node was pushed
        int pathBelow = 0; // path numbers of the popped descendants, each counted in full
        ModuleRecord* module = nullptr;
    };
    void pushWalkNode(ModuleRecord* module, int level);
    std::vector<WalkNode> walk_;
    std::vector<int> walkCount_; // per module id: occurrences on the walk stack (kept zeroed)

    // Module count when the second pass last started from freshly registered records; a later
    // second pass over the same records first returns them to that point.
    bool secondPassDone_ = false;
    int registeredModuleCount_ = 0;

    mutable std::mutex progressMutex_;
    std::string progressFile_;
    std::string progressModule_;

    std::string upperBuffer_;

    friend class NFileAnlyTestAccess;
};

} // namespace lumbra
