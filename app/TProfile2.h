// The settings store: one ini file and a current section, read and written key by key, and the
// splitter of comma-separated list values.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "IniFile.h"

namespace lumbra {

// One field of a list value. The caller fills every field with its default before SplitList;
// fields the value does not contain keep it.
struct ProfileField {
    std::string text;
    int integer = 0;
    long longValue = 0;
};

class TProfile2 {
public:
    // The longest value ReadString hands out (longer ones are cut).
    static constexpr std::size_t kMaxValueLength = 8191;

    TProfile2() = default;

    // The eight operations of the store, in their traditional order.

    // Points the store at a file and reads it. "" keeps the settings in memory only. A missing
    // file reads as empty and is created by the first write.
    void SetFileName(std::string_view path);
    void SetSection(std::string_view name);
    // Removes every section of that name. False when the file could not be written.
    bool DeleteSection(std::string_view name);
    // Writes key=text into the current section. False when the file could not be written.
    bool WriteString(std::string_view key, std::string_view text);
    bool WriteInt(std::string_view key, int number);
    // The value (at most kMaxValueLength bytes), or the default when the key is absent.
    std::string ReadString(std::string_view key, std::string_view defaultText = "") const;
    // The value as a decimal integer, or the default when absent or not a number.
    int ReadInt(std::string_view key, int defaultValue) const;
    // Splits at ',' over the fields (see ProfileField). A field whose text begins with a digit or
    // '-' also sets integer and longValue from its leading number; an empty field clears the
    // text and keeps the numbers. Texts are kept whole, however long; fields beyond the span are
    // ignored.
    static void SplitList(std::string_view text, std::span<ProfileField> fields);

    // --- beyond the eight --------------------------------------------------------------------
    const std::string& FileName() const { return fileName_; }
    const std::string& Section() const { return section_; }

    // Read-only: writes change the settings in memory but never the file.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool IsReadOnly() const { return readOnly_; }

    // False when the file exists but could not be read (or is UTF-16 text); such a file is never
    // written, so nothing in it is lost.
    bool IsReadable() const { return !unreadable_; }
    // Why the last read or write failed.
    const std::string& LastError() const { return lastError_; }

    // Groups writes: the file is written once, when the outermost EndUpdate comes. EndUpdate
    // returns false when any write of the group failed.
    void BeginUpdate();
    bool EndUpdate();

    // Replaces the whole document by these bytes (a new project file); written like any change.
    bool ResetContents(std::string_view bytes);

    // Deletes the file and forgets its contents (Default Setup). True when the file is gone.
    bool RemoveFile();

    // The whole document as it would be written.
    std::string Text() const { return ini_.Text(); }

private:
    bool changed();
    bool flush();

    std::string fileName_;
    std::string section_;
    IniFile ini_;
    bool readOnly_ = false;
    bool unreadable_ = false;
    int updateDepth_ = 0;
    bool dirty_ = false;
    bool updateFailed_ = false;
    std::string lastError_;
};

// Begins an update group on construction and ends it on destruction (or by Commit).
class ProfileUpdate {
public:
    explicit ProfileUpdate(TProfile2& store) : store_(&store) { store_->BeginUpdate(); }
    ~ProfileUpdate() { Commit(); }
    ProfileUpdate(const ProfileUpdate&) = delete;
    ProfileUpdate& operator=(const ProfileUpdate&) = delete;
    // Ends the group; true when everything was written.
    bool Commit() {
        if (!store_)
            return ok_;
        ok_ = store_->EndUpdate();
        store_ = nullptr;
        return ok_;
    }

private:
    TProfile2* store_;
    bool ok_ = true;
};

} // namespace lumbra
