#include "browser/BrowserModels.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"

#include <cstdio>

namespace lanescope::cli {

namespace {

using namespace lanescope::browser;

// The round code as stored; "-" for an event without one.
const char* roundCode(const EventTreeNode& event)
{
    const std::string& type = event.data->getText(lenex::tag::TYPE);
    return type.empty() ? "-" : type.c_str();
}

} // namespace

int runEvents(const Arguments& arguments)
{
    lenex::TLenex document;
    BrowserModels models;
    if (const int status = openCompetitionOfArguments(
            arguments, "usage: lanescope-cli events FILE [--competition N]\n", document, models))
        return status;
    // One line per event: id, number, round and title, then "id text" of each age group with a list.
    for (const EventTreeNode* node : models.events.nodesInOrder()) {
        if (node->level != 1 || !node->data)
            continue;
        std::printf("%d\t%d\t%s\t%s", node->data->id(), node->data->getInteger(lenex::tag::NUM),
                    roundCode(*node), node->text.c_str());
        for (const auto& ageGroup : node->children)
            if (ageGroup->data)
                std::printf("\t%d %s", ageGroup->data->id(), ageGroup->text.c_str());
        std::printf("\n");
    }
    models.clear();
    return 0;
}

} // namespace lanescope::cli
