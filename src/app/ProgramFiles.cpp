#include "app/ProgramFiles.h"

#include "app/DesktopFiles.h"

#include <system_error>

namespace lanescope::app {

namespace {

std::filesystem::path sharedFolder(const std::filesystem::path& programFolder)
{
    return programFolder.parent_path() / "share";
}

} // namespace

std::filesystem::path sharedDataFolder(const std::filesystem::path& programFolder)
{
    return sharedFolder(programFolder) / "lanescope";
}

std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& programFolder)
{
    return {programFolder, sharedDataFolder(programFolder)};
}

std::filesystem::path programDataFile(const std::filesystem::path& programFolder, const std::string& name)
{
    std::error_code error;
    for (const std::filesystem::path& folder : dataFolders(programFolder))
        if (std::filesystem::exists(folder / name, error))
            return folder / name;
    return programFolder / name;
}

bool isInstalledLayout(const std::filesystem::path& programFolder)
{
    std::error_code error;
    return std::filesystem::is_directory(sharedDataFolder(programFolder), error);
}

bool desktopIntegrationInstalled(const std::filesystem::path& programFolder)
{
    std::error_code error;
    const std::filesystem::path share = sharedFolder(programFolder);
    return std::filesystem::is_regular_file(share / "applications" / (std::string(kDesktopId) + ".desktop"),
                                            error) &&
           std::filesystem::is_regular_file(share / "mime" / "packages" / kMimePackageFileName, error);
}

} // namespace lanescope::app
