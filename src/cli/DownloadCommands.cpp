#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "cli/Options.h"
#include "download/MeetsFactory.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lanescope::cli {

int runMeets(const Arguments& arguments)
{
    Options options(arguments, {"--app-info", "--server"}, {});
    const std::optional<int> chosen = options.integer("--server");
    if (!options.valid() || !options.positional().empty()) {
        std::fprintf(stderr, "usage: lanescope-cli meets [--app-info URL] [--server KEY]\n");
        return 2;
    }
    // The command line reads no settings file: its settings live in memory, filled from the options.
    base::TVnxMemIniFile settings{std::filesystem::path()};
    const std::optional<std::string> url = options.text("--app-info");
    if (!url || url->empty()) {
        std::fprintf(stderr, "lanescope-cli: no server-list address; give one with --app-info URL\n");
        return 2;
    }
    settings.WriteString("Special", "AppInfoURL", *url);
    download::TMeetsFactory factory(&settings);
    const std::vector<download::ResultServer> servers = factory.ServerList();
    if (servers.empty()) {
        std::fprintf(stderr, "%s (%s)\n", terminalText(base::languageText('G', 120)).c_str(),
                     factory.lastFailure().reason().c_str());
        return 1;
    }
    std::printf("Result servers:\n");
    for (const download::ResultServer& server : servers)
        std::printf("  %d\t%s\n", server.key, server.name.c_str());

    const auto server =
        chosen ? std::find_if(servers.begin(), servers.end(), [&](const auto& s) { return s.key == *chosen; })
               : servers.begin();
    if (server == servers.end()) {
        std::fprintf(stderr, "lanescope-cli: no result server %d\n", *chosen);
        return 1;
    }
    factory.LoadMeets(server->key);
    if (!factory.lastFailure().ok()) {
        std::fprintf(stderr, "lanescope-cli: meets of %s not loaded (%s)\n", server->name.c_str(),
                     factory.lastFailure().reason().c_str());
        return 1;
    }
    std::printf("\nMeets of %s:\n", server->name.c_str());
    for (const auto& meet : factory.nodes())
        std::printf("%s\t%s\t%s\t%s\n", meet->cellText(0).c_str(), meet->meetName().c_str(),
                    meet->placeText().c_str(), meet->fileUrl().c_str());
    return 0;
}

int runFetch(const Arguments& arguments)
{
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: lanescope-cli fetch URL\n");
        return 2;
    }
    download::TMeetsFactory factory;
    download::TNodeDownloadMeet meet;
    meet.SetData(arguments[0], "", arguments[0], "", 0);
    const std::optional<std::string> file = factory.DownloadMeet(meet);
    if (!file) {
        std::fprintf(stderr, "%s (%s)\n", terminalText(base::languageText('G', 140)).c_str(),
                     factory.lastFailure().reason().c_str());
        return 1;
    }
    return runInfo({*file});
}

} // namespace lanescope::cli
