#pragma once

#include "base/VnxIniFiles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace lanescope::download {

/**
 * Default address of the application-information endpoint: none, until "Special"/"AppInfoURL" names one.
 * Without an address there is no server list to fetch, and the download dialog offers the field to enter it.
 */
inline constexpr std::string_view kDefaultAppInfoUrl = "";

/** Bounds of one transfer, so a dead or hostile server can neither hang the window nor fill the disk. */
struct TransferLimits
{
    long connectTimeoutSeconds = 10;
    /** A transfer slower than lowSpeedBytes per second for lowSpeedSeconds is given up. */
    long lowSpeedBytes = 1;
    long lowSpeedSeconds = 30;
    long totalTimeoutSeconds = 600;
    long maxRedirects = 5;
    std::int64_t maxBytes = std::int64_t{256} * 1024 * 1024;
};

/** Why a transfer did not deliver a file. */
enum class TransferError
{
    None,
    /** The server answered 304: the copy of the validators is still current. */
    NotModified,
    HttpStatus,
    TimedOut,
    Refused,
    HostNotFound,
    TooLarge,
    LocalFile,
    UnsupportedFile,
    Other,
};

/** What identifies one state of a file on the server; sent back as If-None-Match and If-Modified-Since. */
struct Validators
{
    std::string etag;
    std::string lastModified;
    bool empty() const { return etag.empty() && lastModified.empty(); }
};

/** The outcome of one transfer. */
struct TransferResult
{
    TransferError error = TransferError::Other;
    /** The final HTTP status, 0 when no answer came. */
    long httpStatus = 0;
    /** The transfer library's own words for an error of kind Other; what went wrong with a LocalFile. */
    std::string detail;
    std::string contentDisposition;
    /** The validators of the answer, for the next conditional request. */
    Validators validators;

    bool ok() const { return error == TransferError::None; }
    /** Why the transfer failed, in English words ("HTTP status 404", "timed out", ...); empty when it did
     * not. */
    std::string reason() const;
};

/** A result of the kind with its details, made without a transfer (TransferError::None for a success). */
inline TransferResult transferOutcome(TransferError error, std::string detail = {})
{
    TransferResult result;
    result.error = error;
    result.detail = std::move(detail);
    return result;
}

/**
 * Address of the web server on this machine for a download address: every "http://" becomes
 * "http://localhost/", so the address's own host name turns into the first path segment.
 */
std::string localhostUrl(std::string_view url);

/**
 * `TVnxHTTP`: plain HTTP GET downloads into files, over libcurl, and the process-wide cache of the
 * application-information file that lists the result servers (one entry per endpoint address, shared by
 * every client).
 *
 * Only http and https are spoken, also after redirects. Every failure (file not creatable, host not
 * reachable, an HTTP error status, a limit of TransferLimits exceeded) is returned as false, never thrown.
 */
class TVnxHTTP
{
public:
    /**
     * settings: the program's settings ("Special"/"WWWUseLocalhost", "Special"/"AppInfoURL"); may be null,
     * then the defaults hold. It must outlive the client.
     */
    explicit TVnxHTTP(const base::CustomIniFile* settings = nullptr);
    ~TVnxHTTP();
    TVnxHTTP(const TVnxHTTP&) = delete;
    TVnxHTTP& operator=(const TVnxHTTP&) = delete;

    /**
     * Fetches the address into the local file, which is created (or emptied) first. A failed download
     * leaves the empty or partial file in place.
     */
    bool Download(const std::string& url, const std::string& localFile)
    {
        return Transfer(url, localFile).ok();
    }
    /** The outcome of the last transfer. */
    const TransferResult& lastTransfer() const { return FLastTransfer; }
    /**
     * Download with its outcome. With validators of an earlier copy the request is conditional: an unchanged
     * file is answered 304 (NotModified) and the local file stays empty.
     */
    TransferResult Transfer(const std::string& url, const std::string& localFile,
                            const Validators& previous = {});

    /**
     * True when the application information of this client's endpoint is in the cache; when it is not and
     * fetch is set, it is fetched first. A failed fetch leaves the cache empty, so the next call tries again.
     */
    bool LoadApplicationInfo(bool fetch);
    /** The cached application information of this client's endpoint; null before a successful fetch. */
    std::shared_ptr<const base::IniContent> ApplicationInfo() const;

    /** "Lanescope/<version text>". */
    const std::string& userAgent() const { return FUserAgent; }
    /** The endpoint from the settings, or the default address. */
    std::string applicationInfoEndpoint() const;
    /** The full application-information address with its query. */
    std::string applicationInfoUrl() const;

    const TransferLimits& limits() const { return FLimits; }
    void setLimits(const TransferLimits& limits) { FLimits = limits; }

private:
    void* FClient; // CURL*, kept out of this header
    const base::CustomIniFile* FSettings;
    std::string FUserAgent;
    TransferLimits FLimits;
    TransferResult FLastTransfer;
};

} // namespace lanescope::download
