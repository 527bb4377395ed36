// Language-kind selection and registration of chosen files.
#include "FileInput.h"

#include <filesystem>

#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"

namespace fs = std::filesystem;

namespace lumbra {

ExtensionTable ExtensionTable::Defaults() {
    ExtensionTable t;
    t.extensions[0] = {"asm", "src"};
    t.extensions[1] = {"bas", "frm", "cls", "vb"};
    t.extensions[2] = {"h", "c", "cpp", "java", "cs", "jsl", "cc", "cxx", "hpp", "hh"};
    t.extensions[3] = {"pas"};
    return t;
}

std::string_view PathExtension(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

int LookupExtension(const ExtensionTable& table, std::string_view path) {
    std::string_view ext = PathExtension(path);
    std::string upper(ext), lower(ext);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (int kind = 0; kind < 4; ++kind) {
        for (const std::string& entry : table.extensions[static_cast<std::size_t>(kind)]) {
            if (entry.empty())
                continue;
            if (entry == upper || entry == lower)
                return kind + 2;
        }
    }
    return 0;
}

FileInputResult InputFiles(NFileAnly& engine, const std::vector<std::string>& paths,
                           const FileInputOptions& options, const FileInputHooks& hooks) {
    FileInputResult result;
    NullMessageSink nullMessages;
    NullStatusSink nullStatus;
    MessageSink& messages = hooks.messages ? *hooks.messages : nullMessages;
    StatusSink& status = hooks.status ? *hooks.status : nullStatus;

    status.ShowStatus(1, tr(" (Dialog Input)"));
    const int count = static_cast<int>(paths.size());
    for (int p = 1; p <= count; ++p) {
        const std::string& given = paths[static_cast<std::size_t>(p - 1)];
        std::string name = fs::path(given).filename().string();
        status.ShowStatus(
            1, Format(tr("File Inputing...( %d / %d ) : %s"), p - 1, count, name.c_str()));

        std::error_code ec;
        fs::path full = fs::absolute(fs::path(given), ec);
        std::string path = ec ? given : full.lexically_normal().string();
        result.lastDirectory = fs::path(path).parent_path().string();

        int r = options.language >= 0 && options.language <= 3
                    ? options.language + 2
                    : LookupExtension(options.extensions, path);
        if (r - 2 >= 0 && r - 2 <= 3) {
            const bool known = engine.IsRegistered(path);
            engine.AddFile(path, r - 2);
            if (!known && engine.IsRegistered(path))
                ++result.registered;
            else
                ++result.refused;
        } else {
            ++result.unknownKind;
            if (!options.withoutMessages)
                messages.Message(Format(tr("Undefined extention.(%s)"), path.c_str()),
                                 tr("Caution"), MessageKind::Warning);
        }
        if (!options.withoutMessages && hooks.addRecent)
            hooks.addRecent(path);
        if (hooks.progress && !hooks.progress(p, count)) {
            result.cancelled = true;
            break;
        }
    }
    status.ShowStatus(0, "");
    return result;
}

} // namespace lumbra
