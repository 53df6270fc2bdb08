// One connection guarded by a mutex: the service's writes are a few rows every few minutes and
// its reads are short indexed range scans.
#include "server/draw_store.h"

#include <sqlite3.h>

namespace k3 {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS draws ("
    " period TEXT PRIMARY KEY,"
    " extra TEXT NOT NULL,"
    " draw_time TEXT NOT NULL,"
    " drawn_at INTEGER NOT NULL,"
    " numbers TEXT NOT NULL,"
    " seed INTEGER NOT NULL) WITHOUT ROWID";

constexpr const char* kColumns = "SELECT extra, period, draw_time, numbers, seed, drawn_at FROM draws ";

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql) {
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_statement != nullptr; }
    void bindText(int index, std::string_view text) {
        if (!ok()) {
            return;
        }
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void bindInt(int index, int64_t value) {
        if (ok()) {
            sqlite3_bind_int64(m_statement, index, value);
        }
    }
    int step() { return ok() ? sqlite3_step(m_statement) : SQLITE_MISUSE; }
    void reset() { sqlite3_reset(m_statement); }
    std::string text(int column) const {
        const auto* bytes = sqlite3_column_text(m_statement, column);
        return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                                   static_cast<size_t>(sqlite3_column_bytes(m_statement, column)))
                     : std::string();
    }
    int64_t integer(int column) const { return sqlite3_column_int64(m_statement, column); }

private:
    sqlite3_stmt* m_statement = nullptr;
};

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string journalMode(sqlite3* db) {
    Statement statement(db, "PRAGMA journal_mode=WAL");
    return statement.ok() && statement.step() == SQLITE_ROW ? statement.text(0) : std::string();
}

std::vector<StoredDraw> readDraws(Statement& select) {
    std::vector<StoredDraw> draws;
    while (select.ok() && select.step() == SQLITE_ROW) {
        StoredDraw draw;
        draw.record.extra = select.text(0);
        draw.record.period = select.text(1);
        draw.record.drawTime = select.text(2);
        draw.record.numbers = select.text(3);
        draw.record.seed = static_cast<int32_t>(select.integer(4));
        draw.drawnAt = select.integer(5);
        draws.push_back(std::move(draw));
    }
    return draws;
}

}  // namespace

std::unique_ptr<DrawStore> DrawStore::open(const std::string& path, std::string& error) {
    sqlite3* db = nullptr;
    const int opened =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<DrawStore> store(new DrawStore(db));
    if (opened != SQLITE_OK) {
        error = "cannot open the database " + path + ": " + sqlite3_errmsg(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    const bool writable = sqlite3_db_readonly(db, "main") == 0 && journalMode(db) == "wal" &&
                          execute(db, kSchema) && execute(db, "BEGIN IMMEDIATE") && execute(db, "COMMIT");
    if (!writable) {
        error = "cannot write the database " + path + ": " + sqlite3_errmsg(db);
        return nullptr;
    }
    return store;
}

DrawStore::~DrawStore() { sqlite3_close(m_db); }

bool DrawStore::append(const std::vector<StoredDraw>& draws) {
    std::scoped_lock lock(m_mutex);
    if (!execute(m_db, "BEGIN IMMEDIATE")) {
        return false;
    }
    Statement insert(
        m_db,
        "INSERT INTO draws (extra, period, draw_time, numbers, seed, drawn_at) VALUES (?, ?, ?, ?, ?, ?)");
    bool ok = insert.ok();
    for (size_t i = 0; ok && i < draws.size(); ++i) {
        const DrawRecord& record = draws[i].record;
        insert.bindText(1, record.extra);
        insert.bindText(2, record.period);
        insert.bindText(3, record.drawTime);
        insert.bindText(4, record.numbers);
        insert.bindInt(5, record.seed);
        insert.bindInt(6, draws[i].drawnAt);
        ok = insert.step() == SQLITE_DONE;
        insert.reset();
    }
    return execute(m_db, ok ? "COMMIT" : "ROLLBACK") && ok;
}

std::vector<StoredDraw> DrawStore::latest(int count) const {
    std::scoped_lock lock(m_mutex);
    Statement select(m_db, std::string(kColumns) + "ORDER BY period DESC LIMIT ?1");
    select.bindInt(1, count);
    return readDraws(select);
}

std::vector<StoredDraw> DrawStore::ofDay(std::string_view day) const {
    // Periods of a day are the day text and three digits, so they sort between these bounds.
    std::scoped_lock lock(m_mutex);
    Statement select(m_db,
                     std::string(kColumns) + "WHERE period >= ?1 AND period <= ?2 ORDER BY period DESC");
    select.bindText(1, std::string(day) + "000");
    select.bindText(2, std::string(day) + "999");
    return readDraws(select);
}

std::optional<StoredDraw> DrawStore::find(std::string_view period) const {
    std::scoped_lock lock(m_mutex);
    Statement select(m_db, std::string(kColumns) + "WHERE period = ?1");
    select.bindText(1, period);
    std::vector<StoredDraw> found = readDraws(select);
    return found.empty() ? std::nullopt : std::optional<StoredDraw>(std::move(found.front()));
}

}  // namespace k3
