// Readers of the constant define file and the exception define file.
#include "DefineFiles.h"

#include <filesystem>
#include <optional>

#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TextInput.h"

namespace lumbra {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

std::string_view skipBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

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
    for (std::size_t i = 0; i < text->lineCount(); ++i) {
        std::string_view line = text->line(i);
        if (line.empty() || line.front() != '#')
            continue;
        constexpr std::string_view kDefine = "#define";
        if (line.substr(0, kDefine.size()) != kDefine ||
            (line.size() > kDefine.size() && !isBlank(line[kDefine.size()])))
            continue;
        std::string_view rest = skipBlanks(line.substr(kDefine.size()));
        std::size_t nameEnd = 0;
        while (nameEnd < rest.size() && isNameChar(rest[nameEnd]))
            ++nameEnd;
        if (nameEnd == 0)
            continue;
        ConstantRecord constant;
        constant.name = std::string(rest.substr(0, nameEnd));
        std::string_view value = skipBlanks(rest.substr(nameEnd));
        std::size_t valueEnd = 0;
        while (valueEnd < value.size() && !isBlank(value[valueEnd]) &&
               value.substr(valueEnd, 2) != "//" && value.substr(valueEnd, 2) != "/*")
            ++valueEnd;
        value = value.substr(0, valueEnd);
        constant.value = value.empty() ? 1 : NFileAnly::ParseNumber(value);
        engine.AddGlobalConstant(std::move(constant));
    }
    return true;
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
