// The download's platform side: tick count, COM port, listening socket and the
// program file, as the core's interfaces want them.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

#include "download/link.h"
#include "download/program_transfer.h"
#include "download/serial_link.h"
#include "download/socket_link.h"

namespace varomil {

// The download blocks the user-interface thread for up to minutes. Looking at the
// message queue now and then (without taking anything from it) keeps the system
// from taking the program for hung, and lets messages sent by other threads
// through; nothing posted is dispatched, so no command can start meanwhile.
class WinClock : public Clock {
  public:
    std::uint32_t ticks() override {
        const DWORD now = GetTickCount();
        if (now - lastLook_ >= kLookEveryMs) {
            lastLook_ = now;
            MSG m;
            PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
        }
        return now;
    }
    void sleep(std::uint32_t ms) override { Sleep(ms); }

  private:
    static constexpr DWORD kLookEveryMs = 250;
    DWORD lastLook_ = GetTickCount();
};

// "COM1".."COM9", opened exclusively and without overlapped input/output.
class WinSerialDevice : public SerialDevice {
  public:
    ~WinSerialDevice() override { close(); }
    bool open(int port) override;
    bool apply(const LineSettings& settings) override;
    void setReadsImmediate() override;
    void setSessionTimeouts() override;
    bool write(const Byte* data, std::size_t n) override;
    std::size_t read(Byte* buf, std::size_t max) override;
    void close() override;
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The listening socket on the download port and the one connection the terminal
// opens to it. The closing notification goes to `window` as kDownloadSocketMessage.
class WinSocketHost : public SocketHost {
  public:
    ~WinSocketHost() override { close(); }
    // Without a window (a batch from the command line) the data socket is made
    // non-blocking directly, and a closing shows in receive().
    void setNotifyWindow(HWND window) { window_ = window; }
    // Connections the listening socket queues: 1 for the dialog's download; a batch
    // queues the terminals that connect together.
    void setBacklog(int backlog) { backlog_ = backlog; }
    // Ends the terminal's connection and keeps listening for the next one.
    void closeConnection();
    ListenResult listen(std::uint16_t port) override;
    bool accept(std::uint32_t ms) override;
    long send(const Byte* data, std::size_t n) override;
    std::size_t receive(Byte* buf, std::size_t max) override;
    bool connected() const override { return data_ != INVALID_SOCKET && !peerClosed_; }
    std::string peerAddress() const override { return peer_; }
    void close() override;
    // The FD_CLOSE notification: acts only for the current data socket, since a
    // late notification of an earlier connection must not end the present one.
    void onNotification(WPARAM socket, LPARAM event);
    bool libraryStarted() const { return started_; }
    SOCKET dataSocket() const { return data_; }

  private:
    HWND window_ = nullptr;
    int backlog_ = 1;
    bool started_ = false;
    bool peerClosed_ = false;
    SOCKET listen_ = INVALID_SOCKET;
    SOCKET data_ = INVALID_SOCKET;
    std::string peer_;  // of the last connection accepted
};

// Opened for reading, without sharing, as an existing file.
class WinProgramFile : public ProgramFile {
  public:
    ~WinProgramFile() override { close(); }
    bool open(const std::string& name) override;
    bool size(std::uint64_t& bytes) override;
    std::size_t read(Byte* buf, std::size_t max) override;
    void close() override;

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace varomil
