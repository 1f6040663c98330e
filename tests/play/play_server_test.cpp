// The play page's server over HTTP: what it serves, what it refuses, and that a page which
// takes no frames holds up neither the world nor the other pages.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "play_server.h"

namespace kelvane_sim {
namespace {

constexpr const char* Page = "<!DOCTYPE html><title>play</title>";
constexpr const char* Scene = R"({"tracks":[],"walls":[]})";

// The stream so far holds `part` and ends with a whole event.
bool EndsWithEvent(const std::string& stream, const std::string& part) {
    return stream.find(part) != std::string::npos && stream.size() >= 2 && stream.compare(stream.size() - 2, 2, "\n\n") == 0;
}

class PlayServerTest : public testing::Test {
protected:
    PlayServerTest()
        : server(
              Page, Scene,
              [this](const KeyMessage& message) {
                  std::lock_guard<std::mutex> lock(mutex);
                  received.push_back(message);
              },
              [this] { ++pagesGone; }) {
        server.Start(0);
    }

    std::string Host() const { return "127.0.0.1:" + std::to_string(server.Port()); }

    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", server.Port());
        client.set_read_timeout(5, 0);
        return client;
    }

    std::vector<KeyMessage> Received() {
        std::lock_guard<std::mutex> lock(mutex);
        return received;
    }

    httplib::Result PostKeys(const std::string& body, httplib::Headers headers = {},
                             const char* type = "application/json") {
        return Client().Post("/keys", headers, body, type);
    }

    // Reads a frame stream until `done` holds of what came so far.
    std::string ReadStream(const std::function<bool(const std::string&)>& done) {
        std::string text;
        Client().Get("/frames", [&](const char* data, std::size_t length) {
            text.append(data, length);
            return !done(text);
        });
        return text;
    }

    std::mutex mutex;
    std::vector<KeyMessage> received;
    std::atomic<int> pagesGone{0};
    PlayServer server;
};

TEST_F(PlayServerTest, ServesThePageToTheLoopbackNames) {
    for (const std::string host : {"127.0.0.1", "localhost"}) {
        const auto result = Client().Get("/", {{"Host", host + ":" + std::to_string(server.Port())}});
        ASSERT_TRUE(result) << host;
        EXPECT_EQ(result->status, 200) << host;
        EXPECT_EQ(result->body, Page);
        EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=utf-8");
        EXPECT_NE(result->get_header_value("Content-Security-Policy").find("connect-src 'self'"), std::string::npos)
            << "the page may reach this server only";
    }
}

struct HostCase {
    const char* name;
    std::string host;  // "PORT" stands for the server's port
};

class WrongHost : public PlayServerTest, public testing::WithParamInterface<HostCase> {};

TEST_P(WrongHost, IsRefusedOnEveryPath) {
    std::string host = GetParam().host;
    if (const auto at = host.find("PORT"); at != std::string::npos) host.replace(at, 4, std::to_string(server.Port()));
    for (const char* path : {"/", "/frames", "/nowhere"}) {
        const auto result = Client().Get(path, {{"Host", host}});
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 403) << path;
        EXPECT_NE(result->body.find("Host header must be 127.0.0.1:"), std::string::npos) << result->body;
    }
    const auto keys = PostKeys(R"({"held": ["w"]})", {{"Host", host}});
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->status, 403);
    EXPECT_TRUE(Received().empty()) << "a refused request changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, WrongHost,
    testing::Values(HostCase{"OtherName", "attacker.example:PORT"}, HostCase{"NoPort", "127.0.0.1"},
                    HostCase{"OtherPort", "127.0.0.1:1"}, HostCase{"LookAlike", "localhost.attacker.example:PORT"},
                    HostCase{"OtherLoopbackAddress", "127.0.0.2:PORT"}, HostCase{"Empty", ""}),
    [](const testing::TestParamInfo<HostCase>& info) { return std::string(info.param.name); });

TEST_F(PlayServerTest, TakesWellFormedKeyMessagesInOrder) {
    for (const char* body : {R"({"seq": 1, "held": ["f"]})", R"({"seq": 2, "held": []})"}) {
        const auto result = PostKeys(body, {{"Origin", "http://" + Host()}});
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 204) << result->body;
    }
    const auto messages = Received();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].sequence, 1u);
    EXPECT_EQ(messages[0].input.controls, (std::vector<int>{23, 75}));
    EXPECT_TRUE(messages[1].input.controls.empty());
}

