#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lanescope::testing {

/** What the server answers for one path. */
struct HttpResponse
{
    int status = 200;
    std::string body;
    /** Extra header lines as (name, value), e.g. ("Location", "...") for a redirect. */
    std::vector<std::pair<std::string, std::string>> headers;
    /** Without a Content-Length header the body ends where the server closes the connection. */
    bool withLength = true;
    /** Seconds of silence between the header and the body (ended early when the client hangs up). */
    int pauseSeconds = 0;
};

/**
 * A small HTTP/1.1 server for tests: a thread listening on 127.0.0.1 at an ephemeral port, answering each
 * GET by the path of its target (query cut off) from a map, 404 for unknown paths, one request per
 * connection. A request whose If-None-Match matches the answer's "ETag" header is answered 304. It counts the
 * requests per path and keeps each request's target and user agent.
 */
class LocalHttpServer
{
public:
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return FPort; }
    /** "http://127.0.0.1:<port>" followed by the path. */
    std::string url(const std::string& path) const;

    void serve(const std::string& path, HttpResponse response);
    void serve(const std::string& path, std::string body)
    {
        serve(path, HttpResponse{200, std::move(body), {}});
    }

    int requestCount(const std::string& path) const;
    /** The request target (path and query) of the last request for the path; empty when there was none. */
    std::string lastTarget(const std::string& path) const;
    std::string lastUserAgent() const;

private:
    void run();
    void answer(int connection);

    int FListener = -1;
    int FPort = 0;
    std::atomic<bool> FStopping{false};
    mutable std::mutex FMutex;
    std::map<std::string, HttpResponse> FResponses;
    std::map<std::string, int> FCounts;
    std::map<std::string, std::string> FTargets;
    std::string FUserAgent;
    std::thread FThread;
};

/** A loopback address where nothing listens: a port that was just bound and released. */
std::string unreachableUrl(const std::string& path);

} // namespace lanescope::testing
