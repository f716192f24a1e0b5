#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

/** A thin RAII layer over SQLite: a connection, prepared statements and transactions. */
namespace lanescope::library {

/** A failure of the library's database; damaged() when SQLite found the file corrupt or no database. */
class LibraryError : public std::runtime_error
{
public:
    explicit LibraryError(const std::string& message, bool damaged = false)
        : std::runtime_error(message)
        , FDamaged(damaged)
    {
    }
    bool damaged() const { return FDamaged; }

private:
    bool FDamaged;
};

class SqliteStatement;

/** One SQLite connection. Every failure throws LibraryError with SQLite's reason. */
class SqliteDatabase
{
public:
    /** Opens or creates the file; foreign keys on, a busy timeout so the window and the CLI can share it. */
    explicit SqliteDatabase(const std::string& fileName);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    /** Runs one or more statements without results. */
    void execute(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;
    sqlite3* handle() const { return FHandle; }
    /** Throws LibraryError for a SQLite result code other than OK, ROW and DONE. */
    void check(int code, std::string_view what) const;

private:
    sqlite3* FHandle = nullptr;
};

/** A prepared statement; bind parameters from 1, read columns from 0. */
class SqliteStatement
{
public:
    SqliteStatement(SqliteDatabase& database, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    SqliteStatement& bind(int index, std::string_view value);
    SqliteStatement& bind(int index, const char* value) { return bind(index, std::string_view(value)); }
    SqliteStatement& bind(int index, const std::string& value)
    {
        return bind(index, std::string_view(value));
    }
    SqliteStatement& bindNull(int index);
    /** True while a row is there. */
    bool step();
    /** Steps once for a statement without rows and resets it for the next use. */
    void run();
    /** Clears the bindings and rewinds the statement. */
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    SqliteDatabase& FDatabase;
    sqlite3_stmt* FStatement = nullptr;
};

/** Begins a write transaction (IMMEDIATE, so a second writer waits at once); rolls back unless committed. */
class SqliteTransaction
{
public:
    explicit SqliteTransaction(SqliteDatabase& database);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteDatabase& FDatabase;
    bool FOpen = true;
};

} // namespace lanescope::library
