#include "RegistryStore.h"

#include "RegM.h"

#include <system_error>

namespace {

constexpr std::int64_t kRegSz = 1;
constexpr std::int64_t kRegDword = 4;
constexpr int kBusyTimeoutMs = 30000;

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER NOT NULL,  -- 0 for a hive's root key
  name TEXT NOT NULL COLLATE NOCASE,
  UNIQUE(parent, name));
CREATE TABLE IF NOT EXISTS key_values(
  key INTEGER NOT NULL REFERENCES keys(id),
  name TEXT NOT NULL COLLATE NOCASE,  -- empty for the key's default value
  type INTEGER NOT NULL,              -- REG_SZ 1, REG_BINARY 3, REG_DWORD 4
  data,
  PRIMARY KEY(key, name));
)";

const char16_t* RootName(std::uint32_t hive)
{
    switch (hive) {
    case kHkeyClassesRoot: return u"HKEY_CLASSES_ROOT";
    case kHkeyCurrentUser: return u"HKEY_CURRENT_USER";
    case kHkeyLocalMachine: return u"HKEY_LOCAL_MACHINE";
    case kHkeyUsers: return u"HKEY_USERS";
    case kHkeyCurrentConfig: return u"HKEY_CURRENT_CONFIG";
    default: return nullptr;
    }
}

// BEGIN IMMEDIATE takes the write lock at once (waiting up to the busy timeout), so a
// transaction never fails halfway for a writer that came in between.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db) : db_(db), open_(SqliteExec(db, "BEGIN IMMEDIATE")) {}
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    ~WriteTransaction()
    {
        if (open_)
            SqliteExec(db_, "ROLLBACK");
    }
    explicit operator bool() const { return open_; }
    bool Commit()
    {
        open_ = !SqliteExec(db_, "COMMIT");
        return !open_;
    }

private:
    sqlite3* db_;
    bool open_;
};

std::optional<RegistryStore::KeyId> FindChild(sqlite3* db, RegistryStore::KeyId parent, TextView name)
{
    SqliteStatement find(db, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
    find.Bind(1, parent);
    find.Bind(2, name);
    if (find.Step() != SQLITE_ROW)
        return std::nullopt;
    return find.ColumnInt(0);
}

} // namespace

std::unique_ptr<RegistryStore> RegistryStore::Open(const std::filesystem::path& file)
{
    if (file.empty())
        return nullptr;
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqliteConnection db(raw);
    if (opened != SQLITE_OK)
        return nullptr;
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    // WAL lets readers go on while one program writes; if another program holds the
    // file so that the mode cannot change, the rollback journal is just as safe.
    SqliteExec(db.get(), "PRAGMA journal_mode=WAL");
    if (!SqliteExec(db.get(), "PRAGMA foreign_keys=ON"))
        return nullptr;
    WriteTransaction schema(db.get());
    if (!schema || !SqliteExec(db.get(), kSchema) || !schema.Commit())
        return nullptr;
    return std::unique_ptr<RegistryStore>(new RegistryStore(std::move(db)));
}

std::optional<RegistryStore::KeyId> RegistryStore::FindKey(const KeyPath& key)
{
    const char16_t* root = RootName(key.hive);
    if (!root)
        return std::nullopt;
    auto id = FindChild(db_.get(), 0, root);
    for (auto name = key.names.begin(); id && name != key.names.end(); ++name)
        id = FindChild(db_.get(), *id, *name);
    return id;
}

std::optional<RegistryStore::KeyId> RegistryStore::EnsureKey(const KeyPath& key, bool* created)
{
    const char16_t* root = RootName(key.hive);
    if (!root)
        return std::nullopt;
    std::vector<TextView> chain{root};
    chain.insert(chain.end(), key.names.begin(), key.names.end());
    KeyId parent = 0;
    if (created)
        *created = false;
    for (TextView name : chain) {
        if (name.empty())
            return std::nullopt;
        if (auto child = FindChild(db_.get(), parent, name)) {
            parent = *child;
            continue;
        }
        SqliteStatement insert(db_.get(), "INSERT INTO keys(parent, name) VALUES(?1, ?2)");
        insert.Bind(1, parent);
        insert.Bind(2, name);
        if (insert.Step() != SQLITE_DONE)
            return std::nullopt;
        parent = sqlite3_last_insert_rowid(db_.get());
        if (created)
            *created = true;
    }
    return parent;
}

bool RegistryStore::SetValue(KeyId key, TextView valueName, const Variant& value)
{
    SqliteStatement upsert(db_.get(), "INSERT INTO key_values(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
                                      "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    upsert.Bind(1, key);
    upsert.Bind(2, valueName);
    switch (value.ValueType()) {
    case VarType::BStr:
        upsert.Bind(3, kRegSz);
        upsert.Bind(4, TextView(value.AsString()));
        break;
    case VarType::I4:
        upsert.Bind(3, kRegDword);
        upsert.Bind(4, static_cast<std::int64_t>(static_cast<std::uint32_t>(value.AsI4())));
        break;
    case VarType::ByteArray:
        upsert.Bind(3, static_cast<std::int64_t>(kRegBinary));
        upsert.Bind(4, std::span<const std::uint8_t>(value.AsBytes()));
        break;
    default:
        return false;
    }
    return upsert.Step() == SQLITE_DONE;
}

std::optional<Variant> RegistryStore::Read(const KeyPath& key, TextView valueName)
{
    const auto id = FindKey(key);
    if (!id)
        return std::nullopt;
    SqliteStatement read(db_.get(), "SELECT type, data FROM key_values WHERE key = ?1 AND name = ?2");
    read.Bind(1, *id);
    read.Bind(2, valueName);
    if (read.Step() != SQLITE_ROW)
        return std::nullopt;
    switch (read.ColumnInt(0)) {
    case kRegSz:
        return Variant::String(read.ColumnText(1));
    case kRegDword:
        return Variant::I4(static_cast<std::int32_t>(static_cast<std::uint32_t>(read.ColumnInt(1))));
    default: {
        const auto bytes = read.ColumnBytes(1);
        return Variant::ByteArray(Variant::Bytes(bytes.begin(), bytes.end()));
    }
    }
}

bool RegistryStore::Write(const KeyPath& key, TextView valueName, const Variant& value)
{
    WriteTransaction transaction(db_.get());
    if (!transaction)
        return false;
    const auto id = EnsureKey(key);
    return id && SetValue(*id, valueName, value) && transaction.Commit();
}

bool RegistryStore::KnowsHive(std::uint32_t hive)
{
    return RootName(hive) != nullptr;
}

std::optional<RegistryStore::KeyId> RegistryStore::CreateKey(const KeyPath& key, bool* created)
{
    WriteTransaction transaction(db_.get());
    if (!transaction)
        return std::nullopt;
    const auto id = EnsureKey(key, created);
    return id && transaction.Commit() ? id : std::nullopt;
}

bool RegistryStore::Write(KeyId key, TextView valueName, const Variant& value)
{
    WriteTransaction transaction(db_.get());
    return transaction && SetValue(key, valueName, value) && transaction.Commit();
}
