// The project reader: common reading steps, the own ".prj" and the line-based IDE formats.
#include "CNvPrjFile.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <pugixml.hpp>

#include "Lang.h"
#include "ProjectOpen.h"

namespace fs = std::filesystem;

namespace lumbra {

bool ReadProjectBytes(const std::string& path, std::string& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxProjectFileBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

namespace {

std::string_view skipSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

// The text between the first quote character of a line and the next one, cut to the name
// length; nothing when the line has no such pair.
std::optional<std::string_view> quotedName(std::string_view line, char quote) {
    std::size_t open = line.find(quote);
    if (open == std::string_view::npos)
        return std::nullopt;
    std::size_t close = line.find(quote, open + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return line.substr(open + 1, std::min(close - open - 1, kMaxProjectNameLength));
}

// The texts between successive pairs of double quotes.
std::vector<std::string_view> quotedFields(std::string_view s) {
    std::vector<std::string_view> fields;
    for (;;) {
        std::size_t open = s.find('"');
        if (open == std::string_view::npos)
            break;
        std::size_t close = s.find('"', open + 1);
        if (close == std::string_view::npos)
            break;
        fields.push_back(s.substr(open + 1, close - open - 1));
        s.remove_prefix(close + 1);
    }
    return fields;
}

// Pascal comment state carried from line to line while a "uses" clause is read.
enum class PascalComment { None, Brace, ParenStar };

// True when the line holds the ';' that ends a "uses" clause (outside strings and comments).
bool endsUsesClause(std::string_view s, PascalComment& comment) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (comment == PascalComment::Brace) {
            if (c == '}')
                comment = PascalComment::None;
            continue;
        }
        if (comment == PascalComment::ParenStar) {
            if (c == '*' && next == ')') {
                comment = PascalComment::None;
                ++i;
            }
            continue;
        }
        if (c == '\'') {
            std::size_t close = s.find('\'', i + 1);
            if (close == std::string_view::npos)
                return false;
            i = close;
        } else if (c == '{') {
            comment = PascalComment::Brace;
        } else if (c == '(' && next == '*') {
            comment = PascalComment::ParenStar;
            ++i;
        } else if (c == '/' && next == '/') {
            return false;
        } else if (c == ';') {
            return true;
        }
    }
    return false;
}

} // namespace

CNvPrjFile::CNvPrjFile(const TextReadSettings& settings)
    : settings_(settings), xml_(std::make_unique<pugi::xml_document>()) {
    // Project files are always detected, whatever the setting for sources says.
    settings_.autoDetect = 1;
}

CNvPrjFile::~CNvPrjFile() = default;

const std::vector<std::string>& CNvPrjFile::Relocated() const {
    static const std::vector<std::string> none;
    return resolver_ ? resolver_->relocated() : none;
}

void CNvPrjFile::begin(const std::string& path) {
    folder_ = FolderOf(path);
    resolver_ = std::make_unique<ProjectPathResolver>(folder_, settings_.codePage);
    files_.clear();
    notices_.clear();
    definitions_.Clear();
    skippedEntries_ = 0;
}

bool CNvPrjFile::loadText(const std::string& path, SourceText& text) {
    std::string bytes;
    if (!ReadProjectBytes(path, bytes))
        return false;
    text = SourceText::FromBytes(bytes, settings_);
    return true;
}

void CNvPrjFile::append(std::string_view entry) {
    files_.push_back(resolver_->Resolve(entry));
}

bool CNvPrjFile::ReadDsp(const std::string& path) {
    begin(path);
    SourceText text;
    if (!loadText(path, text))
        return false;
    bool inSourceBlock = false;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        std::string_view line = text.line(i);
        if (line == "# Begin Source File") {
            inSourceBlock = true;
        } else if (line == "# End Source File") {
            inSourceBlock = false;
        } else if (inSourceBlock && line.starts_with("SOURCE=")) {
            std::string_view entry = line.substr(7);
            // Names with blanks are written in double quotes; the quotes are no part of them.
            if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
                entry = entry.substr(1, entry.size() - 2);
            append(entry);
        }
    }
    return true;
}

