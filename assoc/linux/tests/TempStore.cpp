#include "TempStore.h"

#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pexalo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string QueryFile(const std::filesystem::path& file, const char* sql)
{
    sqlite3* db = nullptr;
    std::string rows;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_exec(
            db, sql,
            [](void* out, int, char** values, char**) {
                auto& text = *static_cast<std::string*>(out);
                if (!text.empty())
                    text.push_back('\n');
                text.append(values[0] ? values[0] : "NULL");
                return 0;
            },
            &rows, nullptr);
    }
    sqlite3_close_v2(db);
    return rows;
}
