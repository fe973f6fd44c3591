#pragma once
// A small HTTP server on 127.0.0.1 for display tests, on a port of its own choosing.
#include <atomic>
#include <chrono>
#include <map>
#include <optional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillane::testing {

class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string url(const std::string& path) const;

    void serve(const std::string& path, const std::string& body, const std::string& contentType = "text/html; charset=utf-8");
    // Answers the path with headers and the start of a body, then never finishes it.
    void hang(const std::string& path);
    // Answers the path with a redirect (302) to another address.
    void redirect(const std::string& path, const std::string& to);
    // Reads the request for the path and never answers it at all, not even with headers.
    void silent(const std::string& path);
    // Answers the path with headers and part of a body (`body`, short of the length the headers
    // give), then closes the connection.
    void drop(const std::string& path, const std::string& contentType = "application/octet-stream", const std::string& body = std::string(20000, 'x'));
    // The same as an HTTP/1.0 answer, whose clean end of the connection may be taken for the end of the body.
    void dropAsHttp10(const std::string& path, const std::string& body = std::string(20000, 'x'));
    // Answers the path with its body in parts, each sent `pause` after the one before (the server
    // answers nothing else meanwhile).
    void serveInParts(const std::string& path, const std::vector<std::string>& parts, std::chrono::milliseconds pause,
        const std::string& contentType = "text/html; charset=utf-8");
    // The paths requested so far, in order.
    std::vector<std::string> requests() const;
    int timesRequested(const std::string& path) const;
    // When the first request for exactly this path (with its query) had been read.
    std::optional<std::chrono::steady_clock::time_point> whenRequested(const std::string& path) const;

private:
    void loop();
    void answer(int connection);

    struct Page {
        std::string body {};
        std::string contentType {};
        bool hangs = false;
        bool drops = false;
        bool http10 = false;
        bool silent = false;
        std::string redirect {};
        // The body's parts after the first, sent one by one after a pause.
        std::vector<std::string> later {};
        std::chrono::milliseconds pause {};
    };
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping { false };
    mutable std::mutex m_mutex;
    std::map<std::string, Page> m_pages;
    std::vector<std::string> m_requests;
    std::vector<std::chrono::steady_clock::time_point> m_arrivals;
    std::vector<int> m_held;
    std::thread m_thread;
};

} // namespace quillane::testing
