#pragma once

#include "library/Sqlite.h"

namespace lanescope::library {

/** The schema version this program writes; PRAGMA user_version holds a file's. */
inline constexpr int kSchemaVersion = 2;

/**
 * Brings a database to kSchemaVersion: creates the tables of an empty file, runs the migrations of an older
 * one (each in the one transaction), turns WAL on. Throws LibraryError for a file of a newer version, which
 * this program must not change.
 */
void applySchema(SqliteDatabase& database, const std::string& fileName);

} // namespace lanescope::library
