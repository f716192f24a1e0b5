#include "base/VnxIniFiles.h"

#include "base/Strings.h"
#include "base/TextCase.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lanescope::base {

namespace {

using base::trimView;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The settings file is a few kilobytes; anything far larger is not ours and is not read into memory.
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;

std::string fold(std::string_view name) { return base::lowerCase(trimView(name)); }

enum class ReadOutcome
{
    Missing,
    Read,
    Unreadable,
};

ReadOutcome readFile(int fd, std::string& text)
{
    struct stat info = {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize)
        return ReadOutcome::Unreadable;
    text.assign(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(fd, text.data() + done, text.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadOutcome::Unreadable;
        if (got == 0)
            break; // the file shrank meanwhile
        done += static_cast<std::size_t>(got);
    }
    text.resize(done);
    return ReadOutcome::Read;
}

ReadOutcome readFile(const std::filesystem::path& path, std::string& text)
{
    text.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Unreadable;
    const ReadOutcome outcome = readFile(fd, text);
    ::close(fd);
    if (outcome != ReadOutcome::Read)
        text.clear();
    return outcome;
}

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t put = ::write(fd, data.data(), data.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Writes a temporary file beside the target, flushes it to disk and renames it over the target, so readers
// see either the old file or the new one. The new file keeps the permissions of the one it replaces.
bool replaceFile(const std::filesystem::path& target, std::string_view data)
{
    // Settings without a file (no home to keep them in) stay in memory.
    if (target.empty())
        return false;
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                              std::to_string(counter++) + ".tmp");
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    struct stat old = {};
    bool ok = writeAll(fd, data);
    if (ok && ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself is durable only once the folder is flushed; a failure here loses nothing written.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

std::string countKey(std::string_view key) { return std::string(key) + "XX"; }

std::string lineKey(std::string_view key, int line)
{
    char number[16];
    std::snprintf(number, sizeof number, "%.3d", line);
    return std::string(key) + number;
}

// Day numbers of 1 January 0001 and of the day after 31 December 9999: "yyyy" holds nothing outside.
constexpr double kFirstDay = -693593;
constexpr double kEndDay = 2958466;

std::string formatDateTime(base::TDateTime value)
{
    if (!(value >= kFirstDay && value < kEndDay))
        value = 0;
    // Rounding the whole value keeps 23:59:59.6 from becoming midnight of the same day.
    value = std::round(value * 86400) / 86400;
    const base::DateParts date = base::decodeDate(value);
    const base::TimeParts time = base::decodeTime(value);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", date.year, date.month, date.day, time.hour,
                  time.minute, time.second);
    return text;
}

// The number in the field at the 0-based position; a field past the end of the text is empty, and so not a
// number (-1).
int field(std::string_view text, std::size_t position, std::size_t length)
{
    return base::strToIntDef(text.substr(std::min(position, text.size()), length), -1);
}

base::TDateTime parseDateTime(std::string_view text)
{
    const base::TDateTime date = base::encodeDate(field(text, 0, 4), field(text, 4, 2), field(text, 6, 2));
    if (date == 0)
        return 0;
    return date + base::encodeTime(field(text, 8, 2), field(text, 10, 2), field(text, 12, 2));
}

} // namespace

IniContent::IniContent(std::string_view text)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    Section* section = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimView(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = &sectionFor(line.substr(1, close == std::string_view::npos ? close : close - 1));
            continue;
        }
        if (section == nullptr) {
            FPreamble.emplace_back(line);
            continue;
        }
        const std::size_t equals = line.front() == ';' ? std::string_view::npos : line.find('=');
        const std::string_view key = equals == std::string_view::npos ? "" : trimView(line.substr(0, equals));
        if (key.empty()) {
            section->lines.push_back({"", std::string(line)});
            continue;
        }
        if (section->keyIndex.try_emplace(fold(key), section->lines.size()).second)
            section->lines.push_back({std::string(key), std::string(trimView(line.substr(equals + 1)))});
    }
}