struct RefusedCase {
    const char* name;
    std::string body;
    const char* type;
    httplib::Headers headers;
    int status;
    const char* says;
};

class RefusedKeys : public PlayServerTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedKeys, ChangeNothing) {
    const auto result = PostKeys(GetParam().body, GetParam().headers, GetParam().type);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, GetParam().status);
    EXPECT_NE(result->body.find(GetParam().says), std::string::npos) << result->body;
    EXPECT_TRUE(Received().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RefusedKeys,
    testing::Values(
        RefusedCase{"Malformed", R"({"held": ["w")", "application/json", {}, 400, "bad key message: "},
        RefusedCase{"UnknownKey", R"({"held": ["z"]})", "application/json", {}, 400, "unknown key \"z\""},
        RefusedCase{"Oversized", R"({"held": [], "pad": ")" + std::string(PlayServer::MaxBodyBytes, 'x') + "\"}",
                    "application/json", {}, 413, "at most 1024 bytes"},
        RefusedCase{"NotJsonTyped", R"({"held": ["w"]})", "text/plain", {}, 415, "application/json"},
        RefusedCase{"FromAnotherSite", R"({"held": ["w"]})", "application/json",
                    {{"Origin", "http://attacker.example"}}, 403, "other sites"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(PlayServerTest, ServesNothingElse) {
    for (const char* path : {"/index.html", "/keys", "/frames/", "/..%2fetc%2fpasswd"}) {
        const auto result = Client().Get(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 404) << path;
        EXPECT_NE(result->body.find("not found"), std::string::npos) << path;
    }
    const auto post = Client().Post("/", "{}", "application/json");
    ASSERT_TRUE(post);
    EXPECT_EQ(post->status, 404);
}

TEST_F(PlayServerTest, AStreamStartsWithTheSceneThenTheLatestFrame) {
    server.Publish(R"({"frame":1})");
    server.Publish(R"({"frame":2})");
    const std::string text = ReadStream([](const std::string& got) { return EndsWithEvent(got, "\n\ndata: {"); });
    EXPECT_EQ(text.find("retry: 1000\nevent: scene\ndata: " + std::string(Scene) + "\n\n"), 0u) << text;
    EXPECT_NE(text.find("data: {\"frame\":2}\n\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("{\"frame\":1}"), std::string::npos) << "a frame superseded before it was sent is dropped";
}

// A connection that asks for the frames and then reads nothing, with a small receive buffer.
int StalledStream(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    int small = 4096;
    setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return -1;
    const std::string request =
        "GET /frames HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n\r\n";
    if (send(socket, request.data(), request.size(), 0) != static_cast<ssize_t>(request.size())) return -1;
    return socket;
}

TEST_F(PlayServerTest, APageThatTakesNoFramesHoldsUpNobody) {
    const int stalled = StalledStream(server.Port());
    ASSERT_GE(stalled, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // Far more than any socket buffer holds: queued for the stalled page, these would
    // either block the publisher or pile up in memory.
    const std::string padding(64 * 1024, 'x');
    constexpr int Frames = 2000;
    for (int frame = 1; frame <= Frames; ++frame) {
        server.Publish("{\"frame\":" + std::to_string(frame) + ",\"pad\":\"" + padding + "\"}");
    }
    const std::string text = ReadStream([](const std::string& got) { return EndsWithEvent(got, "\"pad\""); });
    EXPECT_NE(text.find("data: {\"frame\":" + std::to_string(Frames) + ","), std::string::npos)
        << "another page gets the latest frame at once";
    close(stalled);
}

TEST_F(PlayServerTest, TheLastStreamToCloseLetsGoOfTheKeys) {
    ReadStream([](const std::string& got) { return got.find("event: scene") != std::string::npos; });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (pagesGone == 0 && std::chrono::steady_clock::now() < deadline) {
        server.Publish("{}");  // a write is what finds a closed page
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(pagesGone, 1);
}

TEST(PlayServerPort, APortInUseIsAClearError) {
    PlayServer first("", "{}", nullptr, nullptr);
    first.Start(0);
    PlayServer second("", "{}", nullptr, nullptr);
    try {
        second.Start(first.Port());
        FAIL() << "two servers on one port";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("cannot listen on 127.0.0.1:" + std::to_string(first.Port())),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace kelvane_sim
