#include "download/VnxHTTP.h"

#include "base/CodePage.h"
#include "base/ProductVersion.h"
#include "base/Strings.h"
#include "base/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <curl/curl.h>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace lanescope::download {

namespace {

// The name the program goes by towards the maker's server, and the installation number it sends (none yet).
constexpr const char* kInternalProgramName = "lanescope";
constexpr int kInstallationNumber = 0;
constexpr const char* kAppInfoFileName = "vornix_www_settings.$$$";

std::mutex cacheMutex;
std::map<std::string, std::shared_ptr<const base::IniContent>, std::less<>> applicationInfoCache;

CURL* handle(void* client) { return static_cast<CURL*>(client); }

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Receives the body; stops the transfer (returning less than offered) when the size cap would be passed.
struct FileSink
{
    std::FILE* file = nullptr;
    std::int64_t written = 0;
    std::int64_t maxBytes = 0;

    bool overCap = false;
    // Header lines of the last answer (a redirect's headers are dropped at the next status line).
    std::string contentDisposition;
    Validators validators;
};

size_t writeToFile(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<FileSink*>(user);
    const size_t bytes = size * count;
    if (sink->written + static_cast<std::int64_t>(bytes) > sink->maxBytes) {
        sink->overCap = true;
        return 0;
    }
    if (std::fwrite(data, 1, bytes, sink->file) != bytes)
        return 0;
    sink->written += static_cast<std::int64_t>(bytes);
    return bytes;
}

size_t readHeader(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<FileSink*>(user);
    const std::string_view line = base::trimView(std::string_view(data, size * count));
    if (line.starts_with("HTTP/")) {
        sink->contentDisposition.clear();
        sink->validators = {};
    }
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
        const std::string name = base::asciiLower(line.substr(0, colon));
        const std::string value = base::trim(line.substr(colon + 1));
        if (name == "content-disposition")
            sink->contentDisposition = value;
        else if (name == "etag")
            sink->validators.etag = value;
        else if (name == "last-modified")
            sink->validators.lastModified = value;
    }
    return size * count;
}

TransferError errorOf(CURLcode code, const FileSink& sink)
{
    switch (code) {
    case CURLE_OK:
        return TransferError::None;
    case CURLE_HTTP_RETURNED_ERROR:
        return TransferError::HttpStatus;
    case CURLE_OPERATION_TIMEDOUT:
        return TransferError::TimedOut;
    case CURLE_COULDNT_CONNECT:
        return TransferError::Refused;
    case CURLE_COULDNT_RESOLVE_HOST:
        return TransferError::HostNotFound;
    case CURLE_FILESIZE_EXCEEDED:
        return TransferError::TooLarge;
    case CURLE_WRITE_ERROR:
        return sink.overCap ? TransferError::TooLarge : TransferError::LocalFile;
    default:
        return TransferError::Other;
    }
}

// Loopback addresses never go through a proxy: the web server on this machine is meant, not the proxy's.
std::string noProxyList()
{
    const char* fromEnvironment = std::getenv("no_proxy");
    if (!fromEnvironment || !*fromEnvironment)
        fromEnvironment = std::getenv("NO_PROXY");
    std::string list =
        fromEnvironment && *fromEnvironment ? std::string(fromEnvironment) + "," : std::string();
    return list + "localhost,127.0.0.1";
}

bool setOptions(CURL* curl, const std::string& url, const std::string& userAgent,
                const TransferLimits& limits, FileSink& sink, const std::string& noProxy)
{
    bool ok = curl_easy_setopt(curl, CURLOPT_URL, url.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_MAXREDIRS, limits.maxRedirects) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.connectTimeoutSeconds) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytes) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedSeconds) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_TIMEOUT, limits.totalTimeoutSeconds) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t{limits.maxBytes}) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeToFile) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, readHeader) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_HEADERDATA, &sink) == CURLE_OK;
    return ok;
}

} // namespace

std::string localhostUrl(std::string_view url)
{
    return base::replaceAll(url, "http://", "http://localhost/");
}

TVnxHTTP::TVnxHTTP(const base::CustomIniFile* settings)
    : FClient(nullptr)
    , FSettings(settings)
    , FUserAgent(std::string(base::productName) + "/" + base::versionText)
{
    initialiseCurlOnce();
    FClient = curl_easy_init();
}

TVnxHTTP::~TVnxHTTP() { curl_easy_cleanup(handle(FClient)); }

