#pragma once
// The registry kept in one SQLite file: keys under the hive roots, each value a
// string (REG_SZ), a number (REG_DWORD) or bytes (REG_BINARY). Every write is one
// transaction: a crash leaves the store as it was before or after the write, and two
// programs writing at once wait for each other instead of losing a write.
// Key and value names compare without regard to ASCII letter case, as the registry's do.
#include "SqliteStatement.h"
#include "Text.h"
#include "Variant.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct KeyPath {
    std::uint32_t hive = 0;   // kHkeyClassesRoot and the other handles of RegM.h
    std::vector<Text> names;  // below the hive; empty for the hive's own root key
};

class RegistryStore {
public:
    using KeyId = std::int64_t;

    // Creates the file and its folder when missing; nothing when it cannot be opened.
    static std::unique_ptr<RegistryStore> Open(const std::filesystem::path& file);

    // Strings read as BStr, numbers as I4, bytes as ByteArray; nothing when the key or
    // value is missing or the store cannot be read.
    std::optional<Variant> Read(const KeyPath& key, TextView valueName);
    // Creates missing keys. Takes BStr, I4 (stored as a DWORD) and ByteArray values.
    bool Write(const KeyPath& key, TextView valueName, const Variant& value);

    static bool KnowsHive(std::uint32_t hive);

    // Creates the key and any missing parents; `created` tells whether the key is new.
    std::optional<KeyId> CreateKey(const KeyPath& key, bool* created = nullptr);
    bool Write(KeyId key, TextView valueName, const Variant& value);

private:
    explicit RegistryStore(SqliteConnection db) : db_(std::move(db)) {}
    std::optional<KeyId> FindKey(const KeyPath& key);
    std::optional<KeyId> EnsureKey(const KeyPath& key, bool* created = nullptr);
    bool SetValue(KeyId key, TextView valueName, const Variant& value);

    SqliteConnection db_;
};
