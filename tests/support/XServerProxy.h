#pragma once
// A stand-in display in front of a real X server: each connection made to it is passed through to
// the server, except while it plays a server resetting. An X server resets when its last client
// leaves, and drops connections that come in meanwhile; the proxy does the same at will:
//   ResetWhenLastLeaves: once its last connection has closed, it drops every new one for a while;
//   DropAfterFirst: it passes the first connection through and drops all the others;
//   DropAll: it drops every connection 50 ms after accepting it, while the client may be writing.
// It listens as display :N in /tmp/.X11-unix and runs on a thread of its own.
#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class XServerProxy {
public:
    enum Mode { ResetWhenLastLeaves, DropAfterFirst, DropAll };

    // `server`: the real display (":7"); `mode` as above.
    XServerProxy(const QString& server, Mode mode) : FMode(mode) {
        FServerPath = "/tmp/.X11-unix/X" + server.mid(1).toLatin1();
        for (int number = 600; number < 700 && FListen < 0; ++number) {
            const QByteArray path = "/tmp/.X11-unix/X" + QByteArray::number(number);
            if (::access(path.constData(), F_OK) == 0 ||
                ::access(("/tmp/.X" + QByteArray::number(number) + "-lock").constData(), F_OK) == 0)
                continue;
            FListen = Listen(path);
            if (FListen >= 0) {
                FPath = path;
                FDisplay = ":" + QString::number(number);
            }
        }
        if (FListen >= 0)
            FThread = std::thread([this] { Run(); });
    }
    ~XServerProxy() {
        FStop = true;
        if (FThread.joinable())
            FThread.join();
        for (const auto& [client, server] : FPairs) {
            ::close(client);
            ::close(server);
        }
        if (FListen >= 0) {
            ::close(FListen);
            ::unlink(FPath.constData());
        }
    }
    XServerProxy(const XServerProxy&) = delete;
    XServerProxy& operator=(const XServerProxy&) = delete;

    // ":N", or empty when no display socket could be made.
    QString Display() const { return FDisplay; }
    // Connections dropped so far.
    int Dropped() const { return FDropped; }

private:
    static int Listen(const QByteArray& path) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::chmod(path.constData(), 0777) == 0 && ::listen(fd, 16) == 0)
            return fd;
        if (fd >= 0)
            ::close(fd);
        return -1;
    }

    int ConnectToServer() const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, FServerPath.constData(), sizeof address.sun_path);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            return fd;
        if (fd >= 0)
            ::close(fd);
        return -1;
    }

    bool Resetting() const {
        if (FMode == DropAll)
            return true;
        if (FMode == DropAfterFirst)
            return FAccepted > 0;
        return FPairs.empty() && FAccepted > 0 && std::chrono::steady_clock::now() < FResetEnds;
    }

    void Accept() {
        const int client = ::accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        const int server = Resetting() ? -1 : ConnectToServer();
        if (server < 0) {
            if (FMode == DropAll)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ::close(client);
            ++FDropped;
            return;
        }
        ++FAccepted;
        FPairs.emplace_back(client, server);
    }

    // Copies what one end has; false when that end has closed.
    static bool Pass(int from, int to) {
        char buffer[65536];
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        for (ssize_t sent = 0; sent < got;) {
            const ssize_t n = ::write(to, buffer + sent, size_t(got - sent));
            if (n <= 0)
                return false;
            sent += n;
        }
        return true;
    }

    void Run() {
        while (!FStop) {
            std::vector<pollfd> fds{{FListen, POLLIN, 0}};
            for (const auto& [client, server] : FPairs) {
                fds.push_back({client, POLLIN, 0});
                fds.push_back({server, POLLIN, 0});
            }
            if (::poll(fds.data(), fds.size(), 50) <= 0)
                continue;
            std::vector<std::pair<int, int>> open;
            for (std::size_t i = 0; i < FPairs.size(); ++i) {
                const auto [client, server] = FPairs[i];
                const pollfd& c = fds[1 + 2 * i];
                const pollfd& s = fds[2 + 2 * i];
                const bool alive = (!c.revents || Pass(client, server)) && (!s.revents || Pass(server, client));
                if (alive) {
                    open.emplace_back(client, server);
                } else {
                    ::close(client);
                    ::close(server);
                }
            }
            if (open.empty() && !FPairs.empty())
                FResetEnds = std::chrono::steady_clock::now() + std::chrono::seconds(3);
            FPairs = std::move(open);
            if (fds[0].revents)
                Accept();
        }
    }

    Mode FMode;
    QByteArray FServerPath, FPath;
    QString FDisplay;
    int FListen = -1;
    int FAccepted = 0;
    std::atomic<int> FDropped{0};
    std::atomic<bool> FStop{false};
    std::chrono::steady_clock::time_point FResetEnds;
    std::vector<std::pair<int, int>> FPairs;
    std::thread FThread;
};