std::string IniContent::text() const
{
    std::string out;
    for (const std::string& line : FPreamble)
        out.append(line).push_back('\n');
    for (const Section& section : FSections) {
        if (!out.empty())
            out.push_back('\n');
        out.append("[").append(section.name).append("]\n");
        for (const Line& line : section.lines) {
            if (!line.key.empty())
                out.append(line.key).push_back('=');
            out.append(line.value).push_back('\n');
        }
    }
    return out;
}

const IniContent::Section* IniContent::findSection(std::string_view section) const
{
    const auto found = FSectionIndex.find(fold(section));
    return found == FSectionIndex.end() ? nullptr : &FSections[found->second];
}

IniContent::Section& IniContent::sectionFor(std::string_view section)
{
    const auto [found, added] = FSectionIndex.try_emplace(fold(section), FSections.size());
    if (added)
        FSections.push_back({std::string(trimView(section)), {}, {}});
    return FSections[found->second];
}

void IniContent::reindex(Section& section)
{
    section.keyIndex.clear();
    for (std::size_t i = 0; i < section.lines.size(); ++i)
        if (!section.lines[i].key.empty())
            section.keyIndex.emplace(fold(section.lines[i].key), i);
}

const std::string* IniContent::find(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return nullptr;
    const auto line = found->keyIndex.find(fold(key));
    return line == found->keyIndex.end() ? nullptr : &found->lines[line->second].value;
}

void IniContent::set(std::string_view section, std::string_view key, std::string_view value)
{
    // A line break inside a value would end the line in the file and turn the rest into a line of its own.
    std::string single(value);
    std::replace_if(
        single.begin(), single.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    Section& target = sectionFor(section);
    const auto [found, added] = target.keyIndex.try_emplace(fold(key), target.lines.size());
    if (added)
        target.lines.push_back({std::string(trimView(key)), std::move(single)});
    else
        target.lines[found->second].value = std::move(single);
}

bool IniContent::erase(std::string_view section, std::string_view key)
{
    const auto index = FSectionIndex.find(fold(section));
    if (index == FSectionIndex.end())
        return false;
    Section& target = FSections[index->second];
    const auto line = target.keyIndex.find(fold(key));
    if (line == target.keyIndex.end())
        return false;
    target.lines.erase(target.lines.begin() + static_cast<std::ptrdiff_t>(line->second));
    reindex(target);
    return true;
}

bool IniContent::eraseSection(std::string_view section)
{
    const auto index = FSectionIndex.find(fold(section));
    if (index == FSectionIndex.end())
        return false;
    FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(index->second));
    FSectionIndex.clear();
    for (std::size_t i = 0; i < FSections.size(); ++i)
        FSectionIndex.emplace(fold(FSections[i].name), i);
    return true;
}

bool IniContent::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

std::vector<std::string> IniContent::sectionNames() const
{
    std::vector<std::string> names;
    for (const Section& section : FSections)
        names.push_back(section.name);
    return names;
}

std::vector<std::pair<std::string, std::string>> IniContent::entries(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> result;
    if (const Section* found = findSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty())
                result.emplace_back(line.key, line.value);
    return result;
}

std::size_t IniContent::keyCount(std::string_view section) const
{
    const Section* found = findSection(section);
    return found == nullptr ? 0 : found->keyIndex.size();
}

CustomIniFile::CustomIniFile(std::filesystem::path fileName)
    : FFileName(std::move(fileName))
{
}

std::string CustomIniFile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view fallback) const
{
    const std::string* value = current().find(section, key);
    return value != nullptr ? *value : std::string(fallback);
}

std::int32_t CustomIniFile::ReadInteger(std::string_view section, std::string_view key,
                                        std::int32_t fallback) const
{
    const std::string* value = current().find(section, key);
    return value != nullptr ? base::strToIntDef(*value, fallback) : fallback;
}

bool CustomIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

base::TDateTime CustomIniFile::ReadDateTime(std::string_view section, std::string_view key,
                                            base::TDateTime fallback) const
{
    const std::string* value = current().find(section, key);
    const base::TDateTime result = value != nullptr ? parseDateTime(*value) : 0;
    return result != 0 ? result : fallback;
}

