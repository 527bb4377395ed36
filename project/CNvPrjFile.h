// The project reader: reads one IDE project file or the own ".prj" into the list of source
// files it names.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "BuildDefinitions.h"
#include "ProjectPath.h"
#include "TextInput.h"

namespace pugi {
class xml_document;
}

namespace lumbra {

// Project files larger than this are treated as unreadable: no real project comes near it, and
// reading it whole could exhaust memory.
inline constexpr std::uintmax_t kMaxProjectFileBytes = 256u * 1024 * 1024;

// A quoted name (".hwp", ".dpr") or one object-file word (".bpr") is cut to this length.
inline constexpr std::size_t kMaxProjectNameLength = 1023;

// Reads a whole project file: false for anything but a readable regular file of at most
// kMaxProjectFileBytes.
bool ReadProjectBytes(const std::string& path, std::string& bytes);

// One "[Files]" line of a ".prj": as written and as resolved.
struct ListedFile {
    std::string listed;
    std::string path;
};

class CNvPrjFile {
public:
    // `settings` give the code page entries are converted to; encodings are always detected.
    explicit CNvPrjFile(const TextReadSettings& settings);
    ~CNvPrjFile();
    CNvPrjFile(const CNvPrjFile&) = delete;
    CNvPrjFile& operator=(const CNvPrjFile&) = delete;

    // Whether the XML formats can be read (the parser is built in, so always).
    bool XmlAvailable() const { return true; }

    // The files named by the last reader, in document order, duplicates kept.
    const std::vector<std::string>& Files() const { return files_; }
    // The project file's folder, absolute, ending in '/'.
    const std::string& ProjectFolder() const { return folder_; }
    // Entries found below the project folder instead of where they pointed.
    const std::vector<std::string>& Relocated() const;
    // One-line notes on the last read for the status bar or stderr: entries left out, wildcards
    // cut at their limit, why a file could not be read.
    const std::vector<std::string>& Notices() const { return notices_; }
    // Entries left out because they hold MSBuild properties, item lists or metadata that
    // cannot be known here ("$(Platform)", "@(Items)", "%(Filename)").
    int SkippedEntries() const { return skippedEntries_; }
    // The constants and include folders a compilation database gives its files.
    const BuildDefinitions& Definitions() const { return definitions_; }
    // The folder "$(SolutionDir)" stands for in a project read through a solution ("" when
    // the project is opened alone).
    void SetSolutionFolder(std::string folder) { solutionFolder_ = std::move(folder); }

    // The readers. Each sets the project folder and clears the list first; false when the file
    // could not be read (or, for XML, is not well-formed), with an empty list.
    bool ReadDsp(const std::string& path);          // Visual C++ 6
    bool ReadVbp(const std::string& path);          // Visual Basic 6
    bool ReadDpr(const std::string& path);          // Delphi
    bool ReadHwp(const std::string& path);          // HEW
    bool ReadVisualStudio(const std::string& path); // .vcproj .vbproj .csproj .vjsproj
    bool ReadBpr(const std::string& path);          // C++Builder 5/6
    bool ReadCbproj(const std::string& path);       // C++Builder MSBuild
    bool ReadAndroidManifest(const std::string& path);
    bool ReadMtpj(const std::string& path);     // CS+
    bool ReadVcxproj(const std::string& path);  // Visual Studio 2010 and later, .vcxitems too
    bool ReadSolution(const std::string& path); // .sln: the projects it names, in order
    // compile_commands.json: each entry's file once, with the definitions of its command.
    bool ReadCompileDatabase(const std::string& path);

    // The own project: the "[Files]" lines (comment and empty lines skipped), in order.
    // `Files()` holds their resolved paths as well.
    bool ReadPrj(const std::string& path, std::vector<ListedFile>& listed);

private:
    void begin(const std::string& path);
    bool loadText(const std::string& path, SourceText& text);
    bool loadXml(const std::string& path);
    void append(std::string_view entry);
    std::string fromXml(const char* text) const;

    void readVisualStudioA();
    void readVisualStudioB();
    void readVisualStudioC();
    void readBpr();
    void readCbproj();
    void readAndroidManifest();
    void readMtpj();
    void readVcxproj();
    void appendMsbuildItem(std::string_view include, std::string_view exclude);
    void removeMsbuildItems(std::string_view list);
    // One item of a list with the properties known here expanded; nothing when it holds others.
    std::optional<std::string> msbuildEntry(std::string_view piece) const;
    // The paths a ';'-separated item list names (wildcards expanded).
    std::unordered_set<std::string> msbuildPaths(std::string_view list);
    std::string expandMsbuildProperties(std::string_view entry) const;

    TextReadSettings settings_;
    std::string folder_;
    std::vector<std::string> files_;
    std::unique_ptr<ProjectPathResolver> resolver_;
    std::unique_ptr<pugi::xml_document> xml_;
    std::vector<std::string> notices_;
    BuildDefinitions definitions_;
    std::string solutionFolder_;
    int skippedEntries_ = 0;
};

} // namespace lumbra
