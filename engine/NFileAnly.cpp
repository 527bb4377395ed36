// The engine's files, modules, calls, constants, options and the analysis run over them.
#include "NFileAnly.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>

#include "Lang.h"
#include "PathRules.h"
#include "Sinks.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

NullMessageSink gNullSink;

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = upperAscii(c);
    return out;
}

bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    return true;
}

bool orderBefore(const ModuleRecord* a, const ModuleRecord* b) {
    if (a->fileIndex != b->fileIndex)
        return a->fileIndex < b->fileIndex;
    return a->listPosition < b->listPosition;
}

// Range of a file's entries in a bucket ordered by file and list position.
std::pair<std::size_t, std::size_t> fileRange(const std::vector<ModuleRecord*>& v, int fileIndex) {
    auto lo = std::lower_bound(v.begin(), v.end(), fileIndex,
                               [](const ModuleRecord* m, int f) { return m->fileIndex < f; });
    auto hi = std::upper_bound(lo, v.end(), fileIndex,
                               [](int f, const ModuleRecord* m) { return f < m->fileIndex; });
    return {static_cast<std::size_t>(lo - v.begin()), static_cast<std::size_t>(hi - v.begin())};
}

std::string_view memberPart(std::string_view name) {
    std::size_t pos = name.rfind("::");
    return pos == std::string_view::npos ? std::string_view{} : name.substr(pos + 2);
}

FileTime localFileTime(const struct stat& st) {
    FileTime t;
    struct tm tmv {};
    time_t secs = st.st_mtim.tv_sec;
    if (localtime_r(&secs, &tmv)) {
        t.year = tmv.tm_year + 1900;
        t.month = tmv.tm_mon + 1;
        t.dayOfWeek = tmv.tm_wday;
        t.day = tmv.tm_mday;
        t.hour = tmv.tm_hour;
        t.minute = tmv.tm_min;
        t.second = tmv.tm_sec;
        t.milliseconds = static_cast<int>(st.st_mtim.tv_nsec / 1000000);
    }
    return t;
}

} // namespace

// --- ConstantList ------------------------------------------------------------------------------

const ConstantRecord* ConstantList::find(std::string_view name) const {
    auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : &items_[it->second];
}

ConstantRecord* ConstantList::find(std::string_view name) {
    auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : &items_[it->second];
}

bool ConstantList::add(ConstantRecord record, bool replace) {
    if (ConstantRecord* existing = find(record.name)) {
        if (replace) {
            existing->value = record.value;
            existing->isText = record.isText;
            existing->hasText = record.hasText;
            existing->text = std::move(record.text);
        }
        return false;
    }
    byName_.emplace(record.name, items_.size());
    items_.push_back(std::move(record));
    return true;
}

bool ConstantList::remove(std::string_view name) {
    auto it = byName_.find(std::string(name));
    if (it == byName_.end())
        return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(it->second));
    reindex();
    return true;
}

void ConstantList::clear() {
    items_.clear();
    byName_.clear();
}

void ConstantList::reindex() {
    byName_.clear();
    for (std::size_t i = 0; i < items_.size(); ++i)
        byName_.emplace(items_[i].name, i);
}

// --- construction, scanners, sinks ------------------------------------------------------------

NFileAnly::NFileAnly() {
    options_.fill(0);
    options_[kOptSearchMemberModule] = 1;
    countOptions_.fill(0);
}

NFileAnly::~NFileAnly() {
    includePaths_.clear();
    ClearFiles();
    ClearKeywords();
}

void NFileAnly::SetScanner(int kind, std::unique_ptr<LanguageScanner> scanner) {
    if (kind >= 0 && kind < kLanguageKindCount)
        scanners_[static_cast<std::size_t>(kind)] = std::move(scanner);
}

LanguageScanner* NFileAnly::GetScanner(int kind) const {
    if (kind < 0 || kind >= kLanguageKindCount)
        return nullptr;
    return scanners_[static_cast<std::size_t>(kind)].get();
}

void NFileAnly::SetMessageSink(MessageSink* sink) {
    messages_ = sink;
}

MessageSink& NFileAnly::Messages() const {
    return messages_ ? *messages_ : gNullSink;
}

// --- registration and the run --------------------------------------------------------------------

int NFileAnly::RegisterFile(const std::string& path, int kind) {
    struct stat st {};
    std::error_code ec;
    // Only regular files can be analysed; a directory or a device would read nothing or forever.
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || ::access(path.c_str(), R_OK) != 0)
        return 0;
    if (fileByPath_.count(path))
        return 0;

    auto file = std::make_unique<FileRecord>();
    file->size = static_cast<std::uint64_t>(st.st_size);
    file->timeStamp = localFileTime(st);
    file->path = path;
    file->name = fs::path(path).filename().string();
    file->index = static_cast<int>(files_.size());
    file->kind = kind;
    file->encoding = readSettings_.defaultEncoding;
    file->lineEnd = kLineEndLf;
    FileRecord* record = file.get();
    fileByPath_.emplace(path, record->index);
    fileByName_.emplace(record->name, record->index);
    files_.push_back(std::move(file));
    currentFile_ = record;

    if (kind >= 0 && kind < kLanguageKindCount) {
        if (auto text = SourceText::Load(path, readSettings_)) {
            record->encoding = text->encoding();
            record->lineEnd = text->lineEnd();
            AllocateLineTable(static_cast<int>(text->lineCount()));
            if (LanguageScanner* scanner = GetScanner(kind))
                scanner->DefinitionPass(*this, *record, *text);
        }
    }
    fileCount_.store(static_cast<int>(files_.size()));
    secondPassDone_ = false;
    return 1;
}

