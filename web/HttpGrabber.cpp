#include "HttpGrabber.h"

#include <QSaveFile>
#include <QString>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "myutils.h"

namespace {
struct TEasyCleanup
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct TMultiCleanup
{
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using TEasy = std::unique_ptr<CURL, TEasyCleanup>;
using TMulti = std::unique_ptr<CURLM, TMultiCleanup>;

constexpr int PollSliceMs = 50;

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int32_t Clamped(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}
} // namespace

std::pair<std::string, std::string> SplitUrl(std::string_view url)
{
    if (StartsNoCase(url, "HTTP://"))
        url.remove_prefix(7);
    const std::size_t slash = url.find('/');
    if (slash == std::string_view::npos)
        return {std::string(url), {}};
    return {std::string(url.substr(0, slash)), std::string(url.substr(slash + 1))};
}

// One download's worker: the transfer on its own thread, the hand-overs to the user-interface thread.
class THttpGrabThread
{
  public:
    THttpGrabThread(THttpGrabber& grabber, TRequestInfos info, TEasy easy)
        : Info(std::move(info)), FGrabber(grabber), FEasy(std::move(easy))
    {
    }

    TRequestInfos Info;
    int64_t Position = 0;
    bool Continue = true;
    std::string Buffer;
    bool HasBuffer = false;
    std::thread Worker;

    void Run();

    // Stops waiting for the user-interface thread and ends the transfer; on the user-interface
    // thread.
    void Cancel()
    {
        std::lock_guard lock(FMutex);
        FCancelled = true;
        FWake.notify_all();
    }

  private:
    // Runs fn on the user-interface thread and waits for it; false when cancelled meanwhile.
    bool HandOver(std::function<void()> fn);
    // The first OnProgress, at position 0, once the response has begun; false when the download
    // must end.
    bool Begin();
    // OnProgress with Position, through a hand-over; false when the download must end.
    bool Progress();
    bool Cancelled()
    {
        std::lock_guard lock(FMutex);
        return FCancelled;
    }
    void Raise(const THttpGrabber::TUrlEvent& event)
    {
        if (event)
            event(FGrabber, Info.UserData, Info.Url);
    }
    void Fail(const std::string& error)
    {
        HandOver([this, error] {
            if (FGrabber.OnError)
                FGrabber.OnError(FGrabber, Info.UserData, Info.Url, error);
        });
    }

    static size_t Write(char* data, size_t size, size_t count, void* self);
    static size_t Header(char* data, size_t size, size_t count, void* self);
    static int Prerequest(void* self, char*, char*, int, int);

