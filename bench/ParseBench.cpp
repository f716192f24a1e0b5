#include "MeetFiles.h"
#include "MeetGenerator.h"
#include "PeakMemory.h"
#include "lenex/LnxNodePool.h"
#include "lenex/LnxParser.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

// Parse throughput and peak memory of the Lenex parser against pugixml on synthetic meets of 1, 10 and
// 50 MB. The meets are generated once into $TMPDIR/lanescope-bench (or /tmp/lanescope-bench) and reused.
// After the runs a table compares both parsers per size.

namespace {

using lanescope::bench::kMegabyte;
using lanescope::bench::meetFile;
namespace fs = std::filesystem;
namespace lenex = lanescope::lenex;

constexpr int kSizesMB[] = {1, 10, 50};

enum class Parser
{
    Lanescope,
    Pugixml,
};
constexpr const char* kParserNames[] = {"Lanescope", "pugixml"};

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "lanescope_bench_parse: %s\n", message.c_str());
    std::exit(EXIT_FAILURE);
}

std::unique_ptr<lenex::TLnxObject> parseWithLanescope(const std::string& path,
                                                      lenex::TLnxMessageList& messages)
{
    lenex::TLnxParser parser(messages);
    return parser.parse(path);
}

std::size_t countElements(const lenex::TLnxAbstractElement& root)
{
    std::size_t count = 0;
    std::vector<const lenex::TLnxAbstractElement*> pending{&root};
    while (!pending.empty()) {
        const lenex::TLnxAbstractElement* node = pending.back();
        pending.pop_back();
        ++count;
        if (const lenex::TLnxAbstractObject* object = node->asAbstractObject()) {
            for (const auto& child : object->children())
                pending.push_back(child.get());
        }
    }
    return count;
}

std::size_t countElements(pugi::xml_document& document)
{
    struct Counter : pugi::xml_tree_walker
    {
        std::size_t count = 0;
        bool for_each(pugi::xml_node& node) override
        {
            count += node.type() == pugi::node_element ? 1 : 0;
            return true;
        }
    } counter;
    document.traverse(counter);
    return counter.count;
}

/**
 * Both parsers read the file once: ours must report no error and build as many nodes as pugixml finds
 * elements, else the figures would compare unequal work. Stops the program on a mismatch.
 */
void verifyOnce(int megabytes)
{
    static std::map<int, bool> verified;
    if (verified[megabytes])
        return;
    const std::string& path = meetFile(megabytes);
    pugi::xml_document document;
    if (const pugi::xml_parse_result result = document.load_file(path.c_str()); !result)
        fail("pugixml cannot read " + path + ": " + result.description());
    lenex::TLnxMessageList messages;
    const auto root = parseWithLanescope(path, messages);
    if (root == nullptr || !messages.errors().empty()) {
        for (const std::string& error : messages.errors())
            std::fprintf(stderr, "  %s\n", error.c_str());
        fail("the Lenex parser reports " + std::to_string(messages.errors().size()) + " errors on " + path);
    }
    for (const std::string& warning : messages.warnings())
        std::fprintf(stderr, "warning on %s: %s\n", path.c_str(), warning.c_str());
    const std::size_t ours = countElements(*root);
    const std::size_t theirs = countElements(document);
    if (ours != theirs)
        fail("the Lenex parser built " + std::to_string(ours) + " nodes where pugixml found " +
             std::to_string(theirs) + " elements in " + path);
    verified[megabytes] = true;
}

void parseOnce(Parser parser, const std::string& path)
{
    if (parser == Parser::Lanescope) {
        lenex::TLnxMessageList messages;
        auto root = parseWithLanescope(path, messages);
        benchmark::DoNotOptimize(root.get());
    } else {
        pugi::xml_document document;
        pugi::xml_parse_result result = document.load_file(path.c_str());
        benchmark::DoNotOptimize(result);
    }
}

/** Peak resident growth of one parse in MB, measured once per parser and size in a child process. */
double peakMB(Parser parser, int megabytes)
{
    static std::map<std::pair<Parser, int>, double> peaks;
    const auto key = std::make_pair(parser, megabytes);
    if (const auto found = peaks.find(key); found != peaks.end())
        return found->second;
    const std::string& path = meetFile(megabytes);
    // Like the free heap, which the measurement trims, the node pool's blocks kept from earlier parses are
    // given back first: a parse that reuses them would look free.
    lenex::TLnxNodePool::releaseKeptBlocks();
    const long kib = lanescope::bench::peakResidentGrowthKiB([&] { parseOnce(parser, path); });
    if (kib < 0)
        fail(std::string("the peak memory of one ") + kParserNames[static_cast<int>(parser)] +
             " parse could not be measured");
    return peaks[key] = static_cast<double>(kib) * 1024 / kMegabyte;
}

void benchmarkParse(benchmark::State& state, Parser parser, int megabytes)
{
    verifyOnce(megabytes);
    const std::string& path = meetFile(megabytes);
    for (auto _ : state)
        parseOnce(parser, path); // the tree is freed inside the loop too, as after every real load
    const auto bytes = static_cast<std::int64_t>(fs::file_size(path));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["peak_MB"] = peakMB(parser, megabytes);
    state.counters["peak_per_file"] = peakMB(parser, megabytes) * kMegabyte / static_cast<double>(bytes);
}

std::string caseName(Parser parser, int megabytes)
{
    return std::string("Parse/") + kParserNames[static_cast<int>(parser)] + "/" + std::to_string(megabytes) +
           "MB";
}

/** The usual console output, plus a table comparing both parsers per size at the end. */
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    SummaryReporter()
        : ConsoleReporter(OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end())
                FThroughput[run.run_name.function_name] = rate->second.value / kMegabyte;
        }
    }

    void printSummary() const
    {
        std::printf("\n%8s %14s %14s %7s %14s %14s\n", "size", "ours MB/s", "pugixml MB/s", "ratio",
                    "ours peak MB", "pugixml peak MB");
        for (const int megabytes : kSizesMB) {
            const auto ours = FThroughput.find(caseName(Parser::Lanescope, megabytes));
            const auto theirs = FThroughput.find(caseName(Parser::Pugixml, megabytes));
            if (ours == FThroughput.end() || theirs == FThroughput.end())
                continue;
            std::printf("%6d MB %14.1f %14.1f %7.2f %14.1f %14.1f\n", megabytes, ours->second, theirs->second,
                        ours->second / theirs->second, peakMB(Parser::Lanescope, megabytes),
                        peakMB(Parser::Pugixml, megabytes));
        }
        std::printf("(MB = 2^20 bytes; medians of 7 repetitions; ratio = ours / pugixml throughput; peak = "
                    "growth of the resident set during one parse)\n");
    }

private:
    std::map<std::string, double> FThroughput;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    for (const int megabytes : kSizesMB) {
        for (const Parser parser : {Parser::Lanescope, Parser::Pugixml}) {
            benchmark::RegisterBenchmark(
                caseName(parser, megabytes).c_str(),
                [parser, megabytes](benchmark::State& state) { benchmarkParse(state, parser, megabytes); })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5)
                ->Repetitions(7)
                ->ReportAggregatesOnly(true);
        }
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
