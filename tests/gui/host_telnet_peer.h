// A scripted telnet host on 127.0.0.1 for the host-session tests: it listens on a
// free port, and once the program connects it runs a script on its own thread
// (send host output, expect the exact bytes the program answers).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varomil::test {

class ScriptedTelnetHost {
  public:
    using Script = std::function<void(ScriptedTelnetHost&)>;

    // Listens at once; the script starts when a client is accepted.
    explicit ScriptedTelnetHost(Script script);
    ~ScriptedTelnetHost();
    ScriptedTelnetHost(const ScriptedTelnetHost&) = delete;
    ScriptedTelnetHost& operator=(const ScriptedTelnetHost&) = delete;

    int port() const { return port_; }
    // The script has ended (or failed to start).
    bool finished() const { return finished_; }
    int stage() const { return stage_; }
    std::vector<std::string> failures() const;

    // For the script, on the host's thread.
    void send(const std::string& bytes);
    // Sends the block over and over until the program closes the connection;
    // false when it does not within the time.
    bool floodUntilClosed(const std::string& block, int timeoutMs = 20000);
    // Reads exactly as many bytes as expected and compares; a mismatch or a
    // time-out is recorded as a failure and makes the script stop.
    bool expect(const std::string& expected, const char* what, int timeoutMs = 10000);
    // True when the program closes the connection within the time.
    bool expectClosed(int timeoutMs = 10000);
    void reach(int stage) { stage_ = stage; }
    void closeConnection();

  private:
    void fail(const std::string& what);
    void run(Script script);

    SOCKET listener_ = INVALID_SOCKET;
    SOCKET client_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> finished_{false};
    std::atomic<int> stage_{0};
    mutable std::mutex failuresLock_;
    std::vector<std::string> failures_;
    std::thread thread_;
};

// A script from text, one step a line: "send BYTES", "expect WHAT|BYTES" (the
// script stops on a mismatch), "reach STAGE", "close", or "closed [MS]" (the
// program must close the connection: stage -1 when it does not). BYTES take the
// escapes of the case files under tests/data; "#" starts a comment line.
ScriptedTelnetHost::Script hostScript(const std::string& text);

// Runs this thread's messages until the condition holds or the time is up.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// Bytes shown readably in failure messages.
std::string printable(const std::string& bytes);

}  // namespace varomil::test