    THttpGrabber& FGrabber;
    TEasy FEasy;
    std::mutex FMutex;
    std::condition_variable FWake;
    bool FCancelled = false;
    bool FStarted = false; // OnProgress at position 0 was raised
    bool FResponded = false;
    long FLastStatus = 0;
    std::string FTooLarge;
};

bool THttpGrabThread::HandOver(std::function<void()> fn)
{
    // Shared with the posted call: a cancelled worker stops waiting and leaves it behind, and it
    // must then do nothing when it runs.
    struct TState
    {
        std::function<void()> Fn;
        bool Running = false;
        bool Done = false;
        bool Abandoned = false;
    };
    auto state = std::make_shared<TState>();
    state->Fn = std::move(fn);
    QMetaObject::invokeMethod(
        &FGrabber,
        [this, state] {
            {
                std::lock_guard lock(FMutex);
                // Cancelled before this ran: the worker may not have noticed yet.
                if (state->Abandoned || FCancelled)
                    return;
                state->Running = true;
            }
            state->Fn();
            std::lock_guard lock(FMutex);
            state->Done = true;
            FWake.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(FMutex);
    FWake.wait(lock, [this, &state] { return state->Done || (FCancelled && !state->Running); });
    state->Abandoned = !state->Done;
    return state->Done;
}

bool THttpGrabThread::Begin()
{
    if (FStarted)
        return true;
    FStarted = true;
    curl_off_t length = -1;
    curl_easy_getinfo(FEasy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    Info.TotalSize = length;
    return Progress();
}

bool THttpGrabThread::Progress()
{
    const bool handed = HandOver([this] {
        if (FGrabber.OnProgress)
            FGrabber.OnProgress(FGrabber, Info.UserData, Clamped(Position), Clamped(Info.TotalSize), Info.Url,
                                Continue);
    });
    return handed && Continue;
}

size_t THttpGrabThread::Write(char* data, size_t size, size_t count, void* self)
{
    auto& thread = *static_cast<THttpGrabThread*>(self);
    const size_t bytes = size * count;
    // The body goes on in pieces of at most PieceSize bytes, each with its own progress.
    for (size_t at = 0; at < bytes; at += THttpGrabber::PieceSize) {
        const size_t piece = std::min(THttpGrabber::PieceSize, bytes - at);
        if (thread.Position + int64_t(piece) > THttpGrabber::MaxBodyBytes) {
            thread.FTooLarge = "Page too large";
            return CURL_WRITEFUNC_ERROR;
        }
        if (!thread.Begin())
            return CURL_WRITEFUNC_ERROR;
        thread.HasBuffer = true;
        thread.Buffer.append(data + at, piece);
        thread.Position += int64_t(piece);
        if (!thread.Progress())
            return CURL_WRITEFUNC_ERROR;
    }
    return bytes;
}

size_t THttpGrabThread::Header(char* data, size_t size, size_t count, void* self)
{
    auto& thread = *static_cast<THttpGrabThread*>(self);
    const std::string_view line(data, size * count);
    THttpGrabber& grabber = thread.FGrabber;
    const int32_t userData = thread.Info.UserData;
    CURL* easy = thread.FEasy.get();
    if (line.starts_with("HTTP/")) {
        if (!thread.FResponded) {
            long requestSize = 0;
            curl_easy_getinfo(easy, CURLINFO_REQUEST_SIZE, &requestSize);
            if (grabber.OnRequestSent)
                grabber.OnRequestSent(grabber, userData, thread.Info.Url, int32_t(requestSize));
        } else if (thread.FLastStatus / 100 == 3 && grabber.OnRedirect) {
            // A second response follows a redirect; the address asked now is the new one.
            char* address = nullptr;
            curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &address);
            grabber.OnRedirect(grabber, userData, thread.Info.Url, address ? address : "");
        }
        thread.FResponded = true;
    }
    if (line == "\r\n" || line == "\n") {
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &thread.FLastStatus);
        if (thread.FLastStatus / 100 != 3 && grabber.OnReceivedResponse) {
            long headerSize = 0;
            curl_easy_getinfo(easy, CURLINFO_HEADER_SIZE, &headerSize);
            grabber.OnReceivedResponse(grabber, userData, thread.Info.Url, int32_t(headerSize));
        }
    }
    return size * count;
}

int THttpGrabThread::Prerequest(void* self, char*, char*, int, int)
{
    auto& thread = *static_cast<THttpGrabThread*>(self);
    thread.Raise(thread.FGrabber.OnConnectedToServer);
    return CURL_PREREQFUNC_OK;
}

void THttpGrabThread::Run()
{
    CURL* easy = FEasy.get();
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, Header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, Prerequest);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
    Raise(FGrabber.OnResolvingName);

    const TMulti multi(curl_multi_init());
    CURLcode result = CURLE_FAILED_INIT;
    if (multi) {
        curl_multi_add_handle(multi.get(), easy);
        for (int running = 1; running && !Cancelled();) {
            curl_multi_perform(multi.get(), &running);
            if (running)
                curl_multi_poll(multi.get(), nullptr, 0, PollSliceMs, nullptr);
        }
        int left = 0;
        while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left))
            if (message->msg == CURLMSG_DONE)
                result = message->data.result;
        curl_multi_remove_handle(multi.get(), easy);
    }

    if (Cancelled() || !Continue) {
        HasBuffer = false;
    } else if (result == CURLE_OK) {
        // The end of the body, as the platform client saw it: one more progress, unchanged.
        if (!Begin() || !Progress())
            HasBuffer = false;
        else if (Buffer.empty())
            Fail("The page is empty");
    } else {
        HasBuffer = false;
        long status = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        if (!FTooLarge.empty())
            Fail(FTooLarge);
        else if (status == 0)
            Fail("Unable to connect");
        else
            Fail(curl_easy_strerror(result));
    }
    Raise(FGrabber.OnRequestComplete);
    Raise(FGrabber.OnClosingConnection);
    QMetaObject::invokeMethod(
        &FGrabber, [grabber = &FGrabber, this] { grabber->ThreadDone(this); }, Qt::QueuedConnection);
}

