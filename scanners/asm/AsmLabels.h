// What the assembler's definition pass learns about one file and its analysis pass reads: the
// labels with their lines, export flags and table entries, and the names used as call targets.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Records.h"

namespace lumbra {

class NFileAnly;

struct AsmLabel {
    std::string name;      // as written, after name normalisation
    std::string plainKey;  // the name as lookups compare it (upper-cased under option 10)
    int line = 0;          // 0: only exported so far
    bool exported = false; // named by an Export before its definition
    bool local = false;    // written with a leading '.' or '@'
    bool data = false;     // its first statement defines data or an equate: no routine
    std::vector<std::string> entries; // names of the "2 Bytes Define" table that follows it
};

// Labels are found by key: the name (upper-cased when names are compared without regard to
// case), a local label's name prefixed by the label it belongs to.
class AsmFileLabels final : public ScannerFileData {
public:
    AsmLabel* Find(std::string_view key);
    const AsmLabel* Find(std::string_view key) const;
    // The first label whose name (without its owner) has this key: the fallback for a local
    // label that is used outside the label it belongs to.
    const AsmLabel* FindPlain(std::string_view plainKey) const;
    AsmLabel& Add(std::string key, AsmLabel label);

    const std::vector<AsmLabel>& Labels() const { return labels_; }
    AsmLabel& Mutable(std::size_t i) { return labels_[i]; }

    // Call names, each once, in first-use order.
    void AddCallName(std::string_view key);
    const std::vector<std::string>& CallNames() const { return callNames_; }

    // Gives the file fresh, empty lists (start of its definition pass).
    static AsmFileLabels& Renew(FileRecord& file);
    // The lists of a file; null when its definition pass made none.
    static AsmFileLabels* Of(const FileRecord& file);

private:
    std::vector<AsmLabel> labels_;
    std::unordered_map<std::string, std::size_t> byKey_;
    std::unordered_map<std::string, std::size_t> byPlainKey_;
    std::vector<std::string> callNames_;
    std::unordered_set<std::string> callNameSet_;
};

// The labels of every assembler file by plain key, the first definition in registration order
// winning: which file a called or tabled name is defined in.
class AsmLabelIndex {
public:
    void Build(const NFileAnly& engine);
    // The defined label of this plain key, or null.
    const AsmLabel* Find(const NFileAnly& engine, std::string_view plainKey,
                         FileRecord** file = nullptr) const;

private:
    struct Entry {
        int file = 0;          // file index
        std::size_t label = 0; // position in that file's label list
    };
    std::unordered_map<std::string, Entry> byKey_;
};

} // namespace lumbra
