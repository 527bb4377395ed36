// Readers of the constant define file and the exception define file.
#include "DefineFiles.h"

#include <filesystem>
#include <optional>

#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TextInput.h"
#include "cfamily/CLineText.h"

namespace lumbra {
namespace {

// The file as the user named it; a name written with backslashes (a setting carried over from
// Windows) is tried with slashes when it does not exist as it stands.
std::optional<SourceText> loadDefineFile(const std::string& path,
                                         const TextReadSettings& settings) {
    if (path.empty())
        return std::nullopt;
    std::optional<SourceText> text = SourceText::Load(path, settings);
    if (!text && path.find('\\') != std::string::npos) {
        std::string slashed = path;
        for (char& c : slashed)
            if (c == '\\')
                c = '/';
        text = SourceText::Load(slashed, settings);
    }
    return text;
}

void notFound(NFileAnly& engine, const char* message) {
    engine.Messages().Message(tr(message), tr("Caution"), MessageKind::Warning);
}

} // namespace

bool ReadConstantDefineFile(NFileAnly& engine, const std::string& path) {
    std::optional<SourceText> text = loadDefineFile(path, engine.GetTextReadSettings());
    if (!text) {
        notFound(engine, "Constant define file not found.");
        return false;
    }
    CTokenReader reader;
    reader.SetCodePage932(engine.GetTextReadSettings().codePage == kCodePageShiftJis);
    for (std::size_t i = 0; i < text->lineCount(); ++i) {
        const char* p = text->line(i).data(); // each line is followed by a NUL in memory
        if (*p != '#')
            continue;
        const char* e = reader.Read(p);
        if (std::string_view(p, static_cast<std::size_t>(e - p)) != "#define")
            continue;
        p = SkipBlanks(e);
        e = reader.Read(p);
        if (e == p)
            continue;
        ConstantRecord constant;
        constant.name.assign(p, e);
        p = SkipBlanks(e);
        if (*p == '-' && p[1] >= '0' && p[1] <= '9') {
            // A negative value: the token reader alone would stop at its sign.
            constant.value = NFileAnly::ParseNumber(p);
        } else {
            e = reader.Read(p);
            constant.value =
                e == p ? 1 : NFileAnly::ParseNumber({p, static_cast<std::size_t>(e - p)});
        }
        reader.Reset();
        engine.AddGlobalConstant(std::move(constant));
    }
    return true;
}

ConstantRecord ConstantFromDefinition(std::string_view define) {
    ConstantRecord c;
    c.name.assign(DefineName(define));
    const std::size_t eq = define.find('=');
    const std::string_view value = eq == std::string_view::npos ? "" : define.substr(eq + 1);
    c.value = value.empty() ? 1 : NFileAnly::ParseNumber(value);
    return c;
}

void ApplyBuildDefinitions(NFileAnly& engine, std::string_view settingsIncludePath,
                           std::initializer_list<const BuildDefinitions*> sets) {
    std::string folders(settingsIncludePath);
    bool moreFolders = false;
    bool moreConstants = false;
    for (const BuildDefinitions* set : sets) {
        for (const std::string& dir : set->IncludePaths()) {
            if (!folders.empty() && folders.back() != ';')
                folders += ';';
            folders += dir;
            moreFolders = true;
        }
        moreConstants = moreConstants || !set->Defines().empty();
    }
    if (moreFolders)
        engine.SetIncludePaths(folders);
    if (!moreConstants)
        return;
    // The global list keeps the first definition of a name: the given sets go in first.
    std::vector<ConstantRecord> configured(engine.GetGlobalConstants().begin(),
                                           engine.GetGlobalConstants().end());
    engine.ClearConstants();
    for (const BuildDefinitions* set : sets)
        for (const std::string& define : set->Defines())
            engine.AddGlobalConstant(ConstantFromDefinition(define));
    for (ConstantRecord& c : configured)
        engine.AddGlobalConstant(std::move(c));
}

bool ReadExceptionDefineFile(NFileAnly& engine, const std::string& path) {
    std::optional<SourceText> text = loadDefineFile(path, engine.GetTextReadSettings());
    if (!text) {
        notFound(engine, "Exception define file not found.");
        return false;
    }
    bool reading = false;
    for (std::size_t i = 0; i < text->lineCount(); ++i) {
        std::string_view line = text->line(i);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (line.substr(0, 8) == "[Except]")
                reading = true;
            continue;
        }
        if (reading)
            engine.AddExceptModule(std::string(line).c_str());
    }
    return true;
}

} // namespace lumbra
