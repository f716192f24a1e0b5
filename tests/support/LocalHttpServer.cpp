#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace lanescope::testing {

namespace {

constexpr std::size_t kMaxRequestBytes = 64 * 1024;

// A socket bound to 127.0.0.1 at an ephemeral port; returns the port.
int bindLoopback(int socketFd)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind a loopback socket");
    socklen_t length = sizeof address;
    getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

std::string reasonOf(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

void sendAll(int connection, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<std::size_t>(n);
    }
}

// Waits the seconds while the client stays connected and the server is not stopping; false when it is
// not worth sending more. The client sends nothing after its request, so input means it hung up.
bool waitWhileConnected(int connection, int seconds, const std::atomic<bool>& stopping)
{
    for (int waited = 0; waited < seconds * 1000 && !stopping; waited += 50) {
        pollfd readable{connection, POLLIN, 0};
        if (poll(&readable, 1, 50) != 0)
            return false;
    }
    return !stopping;
}

// The value of a request header (name with its colon, as sent); empty when absent.
std::string requestHeader(const std::string& request, const std::string& name)
{
    const std::size_t at = request.find("\r\n" + name + " ");
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + 2 + name.size() + 1;
    return request.substr(start, request.find("\r\n", start) - start);
}

// A request whose If-None-Match names the ETag of the answer gets 304, as from a web server.
bool isUnchanged(const std::string& request, const HttpResponse& response)
{
    const std::string sent = requestHeader(request, "If-None-Match:");
    for (const auto& [name, value] : response.headers)
        if (name == "ETag" && !sent.empty() && sent == value)
            return true;
    return false;
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    FListener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (FListener < 0)
        throw std::runtime_error("cannot create a socket");
    FPort = bindLoopback(FListener);
    if (listen(FListener, 16) != 0)
        throw std::runtime_error("cannot listen");
    FThread = std::thread([this] { run(); });
}

LocalHttpServer::~LocalHttpServer()
{
    FStopping = true;
    FThread.join();
    close(FListener);
}

std::string LocalHttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

void LocalHttpServer::serve(const std::string& path, HttpResponse response)
{
    const std::lock_guard lock(FMutex);
    FResponses[path] = std::move(response);
}

int LocalHttpServer::requestCount(const std::string& path) const
{
    const std::lock_guard lock(FMutex);
    const auto found = FCounts.find(path);
    return found == FCounts.end() ? 0 : found->second;
}

std::string LocalHttpServer::lastTarget(const std::string& path) const
{
    const std::lock_guard lock(FMutex);
    const auto found = FTargets.find(path);
    return found == FTargets.end() ? std::string() : found->second;
}

std::string LocalHttpServer::lastUserAgent() const
{
    const std::lock_guard lock(FMutex);
    return FUserAgent;
}

// Polls so that the destructor's stop flag is seen within 50 ms.
void LocalHttpServer::run()
{
    while (!FStopping) {
        pollfd waiting{FListener, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        const int connection = accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        answer(connection);
        close(connection);
    }
}

void LocalHttpServer::answer(int connection)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
        pollfd readable{connection, POLLIN, 0};
        if (poll(&readable, 1, 2000) <= 0)
            return;
        const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t firstBlank = request.find(' ');
    const std::size_t secondBlank = request.find(' ', firstBlank + 1);
    if (firstBlank == std::string::npos || secondBlank == std::string::npos)
        return;
    const std::string target = request.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    const std::string path = target.substr(0, target.find('?'));

    HttpResponse response{404, "not found", {}};
    {
        const std::lock_guard lock(FMutex);
        ++FCounts[path];
        FTargets[path] = target;
        const std::size_t agent = request.find("\r\nUser-Agent: ");
        if (agent != std::string::npos) {
            const std::size_t start = agent + 14;
            FUserAgent = request.substr(start, request.find("\r\n", start) - start);
        }
        if (const auto found = FResponses.find(path); found != FResponses.end())
            response = found->second;
    }
    if (isUnchanged(request, response))
        response = HttpResponse{304, "", {}};
    std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " " + reasonOf(response.status) +
                        "\r\nConnection: close\r\n";
    if (response.withLength)
        reply += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    for (const auto& [name, value] : response.headers)
        reply += name + ": " + value + "\r\n";
    if (response.pauseSeconds == 0) {
        sendAll(connection, reply + "\r\n" + response.body);
        return;
    }
    sendAll(connection, reply + "\r\n");
    if (waitWhileConnected(connection, response.pauseSeconds, FStopping))
        sendAll(connection, response.body);
}

std::string unreachableUrl(const std::string& path)
{
    const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int port = bindLoopback(probe);
    close(probe);
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

} // namespace lanescope::testing