int NFileAnly::AddFile(const std::string& path, int kind) {
    if (RegisterFile(path, kind) && options_[kOptAddIncludeFiles]) {
        // Registering an include file may queue further include files; they are registered too.
        for (std::size_t i = 0; i < pendingIncludes_.size(); ++i) {
            auto [includePath, includeKind] = pendingIncludes_[i];
            RegisterFile(includePath, includeKind);
        }
    }
    pendingIncludes_.clear();
    return 1;
}

void NFileAnly::ClearFiles() {
    EndWalk();
    files_.clear();
    modules_.clear();
    nameIndex_.clear();
    memberIndex_.clear();
    fileByPath_.clear();
    fileByName_.clear();
    pendingIncludes_.clear();
    fileCount_.store(0);
    moduleCount_ = 0;
    walkNodeCount_ = 0;
    currentFile_ = nullptr;
    nameWidth_ = 1;
    shortNameWidth_ = 1;
    secondPassDone_ = false;
    registeredModuleCount_ = 0;
}

void NFileAnly::takeFirstPassSnapshot() {
    registeredModuleCount_ = moduleCount_;
    for (auto& f : files_)
        f->firstPass = {f->exec,  f->comment,  f->define,    f->space,
                        f->other, f->pathNumb, f->regionFlag};
    for (auto& m : modules_)
        m->firstPass = {m->line,  m->exec,     m->comment,   m->define,       m->space,
                        m->other, m->pathNumb, m->recursive, m->containerKind};
}

void NFileAnly::restoreFirstPassSnapshot() {
    // Drop what the previous analysis created (class nodes, undefined modules, members found by
    // the second pass); they are made again, with the same ids, by this one.
    EndWalk(); // its nodes may point at modules dropped here
    if (moduleCount_ > registeredModuleCount_) {
        for (auto& f : files_) {
            auto& list = f->modules;
            list.erase(std::remove_if(
                           list.begin(), list.end(),
                           [&](const ModuleRecord* m) { return m->id > registeredModuleCount_; }),
                       list.end());
            f->moduleCount = static_cast<int>(list.size());
        }
        modules_.resize(static_cast<std::size_t>(registeredModuleCount_));
        moduleCount_ = registeredModuleCount_;
    }
    for (auto& f : files_) {
        const auto& s = f->firstPass;
        f->exec = s.exec;
        f->comment = s.comment;
        f->define = s.define;
        f->space = s.space;
        f->other = s.other;
        f->pathNumb = s.pathNumb;
        f->regionFlag = s.regionFlag;
        f->currentModule = nullptr;
        f->branches.clear();
        f->branchColumnCount = 0;
        f->greatestBlockLevel = 0;
        std::fill(f->lineTable.begin(), f->lineTable.end(), 0u);
    }
    for (auto& m : modules_) {
        const auto& s = m->firstPass;
        m->line = s.line;
        m->exec = s.exec;
        m->comment = s.comment;
        m->define = s.define;
        m->space = s.space;
        m->other = s.other;
        m->pathNumb = s.pathNumb;
        m->recursive = s.recursive;
        m->containerKind = s.containerKind;
        m->execInc = 0;
        m->pathInc = 0;
        m->foldState = 0;
        m->hasFunctionText = false;
        m->functionText.clear();
        m->calls.clear();
        m->callers.clear();
        m->callIndex.reset();
        m->callerIndex.reset();
    }
    rebuildIndexes();
}

void NFileAnly::rebuildIndexes() {
    nameIndex_.clear();
    memberIndex_.clear();
    for (auto& m : modules_)
        indexModule(m.get());
}

