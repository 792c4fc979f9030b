#include "SqliteStatement.h"

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql)
{
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

void SqliteStatement::Bind(int index, TextView text)
{
    // A non-null pointer keeps an empty text from binding as NULL.
    static const char16_t empty = 0;
    sqlite3_bind_text16(stmt_, index, text.empty() ? &empty : text.data(),
                        static_cast<int>(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

void SqliteStatement::Bind(int index, std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        sqlite3_bind_zeroblob(stmt_, index, 0);
    else
        sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

Text SqliteStatement::ColumnText(int column) const
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt_, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes16(stmt_, column));
    return text ? Text(text, size / sizeof(char16_t)) : Text();
}

std::span<const std::uint8_t> SqliteStatement::ColumnBytes(int column) const
{
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
    return data ? std::span(data, size) : std::span<const std::uint8_t>();
}

bool SqliteExec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}
