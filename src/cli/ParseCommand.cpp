#include "cli/Commands.h"
#include "lenex/LnxParser.h"

#include <array>
#include <cstdio>

namespace lanescope::cli {

namespace {

using namespace lanescope::lenex;

std::array<long, kTagCount> countTags(const TLnxAbstractElement& root)
{
    std::array<long, kTagCount> counts{};
    std::vector<const TLnxAbstractElement*> pending{&root};
    while (!pending.empty()) {
        const TLnxAbstractElement* node = pending.back();
        pending.pop_back();
        ++counts[node->tag()];
        if (const TLnxAbstractObject* object = node->asAbstractObject())
            for (const auto& child : object->children())
                pending.push_back(child.get());
    }
    return counts;
}

} // namespace

int runParse(const Arguments& arguments)
{
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: lanescope-cli parse FILE\n");
        return 2;
    }
    TLnxMessageList messages;
    TLnxParser parser(messages);
    const std::unique_ptr<TLnxObject> root = parser.parse(arguments[0]);

    if (root) {
        const auto counts = countTags(*root);
        for (int tag = 0; tag < kTagCount; ++tag)
            if (counts[tag] > 0)
                std::printf("%-14s %ld\n", std::string(tagName(static_cast<TLnxTagId>(tag))).c_str(),
                            counts[tag]);
    }
    for (const std::string& error : messages.errors())
        std::printf("error: %s\n", error.c_str());
    for (const std::string& warning : messages.warnings())
        std::printf("warning: %s\n", warning.c_str());
    return messages.errors().empty() ? 0 : 1;
}

} // namespace lanescope::cli
