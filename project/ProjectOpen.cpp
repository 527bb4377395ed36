// The project-open path: extension dispatch, the own ".prj" and loading the files a project
// lists.
#include "ProjectOpen.h"

#include <array>
#include <filesystem>

#include "CNvPrjFile.h"
#include "FileInput.h"
#include "Lang.h"
#include "Sinks.h"

namespace lumbra {

namespace {

struct FormatRow {
    std::string_view extension; // lower case, without the dot
    ProjectFormat format;
    bool (CNvPrjFile::*reader)(const std::string&); // nullptr for the own format
    bool inSolution = false;                        // read when a solution names it
};

constexpr std::string_view kCompileDatabaseName = "compile_commands.json";

// The first matching row decides. A new format adds a row here and a reader to CNvPrjFile.
constexpr std::array kFormats{
    FormatRow{"prj", ProjectFormat::Prj, nullptr},
    FormatRow{"vcproj", ProjectFormat::VisualStudio, &CNvPrjFile::ReadVisualStudio, true},
    FormatRow{"vbproj", ProjectFormat::VisualStudio, &CNvPrjFile::ReadVisualStudio, true},
    FormatRow{"csproj", ProjectFormat::VisualStudio, &CNvPrjFile::ReadVisualStudio, true},
    FormatRow{"vjsproj", ProjectFormat::VisualStudio, &CNvPrjFile::ReadVisualStudio, true},
    FormatRow{"dsp", ProjectFormat::VisualCpp6, &CNvPrjFile::ReadDsp},
    FormatRow{"vbp", ProjectFormat::VisualBasic6, &CNvPrjFile::ReadVbp},
    FormatRow{"bpr", ProjectFormat::CppBuilder, &CNvPrjFile::ReadBpr},
    FormatRow{"cbproj", ProjectFormat::CppBuilderMsbuild, &CNvPrjFile::ReadCbproj, true},
    FormatRow{"dpr", ProjectFormat::Delphi, &CNvPrjFile::ReadDpr},
    FormatRow{"hwp", ProjectFormat::Hew, &CNvPrjFile::ReadHwp},
    FormatRow{"xml", ProjectFormat::AndroidManifest, &CNvPrjFile::ReadAndroidManifest},
    FormatRow{"mtpj", ProjectFormat::CsPlus, &CNvPrjFile::ReadMtpj},
    FormatRow{"vcxproj", ProjectFormat::VisualCppMsbuild, &CNvPrjFile::ReadVcxproj, true},
    FormatRow{"vcxitems", ProjectFormat::VisualCppMsbuild, &CNvPrjFile::ReadVcxproj, true},
    FormatRow{"sln", ProjectFormat::Solution, &CNvPrjFile::ReadSolution},
    // Found by its whole name, not by the extension.
    FormatRow{kCompileDatabaseName, ProjectFormat::CompileDatabase,
              &CNvPrjFile::ReadCompileDatabase},
};

const FormatRow* findRow(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    if (LowerAscii(name) == kCompileDatabaseName)
        return &kFormats.back();
    const std::string extension = LowerAscii(PathExtension(path));
    for (const FormatRow& row : kFormats)
        if (row.extension == extension)
            return &row;
    return nullptr;
}

// The listed file's full-width parentheses are part of the text as the program shows it.
constexpr const char* kCannotReadListed =
    "Specfication file can not read.\xef\xbc\x88 %s \xef\xbc\x89\nContinue?";

void openOwnProject(const std::string& path, ProjectHost& host, ProjectOpenResult& result) {
    std::error_code ec;
    if (!IsReadableRegularFile(path) || std::filesystem::file_size(path, ec) > kMaxProjectFileBytes)
        return; // a ".prj" that cannot be read is ignored
    host.AddRecent(path);
    // Settings first: they decide the code page the file list is read in.
    host.LoadProjectSettings(path);
    host.SetBuildDefinitions(BuildDefinitions{});
    CNvPrjFile reader(host.ReadSettings());
    std::vector<ListedFile> listed;
    if (!reader.ReadPrj(path, listed))
        return;
    result.read = true;
    result.listed = static_cast<int>(listed.size());
    if (!reader.Relocated().empty())
        host.Notice(RelocationNotice(reader.Relocated()));

    host.ListedFiles(result.listed);
    host.BeginLoading();
    for (const ListedFile& file : listed) {
        if (host.Cancelled())
            break;
        if (IsReadableRegularFile(file.path)) {
            host.LoadFile(file.path);
            continue;
        }
        if (!host.Messages().Message(Format(tr(kCannotReadListed), file.listed.c_str()),
                                     tr("caution"), MessageKind::Question)) {
            result.declined = true;
            break;
        }
    }
    result.loaded = host.LoadedFileCount();
    host.EndLoading(!result.declined && !host.Cancelled());
}

void openForeignProject(const std::string& path, const FormatRow& row, ProjectHost& host,
                        ProjectOpenResult& result) {
    CNvPrjFile reader(host.ReadSettings());
    result.read = (reader.*row.reader)(path);
    result.listed = static_cast<int>(reader.Files().size());
    if (!reader.Relocated().empty())
        host.Notice(RelocationNotice(reader.Relocated()));
    for (const std::string& notice : reader.Notices())
        host.Notice(notice);
    if (reader.SkippedEntries() > 0)
        host.Notice(
            Format(tr("Skipped %d entries holding MSBuild properties"), reader.SkippedEntries()));
    host.SetBuildDefinitions(reader.Definitions());

    host.AddRecent(path);
    host.ListedFiles(result.listed);
    host.BeginLoading();
    // Listed files that cannot be read are skipped without a word; Cancel is not consulted.
    for (const std::string& file : reader.Files())
        if (IsReadableRegularFile(file))
            host.LoadFile(file);
    result.loaded = host.LoadedFileCount();
    if (result.loaded > 0) {
        host.EndLoading(!host.Cancelled());
        return;
    }
    host.EndLoading(false);
    result.notFound = true;
    host.Messages().Message(tr("File not found."), tr("Caution"), MessageKind::Warning);
}

} // namespace

std::optional<ProjectFormat> LookupProjectFormat(std::string_view path) {
    if (const FormatRow* row = findRow(path))
        return row->format;
    return std::nullopt;
}

bool IsSolutionMember(ProjectFormat format) {
    for (const FormatRow& row : kFormats)
        if (row.format == format)
            return row.inSolution;
    return false;
}

bool ReadProject(CNvPrjFile& reader, ProjectFormat format, const std::string& path) {
    for (const FormatRow& row : kFormats)
        if (row.format == format && row.reader)
            return (reader.*row.reader)(path);
    return false;
}

ProjectOpenResult OpenProject(const std::string& path, ProjectSource source, ProjectHost& host) {
    ProjectOpenResult result;
    const FormatRow* row = findRow(path);
    if (!row && source == ProjectSource::Direct) {
        host.OpenSourceFile(path);
        return result;
    }
    if (row) {
        result.format = row->format;
        if (row->reader)
            openForeignProject(path, *row, host, result);
        else
            openOwnProject(path, host, result);
    }
    host.SetProjectFolder(FolderOf(path));
    return result;
}

std::vector<ProjectFilter> ProjectDialogFilters(bool xmlAvailable) {
    std::vector<ProjectFilter> filters;
    if (xmlAvailable)
        filters.push_back(
            {tr("Project File"),
             {"*.prj", "*.vbproj", "*.vcproj", "*.csproj", "*.vjsproj", "*.vbp", "*.dsp", "*.bpr",
              "*.cbproj", "*.dpr", "*.hwp", "*.mtpj", "AndroidManifest.xml", "*.sln", "*.vcxproj",
              "*.vcxitems", "compile_commands.json"}});
    else
        filters.push_back({tr("Project File"), {"*.prj", "*.vbp", "*.dsp", "*.dpr", "*.hwp"}});
    filters.push_back({"Lumbra32 (*.prj)", {"*.prj"}});
    if (xmlAvailable) {
        filters.push_back({"Visual Basic (*.vbproj)", {"*.vbproj"}});
        filters.push_back({"Visual C++ (*.vcproj)", {"*.vcproj"}});
        filters.push_back({"Visual C# (*.csproj)", {"*.csproj"}});
        filters.push_back({"Visual J# (*.vjsproj)", {"*.vjsproj"}});
    }
    filters.push_back({"Visual Basic 6 (*.vbp)", {"*.vbp"}});
    filters.push_back({"Visual C++ 6 (*.dsp)", {"*.dsp"}});
    if (xmlAvailable) {
        filters.push_back({"C++Builder 5/6 (*.bpr)", {"*.bpr"}});
        filters.push_back({"C++Builder (*.cbproj)", {"*.cbproj"}});
    }
    filters.push_back({"Delphi (*.dpr)", {"*.dpr"}});
    filters.push_back({"HEW (*.hwp)", {"*.hwp"}});
    if (xmlAvailable) {
        filters.push_back({"CS+ (*.mtpj)", {"*.mtpj"}});
        filters.push_back({"Android Manifest (AndroidManifest.xml)", {"AndroidManifest.xml"}});
    }
    // Today's formats: Visual Studio 2010 and later, and any build with a compilation database.
    if (xmlAvailable)
        filters.push_back({"Visual Studio 2010+, compile_commands.json (*.sln;*.vcxproj;"
                           "*.vcxitems;compile_commands.json)",
                           {"*.sln", "*.vcxproj", "*.vcxitems", "compile_commands.json"}});
    return filters;
}

} // namespace lumbra
