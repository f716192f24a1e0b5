#pragma once

#include "base/DateTime.h"
#include "download/VnxHTTP.h"
#include "download/VnxTextTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lanescope::download {

/** File names in the private temporary folder. */
inline constexpr std::string_view kMeetListFileName = "$$$Vornix_Meet_Result_List.txt";
inline constexpr std::string_view kDownloadStem = "$$$Vornix_Lanescope_Data";

/** A column of the meet tree: caption is item `captionItem` of language text V33. */
struct MeetColumn
{
    int captionItem;
    int width; ///< pixels; 0 takes the remaining width
    bool alignRight;
};
inline constexpr MeetColumn kMeetColumns[] = {{1, 80, true}, {2, 0, false}, {3, 150, false}};

/** `TNodeDownloadMeet`: one meet of a server's meet list. */
class TNodeDownloadMeet
{
public:
    void SetData(const std::string& name, const std::string& city, const std::string& url,
                 const std::string& nation, base::TDateTime date);

    /** Column 0: the date as "dd.mm.yyyy" (empty without date); 1: the meet name; 2: the place. */
    std::string cellText(int column) const;
    /** Column 0: the date as "yyyymmddhhnnsszzz" (no date sorts as the zero date); else the cell text. */
    std::string sortKey(int column) const;

    base::TDateTime meetDate() const { return FMeetDate; }
    const std::string& meetName() const { return FMeetName; }
    const std::string& placeText() const { return FPlaceText; }
    const std::string& fileUrl() const { return FFileUrl; }

private:
    base::TDateTime FMeetDate = 0;
    std::string FMeetName;
    std::string FPlaceText;
    std::string FFileUrl;
};

/** A result server: its key in the application information and its display name. */
struct ResultServer
{
    std::int32_t key;
    std::string name;
};

/**
 * `TMeetsFactory`: the result servers, the meet list of the chosen server as sorted nodes, and the download
 * of a meet's result file. Status texts ("Load meets ...", ...) go to the status hook while a transfer runs
 * and an empty text follows when it ends; the shell shows them with a wait cursor.
 */
class TMeetsFactory
{
public:
    using StatusHook = std::function<void(const std::string& text)>;

    /** settings as for TVnxHTTP. */
    explicit TMeetsFactory(const base::CustomIniFile* settings = nullptr);

    /**
     * The servers of section "ResultServers" of the application information, in file order; fetched once
     * and cached. Empty when the fetch failed (then the next call tries again). Entries whose key is no
     * integer are passed over.
     */
    std::vector<ResultServer> ServerList();
    /**
     * Fetches and reads the meet list of the server, unless it is the server shown now. A list that could not
     * be fetched or read is not kept as shown, so asking for the same server again fetches it again.
     */
    void LoadMeets(std::int32_t serverKey);
    /** Rebuilds the nodes from the meet table and sorts them. */
    void FillTree();
    /**
     * Fetches the meet's result file into the private temporary folder as "$$$Vornix_Lanescope_Data" with the
     * extension of the file's name (from its address, Content-Disposition or content); its path, or nothing
     * on failure (then lastFailure says why).
     */
    std::optional<std::string> DownloadMeet(const TNodeDownloadMeet& node);
    /**
     * Why the last server list, meet list or meet download failed, as a reason code with its details (a
     * missing temporary folder is a LocalFile failure); its error is None after a success. The caller turns
     * it into words.
     */
    const TransferResult& lastFailure() const { return FLastFailure; }

    /** Sorts the nodes by the column's sort keys (compared as texts, any case); ties keep their order. */
    void sortNodes(int column, bool descending);
    int sortColumn() const { return FSortColumn; }
    bool sortDescending() const { return FSortDescending; }

    const std::vector<std::unique_ptr<TNodeDownloadMeet>>& nodes() const { return FNodes; }
    std::optional<std::int32_t> currentServerKey() const { return FCurrentServerKey; }
    void setStatusHook(StatusHook hook) { FStatusHook = std::move(hook); }
    TVnxHTTP& http() { return *FHTTP; }

private:
    std::unique_ptr<TVnxHTTP> FHTTP;
    TVnxTextTable FMeetTable;
    std::optional<std::vector<ResultServer>> FServerList;
    std::optional<std::int32_t> FCurrentServerKey;
    std::vector<std::unique_ptr<TNodeDownloadMeet>> FNodes;
    int FSortColumn = 0;
    bool FSortDescending = true;
    StatusHook FStatusHook;
    TransferResult FLastFailure = transferOutcome(TransferError::None);
};

} // namespace lanescope::download
