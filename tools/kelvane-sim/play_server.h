#pragma once
// The play page's server: the page, a stream of frames (Server-Sent Events) and the key
// messages, on the loopback address only. The world never waits for a page: each stream
// sends the latest frame when it can, and frames published meanwhile are dropped for it.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "play_keys.h"

namespace httplib {
class Server;
}

namespace kelvane_sim {

class PlayServer {
public:
    // keys: every accepted key message, on a server thread. pagesGone: the last frame
    // stream has closed (a page that is gone holds no keys).
    PlayServer(std::string page, std::string scene, std::function<void(const KeyMessage&)> keys,
               std::function<void()> pagesGone);
    ~PlayServer();
    PlayServer(const PlayServer&) = delete;
    PlayServer& operator=(const PlayServer&) = delete;

    // Listens on 127.0.0.1:port (0: a free port) in the background. Throws
    // std::runtime_error when the port cannot be had.
    void Start(int port);
    int Port() const { return port_; }

    // A frame, one line of JSON, for every stream. Returns at once.
    void Publish(const std::string& frame);

    // Ends every stream and stops listening; idempotent.
    void Stop();

    // Limits of what the server takes.
    static constexpr std::size_t MaxBodyBytes = 1024;
    static constexpr int MaxStreams = 4;

private:
    class FrameStream;

    std::string page_;
    std::string sceneEvent_;
    std::function<void(const KeyMessage&)> keys_;
    std::function<void()> pagesGone_;
    std::unique_ptr<httplib::Server> http_;
    std::thread listener_;
    int port_ = 0;

    // The latest frame and its number, for the streams to take.
    std::mutex mutex_;
    std::condition_variable published_;
    std::shared_ptr<const std::string> latestEvent_;
    std::uint64_t latestNumber_ = 0;
    int openStreams_ = 0;
    bool stopping_ = false;
};

}  // namespace kelvane_sim
