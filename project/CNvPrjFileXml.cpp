// The project reader's XML formats: Visual Studio, C++Builder, Android manifest and CS+.
#include <cstring>
#include <optional>
#include <pugixml.hpp>
#include <unordered_set>

#include "CNvPrjFile.h"
#include "CodePage.h"
#include "Lang.h"

namespace lumbra {

namespace {

bool named(const pugi::xml_node& node, const char* name) {
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

bool named(const pugi::xml_attribute& attribute, const char* name) {
    return std::strcmp(attribute.name(), name) == 0;
}

// The first element of this name in document order.
pugi::xml_node firstElement(const pugi::xml_document& doc, const char* name) {
    return doc.find_node([name](const pugi::xml_node& node) { return named(node, name); });
}

pugi::xml_node firstChild(const pugi::xml_node& node, const char* name) {
    for (pugi::xml_node child : node.children())
        if (named(child, name))
            return child;
    return {};
}

// All text below an element, without the white space around it.
std::string elementText(const pugi::xml_node& element) {
    std::string text;
    for (pugi::xml_node cur = element.first_child(); cur;) {
        if (cur.type() == pugi::node_pcdata || cur.type() == pugi::node_cdata)
            text += cur.value();
        if (cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur != element && !cur.next_sibling())
            cur = cur.parent();
        if (cur == element)
            break;
        cur = cur.next_sibling();
    }
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool containsAny(std::string_view entry, std::initializer_list<std::string_view> parts) {
    std::string lower = LowerAscii(entry);
    for (std::string_view part : parts)
        if (lower.find(part) != std::string::npos)
            return true;
    return false;
}

// The charset an XML declaration names ("" when none). Visual Studio wrote its older projects
// in the system's code page ("shift_jis", "Windows-1252"), which the parser cannot decode.
std::string declaredCharset(std::string_view bytes) {
    if (!bytes.starts_with("<?xml"))
        return {};
    std::size_t end = bytes.find("?>");
    if (end == std::string_view::npos || end > 1024)
        return {};
    std::string_view declaration = bytes.substr(0, end);
    std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return {};
    std::size_t open = declaration.find_first_of("\"'", key);
    if (open == std::string_view::npos)
        return {};
    std::size_t close = declaration.find(declaration[open], open + 1);
    if (close == std::string_view::npos)
        return {};
    return LowerAscii(declaration.substr(open + 1, close - open - 1));
}

// The iconv name of a declared charset that needs converting, "" for those the parser reads.
std::string charsetToConvert(const std::string& declared) {
    if (declared.empty() || declared.starts_with("utf") || declared == "us-ascii" ||
        declared == "ascii")
        return {};
    if (declared == "shift_jis" || declared == "shift-jis" || declared == "sjis" ||
        declared == "x-sjis" || declared == "windows-31j" || declared == "ms932" ||
        declared == "cp932")
        return "CP932";
    return declared;
}

// Every element of this name below `top`, in document order.
template <typename Fn> void forEachElement(const pugi::xml_node& top, const char* name, Fn&& fn) {
    for (pugi::xml_node cur = top.first_child(); cur;) {
        if (named(cur, name))
            fn(cur);
        if (cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur != top && !cur.next_sibling())
            cur = cur.parent();
        if (cur == top)
            break;
        cur = cur.next_sibling();
    }
}

// The pieces of a ';'-separated item list, blanks around each removed, empty ones dropped.
std::vector<std::string_view> itemList(std::string_view text) {
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        std::size_t semi = text.find(';');
        std::string_view piece = text.substr(0, semi);
        text.remove_prefix(semi == std::string_view::npos ? text.size() : semi + 1);
        const char* blanks = " \t\r\n";
        std::size_t first = piece.find_first_not_of(blanks);
        if (first == std::string_view::npos)
            continue;
        pieces.push_back(piece.substr(first, piece.find_last_not_of(blanks) - first + 1));
    }
    return pieces;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// MSBuild writes characters it would otherwise read as syntax as %XX ("%3B" for ';').
std::string unescapeMsbuild(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool holdsUnknownMsbuild(std::string_view entry) {
    return entry.find("$(") != std::string_view::npos ||
           entry.find("@(") != std::string_view::npos || entry.find("%(") != std::string_view::npos;
}

} // namespace

bool CNvPrjFile::loadXml(const std::string& path) {
    xml_->reset();
    std::string bytes;
    if (!ReadProjectBytes(path, bytes))
        return false;
    pugi::xml_encoding encoding = pugi::encoding_auto;
    if (std::string charset = charsetToConvert(declaredCharset(bytes)); !charset.empty()) {
        std::string utf8;
        if (ConvertCharset(bytes, charset.c_str(), "UTF-8", utf8)) {
            bytes.swap(utf8);
            encoding = pugi::encoding_utf8;
        }
    }
    const pugi::xml_parse_result parsed =
        xml_->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, encoding);
    if (!parsed)
        notices_.push_back(Format(tr("%s: not well-formed XML (%s at byte %d)"), path.c_str(),
                                  parsed.description(), static_cast<int>(parsed.offset) + 1));
    return static_cast<bool>(parsed);
}

// Attribute and element texts arrive as UTF-8; entries are held in the internal code page.
std::string CNvPrjFile::fromXml(const char* text) const {
    if (settings_.codePage == kCodePageUtf8)
        return text;
    return Utf8ToInternal(text, settings_.codePage);
}

bool CNvPrjFile::ReadVisualStudio(const std::string& path) {
    begin(path);
    if (!loadXml(path))
        return false;
    readVisualStudioA();
    return true;
}

// Visual Studio 2002-2008 C++ and J#: <Files><Filter><File RelativePath=...>.
void CNvPrjFile::readVisualStudioA() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "VisualStudioProject");
    if (!root) {
        readVisualStudioB();
        return;
    }
    if (pugi::xml_node files = firstChild(root, "Files")) {
        for (pugi::xml_node filter : files.children()) {
            if (!named(filter, "Filter") || !filter.first_attribute())
                continue;
            for (pugi::xml_node file : filter.children()) {
                if (!named(file, "File") || !file.first_attribute())
                    continue;
                for (pugi::xml_attribute attribute : file.attributes()) {
                    if (named(attribute, "RelativePath")) {
                        append(fromXml(attribute.value()));
                        break;
                    }
                }
            }
        }
    }
    if (files_.empty())
        readVisualStudioB();
}

// Visual Studio 2002-2003 C# and Visual Basic: <CSHARP|VisualBasic><Files><Include><File>.
void CNvPrjFile::readVisualStudioB() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "VisualStudioProject");
    if (!root) {
        readVisualStudioC();
        return;
    }
    for (pugi::xml_node language : root.children()) {
        if (!named(language, "CSHARP") && !named(language, "VisualBasic"))
            continue;
        pugi::xml_node files = firstChild(language, "Files");
        if (!files)
            continue;
        for (pugi::xml_node include : files.children()) {
            if (!named(include, "Include"))
                continue;
            for (pugi::xml_node file : include.children()) {
                if (!named(file, "File"))
                    continue;
                std::string entry;
                for (pugi::xml_attribute attribute : file.attributes())
                    if (named(attribute, "RelPath"))
                        entry = fromXml(attribute.value());
                if (!entry.empty() && !containsAny(entry, {"assemblyinfo."}))
                    append(entry);
            }
        }
    }
}

