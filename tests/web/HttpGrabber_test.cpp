// The grabber against a loopback HTTP server: the events in order, the body in both output modes,
// cancelling, redirects, every way a download fails, and a grabber destroyed mid-download.
#include "HttpGrabber.h"
#include "HttpTestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

namespace {

using TResponse = THttpTestServer::TResponse;

TEST(SplitUrl, PartsServerAndObjectAtTheFirstSlash)
{
    const struct
    {
        const char* url;
        const char* server;
        const char* object;
    } cases[] = {
        {"www.example.com", "www.example.com", ""},
        {"HtTp://www.example.com/dir/page.htm", "www.example.com", "dir/page.htm"},
        {"www.example.com//page.htm", "www.example.com", "/page.htm"},
        {"host:8080/x", "host:8080", "x"},
        {"https://host/x", "https:", "/host/x"},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitUrl(c.url), (std::pair<std::string, std::string>{c.server, c.object})) << c.url;
}

// A grabber whose events are written down as text, in order.
class HttpGrabber : public testing::Test
{
  protected:
    void SetUp() override
    {
        Grabber = std::make_unique<THttpGrabber>();
        Grabber->OnProgress = [this](THttpGrabber&, int32_t, int32_t position, int32_t total,
                                     const std::string& url, bool& go) {
            Log("progress " + std::to_string(position) + "/" + std::to_string(total));
            Urls.push_back(url);
            if (StopAt && Progresses++ == *StopAt)
                go = false;
        };
        Grabber->OnDoneStream = [this](THttpGrabber&, int32_t data, const std::string& stream, int32_t size,
                                       const std::string&) {
            Log("stream " + std::to_string(data) + " " + std::to_string(size));
            Body = stream;
        };
        Grabber->OnDoneFile = [this](THttpGrabber&, int32_t, const std::string& file, int32_t size,
                                     const std::string&) {
            Log("file " + file + " " + std::to_string(size));
        };
        Grabber->OnError = [this](THttpGrabber&, int32_t, const std::string&, const std::string& error) {
            Log("error " + error);
        };
        Grabber->OnRedirect = [this](THttpGrabber&, int32_t, const std::string&, const std::string& to) {
            Log("redirect " + to.substr(to.rfind('/')));
        };
    }

    void Log(const std::string& entry)
    {
        std::lock_guard lock(FMutex);
        Events.push_back(entry);
    }