int NFileAnly::Analyze() {
    int n = static_cast<int>(files_.size());
    if (n == 0)
        return 0;

    const int state = state_.load();
    if ((state == kStateReanalyse && n != lastAnalysedFileCount_) || optionsChanged_) {
        std::vector<std::pair<std::string, int>> list;
        list.reserve(files_.size());
        for (const auto& f : files_)
            list.emplace_back(f->path, f->kind);
        ClearFiles();
        for (const auto& [path, kind] : list)
            AddFile(path, kind);
        // Option 18 may have added include files: analyse those too.
        n = static_cast<int>(files_.size());
        if (n == 0) {
            state_.store(kStateAnalysed);
            optionsChanged_ = false;
            lastAnalysedFileCount_ = 0;
            return 1;
        }
    }
    if (secondPassDone_)
        restoreFirstPassSnapshot();
    else
        takeFirstPassSnapshot();
    secondPassDone_ = true;

    AddClassNodes();
    for (auto& scanner : scanners_)
        if (scanner)
            scanner->BeforeAnalysis(*this);

    state_.store(kStateRunning);
    cancel_ = 0;
    fileCount_.store(0);
    currentFile_ = files_.front().get();

    int finished = 0;
    for (std::size_t i = 0; finished < n && cancel_ == 0; ++i) {
        if (state_.load() != kStateRunning)
            break;
        FileRecord* file = files_[i].get();
        currentFile_ = file;
        {
            std::lock_guard lock(progressMutex_);
            progressFile_ = file->name;
            progressModule_.clear();
        }
        ClearCommentItems();
        LanguageScanner* scanner = GetScanner(file->kind);
        if (scanner) {
            if (auto text = SourceText::Load(file->path, readSettings_))
                scanner->AnalysisPass(*this, *file, *text);
        }
        pendingIncludes_.clear();
        finished = fileCount_.fetch_add(1) + 1;
    }

    int expected = kStateRunning;
    state_.compare_exchange_strong(expected, kStateAnalysed);
    cancel_ = 0;
    optionsChanged_ = false;
    lastAnalysedFileCount_ = fileCount_.load();
    return 1;
}

void NFileAnly::RequestStop() {
    int expected = kStateRunning;
    state_.compare_exchange_strong(expected, kStateStopped);
}

RunProgress NFileAnly::GetRunProgress() const {
    RunProgress p;
    p.state = state_.load();
    p.finishedFiles = fileCount_.load();
    std::lock_guard lock(progressMutex_);
    p.fileName = progressFile_;
    p.moduleName = progressModule_;
    return p;
}

void NFileAnly::updateProgressModule(const ModuleRecord* module) {
    std::lock_guard lock(progressMutex_);
    if (module)
        progressModule_ = module->name;
    else
        progressModule_.clear();
}

void NFileAnly::SetCurrentModule(ModuleRecord* module) {
    if (!currentFile_)
        return;
    currentFile_->currentModule = module;
    if (state_.load(std::memory_order_relaxed) == kStateRunning)
        updateProgressModule(module);
}

// --- file queries ------------------------------------------------------------------------------

FileRecord* NFileAnly::GetFile(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= files_.size())
        return nullptr;
    return files_[static_cast<std::size_t>(i)].get();
}

const char* NFileAnly::GetCurrentFilePath() const {
    return currentFile_ ? currentFile_->path.c_str() : nullptr;
}

const char* NFileAnly::GetFilePath(int i) const {
    const int count = GetFileCount();
    if (i < 0 || i > count)
        return nullptr;
    if (i == count)
        return "";
    const FileRecord* f = GetFile(i);
    return f ? f->path.c_str() : "";
}

const char* NFileAnly::GetFileName(int i) const {
    const int count = GetFileCount();
    if (i < 0 || i > count)
        return nullptr;
    if (i == count)
        return "";
    const FileRecord* f = GetFile(i);
    return f ? f->name.c_str() : "";
}

int NFileAnly::GetFileKind(int i) const {
    const FileRecord* f = i < GetFileCount() ? GetFile(i) : nullptr;
    return f ? f->kind : 0;
}

static void copyFileInfo(const FileRecord& f, FileInfo& out) {
    out.path = f.path;
    out.name = f.name;
    out.index = f.index;
    out.moduleCount = f.moduleCount;
    out.spareA = f.spareA;
    out.kind = f.kind;
    out.regionFlag = f.regionFlag;
    out.encoding = f.encoding;
    out.lineEnd = f.lineEnd;
    out.lineCount = f.lineCount;
    out.spareB = f.spareB;
    out.exec = f.exec;
    out.comment = f.comment;
    out.define = f.define;
    out.space = f.space;
    out.other = f.other;
    out.pathNumb = f.pathNumb;
    out.spareC = f.spareC;
    out.spareD = f.spareD;
    out.branchColumnCount = f.branchColumnCount;
    out.greatestBlockLevel = f.greatestBlockLevel;
    out.lineTable = &f.lineTable;
    out.branches = &f.branches;
    out.timeStamp = f.timeStamp;
    out.size = f.size;
}

int NFileAnly::GetFileInfo(int i, FileInfo& out) const {
    const FileRecord* f = i < GetFileCount() ? GetFile(i) : nullptr;
    if (!f)
        return 0;
    copyFileInfo(*f, out);
    return 1;
}

int NFileAnly::GetFileInfoByPath(std::string_view path, FileInfo& out) const {
    auto it = fileByPath_.find(std::string(path));
    if (it == fileByPath_.end())
        return 0;
    copyFileInfo(*files_[static_cast<std::size_t>(it->second)], out);
    return 1;
}

