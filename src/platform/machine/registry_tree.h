// The registry as the machine holds it in memory: a tree of keys with their values, in the form Wine's
// server keeps them (names and string data in UTF-16, data bytes as stored), so a hive written by Wine
// comes back out unchanged in meaning. The ANSI calls convert at their boundary.
//
// Subkeys and values keep their order of creation (Windows enumerates in that order); keys read from a
// hive file keep the file's order.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win_types.h"

namespace platform {

bool EqualNameNoCase(std::u16string_view a, std::u16string_view b);
std::u16string FoldName(std::u16string_view name);

// 100-nanosecond ticks since 1601-01-01 (a FILETIME), now.
std::uint64_t FileTimeNow();
inline constexpr std::uint64_t kTicks1601To1970 = 116444736000000000ULL;
inline constexpr std::uint64_t kTicksPerSecond = 10000000ULL;

struct RegValue {
    std::u16string name;  // empty: the default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

class RegNode {
  public:
    explicit RegNode(std::u16string name, std::uint64_t modified = 0)
        : name_(std::move(name)), modified_(modified) {}

    const std::u16string& name() const { return name_; }
    void set_name(std::u16string name) { name_ = std::move(name); }  // for roots only
    RegNode* parent() const { return parent_; }

    const std::vector<std::shared_ptr<RegNode>>& subkeys() const { return subkeys_; }
    std::shared_ptr<RegNode> FindSubkey(std::u16string_view name) const;
    // Appends a new subkey (the caller has checked that none of that name exists).
    std::shared_ptr<RegNode> AddSubkey(std::u16string name, std::uint64_t modified);
    // Shows an existing key of another tree as a subkey here too (HKEY_USERS' view of the current
    // user's hive); the key keeps its own parent.
    void LinkSubkey(std::shared_ptr<RegNode> key);
    // Unlinks a subkey and marks it and everything below it deleted (open handles see ERROR_KEY_DELETED).
    bool RemoveSubkey(const RegNode* child);

    const std::vector<RegValue>& values() const { return values_; }
    const RegValue* FindValue(std::u16string_view name) const;
    // Sets a value; false when it already held exactly this (nothing changed).
    bool SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data);
    bool DeleteValue(std::u16string_view name);
    void ClearValues() { values_.clear(); }

    std::uint64_t modified() const { return modified_; }
    void set_modified(std::uint64_t t) { modified_ = t; }
    const std::optional<std::u16string>& className() const { return className_; }
    void set_className(std::optional<std::u16string> c) { className_ = std::move(c); }
    bool isLink() const { return link_; }
    void set_link(bool v) { link_ = v; }
    bool isVolatile() const { return volatile_; }
    void set_volatile(bool v) { volatile_ = v; }
    bool deleted() const { return deleted_; }

    // The topmost key above this one (itself for a root).
    const RegNode* Root() const;

  private:
    void MarkDeleted();

    std::u16string name_;
    RegNode* parent_ = nullptr;
    std::vector<std::shared_ptr<RegNode>> subkeys_;
    // Subkeys by upper-cased name: Wine's Classes key holds thousands of them.
    std::unordered_map<std::u16string, std::shared_ptr<RegNode>> index_;
    std::vector<RegValue> values_;
    std::uint64_t modified_ = 0;
    std::optional<std::u16string> className_;
    bool link_ = false;
    bool volatile_ = false;
    bool deleted_ = false;
};

}  // namespace platform