// MSBuild (Visual Studio 2005 and later), C# and Visual Basic: <ItemGroup><Compile Include=...>.
void CNvPrjFile::readVisualStudioC() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "Project");
    if (!root)
        return;
    for (pugi::xml_node group : root.children()) {
        if (!named(group, "ItemGroup"))
            continue;
        for (pugi::xml_node compile : group.children()) {
            if (!named(compile, "Compile") || !compile.first_attribute())
                continue;
            for (pugi::xml_attribute attribute : compile.attributes()) {
                if (!named(attribute, "Include"))
                    continue;
                std::string entry = fromXml(attribute.value());
                // Generated code: the designer's half of a form and the assembly attributes.
                if (!containsAny(entry, {".designer.", "assemblyinfo."}))
                    append(entry);
            }
        }
    }
}

bool CNvPrjFile::ReadBpr(const std::string& path) {
    begin(path);
    if (!loadXml(path))
        return false;
    readBpr();
    return true;
}

// C++Builder 5/6: <FILELIST><FILE FILENAME=...>, else the units behind <MACROS><OBJFILES>.
void CNvPrjFile::readBpr() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "PROJECT");
    if (!root)
        return;
    std::string objectFiles;
    for (pugi::xml_node child : root.children()) {
        if (named(child, "MACROS")) {
            for (pugi::xml_node macro : child.children())
                if (named(macro, "OBJFILES") && macro.first_attribute())
                    objectFiles = fromXml(macro.first_attribute().value());
        } else if (named(child, "FILELIST")) {
            for (pugi::xml_node file : child.children()) {
                if (!named(file, "FILE"))
                    continue;
                for (pugi::xml_attribute attribute : file.attributes())
                    if (named(attribute, "FILENAME"))
                        append(fromXml(attribute.value()));
            }
        }
    }
    if (!files_.empty())
        return;
    std::string_view rest = objectFiles;
    while (!rest.empty()) {
        std::size_t blank = rest.find(' ');
        std::string word(rest.substr(0, std::min(blank, rest.size())));
        rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank + 1);
        if (word.size() > kMaxProjectNameLength)
            word.resize(kMaxProjectNameLength);
        // Unit1.obj was compiled from Unit1.cpp.
        std::size_t obj = word.find(".obj");
        if (obj == std::string::npos)
            continue;
        word.replace(obj + 1, 3, "cpp");
        append(word);
    }
}

