#pragma once

#include "browser/ClubStatistic.h"
#include "browser/ResultLists.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/** The participants tree: nations, clubs, athletes and relays with the counts of nations and clubs. */
namespace lanescope::browser {

using lenex::TLnxCollection;

/** Image indices of the participants tree where no flag or badge exists, and of athletes and relays. */
inline constexpr int kNationImage = 7;
inline constexpr int kClubImage = 14;
inline constexpr int kAthleteImage = 9;
inline constexpr int kRelayImage = 5;

/**
 * Flag and badge images by name: each code of the fixed list gets the next index of the window's image
 * list, starting at the index the first one is appended at. Names with an underscore are badges of
 * regional associations of one nation ("SUI_LN").
 */
class ClubImages
{
public:
    static constexpr std::string_view kCodes =
        "SUI;GER;AUT;BEL;BUL;DEN;ESP;EST;FIN;FRA;GBR;GRE;HUN;IRL;ISL;ISR;ITA;LAT;LIE;LTU;LUX;MKD;MON;NED;NOR;"
        "POL;POR;ROM;RUS;SLO;SVK;SWE;TUR;UKR;YUG;SUI_BUEL;SUI_LN;SUI_RFN;SUI_RN;SUI_SCBU;SUI_SCU;SUI_SKBE";

    explicit ClubImages(int firstImageIndex);

    /** The codes in list order, for loading their bitmaps. */
    const std::vector<std::string>& codes() const { return FCodes; }
    /** Image index of the name, or the fallback when the name is not in the list. */
    int imageIndexOf(std::string_view name, int fallback) const;

private:
    std::vector<std::string> FCodes;
    int FFirstImageIndex;
};

enum class ClubNodeKind
{
    Nation,
    Club,
    Athlete,
    Relay,
};

/**
 * A node of the participants tree. Nations and clubs own their counts; athletes and relays point to the
 * RESULTS collection of their PERSON or RELAY, or to its ENTRIES when it has no RESULTS, or to nothing.
 */
struct ClubTreeNode
{
    ClubNodeKind kind = ClubNodeKind::Nation;
    std::string text;
    int imageIndex = 0;
    std::unique_ptr<TClubStatistic> statistic;
    TLnxCollection* items = nullptr;
    ClubTreeNode* parent = nullptr;
    std::vector<std::unique_ptr<ClubTreeNode>> children;

    /** 0 nation, 1 club, 2 athlete or relay. */
    int level() const;
};

/**
 * The tree of nations, clubs, athletes and relays of the current competition. It points into the document
 * and must be cleared before the document frees its tree.
 */
class ClubTree
{
public:
    /** Called for every RESULT and ENTRY of the scan, in scan order (the result lists file them). */
    using ItemSink = std::function<void(TLnxObject& item)>;
    /**
     * Rebuilds the tree from the CLUBS of the current competition, hands every RESULT and ENTRY to the sink
     * (`AddToResultList`) and counts it into its club and nation, then sorts every level with
     * trvClubsCompare. Reports "%d clubs scanned ..." per club. The nation node of clubs without NATION is
     * always there and reads the language text V10. Missing collections count as empty.
     */
    void BuildClubTree(const TLenex& document, const ClubImages& images, const ItemSink& fileItem,
                       const ProgressText& progress = {});
    void ClearClubTree();

    /** Negative when a goes first: athletes before relays, otherwise byte order of the texts. */
    static int trvClubsCompare(const ClubTreeNode& a, const ClubTreeNode& b);

    const std::vector<std::unique_ptr<ClubTreeNode>>& nations() const { return FNations; }
    /** The nation node of clubs without NATION; nullptr before a build. */
    const ClubTreeNode* otherNation() const { return FOther; }

    /** Nodes in display order (each node before its children); nullptr past the ends. */
    const ClubTreeNode* firstNode() const;
    const ClubTreeNode* lastNode() const;
    const ClubTreeNode* nextNode(const ClubTreeNode& node) const;
    const ClubTreeNode* previousNode(const ClubTreeNode& node) const;

private:
    std::vector<std::unique_ptr<ClubTreeNode>> FNations;
    ClubTreeNode* FOther = nullptr;
};

} // namespace lanescope::browser
