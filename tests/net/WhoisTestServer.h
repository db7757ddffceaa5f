// A WHOIS server on 127.0.0.1 for tests, benchmarks and manual runs. It listens on an
// ephemeral port, serves one connection at a time on its own thread, plays one scripted
// behaviour per connection and records the exact bytes each connection sent it.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackListener.h"

class TWhoisTestServer
{
  public:
    enum class TBehaviour
    {
        Answer,        // send the chunks, pausing between them, then close
        Silent,        // keep the connection open and send nothing until the client leaves
        CloseAtOnce,   // close without a word as soon as the connection is accepted
        Reset,         // read the request, then abort the connection (RST)
        PartThenReset, // send the chunks, then abort the connection (RST)
        Flood,         // send the first chunk over and over until the client leaves
    };

    struct TScript
    {
        TBehaviour Behaviour = TBehaviour::Answer;
        std::vector<std::string> Chunks;
        int ChunkPauseMs = 0;
    };

    static TScript Answer(std::string text) { return {TBehaviour::Answer, {std::move(text)}, 0}; }
    static TScript Chunked(std::vector<std::string> chunks, int pauseMs = 30)
    {
        return {TBehaviour::Answer, std::move(chunks), pauseMs};
    }
    static TScript Silent() { return {TBehaviour::Silent, {}, 0}; }
    static TScript CloseAtOnce() { return {TBehaviour::CloseAtOnce, {}, 0}; }
    static TScript Reset() { return {TBehaviour::Reset, {}, 0}; }
    static TScript Flood(std::string pattern) { return {TBehaviour::Flood, {std::move(pattern)}, 0}; }

    // What connections past the end of the scripts play.
    enum class TAfterScripts
    {
        RepeatLast, // the last script, again and again
        StartAgain, // the scripts from the first, round and round
    };

    // Connection i plays scripts[i]; past the end, as afterScripts says.
    // `port` 0 takes an ephemeral port.
    explicit TWhoisTestServer(std::vector<TScript> scripts, uint16_t port = 0,
                              TAfterScripts afterScripts = TAfterScripts::RepeatLast);
    ~TWhoisTestServer();
    TWhoisTestServer(const TWhoisTestServer&) = delete;
    TWhoisTestServer& operator=(const TWhoisTestServer&) = delete;

    uint16_t Port() const { return listener_.Port(); }
    // Plays scripts from the next connection on, counted afresh, and forgets what was received.
    void SetScripts(std::vector<TScript> scripts);
    // Lets perSecond connections a second play their script (burst at once, a token bucket); the
    // others are answered refusal, with "%.3f" replaced by the seconds until the next is allowed.
    void LimitRate(double perSecond, int burst, std::string refusal);
    int Refusals() const;
    // The bytes each connection sent before the server played its script.
    std::vector<std::string> Received() const;
    int Connections() const;

  private:
    void Run();
    void Serve(int connection, const TScript& script);
    bool ReadRequest(int connection, std::string& request);
    void WaitUntilClientLeaves(int connection);

    std::vector<TScript> scripts_;
    TAfterScripts afterScripts_;
    TLoopbackListener listener_;
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
    double perSecond_ = 0; // no limit
    double tokens_ = 0;
    int burst_ = 0;
    int refusals_ = 0;
    std::string refusal_;
    std::chrono::steady_clock::time_point refilled_;
    std::thread thread_;
};
