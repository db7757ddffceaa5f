// An HTTP/1.1 server on 127.0.0.1 for tests: listens on an ephemeral port, serves one connection at a
// time on its own thread, answers each with the next scripted response and records each request's
// head (request line and headers).
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackListener.h"

class THttpTestServer
{
  public:
    struct TResponse
    {
        int Status = 200;
        std::string Body;
        std::vector<std::string> Headers;           // "Name: value"
        bool Silent = false;                        // send nothing until the client leaves
        bool WithLength = true;                     // without Content-Length, the close ends the body
        int DripMs = 0;                             // the body a byte at a time, this far apart
        std::size_t ResetAfter = std::string::npos; // body bytes sent before the connection is reset
    };

    static TResponse Reply(int status, std::string body = {}, std::vector<std::string> headers = {})
    {
        TResponse response;
        response.Status = status;
        response.Body = std::move(body);
        response.Headers = std::move(headers);
        return response;
    }
    static TResponse Silent()
    {
        TResponse response;
        response.Silent = true;
        return response;
    }

    // Connection i gets responses[i]; past the end, the last one again.
    explicit THttpTestServer(std::vector<TResponse> responses);
    ~THttpTestServer();
    THttpTestServer(const THttpTestServer&) = delete;
    THttpTestServer& operator=(const THttpTestServer&) = delete;

    uint16_t Port() const { return FListener.Port(); }
    // Answers with responses from the next connection on, counted afresh; forgets the requests.
    void SetResponses(std::vector<TResponse> responses);
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(FListener.Port()) + "/"; }
    // The head of each request received: its request line, then its header lines; for a
    // connection that opened with a TLS handshake instead, "TLS".
    std::vector<std::string> Requests() const;

  private:
    void Run();
    void Serve(int connection, const TResponse& response);
    bool SendAll(int connection, std::string_view bytes);

    std::vector<TResponse> FResponses;
    TLoopbackListener FListener;
    mutable std::mutex FMutex;
    std::vector<std::string> FRequests;
    std::thread FThread;
};
