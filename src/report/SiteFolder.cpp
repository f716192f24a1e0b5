#include "report/SiteFolder.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <system_error>

namespace lanescope::report {

namespace {

namespace fs = std::filesystem;

bool sameText(const fs::path& file, const std::string& text)
{
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) != text.size() || error)
        return false;
    std::ifstream stream(file, std::ios::binary);
    const std::string current((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    return current == text;
}

bool writeWhole(const fs::path& file, const std::string& text, std::string& error)
{
    const fs::path part = file.parent_path() / ("." + file.filename().string() + ".part");
    {
        std::ofstream stream(part, std::ios::binary | std::ios::trunc);
        stream << text;
        stream.close();
        if (stream.fail()) {
            error = "cannot write " + part.string();
            std::error_code ignored;
            fs::remove(part, ignored);
            return false;
        }
    }
    std::error_code renameError;
    fs::rename(part, file, renameError);
    if (renameError) {
        error = file.string() + ": " + renameError.message();
        std::error_code ignored;
        fs::remove(part, ignored);
        return false;
    }
    return true;
}

} // namespace

SiteWriteResult writeSitePages(const fs::path& folder, const std::vector<SitePage>& pages)
{
    SiteWriteResult result;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error)) {
        result.ok = false;
        result.error = folder.string() + ": " + (error ? error.message() : "not a folder");
        return result;
    }
    std::set<std::string> names;
    for (const SitePage& page : pages) {
        names.insert(page.fileName);
        const fs::path file = folder / page.fileName;
        if (sameText(file, page.text)) {
            ++result.unchanged;
            continue;
        }
        if (!writeWhole(file, page.text, result.error)) {
            result.ok = false;
            return result;
        }
        ++result.written;
    }
    static const std::regex sitePage(R"((event|club)-\d+\.html|(athlete|relay)-\d+-\d+\.html)");
    for (auto entry = fs::directory_iterator(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (names.count(name) == 0 && std::regex_match(name, sitePage) && entry->is_regular_file()) {
            std::error_code ignored;
            if (fs::remove(entry->path(), ignored))
                ++result.removed;
        }
    }
    return result;
}

} // namespace lanescope::report
