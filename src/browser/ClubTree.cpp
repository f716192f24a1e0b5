#include "browser/ClubTree.h"

#include "base/LanguageTexts.h"
#include "base/NameCollation.h"
#include "swim/LenexTexts.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <map>

namespace lanescope::browser {

using namespace lenex;

ClubImages::ClubImages(int firstImageIndex)
    : FFirstImageIndex(firstImageIndex)
{
    std::string_view codes = kCodes;
    for (std::size_t semicolon = codes.find(';');; semicolon = codes.find(';')) {
        FCodes.emplace_back(codes.substr(0, semicolon));
        if (semicolon == std::string_view::npos)
            break;
        codes.remove_prefix(semicolon + 1);
    }
}

int ClubImages::imageIndexOf(std::string_view name, int fallback) const
{
    const auto found = std::find(FCodes.begin(), FCodes.end(), name);
    return found == FCodes.end() ? fallback : FFirstImageIndex + static_cast<int>(found - FCodes.begin());
}

namespace {

// Relays of one club that read alike (a women's and a men's "SC Möwe Lübeck 1") are told apart by their
// gender, so the tree never shows two nodes of the same text under one club.
void distinguishRelays(const std::vector<std::pair<ClubTreeNode*, const TLnxObject*>>& relays)
{
    std::map<std::string, int> uses;
    for (const auto& [node, relay] : relays)
        ++uses[node->text];
    for (const auto& [node, relay] : relays)
        if (uses[node->text] > 1)
            node->text = swim::participantText(*relay, true);
}

} // namespace

int ClubTreeNode::level() const
{
    switch (kind) {
    case ClubNodeKind::Nation:
        return 0;
    case ClubNodeKind::Club:
        return 1;
    default:
        return 2;
    }
}

namespace {

// The name "other" sorts after every upper-case nation code; the node is renamed only after the sort.
constexpr std::string_view kOtherNation = "other";

ClubTreeNode* addNode(std::vector<std::unique_ptr<ClubTreeNode>>& siblings, ClubTreeNode* parent,
                      ClubNodeKind kind, std::string text, int imageIndex)
{
    auto node = std::make_unique<ClubTreeNode>();
    node->kind = kind;
    node->text = std::move(text);
    node->imageIndex = imageIndex;
    node->parent = parent;
    siblings.push_back(std::move(node));
    return siblings.back().get();
}

// A participant's results, or its entries when it has no result yet: an entry file's athletes carry an
// empty RESULTS collection beside their ENTRIES, and that must not hide them.
TLnxCollection* itemsOf(const TLnxObject& participant)
{
    TLnxCollection* results = participant.findCollection(tag::RESULTS);
    if (results && results->childCount() > 0)
        return results;
    TLnxCollection* entries = participant.findCollection(tag::ENTRIES);
    return entries && entries->childCount() > 0 ? entries : (results ? results : entries);
}

void sortLevel(std::vector<std::unique_ptr<ClubTreeNode>>& nodes)
{
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const auto& a, const auto& b) { return ClubTree::trvClubsCompare(*a, *b) < 0; });
    for (const auto& node : nodes)
        sortLevel(node->children);
}

const ClubTreeNode* lastDescendant(const ClubTreeNode& node)
{
    const ClubTreeNode* last = &node;
    while (!last->children.empty())
        last = last->children.back().get();
    return last;
}

} // namespace

