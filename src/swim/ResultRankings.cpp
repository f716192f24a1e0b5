#include "swim/ResultRankings.h"

#include "base/Strings.h"

#include <string>

namespace lanescope::swim {

using namespace lenex;

namespace {

// The further rankings: RANK elements that carry the id of their age group.
template <class Visit> void forEachFurtherRanking(const TLnxObject& result, Visit visit)
{
    for (const auto& child : result.children()) {
        const TLnxDataElement* rank = child->tag() == tag::RANK ? child->asData() : nullptr;
        if (rank != nullptr && rank->hasAttribute(lxaID))
            visit(TResultRanking{base::strToIntDef(rank->getAttribute(lxaID), 0),
                                 base::strToIntDef(base::trimView(rank->value()), 0)});
    }
}

} // namespace

void addResultRanking(TLnxObject& result, int ageGroupId, int place)
{
    if (result.getText(tag::CID).empty()) {
        result.setInteger(tag::CID, ageGroupId);
        result.setInteger(tag::RANK, place);
        return;
    }
    for (const TResultRanking& ranking : resultRankings(result))
        if (ranking.ageGroupId == ageGroupId)
            return;
    // The RANK of CID comes first, so that every reader of the first RANK reads the narrowest place. Without
    // a place there it reads -1 (no place): an empty or "0" RANK would be left out of a written file, and
    // the further rankings would then come first when it is read back.
    if (const std::string& rank = result.getText(tag::RANK); rank.empty() || rank == "0")
        result.setInteger(tag::RANK, -1);
    auto rank = std::make_unique<TLnxDataElement>(tag::RANK, std::to_string(place));
    rank->setAttribute(lxaID, std::to_string(ageGroupId));
    result.addChild(std::move(rank));
}

std::vector<TResultRanking> resultRankings(const TLnxObject& result)
{
    std::vector<TResultRanking> rankings;
    if (!result.getText(tag::CID).empty())
        rankings.push_back({result.getInteger(tag::CID), result.getInteger(tag::RANK)});
    forEachFurtherRanking(result, [&](const TResultRanking& ranking) { rankings.push_back(ranking); });
    return rankings;
}

std::vector<TResultRanking> furtherRankings(const TLnxObject& result)
{
    std::vector<TResultRanking> rankings;
    forEachFurtherRanking(result, [&](const TResultRanking& ranking) { rankings.push_back(ranking); });
    return rankings;
}

int placeInAgeGroup(const TLnxObject& result, int ageGroupId)
{
    int place = result.getInteger(tag::RANK);
    if (ageGroupId != 0 && ageGroupId != result.getInteger(tag::CID))
        forEachFurtherRanking(result, [&](const TResultRanking& ranking) {
            if (ranking.ageGroupId == ageGroupId)
                place = ranking.place;
        });
    return place;
}

} // namespace lanescope::swim
