// Regular-expression search over the analysed files.
#include "SourceSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "CodePage.h"
#include "Lang.h"

namespace lumbra {
namespace {

// Bounds a single line's test: a pattern with nested repeats must not stall the search.
constexpr std::uint32_t kMatchLimit = 10'000'000;
constexpr std::uint32_t kDepthLimit = 100'000;

// The error position counted in characters, as the user sees the pattern.
int characterOffset(std::string_view text, std::size_t byteOffset) {
    int count = 0;
    for (std::size_t i = 0; i < byteOffset && i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

std::string PrepareSearchPattern(std::string_view typed) {
    if (typed == "*" || typed == "+" || typed == "?")
        return "\\" + std::string(typed);
    if (typed == "\\")
        return "\\\\";
    const std::size_t start = typed.find_first_not_of("*+?");
    return start == std::string_view::npos ? std::string() : std::string(typed.substr(start));
}

struct LineMatcher::Pcre {
    pcre2_match_data* data = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
};

LineMatcher::LineMatcher(std::string_view pattern, bool matchCase) : pcre_(new Pcre) {
    // Lines may hold bytes that are no valid UTF-8 (a file read in the wrong encoding); they
    // simply do not match a character.
    std::uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX;
    if (!matchCase)
        options |= PCRE2_CASELESS;
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     options, &errorCode, &errorOffset, nullptr);
    if (!code) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(errorCode, message, sizeof message);
        error_ = Format(tr("The search pattern cannot be used: %s (at character %d)."),
                        reinterpret_cast<const char*>(message),
                        characterOffset(pattern, errorOffset) + 1);
        return;
    }
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE); // without JIT the interpreter matches
    code_ = code;
    pcre_->data = pcre2_match_data_create(1, nullptr);
    pcre_->context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(pcre_->context, kMatchLimit);
    pcre2_set_depth_limit(pcre_->context, kDepthLimit);
    // The compiled matcher's default stack is small; nested groups would fail early on it.
    pcre_->jitStack = pcre2_jit_stack_create(64 * 1024, 4 * 1024 * 1024, nullptr);
    if (pcre_->jitStack)
        pcre2_jit_stack_assign(pcre_->context, nullptr, pcre_->jitStack);
}

LineMatcher::~LineMatcher() {
    pcre2_match_context_free(pcre_->context);
    pcre2_jit_stack_free(pcre_->jitStack);
    pcre2_match_data_free(pcre_->data);
    pcre2_code_free(static_cast<pcre2_code*>(code_));
}

bool LineMatcher::matches(std::string_view line) {
    if (!code_)
        return false;
    const int rc =
        pcre2_match(static_cast<pcre2_code*>(code_), reinterpret_cast<PCRE2_SPTR>(line.data()),
                    line.size(), 0, 0, pcre_->data, pcre_->context);
    if (rc >= 0)
        return true;
    if (rc != PCRE2_ERROR_NOMATCH)
        ++skipped_;
    return false;
}

SearchRequest MakeSearchRequest(const NFileAnly& engine, std::string typedPattern, bool matchCase,
                                bool enableLineOnly) {
    SearchRequest r;
    r.pattern = std::move(typedPattern);
    r.matchCase = matchCase;
    r.enableLineOnly = enableLineOnly;
    r.read = engine.GetTextReadSettings();
    FileInfo info;
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        if (!engine.GetFileInfo(i, info))
            continue;
        SearchFile f;
        f.number = i + 1;
        f.path = info.path;
        f.encoding = info.encoding;
        if (enableLineOnly && info.lineTable)
            f.lineWords = *info.lineTable;
        r.files.push_back(std::move(f));
    }
    return r;
}

void SearchText(const SourceText& text, int fileNumber, int codePage, LineMatcher& matcher,
                const std::vector<std::uint32_t>* words, std::vector<std::string>& results,
                const std::atomic<bool>* cancel) {
    // Other code pages are converted in one piece: their multibyte forms never hold a line feed.
    std::string utf8;
    std::vector<std::string_view> converted;
    if (codePage != kCodePageUtf8 && text.lineCount() > 0) {
        std::string joined;
        for (std::size_t i = 0; i < text.lineCount(); ++i) {
            joined += text.line(i);
            joined += '\n';
        }
        utf8 = InternalToUtf8(joined, codePage);
        std::string_view rest = utf8;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            converted.push_back(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
    }
    std::string line;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        if (cancel && (i & 0xFFF) == 0 && cancel->load())
            return;
        if (words) {
            const std::uint32_t word = i < words->size() ? (*words)[i] : 0;
            if (!IsEnabledLine(word))
                continue;
        }
        if (converted.empty())
            line.assign(text.line(i));
        else
            line.assign(i < converted.size() ? converted[i] : std::string_view());
        if (line.empty())
            continue;
        for (char& c : line)
            if (c == '\t')
                c = ' ';
        if (!matcher.matches(line))
            continue;
        std::string shown = line.substr(std::min(line.find_first_not_of(' '), line.size()));
        SanitizeUtf8(shown);
        results.push_back(
            Format("%d, %d:  %s", fileNumber, static_cast<int>(i + 1), shown.c_str()));
    }
}

SearchOutcome RunSearch(const SearchRequest& request, SearchProgress* progress) {
    SearchOutcome outcome;
    LineMatcher matcher(PrepareSearchPattern(request.pattern), request.matchCase);
    if (!matcher.ok()) {
        outcome.error = matcher.error();
        return outcome;
    }
    for (const SearchFile& file : request.files) {
        if (progress && progress->cancel.load()) {
            outcome.cancelled = true;
            break;
        }
        TextReadSettings read = request.read;
        read.autoDetect = 0;
        read.defaultEncoding = file.encoding;
        std::optional<SourceText> text = SourceText::Load(file.path, read);
        if (!text) {
            ++outcome.unreadable;
        } else {
            SearchText(*text, file.number, read.codePage, matcher,
                       request.enableLineOnly ? &file.lineWords : nullptr, outcome.results,
                       progress ? &progress->cancel : nullptr);
        }
        if (progress)
            progress->filesDone.fetch_add(1);
    }
    outcome.skippedLines = matcher.skipped();
    return outcome;
}

SearchJob::~SearchJob() {
    Cancel();
    job_.Join();
}

bool SearchJob::Start(SearchRequest request) {
    if (job_.Running())
        return false;
    job_.Join();
    outcome_.reset();
    progress_.filesDone.store(0);
    progress_.cancel.store(false);
    fileCount_ = static_cast<int>(request.files.size());
    return job_.Start([this, request = std::move(request)] {
        SearchOutcome outcome = RunSearch(request, &progress_);
        outcome_ = std::move(outcome);
    });
}

void SearchJob::Cancel() {
    progress_.cancel.store(true);
}

std::optional<SearchOutcome> SearchJob::Take() {
    if (!job_.Ended())
        return std::nullopt;
    job_.Join();
    std::optional<SearchOutcome> outcome = std::move(outcome_);
    outcome_.reset();
    return outcome;
}

std::optional<SearchOutcome> SearchJob::Wait() {
    job_.Join();
    std::optional<SearchOutcome> outcome = std::move(outcome_);
    outcome_.reset();
    return outcome;
}

} // namespace lumbra
