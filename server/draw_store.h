// The service's draws in a SQLite file (WAL mode, so that readers never wait for the writer).
#pragma once

#include "draws/draw_record.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace k3 {

struct StoredDraw {
    DrawRecord record;
    int64_t drawnAt = 0;  // UTC seconds

    bool operator==(const StoredDraw&) const = default;
};

class DrawStore {
public:
    // Opens or creates the file; nullptr and a message when it cannot be opened for writing.
    static std::unique_ptr<DrawStore> open(const std::string& path, std::string& error);
    ~DrawStore();
    DrawStore(const DrawStore&) = delete;
    DrawStore& operator=(const DrawStore&) = delete;

    // Adds the draws in one transaction: all or none.
    bool append(const std::vector<StoredDraw>& draws);
    // The newest count draws, newest first.
    std::vector<StoredDraw> latest(int count) const;
    // The draws whose periods start with the day text "YYYYMMDD", newest first.
    std::vector<StoredDraw> ofDay(std::string_view day) const;
    std::optional<StoredDraw> find(std::string_view period) const;

private:
    explicit DrawStore(sqlite3* db) : m_db(db) {}

    sqlite3* m_db;
    mutable std::mutex m_mutex;
};

}  // namespace k3
