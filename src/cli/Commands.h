#pragma once

#include <string>
#include <vector>

/** The commands of lanescope-cli; each returns the process exit status. */
namespace lanescope::cli {

using Arguments = std::vector<std::string>;

/** parse FILE: tag counts, then every parse error and warning; 1 when there are errors. */
int runParse(const Arguments& arguments);
/** info FILE: file information, per competition its name, place, pool and counts, then errors and warnings.
 */
int runInfo(const Arguments& arguments);
/**
 * events FILE [--competition N]: the event tree, one line per event in tree order: id, number, round code,
 * title, then the id and text of each age group.
 */
int runEvents(const Arguments& arguments);
/** list FILE ...: the copy text of one event, age group, athlete or relay list. */
int runList(const Arguments& arguments);
/** The text that list prints, with LF line ends; the exit status of list (messages went to standard error).
 */
int listText(const Arguments& arguments, std::string& text);
/** watch FILE|URL --event NUM ... [--interval SECONDS]: the list, printed again whenever it changes. */
int runWatch(const Arguments& arguments);
/** clubs FILE [--competition N]: the nation, club, athlete and relay tree with the club statistics. */
int runClubs(const Arguments& arguments);
/** export FILE ...: an event, age-group, athlete or relay report, or the club statistics, as PDF or HTML. */
int runExport(const Arguments& arguments);
/** True when the words hold "--site": export and watch then write the meet's website. */
bool namesSite(const Arguments& arguments);
/**
 * FILE [--competition N] --site DIR [--splits] [--valid-only]: writes the meet's website into the folder,
 * rewriting only the pages that changed, and gives a one-line summary; the exit status of export.
 */
int writeSite(const Arguments& arguments, std::string& summary);
/** convert FILE OUT.lef: opens any supported file and writes the document as first-generation Lenex. */
int runConvert(const Arguments& arguments);
/** register [VIEWER]: makes the viewer (default: the one beside this tool, else on the search path) open .lef
 * and .lxf files; fails when there is none. */
int runRegister(const Arguments& arguments);
/** meets [--app-info URL] [--server KEY]: the result servers, then one server's meets (date, name, place,
 * address). */
int runMeets(const Arguments& arguments);
/**
 * library add|athletes|history|best|merge|identities|split|rebuild ...: the season library of many meets;
 * output tab-separated like list, or CSV with --csv.
 */
int runLibrary(const Arguments& arguments);
/** chart FILE --event NUM ... (--svg|--pdf|--png OUT): the race picture of a result list. */
int runChart(const Arguments& arguments);
/** fetch URL: downloads a result file into the private temporary folder and prints its info. */
int runFetch(const Arguments& arguments);

} // namespace lanescope::cli
