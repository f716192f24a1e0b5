#include "library/Sqlite.h"

#include <sqlite3.h>

namespace lanescope::library {

namespace {

bool damagedCode(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace

SqliteDatabase::SqliteDatabase(const std::string& fileName)
{
    const int code =
        sqlite3_open_v2(fileName.c_str(), &FHandle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string reason = FHandle ? sqlite3_errmsg(FHandle) : sqlite3_errstr(code);
        sqlite3_close(FHandle);
        FHandle = nullptr;
        throw LibraryError(fileName + ": " + reason, damagedCode(code));
    }
    sqlite3_extended_result_codes(FHandle, 1);
    // Another process (the window while the command line adds files) may hold the write lock for a while.
    sqlite3_busy_timeout(FHandle, 10000);
    sqlite3_exec(FHandle, "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close_v2(FHandle); }

void SqliteDatabase::check(int code, std::string_view what) const
{
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE)
        return;
    std::string message(what);
    message += ": ";
    message += sqlite3_errmsg(FHandle);
    throw LibraryError(message, damagedCode(code));
}

void SqliteDatabase::execute(std::string_view sql)
{
    char* error = nullptr;
    const std::string text(sql);
    const int code = sqlite3_exec(FHandle, text.c_str(), nullptr, nullptr, &error);
    if (code != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errstr(code);
        sqlite3_free(error);
        throw LibraryError(message, damagedCode(code));
    }
}

std::int64_t SqliteDatabase::lastInsertId() const { return sqlite3_last_insert_rowid(FHandle); }

int SqliteDatabase::changes() const { return sqlite3_changes(FHandle); }

SqliteStatement::SqliteStatement(SqliteDatabase& database, std::string_view sql)
    : FDatabase(database)
{
    database.check(sqlite3_prepare_v3(database.handle(), sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &FStatement, nullptr),
                   "prepare");
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(FStatement); }

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    FDatabase.check(sqlite3_bind_int64(FStatement, index, value), "bind");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view value)
{
    FDatabase.check(
        sqlite3_bind_text64(FStatement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8),
        "bind");
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int index)
{
    FDatabase.check(sqlite3_bind_null(FStatement, index), "bind");
    return *this;
}

bool SqliteStatement::step()
{
    const int code = sqlite3_step(FStatement);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE) {
        sqlite3_reset(FStatement);
        FDatabase.check(code, "step");
    }
    return false;
}

void SqliteStatement::run()
{
    step();
    reset();
}

void SqliteStatement::reset()
{
    sqlite3_reset(FStatement);
    sqlite3_clear_bindings(FStatement);
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(FStatement, column); }

std::string SqliteStatement::text(int column) const
{
    const auto* text = sqlite3_column_text(FStatement, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(FStatement, column)))
                : std::string();
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(FStatement, column) == SQLITE_NULL;
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& database)
    : FDatabase(database)
{
    database.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction()
{
    if (FOpen)
        sqlite3_exec(FDatabase.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit()
{
    FDatabase.execute("COMMIT");
    FOpen = false;
}

} // namespace lanescope::library
