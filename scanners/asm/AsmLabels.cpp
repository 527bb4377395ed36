// Per-file label and call-name lists of the assembler scanner.
#include "asm/AsmLabels.h"

#include "NFileAnly.h"

namespace lumbra {

AsmLabel* AsmFileLabels::Find(std::string_view key) {
    auto it = byKey_.find(std::string(key));
    return it == byKey_.end() ? nullptr : &labels_[it->second];
}

const AsmLabel* AsmFileLabels::Find(std::string_view key) const {
    auto it = byKey_.find(std::string(key));
    return it == byKey_.end() ? nullptr : &labels_[it->second];
}

const AsmLabel* AsmFileLabels::FindPlain(std::string_view plainKey) const {
    auto it = byPlainKey_.find(std::string(plainKey));
    return it == byPlainKey_.end() ? nullptr : &labels_[it->second];
}

AsmLabel& AsmFileLabels::Add(std::string key, AsmLabel label) {
    const std::size_t at = labels_.size();
    labels_.push_back(std::move(label));
    byKey_.emplace(std::move(key), at);
    byPlainKey_.emplace(labels_.back().plainKey, at);
    return labels_.back();
}

void AsmFileLabels::AddCallName(std::string_view key) {
    if (callNameSet_.emplace(key).second)
        callNames_.emplace_back(key);
}

AsmFileLabels& AsmFileLabels::Renew(FileRecord& file) {
    auto fresh = std::make_unique<AsmFileLabels>();
    AsmFileLabels& data = *fresh;
    file.scannerData = std::move(fresh);
    return data;
}

AsmFileLabels* AsmFileLabels::Of(const FileRecord& file) {
    return dynamic_cast<AsmFileLabels*>(file.scannerData.get());
}

void AsmLabelIndex::Build(const NFileAnly& engine) {
    byKey_.clear();
    for (std::size_t i = 0; i < engine.FileListSize(); ++i) {
        const FileRecord* file = engine.GetFile(static_cast<int>(i));
        const AsmFileLabels* labels = file ? AsmFileLabels::Of(*file) : nullptr;
        if (!labels)
            continue;
        const auto& list = labels->Labels();
        for (std::size_t k = 0; k < list.size(); ++k)
            if (list[k].line > 0 && !list[k].local)
                byKey_.emplace(list[k].plainKey, Entry{static_cast<int>(i), k});
    }
}

const AsmLabel* AsmLabelIndex::Find(const NFileAnly& engine, std::string_view plainKey,
                                    FileRecord** file) const {
    auto it = byKey_.find(std::string(plainKey));
    if (it == byKey_.end())
        return nullptr;
    FileRecord* f = engine.GetFile(it->second.file);
    const AsmFileLabels* labels = f ? AsmFileLabels::Of(*f) : nullptr;
    if (!labels || it->second.label >= labels->Labels().size())
        return nullptr;
    if (file)
        *file = f;
    return &labels->Labels()[it->second.label];
}

} // namespace lumbra
