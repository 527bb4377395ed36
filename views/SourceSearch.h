// Searching the analysed files with a regular expression (PCRE2, ECMAScript-like syntax): the
// pattern as typed is prepared, every line of every file is tested, and each matching line
// becomes a result "%d, %d:  %s" (file number, line number, text). The search reads the files
// and a copy of their line words, never the engine, so it may run on a worker thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundJob.h"
#include "NFileAnly.h"
#include "TextInput.h"

namespace lumbra {

// The typed pattern made searchable: "*", "+" and "?" alone are searched literally, "\" alone
// becomes "\\"; otherwise leading "*", "+" and "?" are dropped, since nothing precedes them to
// repeat.
std::string PrepareSearchPattern(std::string_view typed);

// A compiled pattern that tests one line at a time (UTF-8 text).
class LineMatcher {
public:
    // matchCase false: letters match without regard to case.
    LineMatcher(std::string_view pattern, bool matchCase);
    ~LineMatcher();
    LineMatcher(const LineMatcher&) = delete;
    LineMatcher& operator=(const LineMatcher&) = delete;

    // False when the pattern does not compile; error() then tells the user why.
    bool ok() const { return code_ != nullptr; }
    const std::string& error() const { return error_; }
    // True when the pattern matches somewhere in the line. A line that would take too long to
    // test counts as no match and is counted in skipped().
    bool matches(std::string_view line);
    long skipped() const { return skipped_; }

private:
    struct Pcre;
    void* code_ = nullptr;
    std::unique_ptr<Pcre> pcre_;
    std::string error_;
    long skipped_ = 0;
};

// Per-line word bits that "Enable Line Only" asks for: an active line that is no comment line.
inline bool IsEnabledLine(std::uint32_t word) {
    return (word & 0x80000000u) != 0 && (word & 0x00000100u) == 0;
}

struct SearchFile {
    int number = 0; // 1-based file number (index + 1)
    std::string path;
    int encoding = 0;                     // as the analysis detected it
    std::vector<std::uint32_t> lineWords; // line n at n - 1; only with "Enable Line Only"
};

struct SearchRequest {
    std::string pattern; // as typed, UTF-8
    bool matchCase = false;
    bool enableLineOnly = false;
    std::vector<SearchFile> files;
    TextReadSettings read; // the engine's; each file is read in its own encoding
};

struct SearchOutcome {
    std::vector<std::string> results; // "%d, %d:  %s", UTF-8
    std::string error;                // the pattern does not compile ("" otherwise)
    bool cancelled = false;
    int unreadable = 0;    // files that could not be read
    long skippedLines = 0; // lines too complex for the pattern
};

// What a search needs, taken from the engine on the interface thread while no analysis runs.
SearchRequest MakeSearchRequest(const NFileAnly& engine, std::string typedPattern, bool matchCase,
                                bool enableLineOnly);

// Tests the lines of one text (in the internal code page of `read`) and appends the results.
// words: the file's line words for "Enable Line Only" (nullptr: every line is tested). Stops
// early when `cancel` is set.
void SearchText(const SourceText& text, int fileNumber, int codePage, LineMatcher& matcher,
                const std::vector<std::uint32_t>* words, std::vector<std::string>& results,
                const std::atomic<bool>* cancel = nullptr);

// Counters a running search shares with the interface.
struct SearchProgress {
    std::atomic<int> filesDone{0};
    std::atomic<bool> cancel{false};
};

// Runs a whole search on the calling thread.
SearchOutcome RunSearch(const SearchRequest& request, SearchProgress* progress = nullptr);

// A search on a worker thread that the interface polls.
class SearchJob {
public:
    SearchJob() = default;
    ~SearchJob();
    SearchJob(const SearchJob&) = delete;
    SearchJob& operator=(const SearchJob&) = delete;

    // Starts a search; false while one still runs.
    bool Start(SearchRequest request);
    // Asks the running search to stop after the current line.
    void Cancel();
    bool Running() const { return job_.Running(); }
    int FilesDone() const { return progress_.filesDone.load(); }
    int FileCount() const { return fileCount_; }
    // The outcome, once the worker has ended (nullopt before, and after it was taken).
    std::optional<SearchOutcome> Take();
    // Waits for the worker, then returns its outcome as Take does.
    std::optional<SearchOutcome> Wait();

private:
    SearchProgress progress_;
    int fileCount_ = 0;
    std::optional<SearchOutcome> outcome_;
    BackgroundJob job_; // last: ends before the members it writes go away
};

} // namespace lumbra