std::string CustomIniFile::ReadText(std::string_view section, std::string_view key,
                                    std::string_view fallback) const
{
    const IniContent& content = current();
    const std::string* count = content.find(section, countKey(key));
    if (count == nullptr)
        return std::string(fallback);
    // The section cannot hold more lines than keys, whatever the count claims.
    const int lines =
        std::clamp(base::strToIntDef(*count, 0), 0, static_cast<int>(content.keyCount(section)));
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            text += "\r\n";
        if (const std::string* line = content.find(section, lineKey(key, i)))
            text += *line;
    }
    return text;
}

bool CustomIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    changeable().set(section, key, value);
    return store();
}

bool CustomIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    return WriteString(section, key, std::to_string(value));
}

bool CustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

bool CustomIniFile::WriteDateTime(std::string_view section, std::string_view key, base::TDateTime value)
{
    return WriteString(section, key, formatDateTime(value));
}

bool CustomIniFile::WriteText(std::string_view section, std::string_view key, std::string_view text)
{
    std::vector<std::string> lines = splitLines(text);
    // Blanks around a value do not survive the file, so a line of blanks counts as empty.
    while (!lines.empty() && trimView(lines.back()).empty())
        lines.pop_back();
    IniContent& content = changeable();
    const int count = static_cast<int>(lines.size());
    content.set(section, countKey(key), std::to_string(count));
    for (int i = 0; i < count; ++i)
        content.set(section, lineKey(key, i), lines[static_cast<std::size_t>(i)]);
    for (int i = count; content.erase(section, lineKey(key, i)); ++i) {
    }
    return store();
}

bool CustomIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    return !changeable().erase(section, key) || store();
}

bool CustomIniFile::EraseSection(std::string_view section)
{
    return !changeable().eraseSection(section) || store();
}

bool CustomIniFile::SectionExists(std::string_view section) const { return current().hasSection(section); }

bool CustomIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return current().find(section, key) != nullptr;
}

std::vector<std::string> CustomIniFile::ReadSections() const { return current().sectionNames(); }

std::vector<std::string> CustomIniFile::ReadSection(std::string_view section) const
{
    std::vector<std::string> keys;
    for (auto& entry : current().entries(section))
        keys.push_back(std::move(entry.first));
    return keys;
}

std::vector<std::pair<std::string, std::string>>
CustomIniFile::ReadSectionValues(std::string_view section) const
{
    return current().entries(section);
}

TVnxIniFile::TVnxIniFile(std::filesystem::path fileName)
    : CustomIniFile(std::move(fileName))
{
}

TVnxIniFile::FileStamp TVnxIniFile::stampNow() const
{
    struct stat info = {};
    if (::stat(FileName().c_str(), &info) != 0)
        return {};
    return {true, info.st_ino, info.st_size, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

void TVnxIniFile::reloadWhenChanged() const
{
    // Every write renames a new file into place, so inode, size and modification time tell a changed file.
    // Should the file be replaced between the stamp and the read, the next call sees a new stamp and reads
    // again.
    const FileStamp now = stampNow();
    if (FLoaded && now == FStamp)
        return;
    std::string text;
    FReadable = readFile(FileName(), text) != ReadOutcome::Unreadable;
    FContent = IniContent(text);
    FStamp = now;
    FLoaded = true;
}

const IniContent& TVnxIniFile::current() const
{
    reloadWhenChanged();
    return FContent;
}

IniContent& TVnxIniFile::changeable()
{
    reloadWhenChanged();
    return FContent;
}

bool TVnxIniFile::store()
{
    // A file we could not read would lose its content; a failed write must not linger in memory either.
    if (FReadable && replaceFile(FileName(), FContent.text())) {
        FStamp = stampNow();
        return true;
    }
    FLoaded = false;
    return false;
}

TVnxMemIniFile::TVnxMemIniFile(std::filesystem::path fileName)
    : CustomIniFile(std::move(fileName))
{
    std::string text;
    readFile(FileName(), text);
    FContent = IniContent(text);
}

void TVnxMemIniFile::SetText(std::string_view text) { FContent = IniContent(text); }

std::string TVnxMemIniFile::GetText() const { return FContent.text(); }

bool TVnxMemIniFile::UpdateFile() const { return replaceFile(FileName(), FContent.text()); }

} // namespace lanescope::base