int NFileAnly::HasModuleAtLine(std::string_view path, int line) const {
    auto it = fileByPath_.find(std::string(path));
    if (it == fileByPath_.end())
        return 0;
    for (const ModuleRecord* m : files_[static_cast<std::size_t>(it->second)]->modules)
        if (m->line == line)
            return 1;
    return 0;
}

int NFileAnly::GetModuleLineAt(int i, int line) const {
    const FileRecord* f = i < GetFileCount() ? GetFile(i) : nullptr;
    if (!f)
        return 0;
    int before = 0;
    for (const ModuleRecord* m : f->modules) {
        if (m->line > line)
            break;
        before = m->line;
    }
    return before;
}

const char* NFileAnly::GetPathByFileName(std::string_view name) const {
    auto it = fileByName_.find(std::string(name));
    if (it == fileByName_.end())
        return "";
    return files_[static_cast<std::size_t>(it->second)]->path.c_str();
}

// --- constants ---------------------------------------------------------------------------------

int NFileAnly::GetConstantCount(int i) const {
    int count = static_cast<int>(globalConstants_.size());
    if (const FileRecord* f = GetFile(i))
        count += static_cast<int>(f->constants.size());
    return count;
}

std::string NFileAnly::FormatConstant(int i, int k) const {
    if (k < 0)
        return "";
    std::size_t index = static_cast<std::size_t>(k);
    const ConstantRecord* c = nullptr;
    if (index < globalConstants_.size()) {
        c = &globalConstants_[index];
    } else if (const FileRecord* f = GetFile(i)) {
        index -= globalConstants_.size();
        if (index < f->constants.size())
            c = &f->constants[index];
    }
    return c ? Format("%s = 0x%x", c->name.c_str(), static_cast<unsigned>(c->value)) : "";
}

std::string NFileAnly::NextConstantText(int i, int continueFlag) {
    if (continueFlag == 0) {
        constantCursor_ = 0;
        constantCursorInFile_ = false;
    }
    const ConstantRecord* c = nullptr;
    if (!constantCursorInFile_) {
        if (static_cast<std::size_t>(constantCursor_) < globalConstants_.size()) {
            c = &globalConstants_[static_cast<std::size_t>(constantCursor_++)];
        } else {
            constantCursorInFile_ = true;
            constantCursor_ = 0;
        }
    }
    if (!c && constantCursorInFile_) {
        const FileRecord* f = GetFile(i);
        if (f && static_cast<std::size_t>(constantCursor_) < f->constants.size())
            c = &f->constants[static_cast<std::size_t>(constantCursor_++)];
    }
    if (!c)
        return "";
    if (!c->isText)
        return Format("%s = %d ( 0x%X )", c->name.c_str(), c->value,
                      static_cast<unsigned>(c->value));
    if (c->text.empty())
        return Format("%s = (null)", c->name.c_str());
    return Format("%s = %s", c->name.c_str(), c->text.c_str());
}

int NFileAnly::AddConstant(std::string_view name, int value) {
    if (!options_[kOptDefineConstantFile])
        return 0;
    ConstantRecord c;
    c.name = std::string(name);
    c.value = value;
    return globalConstants_.add(std::move(c), false) ? 1 : 0;
}

int NFileAnly::AddGlobalConstant(ConstantRecord record) {
    return globalConstants_.add(std::move(record), false) ? 1 : 0;
}

void NFileAnly::ClearConstants() {
    globalConstants_.clear();
}

void NFileAnly::AddFileConstant(ConstantRecord record, bool replace) {
    if (currentFile_)
        currentFile_->constants.add(std::move(record), replace);
}

void NFileAnly::RemoveFileConstant(std::string_view name) {
    if (currentFile_)
        currentFile_->constants.remove(name);
}

void NFileAnly::ClearFileConstants() {
    if (currentFile_)
        currentFile_->constants.clear();
}

const ConstantRecord* NFileAnly::LookupConstant(std::string_view name) {
    ConstantRecord* c = globalConstants_.find(name);
    if (!c && currentFile_)
        c = currentFile_->constants.find(name);
    if (c)
        ++c->useCount;
    return c;
}

// --- module creation and lookup ---------------------------------------------------------------

std::string NFileAnly::nameKey(std::string_view name) const {
    return toUpperAscii(name);
}

bool NFileAnly::NamesEqual(std::string_view a, std::string_view b) const {
    return options_[kOptIgnoreCase] ? equalsIgnoreCaseAscii(a, b) : a == b;
}

void NFileAnly::insertOrdered(std::vector<ModuleRecord*>& v, ModuleRecord* m) {
    if (v.empty() || orderBefore(v.back(), m)) {
        v.push_back(m);
        return;
    }
    v.insert(std::upper_bound(v.begin(), v.end(), m, orderBefore), m);
}

void NFileAnly::indexModule(ModuleRecord* m) {
    NameBucket& bucket = nameIndex_[nameKey(m->name)];
    insertOrdered(bucket.all, m);
    if (m->line != 0)
        insertOrdered(bucket.defined, m);
    std::string_view member = memberPart(m->name);
    if (m->name.find("::") != std::string::npos)
        memberIndex_[nameKey(member)].push_back(m);
}

