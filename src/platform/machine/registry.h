// The registry of the simulated machine: HKEY_LOCAL_MACHINE in PREFIX/system.reg, HKEY_CURRENT_USER in
// PREFIX/user.reg (Wine's text format, see hive_format.h), HKEY_CLASSES_ROOT as
// HKEY_LOCAL_MACHINE\Software\Classes and HKEY_USERS holding the current user's hive.
//
// Hives are read on first use and written back whole, replacing the file atomically, at RegFlushKey,
// when the last open key handle is closed, and when the machine goes away. A hive file that cannot be
// read completely (truncated, malformed, unreadable) is never written: what could be read stays
// readable, every change to that hive fails with ERROR_BADDB, and LoadError tells why.
//
// Semantics are those of the Windows NT family (and of Wine where the two agree), except that
// RegDeleteKeyA removes whole trees when the prefix's Windows version is 95, 98 or ME, as those did.
// Security descriptors are accepted and not kept: every key carries the default access list.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/api.h"
#include "platform/machine/registry_tree.h"

namespace platform {

class Prefix;
struct Faults;

class MachineRegistry : public RegistryApi {
  public:
    enum class Hive { Machine, User };

    MachineRegistry(Prefix& prefix, Faults& faults);
    ~MachineRegistry() override;
    MachineRegistry(const MachineRegistry&) = delete;
    MachineRegistry& operator=(const MachineRegistry&) = delete;

    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) override;
    LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                         REGSAM access, LPSECURITY_ATTRIBUTES sa, PHKEY result, LPDWORD disposition) override;
    LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                        DWORD size) override;
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD size) override;
    LONG RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size) override;
    LONG RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) override;
    LONG RegDeleteValueA(HKEY key, LPCSTR name) override;
    LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) override;
    LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) override;
    LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR className,
                       LPDWORD classSize, FILETIME* lastWrite) override;
    LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                       LPBYTE data, LPDWORD dataSize) override;
    LONG RegCloseKey(HKEY key) override;
    LONG RegFlushKey(HKEY key) override;

    // Why the hive refuses changes (its file could not be read completely); empty when it is sound.
    std::string LoadError(Hive hive);
    // The last failure to write a hive file; empty when every write succeeded.
    const std::string& SaveError() const { return saveError_; }
    // Writes every changed hive now; ERROR_SUCCESS or the failing write's code.
    LONG FlushAll();
    // Open key handles (the predefined roots do not count).
    std::size_t OpenHandleCount() const { return handles_.size(); }

  private:
    struct HiveState {
        std::string file;        // host path
        std::string label;       // "HKLM" / "HKCU"
        std::string relativeTo;  // the header's path, as written
        std::shared_ptr<RegNode> root;
        std::string arch;
        std::string loadError;
        bool dirty = false;
    };
    struct Target {
        std::shared_ptr<RegNode> node;
        REGSAM access = 0;
        LONG error = ERROR_SUCCESS;
    };

    void EnsureLoaded();
    void Load(HiveState& hive);
    LONG Save(HiveState& hive);
    HiveState* HiveOf(const RegNode* node);
    Target Resolve(HKEY key);
    // The existing key `subKey` below `key` (the key itself for an empty path); `parts` gets the path's
    // components. ERROR_SUCCESS, or why there is no such key.
    LONG FindExisting(HKEY key, LPCSTR subKey, std::shared_ptr<RegNode>& node,
                      std::vector<std::u16string>& parts);
    HKEY NewHandle(std::shared_ptr<RegNode> node, REGSAM access);
    std::string KeyPath(const RegNode* node);
    bool Refused(const RegNode* node);
    bool RefusedPath(const std::string& path);
    // Whether the key may be changed: ERROR_SUCCESS, or why not.
    LONG CheckWritable(const RegNode* node);
    void Touch(RegNode* node);
    bool IsWindows9x();
    LONG DeleteKeyNode(const std::shared_ptr<RegNode>& node, bool recursive);

    Prefix& prefix_;
    Faults& faults_;
    bool loaded_ = false;
    HiveState machine_;
    HiveState user_;
    std::shared_ptr<RegNode> users_;  // HKEY_USERS: not a file of its own
    std::map<std::uintptr_t, Target> handles_;
    std::uintptr_t nextHandle_ = 0x1000;
    std::string saveError_;
};

}  // namespace platform
