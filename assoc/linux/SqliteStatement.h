#pragma once
// Owning wrappers for a SQLite connection and a prepared statement.
#include "Text.h"

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteCloser>;

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement() { sqlite3_finalize(stmt_); }

    explicit operator bool() const { return stmt_ != nullptr; }

    // Parameters count from 1, as in SQLite.
    void Bind(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
    void Bind(int index, TextView text);
    void Bind(int index, std::span<const std::uint8_t> bytes);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

    std::int64_t ColumnInt(int column) const { return sqlite3_column_int64(stmt_, column); }
    Text ColumnText(int column) const;
    std::span<const std::uint8_t> ColumnBytes(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs statements without parameters or results; true on success.
bool SqliteExec(sqlite3* db, const char* sql);
