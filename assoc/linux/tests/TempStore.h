#pragma once
// A registry store in a fresh temporary folder, removed with everything in it.
#include "RegistryStore.h"

#include <filesystem>
#include <memory>
#include <string>

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct TempStore {
    TempFolder folder;
    std::filesystem::path file = folder.Path() / "pexalo" / "registry.sqlite3";
    std::unique_ptr<RegistryStore> store = RegistryStore::Open(file);
};

// One result column of a query run straight on the file, rows joined by newlines.
std::string QueryFile(const std::filesystem::path& file, const char* sql);