bool CNvPrjFile::ReadCbproj(const std::string& path) {
    begin(path);
    if (!loadXml(path))
        return false;
    readCbproj();
    return true;
}

// C++Builder MSBuild: <ItemGroup><CppCompile Include=...>, and the Pascal units of
// <DelphiCompile Include=...>.
void CNvPrjFile::readCbproj() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "Project");
    if (!root)
        return;
    for (pugi::xml_node group : root.children()) {
        if (!named(group, "ItemGroup"))
            continue;
        for (pugi::xml_node item : group.children()) {
            if ((!named(item, "CppCompile") && !named(item, "DelphiCompile")) ||
                !item.first_attribute())
                continue;
            for (pugi::xml_attribute attribute : item.attributes())
                if (named(attribute, "Include"))
                    append(fromXml(attribute.value()));
        }
    }
}

bool CNvPrjFile::ReadAndroidManifest(const std::string& path) {
    begin(path);
    if (!loadXml(path))
        return false;
    readAndroidManifest();
    return true;
}

// Android: the activities and providers of <application>, each looked for as a .java file
// below the source folder, by the package-relative name first and then as fully qualified.
void CNvPrjFile::readAndroidManifest() {
    files_.clear();
    std::string sourceFolder = "src";
    if (!resolver_->Locate(folder_ + sourceFolder)) {
        sourceFolder = "java";
        if (!resolver_->Locate(folder_ + sourceFolder))
            return;
    }
    pugi::xml_node root = firstElement(*xml_, "manifest");
    if (!root)
        return;
    std::string package;
    for (pugi::xml_attribute attribute : root.attributes())
        if (named(attribute, "package"))
            package = fromXml(attribute.value());

    // "src" + "." + "com.example.App" becomes <folder>src/com/example/App.java.
    auto findClass = [this](const std::string& dotted) -> std::optional<std::string> {
        std::string path = dotted;
        for (char& c : path)
            if (c == '.')
                c = '/';
        path = folder_ + resolver_->ToSlashes(path) + ".java";
        auto found = resolver_->Locate(path);
        if (found && IsReadableRegularFile(*found))
            return found;
        return std::nullopt;
    };
    for (pugi::xml_node application : root.children()) {
        if (!named(application, "application"))
            continue;
        for (pugi::xml_node component : application.children()) {
            if (!named(component, "provider") && !named(component, "activity"))
                continue;
            for (pugi::xml_attribute attribute : component.attributes()) {
                if (!named(attribute, "android:name"))
                    continue;
                const std::string className = fromXml(attribute.value());
                auto found = findClass(sourceFolder + "." + package + "." + className);
                if (!found)
                    found = findClass(sourceFolder + "." + className);
                if (found)
                    files_.push_back(std::move(*found));
            }
        }
    }
}

bool CNvPrjFile::ReadMtpj(const std::string& path) {
    begin(path);
    if (!loadXml(path))
        return false;
    readMtpj();
    return true;
}

// CS+: <Class><Instance><RelativePath>text</RelativePath>.
void CNvPrjFile::readMtpj() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "CubeSuiteProject");
    if (!root)
        return;
    for (pugi::xml_node cls : root.children()) {
        if (!named(cls, "Class"))
            continue;
        for (pugi::xml_node instance : cls.children()) {
            if (!named(instance, "Instance"))
                continue;
            std::string relativePath;
            for (pugi::xml_node child : instance.children())
                if (named(child, "RelativePath"))
                    relativePath = fromXml(elementText(child).c_str());
            if (!relativePath.empty() && !containsAny(relativePath, {"assemblyinfo."}))
                append(relativePath);
        }
    }
}

