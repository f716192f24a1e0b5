#include "app/SettingsLocation.h"
#include "base/VnxIniFiles.h"
#include "chart/ProgressionFromLibrary.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "cli/PictureOutput.h"
#include "cli/ReportOutput.h"
#include "library/LibraryReport.h"
#include "library/LibraryTables.h"
#include "report/VnxReport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace lanescope::cli {

namespace {

using namespace lanescope::library;

constexpr const char* kUsage =
    "usage: lanescope-cli library add PATH... [--db PATH]\n"
    "       lanescope-cli library athletes TEXT [--db PATH] [--csv]\n"
    "       lanescope-cli library history ID [--event \"100m Breaststroke\"] [--course SCM|LCM|SCY] "
    "[--best]\n"
    "                                        [--db PATH] [--csv | --pdf FILE | --html FILE]\n"
    "       lanescope-cli library chart ID --event \"100m Breaststroke\" --course SCM|LCM|SCY\n"
    "                                (--svg OUT | --pdf OUT | --png OUT) [--db PATH]\n"
    "       lanescope-cli library best [--club TEXT] [--gender F|M] [--from DATE] [--to DATE]\n"
    "                                  [--course SCM|LCM|SCY] [--birth-year YYYY] [--db PATH]\n"
    "                                  [--csv | --pdf FILE | --html FILE]\n"
    "       lanescope-cli library merge ID OTHER-ID [--db PATH]\n"
    "       lanescope-cli library identities ID [--db PATH] [--csv]\n"
    "       lanescope-cli library split IDENTITY-ID [--db PATH]\n"
    "       lanescope-cli library rebuild [PATH...] [--db PATH]\n";

// Tab-separated as list prints them, or CSV with a caption row for spreadsheets.
void printTable(const LibraryTable& table, bool csv)
{
    const std::string text = csv ? tableCsv(table) : tableText(table);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The table on the standard output, or with --pdf or --html as the report the window prints: the head and
// footer of the result lists, a heading per group. Returns the command's exit code.
int outputTable(LibraryList list, const LibraryTable& table, const Options& options)
{
    const auto pdf = options.text("--pdf");
    const auto html = options.text("--html");
    if (!pdf && !html) {
        printTable(table, options.has("--csv"));
        return 0;
    }
    report::TVnxReport engine;
    engine.OwnerCaption = "Bibliothek drucken";
    TLibraryReport content(engine, list, table);
    return writeReport(engine, pdf, html);
}

// At most one of --csv, --pdf and --html.
bool oneOutput(const Options& options)
{
    return (options.has("--csv") ? 1 : 0) + (options.has("--pdf") ? 1 : 0) +
               (options.has("--html") ? 1 : 0) <=
           1;
}

std::string libraryFile(const Options& options)
{
    if (const auto db = options.text("--db"))
        return *db;
    const std::filesystem::path settings = app::settingsFileLocation();
    std::error_code error;
    if (std::filesystem::exists(settings, error))
        return SeasonLibrary::configuredPath(base::TVnxIniFile(settings));
    return SeasonLibrary::defaultPath();
}

const char* outcomeWord(FileOutcome outcome)
{
    switch (outcome) {
    case FileOutcome::Added:
        return "added";
    case FileOutcome::Replaced:
        return "replaced";
    case FileOutcome::Unchanged:
        return "unchanged";
    case FileOutcome::SameMeet:
        return "same meet";
    case FileOutcome::Failed:
        return "failed";
    case FileOutcome::Removed:
        return "removed";
    }
    return "";
}

// Files that failed were reported on their lines; the status tells a script that some did.
int addStatus(const AddSummary& summary) { return summary.count(FileOutcome::Failed) > 0 ? 1 : 0; }

bool printFileLine(int index, int count, const FileReport& file)
{
    std::string line = std::to_string(index) + "/" + std::to_string(count) + "\t" +
                       outcomeWord(file.outcome) + "\t" + file.path;
    if (file.outcome == FileOutcome::Failed)
        line += "\t" + file.reason;
    else if (file.outcome != FileOutcome::Unchanged)
        line += "\t" + std::to_string(file.meets) + " meets\t" + std::to_string(file.swims) + " swims";
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return true;
}

int runAdd(const Options& options)
{
    if (options.positional().size() < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    const std::vector<std::string> paths(options.positional().begin() + 1, options.positional().end());
    return addStatus(library.add(paths, printFileLine));
}

int runRebuild(const Options& options)
{
    const std::vector<std::string> paths(options.positional().begin() + 1, options.positional().end());
    return addStatus(SeasonLibrary::rebuild(libraryFile(options), paths, printFileLine));
}

int runAthletes(const Options& options)
{
    if (options.positional().size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    printTable(athletesTable(library.athletes(options.positional()[1])), options.has("--csv"));
    return 0;
}

std::optional<std::int64_t> idArgument(const Options& options, std::size_t index)
{
    if (options.positional().size() <= index)
        return std::nullopt;
    const std::string& text = options.positional()[index];
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18)
        return std::nullopt;
    return std::stoll(text);
}

int runHistory(Options& options)
{
    const auto id = idArgument(options, 1);
    const auto course = options.text("--course");
    HistoryFilter filter;
    filter.event = options.text("--event").value_or("");
    filter.course = course ? courseOfCode(*course) : 0;
    if (!id || options.positional().size() != 2 || (course && filter.course == kCourseUnknown) ||
        !oneOutput(options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    if (!library.athlete(*id)) {
        std::fprintf(stderr, "lanescope-cli: the library has no athlete %lld\n", static_cast<long long>(*id));
        return 1;
    }
    const std::string title = library.athlete(*id)->nameText();
    if (options.has("--best"))
        return outputTable(LibraryList::PersonalBests, bestsTable(title, library.personalBests(*id, filter)),
                           options);
    return outputTable(LibraryList::History, historyTable(title, library.history(*id, filter)), options);
}

// The progression picture of one event and course; in PDF the swims follow as a table.
int runProgressionChart(Options& options)
{
    const auto id = idArgument(options, 1);
    const auto course = options.text("--course");
    const auto event = options.text("--event");
    HistoryFilter filter;
    filter.event = event.value_or("");
    filter.course = course ? courseOfCode(*course) : 0;
    const PictureTarget target = pictureTarget(options);
    if (!id || options.positional().size() != 2 || !event || event->empty() || !course ||
        filter.course == kCourseUnknown || !target.valid()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    const auto athlete = library.athlete(*id);
    if (!athlete) {
        std::fprintf(stderr, "lanescope-cli: the library has no athlete %lld\n", static_cast<long long>(*id));
        return 1;
    }
    const std::string title = athlete->nameText() + ", " + *event + " " + *course;
    const chart::ProgressionData data = chart::progressionFromHistory(library.history(*id, filter), title);
    const chart::ChartTexts texts = chart::ChartTexts::loaded();
    PictureTable table;
    table.columns = chart::kProgressionColumns;
    table.headings = {texts.dateCaption, texts.meetCaption, texts.timeCaption, "", ""};
    table.rows = chart::progressionTable(data, texts.personalBest);
    return writePicture(
        target, nullptr, title,
        [&](report::ReportCanvas& canvas, int width, int dpi) {
            return chart::drawProgressionChart(canvas, data, texts, width, dpi);
        },
        table);
}

int runBest(Options& options)
{
    BestListFilter filter;
    filter.club = options.text("--club").value_or("");
    const std::string gender = options.text("--gender").value_or("");
    filter.gender = gender == "M" || gender == "m"                    ? 1
                    : gender == "F" || gender == "f" || gender == "W" ? 2
                                                                      : 0;
    filter.from = options.text("--from").value_or("");
    filter.to = options.text("--to").value_or("");
    const auto course = options.text("--course");
    filter.course = course ? courseOfCode(*course) : 0;
    filter.birthYear = options.integer("--birth-year").value_or(0);
    if (!options.valid() || options.positional().size() != 1 || (!gender.empty() && filter.gender == 0) ||
        (course && filter.course == kCourseUnknown) || !oneOutput(options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    const std::string title =
        libraryText(177, "Club best list") + (filter.club.empty() ? std::string() : ", " + filter.club);
    return outputTable(LibraryList::BestList, bestListTable(title, library.bestList(filter)), options);
}

int runMerge(const Options& options)
{
    const auto keep = idArgument(options, 1);
    const auto other = idArgument(options, 2);
    if (!keep || !other || options.positional().size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    if (!library.athlete(*keep) || !library.athlete(*other)) {
        std::fprintf(stderr, "lanescope-cli: the library has no such athlete\n");
        return 1;
    }
    library.mergeAthletes(*keep, *other);
    return 0;
}

int runIdentities(const Options& options)
{
    const auto id = idArgument(options, 1);
    if (!id || options.positional().size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    LibraryTable table{
        "", {"identity", "registration", "last name", "first name", "birth year", "swims"}, {}};
    for (const AthleteKeyRow& key : library.athleteKeys(*id))
        table.rows.push_back({std::to_string(key.id), key.license, key.lastName, key.firstName,
                              key.birthYear > 0 ? std::to_string(key.birthYear) : std::string(),
                              std::to_string(key.swims)});
    printTable(table, options.has("--csv"));
    return 0;
}

int runSplit(const Options& options)
{
    const auto key = idArgument(options, 1);
    if (!key || options.positional().size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    SeasonLibrary library(libraryFile(options));
    std::printf("%lld\n", static_cast<long long>(library.splitAthlete(*key)));
    return 0;
}

} // namespace

int runLibrary(const Arguments& arguments)
{
    Options options(arguments,
                    {"--db", "--event", "--course", "--club", "--gender", "--from", "--to", "--birth-year",
                     "--svg", "--pdf", "--png", "--html"},
                    {"--csv", "--best"});
    if (!options.valid() || options.positional().empty())
        return usageError(options, kUsage);
    const std::string& command = options.positional()[0];
    try {
        if (command == "add")
            return runAdd(options);
        if (command == "athletes")
            return runAthletes(options);
        if (command == "history")
            return runHistory(options);
        if (command == "best")
            return runBest(options);
        if (command == "chart")
            return runProgressionChart(options);
        if (command == "merge")
            return runMerge(options);
        if (command == "identities")
            return runIdentities(options);
        if (command == "split")
            return runSplit(options);
        if (command == "rebuild")
            return runRebuild(options);
    } catch (const LibraryError& error) {
        std::fprintf(stderr, "lanescope-cli: %s\n", error.what());
        if (error.damaged())
            std::fprintf(stderr,
                         "lanescope-cli: the library file is damaged; \"lanescope-cli library rebuild\" "
                         "builds it again from its files\n");
        return 1;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace lanescope::cli
