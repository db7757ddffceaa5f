// THttpGrabber: downloads the body of one web address per Start, on a worker thread of its own
// (THttpGrabThread), over HTTP or HTTPS with libcurl, and hands progress, failures and the finished
// body back on the user-interface thread: saved to a file, or held in memory. Every hand-over waits
// until the user-interface thread has run it, so OnProgress can cancel through Continue.
//
// Every download ends in exactly one way: a done event, OnError (an empty body is an error too), or
// a cancel by its caller (Continue cleared, or Cancel). Waits and size are bounded: a connect gives
// up after 15 s, a transfer slower than 1 byte a second for 30 s fails, and a body past 32 MiB fails
// with "Page too large". Destroying the grabber cancels its downloads and waits for their workers.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class TOutputMode
{
    omFile,
    omStream,
};

class THttpGrabber;
class THttpGrabThread;

// One download: what Start copied, and where it is.
struct TRequestInfos
{
    std::string Url;
    TOutputMode OutputMode = TOutputMode::omStream;
    int64_t TotalSize = -1; // the body's announced length; -1 when there is none
    THttpGrabber* Grabber = nullptr;
    int32_t UserData = 0;
};

// The server name and the object name of an address: an optional "HTTP://" (any letter case) is
// dropped, and the first "/" parts the two (belonging to neither).
std::pair<std::string, std::string> SplitUrl(std::string_view url);

class THttpGrabber : public QObject
{
    Q_OBJECT

  public:
    static constexpr std::size_t PieceSize = 513;
    static constexpr int64_t MaxBodyBytes = 32 * 1024 * 1024;
    static constexpr long MaxRedirects = 10;

    using TUrlEvent = std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& Url)>;
    using TUrlEventError = std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& Url,
                                              const std::string& Error)>;
    using TUrlResolved = std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& Url,
                                            const std::string& Name)>;
    using TUrlRedirect = std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& Url,
                                            const std::string& NewUrl)>;
    using TUrlSent =
        std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& Url, int32_t DataSize)>;
    using TOnDoneFile =
        std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& FileName,
                           int32_t FileSize, const std::string& Url)>;
    // The stream is the body; the handler may read it, not keep it.
    using TOnDoneStream =
        std::function<void(THttpGrabber& Sender, int32_t UserData, const std::string& Stream,
                           int32_t StreamSize, const std::string& Url)>;
    using TOnProgress = std::function<void(THttpGrabber& Sender, int32_t UserData, int32_t Position,
                                           int32_t TotalSize, const std::string& Url, bool& Continue)>;

    explicit THttpGrabber(QObject* parent = nullptr);
    ~THttpGrabber() override;

    std::string Agent = "THttpGrabber";
    std::string Url;
    std::string Referer;
    std::string Password;
    std::string UserName;
    TOutputMode OutputMode = TOutputMode::omStream;
    std::string FileName;
    bool Working() const { return FRunning > 0; }
    // How long a connect may take, and how long a transfer may stay under 1 byte a second.
    long ConnectTimeoutMs = 15000;
    long LowSpeedSeconds = 30;

    TOnDoneFile OnDoneFile;
    TOnDoneStream OnDoneStream;
    TOnProgress OnProgress;
    // Raised on the worker's thread, without a hand-over, like the platform client's status events.
    TUrlSent OnReceivedResponse;
    TUrlEvent OnReceivingResponse;
    TUrlEvent OnClosedConnection;
    TUrlEvent OnConnectingToServer;
    TUrlEvent OnResolvingName;
    TUrlRedirect OnRedirect;
    TUrlEvent OnConnectedToServer;
    TUrlResolved OnResolvedName;
    TUrlEvent OnClosingConnection;
    TUrlEvent OnRequestComplete;
    TUrlSent OnRequestSent;
    TUrlEvent OnSendingRequest;
    TUrlEventError OnError;

    // One download of the current Url.
    void Start(int32_t UserData);
    // Ends every running download at once: no more events, no body. Working turns false once their
    // workers have handed back.
    void Cancel();

  private:
    friend class THttpGrabThread;
    // Runs on the user-interface thread once the worker of thread has ended.
    void ThreadDone(THttpGrabThread* thread);

    int32_t FRunning = 0;
    std::vector<std::unique_ptr<THttpGrabThread>> FThreads;
};
