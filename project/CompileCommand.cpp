// Compile command words and the definitions they carry.
#include "CompileCommand.h"

#include <filesystem>

#include "ProjectPath.h"

namespace fs = std::filesystem;

namespace lumbra {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool windowsCompiler(std::string_view command) {
    std::size_t i = 0;
    while (i < command.size() && isBlank(command[i]))
        ++i;
    std::size_t end = i;
    if (end < command.size() && command[end] == '"') {
        end = command.find('"', end + 1);
        if (end == std::string_view::npos)
            end = command.size();
    } else {
        while (end < command.size() && !isBlank(command[end]))
            ++end;
    }
    const std::string first = LowerAscii(command.substr(i, end - i));
    return first.find('\\') != std::string::npos || first.ends_with(".exe") ||
           first.ends_with(".exe\"");
}

std::vector<std::string> splitPosix(std::string_view s) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (isBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\' && i + 1 < s.size()) {
            word += s[++i];
        } else if (c == '\'') {
            std::size_t close = s.find('\'', i + 1);
            if (close == std::string_view::npos)
                close = s.size();
            word.append(s.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '"') {
            for (++i; i < s.size() && s[i] != '"'; ++i) {
                if (s[i] == '\\' && i + 1 < s.size() &&
                    (s[i + 1] == '"' || s[i + 1] == '\\' || s[i + 1] == '$' || s[i + 1] == '`'))
                    ++i;
                word += s[i];
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::vector<std::string> splitWindows(std::string_view s) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (!quoted && isBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            // Backslashes are literal unless a run of them ends at a double quote.
            std::size_t run = 0;
            while (i < s.size() && s[i] == '\\') {
                ++run;
                ++i;
            }
            if (i < s.size() && s[i] == '"') {
                word.append(run / 2, '\\');
                if (run % 2) {
                    word += '"';
                } else {
                    quoted = !quoted;
                }
            } else {
                word.append(run, '\\');
                --i;
            }
        } else if (c == '"') {
            quoted = !quoted;
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

bool microsoftCompiler(const std::string& program) {
    std::string name = LowerAscii(program);
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    if (name.ends_with(".exe"))
        name.resize(name.size() - 4);
    return name == "cl" || name == "clang-cl";
}

std::string folderAgainst(const std::string& directory, std::string_view folder) {
    fs::path p{std::string(folder)};
    if (p.is_relative() && !directory.empty())
        p = fs::path(directory) / p;
    return p.lexically_normal().string();
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view command) {
    return windowsCompiler(command) ? splitWindows(command) : splitPosix(command);
}

void CollectBuildDefinitions(const std::vector<std::string>& arguments,
                             const std::string& directory, BuildDefinitions& out) {
    if (arguments.empty())
        return;
    const bool msvc = microsoftCompiler(arguments.front());
    // Options whose value is a folder to search for quoted includes.
    constexpr std::string_view kIncludeOptions[] = {"-isystem", "-iquote", "-I"};
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string_view a = arguments[i];
        const bool slash = msvc && a.starts_with('/');
        if (a.starts_with("-D") || (slash && a.starts_with("/D"))) {
            std::string_view value = a.substr(2);
            if (value.empty() && i + 1 < arguments.size())
                value = arguments[++i];
            out.AddDefine(value);
            continue;
        }
        if (slash && a.starts_with("/I")) {
            std::string_view value = a.substr(2);
            if (value.empty() && i + 1 < arguments.size())
                value = arguments[++i];
            if (!value.empty())
                out.AddIncludePath(folderAgainst(directory, value));
            continue;
        }
        for (std::string_view option : kIncludeOptions) {
            if (!a.starts_with(option))
                continue;
            std::string_view value = a.substr(option.size());
            if (value.empty() && i + 1 < arguments.size())
                value = arguments[++i];
            if (!value.empty())
                out.AddIncludePath(folderAgainst(directory, value));
            break;
        }
    }
}

} // namespace lumbra