void NFileAnly::unindexDefined(ModuleRecord* m) {
    auto it = nameIndex_.find(nameKey(m->name));
    if (it == nameIndex_.end())
        return;
    auto& v = it->second.defined;
    v.erase(std::remove(v.begin(), v.end(), m), v.end());
}

ModuleRecord* NFileAnly::newModule(FileRecord& file, std::string_view name, int line, int recursive,
                                   bool atHead) {
    auto module = std::make_unique<ModuleRecord>();
    ModuleRecord* m = module.get();
    m->name = std::string(name);
    m->id = ++moduleCount_;
    m->fileIndex = file.index;
    m->line = line;
    m->recursive = recursive;
    if (atHead) {
        m->listPosition = file.nextHeadPosition--;
        file.modules.push_front(m);
    } else {
        m->listPosition = file.nextTailPosition++;
        file.modules.push_back(m);
    }
    ++file.moduleCount;
    modules_.push_back(std::move(module));
    indexModule(m);
    return m;
}

ModuleRecord* NFileAnly::CreateModule(std::string_view name, int line, int recursive,
                                      bool rejectDuplicates) {
    if (!currentFile_)
        return nullptr;
    return CreateModuleInFile(*currentFile_, name, line, recursive, rejectDuplicates);
}

ModuleRecord* NFileAnly::CreateModuleInFile(FileRecord& file, std::string_view name, int line,
                                            int recursive, bool rejectDuplicates) {
    if (name.empty())
        return nullptr;
    if (rejectDuplicates) {
        auto it = nameIndex_.find(nameKey(name));
        if (it != nameIndex_.end()) {
            const auto& all = it->second.all;
            auto [lo, hi] = fileRange(all, file.index);
            for (std::size_t k = lo; k < hi; ++k)
                if (all[k]->name == name)
                    return nullptr;
        }
    }
    return newModule(file, name, line, recursive, false);
}

ModuleRecord* NFileAnly::CreateClassNode(FileRecord& file, std::string_view name, int line) {
    if (name.empty())
        return nullptr;
    ModuleRecord* m = newModule(file, name, line, 0, true);
    m->containerKind = kModuleContainer;
    return m;
}

void NFileAnly::SetModuleLine(ModuleRecord& module, int line) {
    if (module.line == line)
        return;
    const bool wasDefined = module.line != 0;
    module.line = line;
    if (wasDefined && line == 0)
        unindexDefined(&module);
    else if (!wasDefined && line != 0)
        insertOrdered(nameIndex_[nameKey(module.name)].defined, &module);
}

ModuleRecord* NFileAnly::sweep(std::string_view name, int line, bool allFiles, bool definedOnly) {
    if (!currentFile_ || name.empty())
        return nullptr;
    auto it = nameIndex_.find(nameKey(name));
    if (it == nameIndex_.end())
        return nullptr;
    const bool ignoreCase = options_[kOptIgnoreCase] != 0;
    auto matches = [&](const ModuleRecord* m) {
        return (ignoreCase || m->name == name) && (line < 0 || m->line == line);
    };
    const int cur = currentFile_->index;
    auto firstIn = [&](const std::vector<ModuleRecord*>& v, bool currentFile) -> ModuleRecord* {
        auto [lo, hi] = fileRange(v, cur);
        if (currentFile) {
            for (std::size_t k = lo; k < hi; ++k)
                if (matches(v[k]))
                    return v[k];
            return nullptr;
        }
        for (std::size_t k = 0; k < lo; ++k)
            if (matches(v[k]))
                return v[k];
        for (std::size_t k = hi; k < v.size(); ++k)
            if (matches(v[k]))
                return v[k];
        return nullptr;
    };
    const NameBucket& b = it->second;
    if (line < 0) {
        if (ModuleRecord* m = firstIn(b.defined, true))
            return m;
        if (ModuleRecord* m = definedOnly ? nullptr : firstIn(b.all, true))
            return m;
        if (!allFiles)
            return nullptr;
        if (ModuleRecord* m = firstIn(b.defined, false))
            return m;
        return definedOnly ? nullptr : firstIn(b.all, false);
    }
    const auto& v = line != 0 ? b.defined : b.all;
    if (ModuleRecord* m = firstIn(v, true))
        return m;
    return allFiles ? firstIn(v, false) : nullptr;
}

ModuleRecord* NFileAnly::FindModule(std::string_view name) {
    return sweep(name, -1, true);
}

ModuleRecord* NFileAnly::FindModuleInCurrentFile(std::string_view name) {
    return sweep(name, -1, false);
}

ModuleRecord* NFileAnly::FindModuleAtLine(std::string_view name, int line) {
    return sweep(name, line < 0 ? 0 : line, true);
}

ModuleRecord* NFileAnly::FindDefinedModule(std::string_view name, bool allFiles) {
    return sweep(name, -1, allFiles, true);
}

