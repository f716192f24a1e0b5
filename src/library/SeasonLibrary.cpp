#include "library/SeasonLibrary.h"

#include "base/VnxIniFiles.h"
#include "library/LibraryImport.h"
#include "library/LibrarySchema.h"
#include "library/ResultFiles.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace lanescope::library {

namespace fs = std::filesystem;

int AddSummary::count(FileOutcome outcome) const
{
    int n = 0;
    for (const FileReport& file : files)
        n += file.outcome == outcome ? 1 : 0;
    return n;
}

std::string AthleteRow::nameText() const
{
    std::string text = lastName;
    if (!firstName.empty())
        text += (text.empty() ? "" : " ") + firstName;
    if (birthYear > 0)
        text += ", " + std::to_string(birthYear);
    return text;
}

SeasonLibrary::SeasonLibrary(const std::string& fileName)
    : FFileName(fileName)
{
    std::error_code error;
    const fs::path folder = fs::path(fileName).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, error);
    FDatabase = std::make_unique<SqliteDatabase>(fileName);
    applySchema(*FDatabase, fileName);
}

SeasonLibrary::~SeasonLibrary() = default;

std::string SeasonLibrary::defaultPath()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    fs::path folder;
    if (dataHome != nullptr && *dataHome == '/') {
        folder = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        folder = fs::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    return (folder / "lanescope" / "library.sqlite").string();
}

std::string SeasonLibrary::configuredPath(const base::CustomIniFile& settings)
{
    const std::string path = settings.ReadString("Library", "Path", "");
    return path.empty() ? defaultPath() : path;
}

AddSummary SeasonLibrary::add(const std::vector<std::string>& paths, const AddProgress& progress)
{
    Importer importer(*FDatabase);
    // Files first, then what is gone: the count is known before the first file is read.
    struct Work
    {
        std::string path;
        std::int64_t removeId = 0;
    };
    std::vector<Work> work;
    for (const std::string& given : paths) {
        const std::string path = libraryPath(given);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            for (std::string& file : resultFilesUnder(path))
                work.push_back({std::move(file), 0});
            for (auto& [id, known] : importer.knownFilesUnder(path))
                if (!fs::exists(known, error))
                    work.push_back({known, id});
        } else {
            work.push_back({path, 0});
        }
    }
    AddSummary summary;
    const int count = static_cast<int>(work.size());
    for (int i = 0; i < count; ++i) {
        const Work& item = work[static_cast<std::size_t>(i)];
        summary.files.push_back(item.removeId != 0 ? importer.removeFile(item.removeId, item.path)
                                                   : importer.addFile(item.path, false));
        if (progress && !progress(i + 1, count, summary.files.back())) {
            summary.cancelled = true;
            break;
        }
    }
    importer.refillMeetsWithoutSource(summary.files);
    return summary;
}

std::vector<std::string> SeasonLibrary::knownFiles(const std::string& fileName)
{
    std::vector<std::string> files;
    try {
        SqliteDatabase database(fileName);
        SqliteStatement select(database, "SELECT path FROM files ORDER BY path");
        while (select.step())
            files.push_back(select.text(0));
    } catch (const LibraryError&) {
        // What could be read is kept: a damaged file may still give part of its list.
    }
    return files;
}

AddSummary SeasonLibrary::rebuild(const std::string& fileName, const std::vector<std::string>& extraPaths,
                                  const AddProgress& progress)
{
    std::vector<std::string> paths = knownFiles(fileName);
    paths.insert(paths.end(), extraPaths.begin(), extraPaths.end());
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::error_code error;
        if (fs::exists(fileName + suffix, error))
            fs::rename(fileName + suffix, fileName + ".damaged" + suffix, error);
    }
    SeasonLibrary library(fileName);
    return library.add(paths, progress);
}

} // namespace lanescope::library