std::string TransferResult::reason() const
{
    switch (error) {
    case TransferError::None:
        return {};
    case TransferError::NotModified:
        return "not modified";
    case TransferError::HttpStatus:
        return "HTTP status " + std::to_string(httpStatus);
    case TransferError::TimedOut:
        return "timed out";
    case TransferError::Refused:
        return "connection refused";
    case TransferError::HostNotFound:
        return "server not found";
    case TransferError::TooLarge:
        return "file too large";
    case TransferError::LocalFile:
        return detail.empty() ? std::string("local file not writable")
                              : "local file not writable (" + detail + ")";
    case TransferError::UnsupportedFile:
        return "not a supported file";
    case TransferError::Other:
        break;
    }
    return detail.empty() ? std::string("transfer failed") : detail;
}

TransferResult TVnxHTTP::Transfer(const std::string& url, const std::string& localFile,
                                  const Validators& previous)
{
    TransferResult result;
    FileSink sink;
    sink.maxBytes = FLimits.maxBytes;
    sink.file = std::fopen(localFile.c_str(), "wb");
    if (!sink.file) {
        result.error = TransferError::LocalFile;
        return FLastTransfer = result;
    }
    curl_slist* headers = nullptr;
    try {
        CURL* curl = handle(FClient);
        if (curl) {
            curl_easy_reset(curl);
            const bool toLocalhost = FSettings && FSettings->ReadBool("Special", "WWWUseLocalhost", false);
            const std::string address = toLocalhost ? localhostUrl(url) : url;
            const std::string noProxy = noProxyList();
            if (!previous.etag.empty())
                headers = curl_slist_append(headers, ("If-None-Match: " + previous.etag).c_str());
            if (!previous.lastModified.empty())
                headers = curl_slist_append(headers, ("If-Modified-Since: " + previous.lastModified).c_str());
            if (setOptions(curl, address, FUserAgent, FLimits, sink, noProxy) &&
                curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers) == CURLE_OK) {
                const CURLcode code = curl_easy_perform(curl);
                curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.httpStatus);
                result.error = errorOf(code, sink);
                if (result.error == TransferError::Other)
                    result.detail = curl_easy_strerror(code);
                if (result.error == TransferError::None && result.httpStatus == 304)
                    result.error = TransferError::NotModified;
            }
        }
    } catch (...) {
        result.error = TransferError::Other;
    }
    curl_slist_free_all(headers);
    result.contentDisposition = std::move(sink.contentDisposition);
    result.validators = std::move(sink.validators);
    // Closed on every path; a failed download leaves what was written so far.
    if (std::fclose(sink.file) != 0 && result.ok())
        result.error = TransferError::LocalFile;
    return FLastTransfer = result;
}

std::string TVnxHTTP::applicationInfoEndpoint() const
{
    return FSettings ? base::trim(FSettings->ReadString("Special", "AppInfoURL", kDefaultAppInfoUrl))
                     : std::string(kDefaultAppInfoUrl);
}

std::string TVnxHTTP::applicationInfoUrl() const
{
    return applicationInfoEndpoint() + "?mode=new&id=" + std::to_string(kInstallationNumber) +
           "&app=" + kInternalProgramName + "&ver=" + base::versionText;
}

bool TVnxHTTP::LoadApplicationInfo(bool fetch)
{
    if (ApplicationInfo())
        return true;
    if (!fetch)
        return false;
    // No address configured: nothing was tried, so nothing failed.
    if (applicationInfoEndpoint().empty()) {
        FLastTransfer = transferOutcome(TransferError::None);
        return false;
    }
    try {
        const base::TempFileGuard file(base::privateTempFolder() + "/" + kAppInfoFileName);
        if (!Download(applicationInfoUrl(), file.path()))
            return false;
        std::ifstream in(file.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        auto content =
            std::make_shared<const base::IniContent>(base::decodeToUtf8(bytes, base::CodePage::Utf8));
        const std::lock_guard lock(cacheMutex);
        applicationInfoCache[applicationInfoEndpoint()] = std::move(content);
        return true;
    } catch (...) {
        return false;
    }
}

std::shared_ptr<const base::IniContent> TVnxHTTP::ApplicationInfo() const
{
    const std::string endpoint = applicationInfoEndpoint();
    const std::lock_guard lock(cacheMutex);
    const auto found = applicationInfoCache.find(endpoint);
    return found == applicationInfoCache.end() ? nullptr : found->second;
}

} // namespace lanescope::download
