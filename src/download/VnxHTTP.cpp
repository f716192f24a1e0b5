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
};

size_t writeToFile(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<FileSink*>(user);
    const size_t bytes = size * count;
    if (sink->written + static_cast<std::int64_t>(bytes) > sink->maxBytes)
        return 0;
    if (std::fwrite(data, 1, bytes, sink->file) != bytes)
        return 0;
    sink->written += static_cast<std::int64_t>(bytes);
    return bytes;
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

bool TVnxHTTP::Download(const std::string& url, const std::string& localFile)
{
    FileSink sink;
    sink.maxBytes = FLimits.maxBytes;
    sink.file = std::fopen(localFile.c_str(), "wb");
    if (!sink.file)
        return false;
    bool ok = false;
    try {
        CURL* curl = handle(FClient);
        if (curl) {
            curl_easy_reset(curl);
            const bool toLocalhost = FSettings && FSettings->ReadBool("Special", "WWWUseLocalhost", false);
            const std::string address = toLocalhost ? localhostUrl(url) : url;
            const std::string noProxy = noProxyList();
            ok = setOptions(curl, address, FUserAgent, FLimits, sink, noProxy) &&
                 curl_easy_perform(curl) == CURLE_OK;
        }
    } catch (...) {
        ok = false;
    }
    // Closed on every path; a failed download leaves what was written so far.
    return std::fclose(sink.file) == 0 && ok;
}

std::string TVnxHTTP::applicationInfoEndpoint() const
{
    const std::string endpoint =
        FSettings ? base::trim(FSettings->ReadString("Special", "AppInfoURL", kDefaultAppInfoUrl))
                  : std::string();
    return endpoint.empty() ? std::string(kDefaultAppInfoUrl) : endpoint;
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
