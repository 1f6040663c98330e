#include "play_server.h"

#include <httplib.h>

#include <chrono>
#include <stdexcept>

namespace kelvane_sim {

namespace {

constexpr auto IdleInterval = std::chrono::seconds(1);  // a comment keeps a quiet stream open
constexpr auto ReadyTimeout = std::chrono::seconds(2);
constexpr time_t KeepAliveSeconds = 2;
constexpr time_t WriteTimeoutSeconds = 5;  // a page that takes nothing for so long is cut off
const char* const LoopbackAddress = "127.0.0.1";

bool IsOneOf(const std::string& value, const std::string& prefix, int port) {
    const std::string suffix = ":" + std::to_string(port);
    return value == prefix + LoopbackAddress + suffix || value == prefix + "localhost" + suffix;
}

void Refuse(httplib::Response& response, int status, const std::string& why) {
    response.status = status;
    response.set_content(why + "\n", "text/plain; charset=utf-8");
}

}  // namespace

// Where one page's stream stands: whether it has had the scene, and the last frame sent.
class PlayServer::FrameStream {
public:
    bool sceneSent = false;
    std::uint64_t lastNumber = 0;
};

PlayServer::PlayServer(std::string page, std::string scene, std::function<void(const KeyMessage&)> keys,
                       std::function<void()> pagesGone)
    : page_(std::move(page)),
      sceneEvent_("retry: 1000\nevent: scene\ndata: " + scene + "\n\n"),
      keys_(std::move(keys)),
      pagesGone_(std::move(pagesGone)),
      http_(std::make_unique<httplib::Server>()) {}

PlayServer::~PlayServer() { Stop(); }

void PlayServer::Start(int port) {
    httplib::Server& http = *http_;
    // Not SO_REUSEPORT, which the library sets by default: a second tool on the same port
    // must fail to start rather than take half of the first one's connections.
    http.set_socket_options([](socket_t socket) {
        int on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    http.set_payload_max_length(MaxBodyBytes);
    http.set_keep_alive_timeout(KeepAliveSeconds);
    http.set_write_timeout(WriteTimeoutSeconds, 0);

    // DNS rebinding and other sites' pages: only the loopback names, and only our own origin.
    http.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        if (!IsOneOf(request.get_header_value("Host"), "", port_)) {
            Refuse(response, 403,
                   "refused: the Host header must be 127.0.0.1:" + std::to_string(port_) + " or localhost:" +
                       std::to_string(port_));
            return httplib::Server::HandlerResponse::Handled;
        }
        if (request.has_header("Origin") && !IsOneOf(request.get_header_value("Origin"), "http://", port_)) {
            Refuse(response, 403, "refused: requests from other sites' pages are not served");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    http.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) return;
        if (response.status == 404) Refuse(response, 404, "not found: this server has /, /frames and POST /keys");
        if (response.status == 413) {
            Refuse(response, 413, "refused: a request body may have at most " + std::to_string(MaxBodyBytes) + " bytes");
        }
    });

    http.Get("/", [this](const httplib::Request&, httplib::Response& response) {
        response.set_header("Cache-Control", "no-store");
        response.set_header("X-Content-Type-Options", "nosniff");
        // The page reaches nothing but this server.
        response.set_header("Content-Security-Policy",
                            "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                            "connect-src 'self'; img-src data:; base-uri 'none'; form-action 'none'; "
                            "frame-ancestors 'none'");
        response.set_content(page_, "text/html; charset=utf-8");
    });

    http.Get("/frames", [this](const httplib::Request&, httplib::Response& response) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_ || openStreams_ >= MaxStreams) {
                Refuse(response, 503,
                       "refused: at most " + std::to_string(MaxStreams) + " pages may watch at once");
                return;
            }
            ++openStreams_;
        }
        response.set_header("Cache-Control", "no-store");
        auto stream = std::make_shared<FrameStream>();
        response.set_chunked_content_provider(
            "text/event-stream",
            [this, stream](std::size_t, httplib::DataSink& sink) {
                if (!stream->sceneSent) {
                    stream->sceneSent = true;
                    return sink.write(sceneEvent_.data(), sceneEvent_.size());
                }
                std::shared_ptr<const std::string> event;
                {
                    std::unique_lock<std::mutex> lock(mutex_);
                    const bool fresh = published_.wait_for(
                        lock, IdleInterval, [&] { return stopping_ || latestNumber_ > stream->lastNumber; });
                    if (stopping_) {
                        lock.unlock();
                        sink.done();
                        return true;
                    }
                    if (fresh) {
                        event = latestEvent_;
                        stream->lastNumber = latestNumber_;
                    }
                }
                if (!event) return sink.write(": idle\n\n", 8);
                return sink.write(event->data(), event->size());
            },
            [this](bool) {
                bool last = false;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    last = --openStreams_ == 0;
                }
                if (last && pagesGone_) pagesGone_();
            });
    });

    http.Post("/keys", [this](const httplib::Request& request, httplib::Response& response) {
        if (request.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
            Refuse(response, 415, "refused: a key message is sent as application/json");
            return;
        }
        std::string error;
        const std::optional<KeyMessage> message = ParseKeyMessage(request.body, error);
        if (!message) {
            Refuse(response, 400, "bad key message: " + error);
            return;
        }
        if (keys_) keys_(*message);
        response.status = 204;
    });

    if (port == 0) {
        port_ = http.bind_to_any_port(LoopbackAddress);
    } else if (http.bind_to_port(LoopbackAddress, port)) {
        port_ = port;
    } else {
        port_ = -1;
    }
    if (port_ <= 0) {
        port_ = 0;
        const std::string where = port == 0 ? std::string("a free port of ") + LoopbackAddress
                                            : LoopbackAddress + (":" + std::to_string(port));
        throw std::runtime_error("cannot listen on " + where + " (in use, or not allowed)");
    }
    listener_ = std::thread([&http] { http.listen_after_bind(); });
    // Stop() before the listener runs would not stop it.
    const auto deadline = std::chrono::steady_clock::now() + ReadyTimeout;
    while (!http.is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void PlayServer::Publish(const std::string& frame) {
    auto event = std::make_shared<const std::string>("data: " + frame + "\n\n");
    {
        std::lock_guard<std::mutex> lock(mutex_);
        latestEvent_ = std::move(event);
        ++latestNumber_;
    }
    published_.notify_all();
}

void PlayServer::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    published_.notify_all();
    if (listener_.joinable()) {
        http_->stop();
        listener_.join();
    }
}

}  // namespace kelvane_sim