THttpGrabber::THttpGrabber(QObject* parent) : QObject(parent)
{
    InitCurlOnce();
}

THttpGrabber::~THttpGrabber()
{
    Cancel();
    for (const auto& thread : FThreads)
        if (thread->Worker.joinable())
            thread->Worker.join();
}

void THttpGrabber::Cancel()
{
    for (const auto& thread : FThreads)
        thread->Cancel();
}

void THttpGrabber::Start(int32_t UserData)
{
    TRequestInfos info{Url, OutputMode, -1, this, UserData};
    TEasy easy(curl_easy_init());
    if (!easy) {
        if (OnError)
            OnError(*this, UserData, info.Url, "Cannot start a download");
        return;
    }
    // "https://" is fetched over HTTPS; any other text is an address on the web's plain scheme.
    const bool secure = StartsNoCase(Url, "https://");
    const auto [server, object] = SplitUrl(secure ? std::string_view(Url).substr(8) : std::string_view(Url));
    const std::string address = std::string(secure ? "https://" : "http://") + server + "/" + object;
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, Agent.c_str());
    if (!Referer.empty())
        curl_easy_setopt(handle, CURLOPT_REFERER, Referer.c_str());
    if (!UserName.empty())
        curl_easy_setopt(handle, CURLOPT_USERNAME, UserName.c_str());
    if (!Password.empty())
        curl_easy_setopt(handle, CURLOPT_PASSWORD, Password.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, ConnectTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, LowSpeedSeconds);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);

    auto thread = std::make_unique<THttpGrabThread>(*this, std::move(info), std::move(easy));
    THttpGrabThread* worker = thread.get();
    FThreads.push_back(std::move(thread));
    ++FRunning;
    worker->Worker = std::thread(&THttpGrabThread::Run, worker);
}

void THttpGrabber::ThreadDone(THttpGrabThread* thread)
{
    thread->Worker.join();
    const auto owned =
        std::find_if(FThreads.begin(), FThreads.end(), [thread](const auto& t) { return t.get() == thread; });
    const std::unique_ptr<THttpGrabThread> done = std::move(*owned);
    FThreads.erase(owned);
    --FRunning;
    const TRequestInfos& info = done->Info;
    if (!done->HasBuffer || done->Buffer.empty())
        return;
    const int32_t size = Clamped(int64_t(done->Buffer.size()));
    if (info.OutputMode == TOutputMode::omStream) {
        if (OnDoneStream)
            OnDoneStream(*this, info.UserData, done->Buffer, size, info.Url);
        return;
    }
    // Written beside the old file and renamed over it: a failed save leaves the old file whole.
    QSaveFile file(QString::fromLocal8Bit(FileName));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(done->Buffer.data(), qint64(done->Buffer.size())) != qint64(done->Buffer.size()) ||
        !file.commit()) {
        if (OnError)
            OnError(*this, info.UserData, info.Url,
                    "Cannot save \"" + FileName + "\": " + file.errorString().toStdString());
        return;
    }
    if (OnDoneFile)
        OnDoneFile(*this, info.UserData, FileName, size, info.Url);
}
