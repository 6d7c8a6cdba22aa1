#include "platform/machine/registry_tree.h"

#include <algorithm>
#include <chrono>

#include "platform/machine/ansi_codepage.h"

namespace platform {

bool EqualNameNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperWide(a[i]) != UpperWide(b[i])) return false;
    return true;
}

std::u16string FoldName(std::u16string_view name) {
    std::u16string out(name);
    for (auto& c : out)
        c = UpperWide(c);
    return out;
}

std::uint64_t FileTimeNow() {
    auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100;
    return kTicks1601To1970 + static_cast<std::uint64_t>(ticks);
}

std::shared_ptr<RegNode> RegNode::FindSubkey(std::u16string_view name) const {
    auto it = index_.find(FoldName(name));
    return it == index_.end() ? nullptr : it->second;
}

std::shared_ptr<RegNode> RegNode::AddSubkey(std::u16string name, std::uint64_t modified) {
    auto child = std::make_shared<RegNode>(std::move(name), modified);
    child->parent_ = this;
    subkeys_.push_back(child);
    index_[FoldName(child->name_)] = child;
    return child;
}

void RegNode::LinkSubkey(std::shared_ptr<RegNode> key) {
    index_[FoldName(key->name_)] = key;
    subkeys_.push_back(std::move(key));
}

bool RegNode::RemoveSubkey(const RegNode* child) {
    auto it = std::find_if(subkeys_.begin(), subkeys_.end(), [&](const auto& k) { return k.get() == child; });
    if (it == subkeys_.end()) return false;
    index_.erase(FoldName((*it)->name_));
    (*it)->MarkDeleted();
    (*it)->parent_ = nullptr;
    subkeys_.erase(it);
    return true;
}

void RegNode::MarkDeleted() {
    deleted_ = true;
    for (auto& k : subkeys_)
        k->MarkDeleted();
}

const RegValue* RegNode::FindValue(std::u16string_view name) const {
    for (const auto& v : values_)
        if (EqualNameNoCase(v.name, name)) return &v;
    return nullptr;
}

bool RegNode::SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data) {
    for (auto& v : values_) {
        if (!EqualNameNoCase(v.name, name)) continue;
        if (v.type == type && v.data == data) return false;
        v.type = type;
        v.data = std::move(data);
        return true;
    }
    values_.push_back(RegValue{std::u16string(name), type, std::move(data)});
    return true;
}

bool RegNode::DeleteValue(std::u16string_view name) {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const auto& v) { return EqualNameNoCase(v.name, name); });
    if (it == values_.end()) return false;
    values_.erase(it);
    return true;
}

const RegNode* RegNode::Root() const {
    const RegNode* n = this;
    while (n->parent_)
        n = n->parent_;
    return n;
}

}  // namespace platform
