#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lanescope::convert {

/** The record kinds of DSV6, DSV7 and DSV8 files that the converter reads; every other keyword is Other. */
enum class Dsv7Kind : std::uint8_t
{
    Other,
    Format,
    Erzeuger,
    Veranstaltung,
    Veranstalter,
    Ausrichter,
    Veranstaltungsort,
    AusschreibungImNetz,
    Meldeschluss,
    Meldegeld,
    Abschnitt,
    Wettkampf,
    Wertung,
    Pflichtzeit,
    Verein,
    Ansprechpartner,
    PnErgebnis,
    PnZwischenzeit,
    PnReaktion,
    StErgebnis,
    Staffelperson,
    StZwischenzeit,
    StAbloese,
    Person,
    PersonenErgebnis,
    Staffel,
    StaffelErgebnis,
    PnMeldung,
    StartPn,
    StMeldung,
    StartSt,
    DateiEnde,
};

/** The four list types a FORMAT record names. */
enum class Dsv7List : std::uint8_t
{
    Unknown,
    Results,     ///< Wettkampfergebnisliste
    Definition,  ///< Wettkampfdefinitionsliste
    ClubEntries, ///< Vereinsmeldeliste
    ClubResults, ///< Vereinsergebnisliste
};

/** One record: its kind, its 1-based line and the text after the colon, comments removed. */
struct Dsv7Record
{
    std::string_view text;
    std::int32_t line = 0;
    Dsv7Kind kind = Dsv7Kind::Other;
    bool closed = false; ///< the text ends with ";"
};

/** The fields of a record, split at ";" and trimmed; the fields beyond kMaxFields are ignored. */
class Dsv7Fields
{
public:
    static constexpr int kMaxFields = 24;
    explicit Dsv7Fields(std::string_view text);
    /** Field n (from 1); empty when the record has no such field. */
    std::string_view operator[](int n) const;
    std::string text(int n) const { return std::string((*this)[n]); }
    /** Field n as a number, leading zeros allowed; fallback when it is no number. */
    int number(int n, int fallback) const;
    int count() const { return FCount; }

private:
    std::array<std::string_view, kMaxFields> FFields{};
    int FCount = 0;
};

/**
 * A DSV6, DSV7 or DSV8 file read into records. The bytes are UTF-8 (a byte-order mark is skipped; text that
 * is no valid UTF-8 is read as Windows-1252); "(*...*)" comments end at the end of their line; blank lines
 * are skipped and records after DATEIENDE ignored. Keywords are compared without regard to case.
 */
class TDsv7Reader
{
public:
    /**
     * Reads a file, or the first DSV member (".dsv", ".dsv6", ".dsv7", ".dsv8") of a ".zip" archive. A file
     * that cannot be read, or an archive without such a member, throws std::runtime_error.
     */
    explicit TDsv7Reader(const std::string& fileName);
    /** Reads the raw bytes of a file. */
    static std::unique_ptr<TDsv7Reader> fromBytes(std::string bytes);
    // Records point into the text the reader holds: it stays where it is.
    TDsv7Reader(const TDsv7Reader&) = delete;
    TDsv7Reader& operator=(const TDsv7Reader&) = delete;

    /** The list type and version of the first record when it is FORMAT; Unknown and 0 otherwise. */
    Dsv7List listType() const { return FListType; }
    int version() const { return FVersion; }
    /** True when the file holds its DATEIENDE record. */
    bool complete() const { return FComplete; }
    /** The records from FORMAT up to (without) DATEIENDE, in file order. */
    const std::vector<Dsv7Record>& records() const { return FRecords; }

private:
    TDsv7Reader() = default;
    void prepare(std::string bytes);
    void addLine(std::string_view line, int lineNumber);

    std::string FText;
    std::deque<std::string> FCleanedLines; // lines whose comments were cut out of their middle
    std::vector<Dsv7Record> FRecords;
    Dsv7List FListType = Dsv7List::Unknown;
    int FVersion = 0;
    bool FComplete = false;
    bool FStarted = false;
    bool FStopped = false;
};

/** True when a ".dsv" file (or the first DSV member of an archive) begins with a FORMAT record. */
bool startsWithFormatRecord(const std::string& fileName);
/** True when the text, comments and blank lines passed over, begins with a FORMAT record. */
bool textStartsWithFormatRecord(std::string_view text);

} // namespace lanescope::convert