bool CNvPrjFile::ReadVcxproj(const std::string& path) {
    begin(path);
    if (!loadXml(path))
        return false;
    readVcxproj();
    return true;
}

// The properties a project's own location decides; others depend on a build configuration
// and stay unknown.
std::string CNvPrjFile::expandMsbuildProperties(std::string_view entry) const {
    std::string out;
    while (!entry.empty()) {
        std::size_t open = entry.find("$(");
        std::size_t close =
            open == std::string_view::npos ? std::string_view::npos : entry.find(')', open);
        if (close == std::string_view::npos) {
            out += entry;
            break;
        }
        out += entry.substr(0, open);
        const std::string name = LowerAscii(entry.substr(open + 2, close - open - 2));
        std::string value;
        bool known = true;
        if (name == "projectdir" || name == "msbuildthisfiledirectory")
            value = folder_;
        else if (name == "msbuildprojectdirectory")
            value = folder_.substr(0, folder_.size() - 1);
        else if (name == "solutiondir" && !solutionFolder_.empty())
            value = solutionFolder_;
        else
            known = false;
        if (known)
            out += value;
        else
            out += entry.substr(open, close - open + 1);
        entry.remove_prefix(close + 1);
    }
    return out;
}

std::optional<std::string> CNvPrjFile::msbuildEntry(std::string_view piece) const {
    std::string entry = expandMsbuildProperties(fromXml(std::string(piece).c_str()));
    if (holdsUnknownMsbuild(entry))
        return std::nullopt;
    return unescapeMsbuild(entry);
}

std::unordered_set<std::string> CNvPrjFile::msbuildPaths(std::string_view list) {
    std::unordered_set<std::string> paths;
    for (std::string_view piece : itemList(list)) {
        auto entry = msbuildEntry(piece);
        if (!entry)
            continue;
        if (HasWildcard(*entry)) {
            WildcardMatch match = resolver_->Expand(*entry);
            paths.insert(match.files.begin(), match.files.end());
        } else {
            paths.insert(resolver_->Resolve(*entry));
        }
    }
    return paths;
}

void CNvPrjFile::removeMsbuildItems(std::string_view list) {
    const std::unordered_set<std::string> removed = msbuildPaths(list);
    std::erase_if(files_, [&removed](const std::string& path) { return removed.contains(path); });
}

void CNvPrjFile::appendMsbuildItem(std::string_view include, std::string_view exclude) {
    const std::unordered_set<std::string> excluded = msbuildPaths(exclude);
    for (std::string_view piece : itemList(include)) {
        auto entry = msbuildEntry(piece);
        if (!entry) {
            ++skippedEntries_;
            continue;
        }
        if (!HasWildcard(*entry)) {
            std::string path = resolver_->Resolve(*entry);
            if (!excluded.contains(path))
                files_.push_back(std::move(path));
            continue;
        }
        WildcardMatch match = resolver_->Expand(*entry);
        if (match.truncated)
            notices_.push_back(Format(tr("%s names more than %d files; only %d are taken"),
                                      entry->c_str(), static_cast<int>(kMaxExpandedFiles),
                                      static_cast<int>(kMaxExpandedFiles)));
        for (std::string& path : match.files)
            if (!excluded.contains(path))
                files_.push_back(std::move(path));
    }
}

// Visual Studio 2010 and later C++, and shared items: the sources and headers of every item
// group outside targets, <Choose> included (conditions are not evaluated: every
// configuration's files count).
void CNvPrjFile::readVcxproj() {
    files_.clear();
    pugi::xml_node root = firstElement(*xml_, "Project");
    if (!root)
        return;
    forEachElement(root, "ItemGroup", [this](const pugi::xml_node& group) {
        // Item groups inside a target make items while that target builds: nothing to read.
        for (pugi::xml_node up = group.parent(); up; up = up.parent())
            if (named(up, "Target"))
                return;
        for (pugi::xml_node item : group.children()) {
            if (!named(item, "ClCompile") && !named(item, "ClInclude"))
                continue;
            // Update changes metadata only; Remove takes earlier items out again.
            if (pugi::xml_attribute include = item.attribute("Include"))
                appendMsbuildItem(include.value(), item.attribute("Exclude").value());
            else if (pugi::xml_attribute remove = item.attribute("Remove"))
                removeMsbuildItems(remove.value());
        }
    });
}

} // namespace lumbra
