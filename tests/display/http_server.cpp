#include "http_server.h"

#include <algorithm>
#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillane::testing {

HttpServer::HttpServer()
{
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(m_listener, 16) != 0)
        throw std::runtime_error("could not listen on 127.0.0.1");
    socklen_t length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { loop(); });
}

HttpServer::~HttpServer()
{
    m_stopping = true;
    m_thread.join();
    close(m_listener);
    for (int held : m_held)
        close(held);
}

std::string HttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void HttpServer::serve(const std::string& path, const std::string& body, const std::string& contentType)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = { .body = body, .contentType = contentType };
}

void HttpServer::hang(const std::string& path)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = { .body = "<!doctype html><title>Never done</title><p>", .contentType = "text/html", .hangs = true };
}

void HttpServer::redirect(const std::string& path, const std::string& to)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = { .redirect = to };
}

void HttpServer::silent(const std::string& path)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = { .silent = true };
}

void HttpServer::drop(const std::string& path, const std::string& contentType, const std::string& body)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = { .body = body, .contentType = contentType, .drops = true };
}

void HttpServer::dropAsHttp10(const std::string& path, const std::string& body)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = { .body = body, .contentType = "application/octet-stream", .drops = true, .http10 = true };
}

void HttpServer::serveInParts(const std::string& path, const std::vector<std::string>& parts, std::chrono::milliseconds pause, const std::string& contentType)
{
    std::lock_guard lock(m_mutex);
    Page page { parts.empty() ? "" : parts.front(), contentType };
    if (!parts.empty())
        page.later.assign(parts.begin() + 1, parts.end());
    page.pause = pause;
    m_pages[path] = page;
}

std::vector<std::string> HttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int HttpServer::timesRequested(const std::string& path) const
{
    auto all = requests();
    return int(std::count(all.begin(), all.end(), path));
}

std::optional<std::chrono::steady_clock::time_point> HttpServer::whenRequested(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    auto found = std::find(m_requests.begin(), m_requests.end(), path);
    if (found == m_requests.end())
        return std::nullopt;
    return m_arrivals[std::size_t(found - m_requests.begin())];
}

void HttpServer::loop()
{
    while (!m_stopping) {
        pollfd wait { m_listener, POLLIN, 0 };
        if (poll(&wait, 1, 100) <= 0)
            continue;
        int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0)
            answer(connection);
    }
}

void HttpServer::answer(int connection)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd wait { connection, POLLIN, 0 };
        if (poll(&wait, 1, 2000) <= 0)
            break;
        ssize_t count = read(connection, buffer, sizeof buffer);
        if (count <= 0)
            break;
        request.append(buffer, std::size_t(count));
    }
    auto firstSpace = request.find(' ');
    auto secondSpace = request.find(' ', firstSpace + 1);
    std::string path = firstSpace == std::string::npos ? "" : request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    std::string target = path.substr(0, path.find('?'));

    Page page;
    bool found = false;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(path);
        m_arrivals.push_back(std::chrono::steady_clock::now());
        if (auto known = m_pages.find(target); known != m_pages.end()) {
            page = known->second;
            found = true;
        }
    }
    if (found && page.silent) {
        std::lock_guard lock(m_mutex);
        m_held.push_back(connection);
        return;
    }
    std::string response;
    if (found && !page.redirect.empty()) {
        response = "HTTP/1.1 302 Found\r\nLocation: " + page.redirect + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    } else if (!found) {
        response = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
    } else if (page.hangs || page.drops) {
        response = std::string(page.http10 ? "HTTP/1.0" : "HTTP/1.1") + " 200 OK\r\nContent-Type: " + page.contentType
            + "\r\nContent-Length: 100000\r\nConnection: close\r\n\r\n" + page.body;
    } else {
        std::size_t length = page.body.size();
        for (const auto& part : page.later)
            length += part.size();
        response = "HTTP/1.1 200 OK\r\nContent-Type: " + page.contentType + "\r\nContent-Length: " + std::to_string(length)
            + "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + page.body;
    }
    ssize_t written = write(connection, response.data(), response.size());
    for (const auto& part : page.later) {
        std::this_thread::sleep_for(page.pause);
        written = write(connection, part.data(), part.size());
    }
    (void)written;
    if (found && page.hangs) {
        std::lock_guard lock(m_mutex);
        m_held.push_back(connection);
        return;
    }
    shutdown(connection, SHUT_WR);
    close(connection);
}

} // namespace quillane::testing
