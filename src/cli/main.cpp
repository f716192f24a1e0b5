#include "app/ProgramFiles.h"
#include "app/SettingsLocation.h"
#include "app/VnxLanguage.h"
#include "base/ProductVersion.h"
#include "cli/Commands.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

namespace {

void printUsage(std::FILE* out)
{
    std::fprintf(
        out,
        "usage: lanescope-cli COMMAND [ARGUMENTS]\n"
        "       lanescope-cli --help | --version\n"
        "commands:\n"
        "  parse FILE     count the tags of a Lenex file and list its parse errors and warnings\n"
        "  info FILE      file information and, per competition, its counts\n"
        "  convert FILE OUT.lef\n"
        "                 any supported result file as a Lenex file\n"
        "  events FILE [--competition N]\n"
        "                 the event tree: per event its id, number, round, title and age groups\n"
        "  list FILE [--competition N] ((--event NUM [--round CODE] | --event-id ID) [--age-group ID]\n"
        "            [--sort place|name|club|time|points] [--filter TEXT] [--csv]\n"
        "            [--heat-lane] [--reaction] | --athlete ID | --relay ID) [--splits] [--valid-only]\n"
        "                 one list as the copy command gives it; --event alone takes the event's\n"
        "                 first round, --round picks another (TIM, PRE, SEM, FIN, FHT, SOP, SOS, ...);\n"
        "                 an event with age groups lists each of them; --sort and --filter order and\n"
        "                 filter the rows (name, club or nation containing TEXT), --heat-lane and\n"
        "                 --reaction end each result line with them, --csv writes CSV\n"
        "  clubs FILE [--competition N]\n"
        "                 nations, clubs, athletes and relays with their statistics; athletes and\n"
        "                 relays with the id that --athlete and --relay take\n"
        "  export FILE [--competition N] ((--event NUM [--round CODE] | --event-id ID)\n"
        "              [--age-group ID] | --athlete ID | --relay ID | --club-stats)\n"
        "              (--pdf OUT | --html OUT) [--splits] [--valid-only]\n"
        "                 a result report or the club statistics as PDF or HTML\n"
        "  export FILE [--competition N] --site DIR [--splits] [--valid-only]\n"
        "                 the meet as a website: an index, every event list, club, athlete and relay\n"
        "  chart FILE [--competition N] (--event NUM [--round CODE] | --event-id ID) [--age-group ID]\n"
        "             [--rows N] (--svg OUT | --pdf OUT | --png OUT)\n"
        "                 the race picture of a list: the gap to the leader at every split and the lap\n"
        "                 times of its first N swims (default 8, at most 16)\n"
        "  register [VIEWER]\n"
        "                 make the viewer (default: the one beside this tool, else on the search\n"
        "                 path) open its document types on this desktop\n"
        "  meets [--app-info URL] [--server KEY]\n"
        "                 the result servers, then the meets of one (default: the first)\n"
        "  fetch URL      download a result file and show its information\n"
        "  watch FILE|URL [--competition N] (--event NUM [--round CODE] | --event-id ID) [--age-group ID]\n"
        "              [--splits] [--valid-only] [--interval SECONDS]\n"
        "                 print the list, and again whenever it changes (a link is asked every\n"
        "                 SECONDS, default 30), until interrupted\n"
        "  watch FILE|URL [--competition N] --site DIR [--splits] [--valid-only] [--interval SECONDS]\n"
        "                 write the meet's website, and rewrite the pages that change\n");
}

// The command line speaks English whatever the locale, so scripts can read its output; the language files
// lie beside the program or in the installed share folder.
void setUpLanguage()
{
    lanescope::app::LanguageSetup setup;
    setup.folders = lanescope::app::dataFolders(lanescope::app::programFolder());
    setup.screen = 3;
    lanescope::app::createLanguageManager(std::move(setup));
}

bool asksForHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string_view command = argv[1];
    const lanescope::cli::Arguments arguments(argv + 2, argv + argc);
    // "--help" anywhere, also after a command, asks for the usage: it goes to the output and is no error.
    if (asksForHelp(command) || std::any_of(arguments.begin(), arguments.end(), asksForHelp)) {
        printUsage(stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("lanescope-cli %s\n", lanescope::base::versionText);
        return 0;
    }
    try {
        setUpLanguage();
        if (command == "parse")
            return lanescope::cli::runParse(arguments);
        if (command == "info")
            return lanescope::cli::runInfo(arguments);
        if (command == "convert")
            return lanescope::cli::runConvert(arguments);
        if (command == "events")
            return lanescope::cli::runEvents(arguments);
        if (command == "list")
            return lanescope::cli::runList(arguments);
        if (command == "clubs")
            return lanescope::cli::runClubs(arguments);
        if (command == "export")
            return lanescope::cli::runExport(arguments);
        if (command == "chart")
            return lanescope::cli::runChart(arguments);
        if (command == "meets")
            return lanescope::cli::runMeets(arguments);
        if (command == "fetch")
            return lanescope::cli::runFetch(arguments);
        if (command == "watch")
            return lanescope::cli::runWatch(arguments);
        if (command == "register")
            return lanescope::cli::runRegister(arguments);
        if (command == "library")
            return lanescope::cli::runLibrary(arguments);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lanescope-cli: %s\n", error.what());
        return 2;
    }
    std::fprintf(stderr, "lanescope-cli: unknown command \"%s\"\n", argv[1]);
    printUsage(stderr);
    return 2;
}