ModuleRecord* NFileAnly::FindModuleInCurrentFileAtLine(std::string_view name, int line) {
    return sweep(name, line < 0 ? 0 : line, false);
}

int NFileAnly::FindModuleId(std::string_view name) {
    const ModuleRecord* m = FindModule(name);
    return m ? m->id : 0;
}

ModuleRecord* NFileAnly::FindMember(std::string_view callText) {
    std::string_view member;
    if (callText.substr(0, 2) == "->") {
        member = callText.substr(2);
    } else {
        std::size_t dot = callText.find('.');
        if (dot == std::string_view::npos)
            return nullptr;
        member = callText.substr(dot + 1);
    }
    if (member.empty())
        return nullptr;
    auto it = memberIndex_.find(nameKey(member));
    if (it == memberIndex_.end())
        return nullptr;
    ModuleRecord* found = nullptr;
    for (ModuleRecord* m : it->second) {
        if (!NamesEqual(memberPart(m->name), member))
            continue;
        if (found)
            return nullptr; // ambiguous
        found = m;
    }
    return found;
}

ModuleRecord* NFileAnly::GetModuleRecord(int id) const {
    if (id < 1 || id > static_cast<int>(modules_.size()))
        return nullptr;
    return modules_[static_cast<std::size_t>(id - 1)].get();
}

// --- calls -----------------------------------------------------------------------------------

namespace {
constexpr std::size_t kIndexThreshold = 16;
} // namespace

bool NFileAnly::hasCall(ModuleRecord& caller, std::string_view name, const int* targetLine) {
    auto same = [&](const CallRecord& c) {
        return c.name == name && (!targetLine || c.targetLine == *targetLine);
    };
    if (caller.calls.size() <= kIndexThreshold) {
        for (const CallRecord& c : caller.calls)
            if (same(c))
                return true;
        return false;
    }
    if (!caller.callIndex) {
        caller.callIndex = std::make_unique<std::unordered_multimap<std::size_t, int>>();
        for (std::size_t i = 0; i < caller.calls.size(); ++i)
            caller.callIndex->emplace(std::hash<std::string_view>{}(caller.calls[i].name),
                                      static_cast<int>(i));
    }
    auto [lo, hi] = caller.callIndex->equal_range(std::hash<std::string_view>{}(name));
    for (auto it = lo; it != hi; ++it)
        if (same(caller.calls[static_cast<std::size_t>(it->second)]))
            return true;
    return false;
}

CallRecord& NFileAnly::appendCall(ModuleRecord& caller, std::string_view name) {
    CallRecord& c = caller.calls.emplace_back();
    c.name = std::string(name);
    c.ordinal = static_cast<int>(caller.calls.size()) - 1;
    if (caller.callIndex)
        caller.callIndex->emplace(std::hash<std::string_view>{}(name), c.ordinal);
    return c;
}

void NFileAnly::addCaller(ModuleRecord& callee, int callerId) {
    if (callee.callers.size() <= kIndexThreshold) {
        if (std::find(callee.callers.begin(), callee.callers.end(), callerId) !=
            callee.callers.end())
            return;
    } else {
        if (!callee.callerIndex)
            callee.callerIndex = std::make_unique<std::unordered_set<int>>(callee.callers.begin(),
                                                                           callee.callers.end());
        if (callee.callerIndex->count(callerId))
            return;
    }
    callee.callers.push_back(callerId);
    if (callee.callerIndex)
        callee.callerIndex->insert(callerId);
}

int NFileAnly::AddCall(std::string_view callee, int targetLine) {
    ModuleRecord* caller = currentFile_ ? currentFile_->currentModule : nullptr;
    if (!caller)
        return 0;
    // The call links to the module defined at the target line when there is one, else to the
    // module found by name; the callee's caller list names the same module the call targets.
    ModuleRecord* target = targetLine ? FindModuleAtLine(callee, targetLine) : nullptr;
    if (!target)
        target = FindModule(callee);
    return addCallTo(*caller, callee, target, targetLine);
}

int NFileAnly::AddCallFound(std::string_view callee, ModuleRecord* found) {
    ModuleRecord* caller = currentFile_ ? currentFile_->currentModule : nullptr;
    return caller ? addCallTo(*caller, callee, found, 0) : 0;
}

int NFileAnly::addCallTo(ModuleRecord& caller, std::string_view callee, ModuleRecord* target,
                         int targetLine) {
    if (target)
        addCaller(*target, caller.id);
    if (hasCall(caller, callee, nullptr))
        return 0;
    CallRecord& c = appendCall(caller, callee);
    caller.foldState = defaultFoldState_;
    c.targetId = target ? target->id : 0;
    c.value = targetLine;
    c.targetLine = 0;
    if (callee == caller.name)
        caller.recursive = 1;
    return 1;
}

