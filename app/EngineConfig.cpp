// Engine configuration from the settings.
#include "EngineConfig.h"

#include <sys/utsname.h>

#include "DefineFiles.h"
#include "Lang.h"
#include "NFileAnly.h"

namespace lumbra {
namespace {

int leadingNumber(std::string_view& s) {
    int value = 0;
    while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
        if (value < 1000000)
            value = value * 10 + (s.front() - '0');
        s.remove_prefix(1);
    }
    return value;
}

} // namespace

int SystemVersionFromRelease(std::string_view release) {
    int major = leadingNumber(release);
    int minor = 0;
    if (!release.empty() && release.front() == '.') {
        release.remove_prefix(1);
        minor = leadingNumber(release);
    }
    return major * 256 + (minor & 255);
}

int RunningSystemVersion() {
    utsname name{};
    if (::uname(&name) != 0)
        return 0;
    return SystemVersionFromRelease(name.release);
}

ExtensionTable ExtensionTableFrom(const Settings& settings) {
    ExtensionTable table;
    for (std::size_t kind = 0; kind < table.extensions.size(); ++kind) {
        for (const std::string& ext : settings.filters[kind + 1].extensions)
            if (!ext.empty() && table.extensions[kind].size() < ExtensionTable::kMaxPerKind)
                table.extensions[kind].push_back(ext);
    }
    return table;
}

void ConfigureEngine(NFileAnly& engine, const Settings& s, FileInputOptions& input) {
    engine.ClearKeywords();
    const std::size_t set = static_cast<std::size_t>(s.cpuSet - 1) < kInstructionSetCount
                                ? static_cast<std::size_t>(s.cpuSet - 1)
                                : 0;
    const auto fields = InstructionFields(s.instructions[set]);
    for (std::size_t k = 0; k < fields.size(); ++k)
        engine.AddKeywords(fields[k], static_cast<int>(k / 2));

    for (int i = 0; i < 4; ++i)
        engine.SetCommentKeyword(s.comment[static_cast<std::size_t>(i)], i);
    engine.SetCommentKeyword(std::string_view(s.comment[4]).substr(0, 2), 4);

    engine.SetDecorationChars(s.anlyOpt[kAnlyDecorationChars] ? s.nameHead : std::string());

    for (std::size_t option = 0; option < kOptionPositions.size(); ++option)
        engine.SetOption(static_cast<int>(option),
                         s.anlyOpt[static_cast<std::size_t>(kOptionPositions[option])]);
    for (std::size_t i = 0; i < s.countOpt.size(); ++i)
        engine.SetCountOption(static_cast<int>(i), s.countOpt[i]);

    // Before the include paths: their separators depend on the code page.
    TextReadSettings read;
    read.defaultEncoding = s.mojiCode;
    read.autoDetect = s.mojiCodeAuto;
    read.codePage = s.codePage;
    read.japaneseUi = IsJapaneseUi();
    engine.SetTextReadSettings(read);

    engine.SetDefaultFoldState(s.viewOpt[kViewTreeFolding]);
    engine.SetSourceFolding(s.viewOpt[kViewSourceFolding]);
    engine.SetIncludePaths(s.includePath);
    engine.SetTreeSortOrder(s.viewOpt[kViewSort]);

    engine.ClearExceptModules();
    if (s.anlyOpt[kAnlyExceptModule])
        ReadExceptionDefineFile(engine, s.exceptMdl);
    engine.ClearConstants();
    if (s.anlyOpt[kAnlyDefineConstant])
        ReadConstantDefineFile(engine, s.constDef);

    if (s.anlyOpt[kAnlyUseDefineConstant]) {
        engine.SetOption(kOptDefineConstantFile, 1);
        engine.AddConstant("WINVER", RunningSystemVersion());
        engine.SetOption(kOptDefineConstantFile, s.anlyOpt[kAnlyDefineConstant]);
    }

    input.language = s.language;
    input.extensions = ExtensionTableFrom(s);
}

} // namespace lumbra
