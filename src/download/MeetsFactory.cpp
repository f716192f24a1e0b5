#include "download/MeetsFactory.h"

#include "base/Strings.h"
#include "base/TempFolder.h"
#include "base/TextCase.h"
#include "download/ResultFetch.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace lanescope::download {

namespace {

// Field `index` (0-based) of a ";"-separated server entry; empty when there are fewer fields.
std::string entryField(std::string_view value, int index)
{
    for (int i = 0; i < index; ++i) {
        const std::size_t semicolon = value.find(';');
        if (semicolon == std::string_view::npos)
            return {};
        value.remove_prefix(semicolon + 1);
    }
    return std::string(value.substr(0, value.find(';')));
}

// MEETDATE as "yyyymmdd"; anything else (seven digits, letters, 30 February) gives no date.
base::TDateTime meetDateOf(std::string_view text)
{
    if (text.size() != 8 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const auto number = [&](std::size_t at, std::size_t length) {
        return base::strToIntDef(text.substr(at, length), 0);
    };
    return base::encodeDate(number(0, 4), number(4, 2), number(6, 2));
}

// Shows the text on the status hook for the lifetime of the object, then clears it.
class StatusScope
{
public:
    StatusScope(const TMeetsFactory::StatusHook& hook, const std::string& text)
        : FHook(hook)
    {
        if (FHook)
            FHook(text);
    }
    ~StatusScope()
    {
        if (FHook)
            FHook(std::string());
    }
    StatusScope(const StatusScope&) = delete;
    StatusScope& operator=(const StatusScope&) = delete;

private:
    const TMeetsFactory::StatusHook& FHook;
};

} // namespace

void TNodeDownloadMeet::SetData(const std::string& name, const std::string& city, const std::string& url,
                                const std::string& nation, base::TDateTime date)
{
    FMeetDate = date;
    FMeetName = name;
    FPlaceText = nation.empty() ? city : city + " (" + nation + ")";
    FFileUrl = url;
}

std::string TNodeDownloadMeet::cellText(int column) const
{
    switch (column) {
    case 0: {
        if (FMeetDate == 0)
            return {};
        const base::DateParts date = base::decodeDate(FMeetDate);
        char text[16];
        std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
        return text;
    }
    case 1:
        return FMeetName;
    case 2:
        return FPlaceText;
    default:
        return {};
    }
}

std::string TNodeDownloadMeet::sortKey(int column) const
{
    if (column != 0)
        return cellText(column);
    const base::DateParts date = base::decodeDate(FMeetDate);
    char key[32];
    std::snprintf(key, sizeof key, "%04d%02d%02d000000000", date.year, date.month, date.day);
    return key;
}

TMeetsFactory::TMeetsFactory(const base::CustomIniFile* settings)
    : FHTTP(std::make_unique<TVnxHTTP>(settings))
{
}

std::vector<ResultServer> TMeetsFactory::ServerList()
{
    if (FServerList)
        return *FServerList;
    const StatusScope scope(FStatusHook, "Get result server list...");
    if (!FHTTP->LoadApplicationInfo(true)) {
        FLastFailure = FHTTP->lastTransfer();
        return {};
    }
    FLastFailure = transferOutcome(TransferError::None);
    std::vector<ResultServer> servers;
    if (const auto info = FHTTP->ApplicationInfo())
        for (const auto& [key, value] : info->entries("ResultServers"))
            if (base::isInteger(key))
                servers.push_back({base::strToIntDef(key, 0), entryField(value, 0)});
    FServerList = servers;
    return servers;
}

void TMeetsFactory::LoadMeets(std::int32_t serverKey)
{
    if (FCurrentServerKey == serverKey)
        return;
    const StatusScope scope(FStatusHook, "Load meets ...");
    FNodes.clear();
    FMeetTable.OpenText({}, true);
    FCurrentServerKey = serverKey;
    const auto info = FHTTP->ApplicationInfo();
    const std::string* entry = info ? info->find("ResultServers", std::to_string(serverKey)) : nullptr;
    const std::string url = entry ? base::trim(entryField(*entry, 1)) : std::string();
    FLastFailure = transferOutcome(TransferError::None);
    if (url.empty())
        return;
    try {
        const std::string file = base::privateTempFolder() + "/" + std::string(kMeetListFileName);
        if (!FHTTP->Download(url, file))
            FLastFailure = FHTTP->lastTransfer();
        else if (FMeetTable.Open(file, true, '\t'))
            FillTree();
        else
            FLastFailure = transferOutcome(TransferError::LocalFile); // the fetched list cannot be read back
    } catch (const std::exception& error) {
        FLastFailure = transferOutcome(TransferError::LocalFile, error.what()); // no temporary folder
    }
    // The server stays the one shown only with its list; after a failure, choosing it again tries again.
    if (!FLastFailure.ok())
        FCurrentServerKey.reset();
}

void TMeetsFactory::FillTree()
{
    FNodes.clear();
    for (FMeetTable.First(); !FMeetTable.Eof(); FMeetTable.Next()) {
        auto node = std::make_unique<TNodeDownloadMeet>();
        node->SetData(FMeetTable.Value("MEETNAME"), FMeetTable.Value("MEETCITY"), FMeetTable.Value("URL"),
                      FMeetTable.Value("MEETNATION"), meetDateOf(FMeetTable.Value("MEETDATE")));
        FNodes.push_back(std::move(node));
    }
    sortNodes(FSortColumn, FSortDescending);
}

std::optional<std::string> TMeetsFactory::DownloadMeet(const TNodeDownloadMeet& node)
{
    const StatusScope scope(FStatusHook, "Download results: " + node.meetName());
    try {
        const FetchedResult fetched =
            fetchResultFile(*FHTTP, node.fileUrl(), base::privateTempFolder(), std::string(kDownloadStem));
        FLastFailure = fetched.transfer;
        if (fetched.ok())
            return fetched.localFile;
    } catch (const std::exception& error) {
        FLastFailure = transferOutcome(TransferError::LocalFile, error.what()); // no temporary folder
    }
    return std::nullopt;
}

void TMeetsFactory::sortNodes(int column, bool descending)
{
    FSortColumn = column;
    FSortDescending = descending;
    std::stable_sort(FNodes.begin(), FNodes.end(), [&](const auto& a, const auto& b) {
        const int order = base::compareText(a->sortKey(column), b->sortKey(column));
        return descending ? order > 0 : order < 0;
    });
}

} // namespace lanescope::download
