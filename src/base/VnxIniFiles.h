#pragma once

#include "base/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lanescope::base {

/**
 * Ini text held in memory: "[section]" lines, each followed by "key=value" lines, in UTF-8.
 *
 * Sections and keys are found without regard to case and keep the order in which they first appeared.
 * Reading never fails: CR LF or LF line ends, a UTF-8 byte order mark, blank lines, comment lines (";")
 * and lines without "=" are accepted. Comments and lines without "=" stay where they stood; blank lines
 * are dropped and one blank line separates the sections in the written text. A key or section that
 * occurs twice counts once: the first key wins, the lines of a repeated section join the first.
 */
class IniContent
{
public:
    IniContent() = default;
    explicit IniContent(std::string_view text);

    /** The content as ini text with "\n" line ends. */
    std::string text() const;

    /** The value of the key, or nullptr when the section or the key is missing. */
    const std::string* find(std::string_view section, std::string_view key) const;
    /** Sets the value; a missing section or key is added at the end. Line breaks in the value become blanks.
     */
    void set(std::string_view section, std::string_view key, std::string_view value);
    /** Removes the key; false when it did not exist. */
    bool erase(std::string_view section, std::string_view key);
    /** Removes the section with all its lines; false when it did not exist. */
    bool eraseSection(std::string_view section);

    bool hasSection(std::string_view section) const;
    std::vector<std::string> sectionNames() const;
    /** The keys of the section with their values, in file order. */
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;
    std::size_t keyCount(std::string_view section) const;

private:
    /** A key line, or (with an empty key) a comment or other line kept as it stood. */
    struct Line
    {
        std::string key;
        std::string value;
    };
    struct Section
    {
        std::string name;
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keyIndex; // folded key -> position in lines
    };

    const Section* findSection(std::string_view section) const;
    Section& sectionFor(std::string_view section);
    static void reindex(Section& section);

    std::vector<std::string> FPreamble; // lines before the first section
    std::vector<Section> FSections;
    std::unordered_map<std::string, std::size_t> FSectionIndex; // folded name -> position in FSections
};

/**
 * The settings operations shared by TVnxIniFile and TVnxMemIniFile: the plain ini reads and writes, date-time
 * values and multi-line texts. Every read returns its default when the key is missing or its value cannot be
 * converted. Writes return false when the change could not be stored in the file.
 */
class CustomIniFile
{
public:
    virtual ~CustomIniFile() = default;
    CustomIniFile(const CustomIniFile&) = delete;
    CustomIniFile& operator=(const CustomIniFile&) = delete;

    const std::filesystem::path& FileName() const { return FFileName; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    /** Decimal integer; any other text gives the fallback. */
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    /** True for any non-zero integer; a text that is no integer gives the fallback. */
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    /**
     * Value written as "yyyymmddhhnnss". A time part that cannot be read counts as midnight; a date part
     * that cannot be read, or a result of 0, gives the fallback.
     */
    base::TDateTime ReadDateTime(std::string_view section, std::string_view key,
                                 base::TDateTime fallback) const;
    /**
     * Multi-line text: the count under key + "XX", the lines under key + "000", key + "001", ...; joined with
     * "\r\n". The fallback when the count key is missing.
     */
    std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const;

    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    /** Writes "1" or "0". */
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    bool WriteDateTime(std::string_view section, std::string_view key, base::TDateTime value);
    /**
     * Splits the text at "\r\n", "\n" or "\r", drops trailing empty lines, writes the count and the lines,
     * then deletes the stale line keys from the new count upward until the first that does not exist.
     */
    bool WriteText(std::string_view section, std::string_view key, std::string_view text);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSections() const;
    /** Keys of the section in file order. */
    std::vector<std::string> ReadSection(std::string_view section) const;
    /** Keys and values of the section in file order. */
    std::vector<std::pair<std::string, std::string>> ReadSectionValues(std::string_view section) const;

protected:
    explicit CustomIniFile(std::filesystem::path fileName);

    /** The content as it stands now; TVnxIniFile reloads it first when the file changed. */
    virtual const IniContent& current() const = 0;
    /** The content to change; store() follows every change. */
    virtual IniContent& changeable() = 0;
    /** Makes a change permanent; false when it could not be. */
    virtual bool store() = 0;

private:
    std::filesystem::path FFileName;
};

/**
 * The program's settings file. Reads and writes go straight to the file: a read sees what the file holds now,
 * and every write replaces the file at once (a temporary file in the same folder, flushed to disk, renamed
 * over the old one), so a crash never leaves half a file. A missing file reads as empty; a file that exists
 * but cannot be read is never overwritten (writes then return false). Writes into an unwritable folder return
 * false and change nothing.
 */
class TVnxIniFile : public CustomIniFile
{
public:
    explicit TVnxIniFile(std::filesystem::path fileName);

protected:
    const IniContent& current() const override;
    IniContent& changeable() override;
    bool store() override;

private:
    /** What identifies the file's state on disk, so an unchanged file is not read again. */
    struct FileStamp
    {
        bool exists = false;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };

    FileStamp stampNow() const;
    void reloadWhenChanged() const;

    mutable IniContent FContent;
    mutable FileStamp FStamp;
    mutable bool FLoaded = false;
    mutable bool FReadable = true;
};

/** The same operations over an ini file held in memory; UpdateFile writes it back. */
class TVnxMemIniFile : public CustomIniFile
{
public:
    /** Reads the file, if any; a missing or unreadable file gives an empty content. */
    explicit TVnxMemIniFile(std::filesystem::path fileName);

    /** Replaces the content by ini text. */
    void SetText(std::string_view text);
    std::string GetText() const;
    /** Writes the content to the file (atomically replaced); false when that failed. */
    bool UpdateFile() const;

protected:
    const IniContent& current() const override { return FContent; }
    IniContent& changeable() override { return FContent; }
    bool store() override { return true; }

private:
    IniContent FContent;
};

} // namespace lanescope::base
