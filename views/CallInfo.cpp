// The call-information update.
#include "CallInfo.h"

#include "CodePage.h"
#include "Lang.h"
#include "TreeRowPass.h"

namespace lumbra {

CallInfo BuildCallInfo(NFileAnly& engine, const TreeRowList& rows, int rowIndex) {
    CallInfo info;
    if (rowIndex < 0 || static_cast<std::size_t>(rowIndex) >= rows.size())
        return info;
    const TreeRow& row = rows[static_cast<std::size_t>(rowIndex)];
    const int id = row.moduleId();
    const ModuleRecord* module = row.isLeaf() ? nullptr : engine.GetModule(id);
    if (!module)
        return info;
    info.moduleId = id;
    info.codePage = engine.GetTextReadSettings().codePage;
    info.name = module->name;

    const char* path = engine.GetModuleFilePath(id);
    const std::string shownPath = InternalToUtf8(path ? path : "", info.codePage);
    const long line = engine.GetModuleLine(id);
    const long exec = engine.GetModuleValue(id, 0);
    const long pathNumb = engine.GetPathNumber(id);
    info.infoText = Format("%s\r\n%ldLine\r\nExec Lines = %ld\r\nPath numb = %ld",
                           shownPath.c_str(), line, exec, pathNumb);
    info.fileLine = Format("%s : %ldLine, Exec Lines = %ld, Path numb = %ld", shownPath.c_str(),
                           line, exec, pathNumb);

    for (int k = 1, n = engine.GetUpperCount(id); k <= n; ++k) {
        const char* name = engine.GetUpperName(id, k);
        info.upper.emplace_back(name ? name : "");
    }
    for (int k = 1, n = engine.GetLowerCount(id); k <= n; ++k) {
        const char* name = engine.GetLowerName(id, k);
        info.lower.emplace_back(name ? name : "");
    }

    info.levels = row.level + 1;
    for (std::size_t index : RowPath(rows, static_cast<std::size_t>(rowIndex)))
        info.hierarchy.emplace_back(rows.rowName(rows[index], engine));

    const int file = engine.GetModuleFileIndex(id);
    const int constants = engine.GetConstantCount(file);
    for (int k = 0; k < constants; ++k)
        info.definitions.push_back(
            InternalToUtf8(engine.NextConstantText(file, k == 0 ? 0 : 1), info.codePage));
    return info;
}

std::vector<std::string> DisplayNames(const std::vector<std::string>& names, int codePage) {
    std::vector<std::string> shown;
    shown.reserve(names.size());
    for (const std::string& name : names)
        shown.push_back(InternalToUtf8(name, codePage));
    return shown;
}

ModuleListContent ModuleListOf(const CallInfo& info, const std::string& title,
                               bool crossReference) {
    ModuleListContent c;
    c.title = title;
    c.crossReference = crossReference;
    c.hierarchy = DisplayNames(info.hierarchy, info.codePage);
    c.upper = DisplayNames(info.upper, info.codePage);
    c.lower = DisplayNames(info.lower, info.codePage);
    if (!crossReference)
        c.definitions = info.definitions;
    return c;
}

std::string CallInfoWindowTitle(const CallInfo& info) {
    return Format(tr("Call Information(%s)"), InternalToUtf8(info.name, info.codePage).c_str());
}

std::string ModuleInfoTitle(const CallInfo& info) {
    return Format(tr("Module Information(%s)"), InternalToUtf8(info.name, info.codePage).c_str());
}

} // namespace lumbra