    // Starts a download of url and lets the event loop run until the grabber is idle.
    void Fetch(const std::string& url, int32_t userData = 0)
    {
        Grabber->Url = url;
        Grabber->Start(userData);
        Wait();
    }
    void Wait()
    {
        QElapsedTimer waited;
        waited.start();
        while (Grabber->Working() && waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(Grabber->Working());
    }
    std::unique_ptr<THttpGrabber> Grabber;
    std::vector<std::string> Events;
    std::vector<std::string> Urls;
    std::string Body;
    std::optional<int> StopAt; // the progress (counted from 0) whose handler clears Continue
    int Progresses = 0;

  private:
    std::mutex FMutex;
};

TEST_F(HttpGrabber, HandsTheBodyOverInPiecesWithAProgressEach)
{
    const struct
    {
        const char* what;
        TResponse response;
        std::vector<std::string> events;
    } cases[] = {
        {"513 bytes",
         THttpTestServer::Reply(200, std::string(513, 'a')),
         {"progress 0/513", "progress 513/513", "progress 513/513", "stream 7 513"}},
        {"514 bytes without a length",
         [] {
             auto r = THttpTestServer::Reply(200, std::string(514, 'b'));
             r.WithLength = false;
             return r;
         }(),
         {"progress 0/-1", "progress 513/-1", "progress 514/-1", "progress 514/-1", "stream 7 514"}},
        {"nothing", THttpTestServer::Reply(200), {"progress 0/0", "progress 0/0", "error The page is empty"}},
        {"an error page, like any page",
         THttpTestServer::Reply(404, "gone"),
         {"progress 0/4", "progress 4/4", "progress 4/4", "stream 7 4"}},
    };
    for (const auto& c : cases) {
        THttpTestServer server({c.response});
        Events.clear();
        Fetch(server.Base() + "dir/page.htm", 7);
        EXPECT_EQ(Events, c.events) << c.what;
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(server.Requests()[0].substr(0, 27), "GET /dir/page.htm HTTP/1.1\r") << c.what;
    }
    EXPECT_EQ(Urls.front().substr(0, 7), "http://") << "events carry the address as it was started";
}

TEST_F(HttpGrabber, ClearingContinueAtTheFirstProgressEndsTheDownloadQuietly)
{
    THttpTestServer server({THttpTestServer::Reply(200, "body")});
    StopAt = 0;
    Fetch(server.Base());
    EXPECT_EQ(Events, std::vector<std::string>{"progress 0/4"});
}

TEST_F(HttpGrabber, FollowsARedirectToAnotherPath)
{
    THttpTestServer server(
        {THttpTestServer::Reply(302, "", {"Location: /target"}), THttpTestServer::Reply(200, "there")});
    Fetch(server.Base() + "start");
    EXPECT_EQ(Events.front(), "redirect /target") << testing::PrintToString(Events);
    EXPECT_EQ(Body, "there");
    EXPECT_EQ(server.Requests().at(1).substr(0, 12), "GET /target ");
}

TEST_F(HttpGrabber, RunsTwoDownloadsAtOnce)
{
    THttpTestServer slow({[] {
        auto r = THttpTestServer::Reply(200, "slowly");
        r.DripMs = 30;
        return r;
    }()});
    THttpTestServer quick({THttpTestServer::Reply(200, "quick")});
    Grabber->Url = slow.Base();
    Grabber->Start(1);
    Grabber->Url = quick.Base();
    Grabber->Start(2);
    EXPECT_TRUE(Grabber->Working());
    Wait();
    EXPECT_NE(std::find(Events.begin(), Events.end(), "stream 1 6"), Events.end());
    EXPECT_NE(std::find(Events.begin(), Events.end(), "stream 2 5"), Events.end());
}

TEST_F(HttpGrabber, SavesTheBodyThroughATemporaryFileAndReportsAFailedSave)
{
    QTemporaryDir folder;
    const std::string target = folder.filePath("page.html").toStdString();
    std::ofstream(target) << "old contents";
    THttpTestServer server({THttpTestServer::Reply(200, "new page")});
    Grabber->OutputMode = TOutputMode::omFile;
    Grabber->FileName = target;
    Fetch(server.Base());
    EXPECT_EQ(Events.back(), "file " + target + " 8");
    std::ostringstream saved;
    saved << std::ifstream(target).rdbuf();
    EXPECT_EQ(saved.str(), "new page");

    Events.clear();
    Grabber->FileName = folder.filePath("missing/page.html").toStdString();
    Fetch(server.Base());
    ASSERT_FALSE(Events.empty());
    EXPECT_EQ(Events.back().substr(0, 13), "error Cannot ") << Events.back();
    EXPECT_EQ(std::count_if(Events.begin(), Events.end(),
                            [](const std::string& e) { return e.starts_with("file"); }),
              0);
}

TEST_F(HttpGrabber, EveryFailureEndsTheDownloadWithAnErrorAndNoBody)
{
    // The address of a server that has gone: bound once for its port, then closed.
    std::string gone;
    {
        THttpTestServer server({THttpTestServer::Reply(200)});
        gone = server.Base();
    }
    THttpTestServer silent({THttpTestServer::Silent()});
    THttpTestServer huge({THttpTestServer::Reply(200, std::string(40 * 1024 * 1024, 'x'))});
    THttpTestServer reset({[] {
        auto r = THttpTestServer::Reply(200, std::string(5000, 'r'));
        r.ResetAfter = 2000;
        return r;
    }()});
    THttpTestServer plain({THttpTestServer::Reply(200, "plain")});
    const struct
    {
        const char* what;
        std::string url;
        const char* error;
        long lowSpeedSeconds = 30;
    } cases[] = {
        {"nobody listens", gone, "error Unable to connect"},
        {"a server that never answers", silent.Base(), "error Unable to connect", 1},
        {"a body past 32 MiB", huge.Base(), "error Page too large"},
        {"a reset in the middle of the body", reset.Base(), "error "},
        {"HTTPS to a server that speaks plain HTTP",
         "https://127.0.0.1:" + std::to_string(plain.Port()) + "/", "error Unable to connect"},
    };
    for (const auto& c : cases) {
        Grabber->LowSpeedSeconds = c.lowSpeedSeconds;
        Events.clear();
        Fetch(c.url);
        ASSERT_FALSE(Events.empty()) << c.what;
        EXPECT_EQ(Events.back().substr(0, std::string(c.error).size()), c.error)
            << c.what << ": " << Events.back();
        EXPECT_EQ(std::count_if(Events.begin(), Events.end(),
                                [](const std::string& e) { return e.starts_with("stream"); }),
                  0)
            << c.what;
    }
    EXPECT_EQ(plain.Requests().at(0), "TLS") << "an https address is fetched over TLS";
}

TEST_F(HttpGrabber, ADripStillArrivesWhole)
{
    THttpTestServer drip({[] {
        auto r = THttpTestServer::Reply(200, "drip by drip");
        r.DripMs = 20;
        return r;
    }()});
    Fetch(drip.Base());
    EXPECT_EQ(Body, "drip by drip");
}

TEST_F(HttpGrabber, CancelEndsRunningDownloadsWithoutAWord)
{
    THttpTestServer drip({[] {
        auto r = THttpTestServer::Reply(200, std::string(1000, 'd'));
        r.DripMs = 5;
        return r;
    }()});
    THttpTestServer silent({THttpTestServer::Silent()});
    for (const std::string& url : {drip.Base(), silent.Base()}) {
        Grabber->Url = url;
        Grabber->Start(0);
    }
    QElapsedTimer waited;
    waited.start();
    while (Events.empty() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const std::size_t before = Events.size();
    Grabber->Cancel();
    Wait();
    EXPECT_EQ(Events.size(), before) << "no event after the cancel";
}

TEST_F(HttpGrabber, ADestroyedGrabberCancelsItsDownloads)
{
    THttpTestServer silent({THttpTestServer::Silent()});
    THttpTestServer drip({[] {
        auto r = THttpTestServer::Reply(200, std::string(1000, 'd'));
        r.DripMs = 5;
        return r;
    }()});
    Grabber->Url = silent.Base();
    Grabber->Start(0);
    Grabber->Url = drip.Base();
    Grabber->Start(0);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(Grabber->Working());
    QElapsedTimer closing;
    closing.start();
    Grabber.reset();
    EXPECT_LT(closing.elapsed(), 1000);
    QCoreApplication::processEvents();
}

} // namespace
