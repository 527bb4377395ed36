// The records of the analysis database: files, modules, calls, constants and branches.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lumbra {

// Language kind of a file; selects its scanner.
enum LanguageKind : int {
    kKindAssembler = 0,
    kKindBasic = 1,
    kKindCFamily = 2,
    kKindPascal = 3,
};
inline constexpr int kLanguageKindCount = 4;

// Character encodings of source text, in the order of the setup dialog's list.
enum EncodingCode : int {
    kEncAnsi = 0, // Shift-JIS
    kEncJis = 1,  // ISO-2022-JP
    kEncEucJp = 2,
    kEncUtf8 = 3,
    kEncUtf16Le = 4,
    kEncUtf16Be = 5,
};

// Line-end codes: CR+LF is 138, not 13 + 10.
inline constexpr std::uint8_t kLineEndLf = 10;
inline constexpr std::uint8_t kLineEndCr = 13;
inline constexpr std::uint8_t kLineEndCrLf = 138;

// Module kinds.
inline constexpr int kModuleOrdinary = 0;
inline constexpr int kModuleContainer = 1;
inline constexpr int kModuleBasicFile = 2;

// Last-write time of a file in local time, field for field as the system-time structure.
struct FileTime {
    int year = 0;
    int month = 0;
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

struct CallRecord {
    std::string name;   // callee name as written at the call site
    int targetId = 0;   // called module, 0 when none was found
    int ordinal = 0;    // order of first appearance within the caller
    int value = 0;      // first form: the target-line argument; second form: the value argument
    int targetLine = 0; // second form only: definition line the call is pinned to
    std::uint16_t sortStamp = 0;
};

struct ModuleRecord {
    std::string name;
    int id = 0;
    bool hasFunctionText = false;
    std::string functionText;
    int fileIndex = 0;
    int line = 0; // 0: known only by declaration or created for an unknown callee
    int spare = 0;
    int exec = 0;
    int comment = 0;
    int define = 0;
    int space = 0;
    int other = 0;
    int execInc = 0;
    int pathInc = 0;
    int containerKind = kModuleOrdinary;
    int recursive = 0;
    int foldState = 0;
    int pathNumb = 0;
    int scannerValues[3] = {0, 0, 0};
    std::vector<CallRecord> calls;
    std::vector<int> callers; // caller module ids, one per distinct caller

    int lowerCount() const { return static_cast<int>(calls.size()); }
    int upperCount() const { return static_cast<int>(callers.size()); }
    int total() const { return spare + exec + comment + define + space + other; }

    // Position in the file's module list: appended modules count up from 0, modules inserted at
    // the head (class nodes) count down from -1. Orders the name index like the list itself.
    std::int64_t listPosition = 0;

    // Indexes over calls and callers, built once the lists grow long (duplicate checks would
    // otherwise make modules with thousands of callers quadratic). Dropped when calls are
    // re-sorted.
    std::unique_ptr<std::unordered_multimap<std::size_t, int>> callIndex;
    std::unique_ptr<std::unordered_set<int>> callerIndex;

    // Values as the definition pass left them, so that a second analysis over the same records
    // starts from the same place as the first.
    struct FirstPass {
        int line = 0, exec = 0, comment = 0, define = 0, space = 0, other = 0, pathNumb = 0;
        int recursive = 0, containerKind = 0;
    } firstPass;
};

struct ConstantRecord {
    std::string name;
    bool hasText = false; // the string value exists
    std::string text;
    int value = 0;
    int isText = 0; // 1: the value could not be evaluated as a number, or is text
    int useCount = 0;
};

// A list of constants that keeps insertion order and finds names without scanning.
class ConstantList {
public:
    const ConstantRecord* find(std::string_view name) const;
    ConstantRecord* find(std::string_view name);
    // Appends; when the name exists and replace is set, the existing entry takes the new values.
    // Returns false when the name existed (and was replaced or kept).
    bool add(ConstantRecord record, bool replace);
    bool remove(std::string_view name);
    void clear();
    std::size_t size() const { return items_.size(); }
    const ConstantRecord& operator[](std::size_t i) const { return items_[i]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    void reindex();
    std::vector<ConstantRecord> items_;
    std::unordered_map<std::string, std::size_t> byName_;
};

struct BranchRecord {
    int sourceLine = 0;
    int joinLine = 0;
    int targetLine = 0;
    int column = 0; // 1-based
};

struct BranchIndex; // lookups over a file's branch records (NFileAnlyScan.cpp)

// What a scanner keeps about a file from its definition pass for its analysis pass (the
// assembler's label lists); each scanner derives its own.
struct ScannerFileData {
    virtual ~ScannerFileData() = default;
};

struct FileRecord {
    std::string path; // exactly as registered
    std::string name; // file name with extension
    int index = 0;
    int moduleCount = 0;
    int spareA = 0;
    int kind = 0;
    int regionFlag = 0;
    int encoding = 0;
    std::uint8_t lineEnd = kLineEndLf;
    int lineCount = 0;
    int spareB = 0;
    int exec = 0;
    int comment = 0;
    int define = 0;
    int space = 0;
    int other = 0;
    int pathNumb = 0;
    int spareC = 0;
    int spareD = 0;
    int branchColumnCount = 0;
    int greatestBlockLevel = 0;
    FileTime timeStamp;
    std::uint64_t size = 0; // the whole size, also past 4 GB

    // Module list in list order: class nodes are inserted at the head, all others appended.
    std::deque<ModuleRecord*> modules;
    ModuleRecord* currentModule = nullptr;
    ConstantList constants;
    std::vector<BranchRecord> branches;
    std::shared_ptr<BranchIndex> branchIndex;     // rebuilt when it no longer covers `branches`
    std::vector<std::uint32_t> lineTable;         // line count + 1 words; empty when none allocated
    std::unique_ptr<ScannerFileData> scannerData; // set by the file's scanner, or null

    std::int64_t nextTailPosition = 0;
    std::int64_t nextHeadPosition = -1;

    struct FirstPass {
        int exec = 0, comment = 0, define = 0, space = 0, other = 0, pathNumb = 0, regionFlag = 0;
    } firstPass;
};

// Copy-out record of one file (GetFileInfo). The line table and branch list are shared with the
// engine and stay valid until the files are cleared.
struct FileInfo {
    std::string path;
    std::string name;
    int index = 0;
    int moduleCount = 0;
    int spareA = 0;
    int kind = 0;
    int regionFlag = 0;
    int encoding = 0;
    std::uint8_t lineEnd = kLineEndLf;
    int lineCount = 0;
    int spareB = 0;
    int exec = 0;
    int comment = 0;
    int define = 0;
    int space = 0;
    int other = 0;
    int pathNumb = 0;
    int spareC = 0;
    int spareD = 0;
    int branchColumnCount = 0;
    int greatestBlockLevel = 0;
    const std::vector<std::uint32_t>* lineTable = nullptr;
    const std::vector<BranchRecord>* branches = nullptr;
    FileTime timeStamp;
    std::uint64_t size = 0;
};

} // namespace lumbra