bool CNvPrjFile::ReadVbp(const std::string& path) {
    begin(path);
    SourceText text;
    if (!loadText(path, text))
        return false;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        std::string_view line = text.line(i);
        if (line.starts_with("Form=")) {
            append(line.substr(5));
        } else if (line.starts_with("Class=") || line.starts_with("Module=")) {
            // "Module=Name; File.bas": the file follows the first blank after the '='.
            std::size_t blank = line.find(' ', 6);
            if (blank != std::string_view::npos)
                append(line.substr(blank + 1));
        }
    }
    return true;
}

bool CNvPrjFile::ReadDpr(const std::string& path) {
    begin(path);
    SourceText text;
    if (!loadText(path, text))
        return false;
    bool unitList = false;
    PascalComment comment = PascalComment::None;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        std::string_view line = skipSpaces(text.line(i));
        if (line.starts_with("uses")) {
            unitList = true;
            comment = PascalComment::None;
            if (auto name = quotedName(line.substr(4), '\''))
                append(*name);
            // "uses SysUtils;" on one line: the clause ends where it begins.
            if (endsUsesClause(line.substr(4), comment))
                unitList = false;
        } else if (line.starts_with("{$R")) {
            unitList = false;
        } else if (unitList) {
            if (auto name = quotedName(line, '\''))
                append(*name);
            // Without this the program body's string literals would become units.
            if (endsUsesClause(line, comment))
                unitList = false;
        }
    }
    return true;
}

bool CNvPrjFile::ReadHwp(const std::string& path) {
    begin(path);
    SourceText text;
    if (!loadText(path, text))
        return false;
    bool fileSection = false;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        std::string_view line = text.line(i);
        if (line == "[PROJECT_FILES]") {
            fileSection = true;
        } else if (line.starts_with('[')) {
            fileSection = false;
        } else if (fileSection && line.starts_with('"')) {
            if (auto name = quotedName(line, '"'))
                append(*name);
        }
    }
    return true;
}

bool CNvPrjFile::ReadPrj(const std::string& path, std::vector<ListedFile>& listed) {
    begin(path);
    listed.clear();
    SourceText text;
    if (!loadText(path, text))
        return false;
    bool fileSection = false;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        std::string_view line = text.line(i);
        if (line.starts_with(';'))
            continue;
        if (line.starts_with('[')) {
            fileSection = line.starts_with("[Files]");
            continue;
        }
        if (!fileSection || line.empty())
            continue;
        std::string resolved = resolver_->Resolve(line);
        files_.push_back(resolved);
        listed.push_back({std::string(line), std::move(resolved)});
    }
    return true;
}

// Visual Studio solution: every "Project(...) = "name", "path", "{guid}"" line whose path is a
// project this program reads, in solution order. Solution folders and projects of other kinds
// name no such file and are passed over.
bool CNvPrjFile::ReadSolution(const std::string& path) {
    begin(path);
    SourceText text;
    if (!loadText(path, text))
        return false;
    const std::string solutionFolder = folder_;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        std::string_view line = text.line(i);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.starts_with("Project("))
            continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        // "name", "path", "{guid}"
        std::vector<std::string_view> fields = quotedFields(line.substr(eq + 1));
        if (fields.size() < 2 || fields[1].empty())
            continue;
        const std::string_view entry = fields[1];
        const std::string projectPath = resolver_->Resolve(entry);
        const auto format = LookupProjectFormat(projectPath);
        if (!format || !IsSolutionMember(*format))
            continue;
        CNvPrjFile project(settings_);
        project.SetSolutionFolder(solutionFolder);
        if (!ReadProject(project, *format, projectPath)) {
            notices_.push_back(
                Format(tr("Cannot read the project %s"), std::string(entry).c_str()));
            continue;
        }
        files_.insert(files_.end(), project.Files().begin(), project.Files().end());
        resolver_->AddRelocated(project.Relocated());
        notices_.insert(notices_.end(), project.Notices().begin(), project.Notices().end());
        skippedEntries_ += project.SkippedEntries();
        definitions_.Merge(project.Definitions());
    }
    return true;
}

} // namespace lumbra