int NFileAnly::AddCallFrom(ModuleRecord* caller, std::string_view callee, int value,
                           int targetLine) {
    if (!caller)
        return 0;
    ModuleRecord* target = targetLine ? FindModuleAtLine(callee, targetLine) : nullptr;
    if (!target)
        target = FindModule(callee);
    if (target)
        addCaller(*target, caller->id);
    if (hasCall(*caller, callee, &targetLine))
        return 0;
    CallRecord& c = appendCall(*caller, callee);
    caller->foldState = defaultFoldState_;
    c.targetId = target ? target->id : 0;
    c.value = value;
    c.targetLine = targetLine;
    if (callee == caller->name)
        caller->recursive = 1;
    return 1;
}

int NFileAnly::AddCallToUndefined(std::string_view callee) {
    if (options_[kOptExceptUndefined])
        return 0;
    CreateModule(callee, 0, 0, true);
    AddCall(callee, 0);
    return kUndefinedCallFlag;
}

// --- module queries ----------------------------------------------------------------------------

const char* NFileAnly::GetCurrentModuleName() const {
    if (!currentFile_ || !currentFile_->currentModule)
        return nullptr;
    return currentFile_->currentModule->name.c_str();
}

const char* NFileAnly::GetModuleName(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->name.c_str() : nullptr;
}

int NFileAnly::GetNameWidth(int shortName) const {
    return shortName ? shortNameWidth_ : nameWidth_;
}

const ModuleRecord* NFileAnly::GetModule(int id) const {
    return GetModuleRecord(id);
}

int NFileAnly::GetModuleLine(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->line : 0;
}

int NFileAnly::GetModuleValue(int id, int selector) const {
    const ModuleRecord* m = GetModuleRecord(id);
    if (!m)
        return 0;
    switch (selector) {
    case 0:
        return m->exec;
    case 1:
        return m->comment;
    case 2:
        return m->total();
    case 3:
        return m->execInc;
    case 4:
        return m->pathNumb;
    case 5:
        return m->pathInc;
    default:
        return 0;
    }
}

const char* NFileAnly::GetModuleFilePath(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    const FileRecord* f = m ? GetFile(m->fileIndex) : nullptr;
    return f ? f->path.c_str() : "";
}

const char* NFileAnly::GetModuleFileName(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    const FileRecord* f = m ? GetFile(m->fileIndex) : nullptr;
    return f ? f->name.c_str() : "";
}

int NFileAnly::GetModuleFileIndex(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->fileIndex : 0;
}

int NFileAnly::GetUpperCount(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->upperCount() : -1;
}

int NFileAnly::GetContainerKind(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->containerKind : -1;
}

int NFileAnly::IsRecursive(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->recursive : -1;
}

const char* NFileAnly::GetUpperName(int id, int k) const {
    const ModuleRecord* m = GetModuleRecord(id);
    if (!m)
        return nullptr;
    if (m->callers.empty())
        return "";
    if (k < 1 || k > m->upperCount())
        return nullptr;
    const ModuleRecord* caller = GetModuleRecord(m->callers[static_cast<std::size_t>(k - 1)]);
    return caller ? caller->name.c_str() : "";
}

std::string NFileAnly::GetFunctionText(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return (m && m->hasFunctionText) ? m->functionText : std::string();
}

int NFileAnly::GetLowerCount(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->lowerCount() : 0;
}

const char* NFileAnly::GetLowerName(int id, int k) const {
    const ModuleRecord* m = GetModuleRecord(id);
    if (!m || k < 1 || k > m->lowerCount())
        return "";
    return m->calls[static_cast<std::size_t>(k - 1)].name.c_str();
}

int NFileAnly::GetLowerTargetLine(int id, int k) const {
    const ModuleRecord* m = GetModuleRecord(id);
    if (!m || k < 1 || k > m->lowerCount())
        return 0;
    return m->calls[static_cast<std::size_t>(k - 1)].targetLine;
}

int NFileAnly::GetLowerValue(int id, int k) const {
    const ModuleRecord* m = GetModuleRecord(id);
    if (!m || k < 1 || k > m->lowerCount())
        return 0;
    return m->calls[static_cast<std::size_t>(k - 1)].value;
}

int NFileAnly::GetPathNumber(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->pathNumb : 0;
}

int NFileAnly::GetFoldState(int id) const {
    const ModuleRecord* m = GetModuleRecord(id);
    return m ? m->foldState : 0;
}

void NFileAnly::SetFoldState(int id, int state) {
    if (ModuleRecord* m = GetModuleRecord(id))
        m->foldState = state;
}

// --- keywords ----------------------------------------------------------------------------------

void NFileAnly::AddKeywords(std::string_view text, int type) {
    std::string word;
    std::optional<std::string_view> rest = text;
    while (rest && !rest->empty()) {
        rest = NextWord(*rest, word, 0);
        if (word.empty())
            break;
        std::string upper = toUpperAscii(word);
        keywordIndex_.emplace(upper, type);
        if (type == 9) {
            std::size_t i = upper.find('I');
            if (i != std::string::npos) {
                std::string prefix = upper.substr(0, i);
                conditionKeywords_ = {
                    prefix + "IF",     prefix + "IFDEF",
                    prefix + "IFNDEF", prefix + "ELSE",
                    prefix + "ELIF",   prefix == ".A" ? std::string(".AENDI") : prefix + "ENDIF"};
            }
        }
        keywords_.emplace_back(std::move(upper), type);
    }
}

