#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

namespace tropolink::climate::testing {

// A plain HTTP server on 127.0.0.1 at a port of the system's choosing, one
// request per connection, for the download tests. Paths it does not know
// get 404; a body starting "Location: " is sent as a redirect there; the
// bodies kTrickle and kEndless never end, without a length: one byte every
// tenth of a second, or zeros as fast as the client takes them.
class LocalServer {
public:
    static constexpr std::string_view kTrickle = "\x01trickle";
    static constexpr std::string_view kEndless = "\x01endless";

    explicit LocalServer(std::map<std::string, std::string> bodies) : bodies_(std::move(bodies)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 8) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("no loopback socket");
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    // A loopback port nothing listens on, for a refused connection.
    static int closedPort() {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(s, reinterpret_cast<sockaddr*>(&address), length);
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(s);
        return ntohs(address.sin_port);
    }

private:
    void serve() {
        while (!stop_) {
            pollfd ready{listener_, POLLIN, 0};
            if (::poll(&ready, 1, 50) <= 0) continue;
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            answer(client);
            ::close(client);
        }
    }

    void answer(int client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd ready{client, POLLIN, 0};
            if (::poll(&ready, 1, 2000) <= 0) return;
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) return;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        const auto start = request.find(' ') + 1;
        const std::string path = request.substr(start, request.find(' ', start) - start);
        const auto found = bodies_.find(path);
        std::string response;
        if (found == bodies_.end()) {
            response = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
        } else if (found->second == kTrickle || found->second == kEndless) {
            const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\nConnection: close\r\n\r\n";
            if (sendAll(client, head)) streamForever(client, found->second == kTrickle);
            return;
        } else if (found->second.starts_with("Location: ")) {
            response = "HTTP/1.1 302 Found\r\n" + found->second + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        } else {
            response = "HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\nContent-Length: " +
                       std::to_string(found->second.size()) + "\r\nConnection: close\r\n\r\n" + found->second;
        }
        sendAll(client, response);
    }

    static bool sendAll(int client, std::string_view bytes) {
        for (std::size_t sent = 0; sent < bytes.size();) {
            const ssize_t n = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Until the client goes away or the server stops.
    void streamForever(int client, bool trickle) {
        const std::string zeros(trickle ? 1 : 1 << 16, '\0');
        while (!stop_ && sendAll(client, zeros))
            if (trickle) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    std::map<std::string, std::string> bodies_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tropolink::climate::testing
