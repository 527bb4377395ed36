// Parsing and editing of ini documents that keep every line they do not change.
#include "IniFile.h"

namespace lumbra {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The name of a section header line, or nullopt when the line is no header.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    std::size_t close = line.find(']');
    return trim(close == std::string_view::npos ? line : line.substr(0, close));
}

// Splits a key line into key and value; nullopt for comments, blank and plain lines.
std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view line) {
    std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    std::string_view key = trim(t.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return std::make_pair(key, trim(t.substr(eq + 1)));
}

bool equalFolded(std::string_view a, std::string_view folded) {
    if (a.size() != folded.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != folded[i])
            return false;
    }
    return true;
}

} // namespace

std::string IniFile::fold(std::string_view name) {
    std::string out(trim(name));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IniFile::LooksLikeUtf16(std::string_view b) {
    auto at = [&](std::size_t i) { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0; };
    if ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))
        return true;
    if (b.size() < 4)
        return false;
    return (at(0) != 0 && at(1) == 0 && at(2) != 0 && at(3) == 0) ||
           (at(0) == 0 && at(1) != 0 && at(2) == 0 && at(3) != 0);
}

void IniFile::Clear() {
    bom_.clear();
    sections_.assign(1, Section{});
    index_.clear();
    newEol_ = Eol::Lf;
}

void IniFile::Parse(std::string_view bytes) {
    Clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bom_ = std::string(bytes.substr(0, 3));
        bytes.remove_prefix(3);
    }
    bool eolSeen = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        Line line;
        if (end == std::string_view::npos) {
            line.text = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            line.text = std::string(bytes.substr(pos, end - pos));
            if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
                line.eol = Eol::CrLf;
                pos = end + 2;
            } else {
                line.eol = bytes[end] == '\r' ? Eol::Cr : Eol::Lf;
                pos = end + 1;
            }
            if (!eolSeen) {
                newEol_ = line.eol;
                eolSeen = true;
            }
        }
        if (auto name = headerName(line.text))
            sections_.push_back(Section{fold(*name), {}});
        sections_.back().lines.push_back(std::move(line));
    }
    reindex();
}

std::string IniFile::Text() const {
    std::string out = bom_;
    for (const Section& s : sections_) {
        for (const Line& l : s.lines) {
            out += l.text;
            switch (l.eol) {
            case Eol::Lf:
                out += '\n';
                break;
            case Eol::CrLf:
                out += "\r\n";
                break;
            case Eol::Cr:
                out += '\r';
                break;
            case Eol::None:
                break;
            }
        }
    }
    return out;
}

void IniFile::reindex() {
    index_.clear();
    for (std::size_t i = 1; i < sections_.size(); ++i)
        index_.emplace(sections_[i].key, i);
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    auto it = index_.find(fold(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    auto it = index_.find(fold(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

std::size_t IniFile::findKey(const Section& section, std::string_view foldedKey) {
    for (std::size_t i = 1; i < section.lines.size(); ++i) {
        auto kv = keyValue(section.lines[i].text);
        if (kv && equalFolded(kv->first, foldedKey))
            return i;
    }
    return std::string::npos;
}

bool IniFile::HasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    std::size_t i = findKey(*s, fold(key));
    if (i == std::string::npos)
        return std::nullopt;
    return std::string(keyValue(s->lines[i].text)->second);
}

void IniFile::terminateLastLine() {
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        if (!s->lines.empty()) {
            if (s->lines.back().eol == Eol::None)
                s->lines.back().eol = newEol_;
            return;
        }
    }
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(trim(key)) + "=" + std::string(value);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    Section* s = findSection(section);
    if (!s) {
        terminateLastLine();
        sections_.push_back(Section{fold(section),
                                    {Line{"[" + std::string(trim(section)) + "]", newEol_},
                                     Line{std::move(text), newEol_}}});
        index_.emplace(sections_.back().key, sections_.size() - 1);
        return;
    }
    std::size_t i = findKey(*s, fold(key));
    if (i != std::string::npos) {
        s->lines[i].text = std::move(text);
        return;
    }
    // After the last non-blank line, so that blank lines between sections stay where they are.
    std::size_t after = s->lines.size();
    while (after > 1 && trim(s->lines[after - 1].text).empty())
        --after;
    if (s->lines[after - 1].eol == Eol::None)
        s->lines[after - 1].eol = newEol_;
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(after),
                    Line{std::move(text), newEol_});
}

bool IniFile::RemoveKey(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s)
        return false;
    std::size_t i = findKey(*s, fold(key));
    if (i == std::string::npos)
        return false;
    s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

bool IniFile::RemoveSection(std::string_view section) {
    const std::string key = fold(section);
    std::size_t before = sections_.size();
    for (std::size_t i = sections_.size(); i-- > 1;)
        if (sections_[i].key == key)
            sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
    if (sections_.size() == before)
        return false;
    reindex();
    return true;
}

} // namespace lumbra