void NFileAnly::ClearKeywords() {
    keywords_.clear();
    keywordIndex_.clear();
    for (auto& k : conditionKeywords_)
        k.clear();
}

int NFileAnly::LookupKeyword(std::string_view word) const {
    auto it = keywordIndex_.find(toUpperAscii(word));
    return it == keywordIndex_.end() ? -1 : it->second;
}

// --- configuration ------------------------------------------------------------------------------

void NFileAnly::SetCommentKeyword(std::string_view text, int index) {
    if (index >= 0 && index < 4)
        commentKeywords_[static_cast<std::size_t>(index)] = std::string(text);
    else if (index == 4)
        separators_ = std::string(text.substr(0, 2));
}

void NFileAnly::SetDecorationChars(std::string_view text) {
    decorationChars_ = std::string(text);
}

void NFileAnly::SetOption(int index, int value) {
    if (index < 0 || index >= kOptionCount)
        return;
    options_[static_cast<std::size_t>(index)] = value;
    if (state_.load() != kStateNone)
        optionsChanged_ = true;
}

void NFileAnly::SetCountOption(int index, int value) {
    if (index < 0 || index >= kCountOptionCount)
        return;
    countOptions_[static_cast<std::size_t>(index)] = value;
    if (state_.load() != kStateNone)
        optionsChanged_ = true;
}

int NFileAnly::GetOption(int index) const {
    return (index >= 0 && index < kOptionCount) ? options_[static_cast<std::size_t>(index)] : 0;
}

int NFileAnly::GetCountOption(int index) const {
    return (index >= 0 && index < kCountOptionCount)
               ? countOptions_[static_cast<std::size_t>(index)]
               : 0;
}

void NFileAnly::SetIncludePaths(std::string_view text) {
    includePaths_.clear();
    const bool cp932 = readSettings_.codePage == kCodePageShiftJis;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string piece = ToSlashes(text.substr(start, end - start), cp932);
        if (!piece.empty()) {
            if (piece.back() != '/')
                piece += '/';
            includePaths_.push_back(std::move(piece));
        }
        start = end + 1;
    }
}

void NFileAnly::AddExceptModule(const char* name) {
    if (!name)
        return;
    exceptModules_.emplace_back(name);
    exceptExact_.insert(exceptModules_.back());
    exceptUpper_.insert(nameKey(exceptModules_.back()));
}

void NFileAnly::ClearExceptModules() {
    exceptModules_.clear();
    exceptExact_.clear();
    exceptUpper_.clear();
}

int NFileAnly::IsNotExcepted(std::string_view name) const {
    if (options_[kOptIgnoreCase])
        return exceptUpper_.count(nameKey(name)) ? 0 : 1;
    return exceptExact_.count(std::string(name)) ? 0 : 1;
}

// --- string helpers ------------------------------------------------------------------------------

std::optional<std::string_view> NFileAnly::NextWord(std::string_view text, std::string& out,
                                                    int mode) const {
    out.clear();
    auto isSeparator = [&](char c) {
        return separators_.find(c) != std::string::npos && c != '\0';
    };
    std::size_t i = 0;
    if (mode == 1) {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == ',' || isSeparator(text[i])))
            ++i;
    } else {
        while (i < text.size() && std::strchr(" \t,+-()<>[]", text[i]) && text[i] != '\0')
            ++i;
    }
    if (i < text.size() && (text[i] == ';' || text[i] == '*'))
        return std::nullopt;
    std::size_t start = i;
    if (mode == 1) {
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != ',' &&
               text[i] != '\r' && text[i] != '\n' && text[i] != '\0' && !isSeparator(text[i]))
            ++i;
    } else {
        while (i < text.size() && text[i] != '\0' && !std::strchr("\t,;*+-()<>[]\r\n ", text[i]))
            ++i;
    }
    out.assign(text.substr(start, i - start));
    return text.substr(i);
}

int NFileAnly::ParseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::uint32_t value = 0;
    if (text.size() >= i + 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        for (i += 2; i < text.size(); ++i) {
            char c = text[i];
            int d = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
            if (d < 0)
                break;
            value = value * 16 + static_cast<std::uint32_t>(d);
        }
        return static_cast<int>(value);
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

std::string& NFileAnly::AppendString(std::string& dest, std::string_view src) {
    dest.append(src);
    return dest;
}

std::string& NFileAnly::CopyString(std::string& dest, std::string_view src) {
    dest.assign(src);
    return dest;
}

int NFileAnly::CompareString(std::string_view a, std::string_view b) {
    for (std::size_t i = 0;; ++i) {
        signed char ca = i < a.size() ? static_cast<signed char>(a[i]) : 0;
        signed char cb = i < b.size() ? static_cast<signed char>(b[i]) : 0;
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            return 0;
    }
}

} // namespace lumbra