void ClubTree::BuildClubTree(const TLenex& document, const ClubImages& images, const ItemSink& fileItem,
                             const ProgressText& progress)
{
    ClearClubTree();
    std::map<std::string, ClubTreeNode*, std::less<>> nationsByName;
    const auto nationNode = [&](const std::string& name) {
        if (const auto found = nationsByName.find(name); found != nationsByName.end())
            return found->second;
        ClubTreeNode* node =
            addNode(FNations, nullptr, ClubNodeKind::Nation, name, images.imageIndexOf(name, kNationImage));
        node->statistic = std::make_unique<TClubStatistic>();
        nationsByName.emplace(name, node);
        return node;
    };
    FOther = nationNode(std::string(kOtherNation));

    const TLnxObject* competition = document.currentCompetition();
    const TLnxCollection* clubs = competition ? competition->findCollection(tag::CLUBS) : nullptr;
    const int clubCount = clubs ? clubs->childCount() : 0;
    for (int c = 0; c < clubCount; ++c) {
        if (progress)
            progress(swim::formatText("%d clubs scanned ...", {c + 1}));
        const TLnxObject* club = clubs->itemAt(c);
        if (!club || club->tag() != tag::CLUB)
            continue;
        const std::string& nation = club->getText(tag::NATION);
        ClubTreeNode* nationNodeOfClub = nation.empty() ? FOther : nationNode(nation);
        const std::string badge = nation.empty() ? std::string() : nation + "_" + club->getText(tag::CODE);
        ClubTreeNode* clubNode =
            addNode(nationNodeOfClub->children, nationNodeOfClub, ClubNodeKind::Club,
                    swim::clubNameText(club->getText(tag::NAME)), images.imageIndexOf(badge, kClubImage));
        clubNode->statistic = std::make_unique<TClubStatistic>();
        clubNode->statistic->club = club;

        std::vector<std::pair<ClubTreeNode*, const TLnxObject*>> relayNodes;
        const auto addParticipants = [&](TLnxTagId collectionTag, TLnxTagId itemTag, ClubNodeKind kind) {
            const TLnxCollection* participants = club->findCollection(collectionTag);
            const int count = participants ? participants->childCount() : 0;
            for (int p = 0; p < count; ++p) {
                const TLnxObject* participant = participants->itemAt(p);
                if (!participant || participant->tag() != itemTag)
                    continue;
                const bool athlete = kind == ClubNodeKind::Athlete;
                ClubTreeNode* node =
                    addNode(clubNode->children, clubNode, kind, swim::participantText(*participant, false),
                            athlete ? kAthleteImage : kRelayImage);
                if (!athlete)
                    relayNodes.emplace_back(node, participant);
                node->items = itemsOf(*participant);
                if (!node->items)
                    continue;
                if (athlete)
                    ++clubNode->statistic->members;
                for (int i = 0; i < node->items->childCount(); ++i) {
                    TLnxObject* item = node->items->itemAt(i);
                    if (!item)
                        continue;
                    if (fileItem)
                        fileItem(*item);
                    countItem(*clubNode->statistic, document, *item);
                }
            }
        };
        addParticipants(tag::PERSONS, tag::PERSON, ClubNodeKind::Athlete);
        addParticipants(tag::RELAYS, tag::RELAY, ClubNodeKind::Relay);
        distinguishRelays(relayNodes);
        // The nation counts what its clubs count.
        addCounts(*nationNodeOfClub->statistic, *clubNode->statistic);
    }
    sortLevel(FNations);
    FOther->text = base::languageText('V', 10);
}

void ClubTree::ClearClubTree()
{
    FOther = nullptr;
    FNations.clear();
}

int ClubTree::trvClubsCompare(const ClubTreeNode& a, const ClubTreeNode& b)
{
    if (a.level() == 2 && a.imageIndex != b.imageIndex)
        return b.imageIndex - a.imageIndex;
    // Nation codes keep their byte order, so "other" follows every upper-case code; club, athlete and relay
    // names sort by the rules of the screen language.
    if (a.level() == 0)
        return a.text.compare(b.text);
    return base::compareNames(a.text, b.text);
}

const ClubTreeNode* ClubTree::firstNode() const
{
    return FNations.empty() ? nullptr : FNations.front().get();
}

const ClubTreeNode* ClubTree::lastNode() const
{
    return FNations.empty() ? nullptr : lastDescendant(*FNations.back());
}

const ClubTreeNode* ClubTree::nextNode(const ClubTreeNode& node) const
{
    if (!node.children.empty())
        return node.children.front().get();
    for (const ClubTreeNode* current = &node; current; current = current->parent) {
        const auto& siblings = current->parent ? current->parent->children : FNations;
        const auto at = std::find_if(siblings.begin(), siblings.end(),
                                     [current](const auto& sibling) { return sibling.get() == current; });
        if (at != siblings.end() && at + 1 != siblings.end())
            return (at + 1)->get();
    }
    return nullptr;
}

const ClubTreeNode* ClubTree::previousNode(const ClubTreeNode& node) const
{
    const auto& siblings = node.parent ? node.parent->children : FNations;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [&node](const auto& sibling) { return sibling.get() == &node; });
    if (at == siblings.begin() || at == siblings.end())
        return node.parent;
    return lastDescendant(**(at - 1));
}

} // namespace lanescope::browser
