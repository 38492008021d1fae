#include "download/download_devices_win.h"

#include <string>

namespace varomil {

constexpr DWORD kInputQueue = 256;
constexpr DWORD kOutputQueue = 1200;

bool WinSerialDevice::open(int port) {
    close();
    if (port < 0 || port > 8) return false;
    const std::string name = "COM" + std::to_string(port + 1);
    handle_ = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    SetupComm(handle_, kInputQueue, kOutputQueue);
    return true;
}

bool WinSerialDevice::apply(const LineSettings& s) {
    // Everything not named here stays zero: no flow control, no parity check, no
    // error characters. Binary mode is the only mode Windows supports.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = s.baudRate;
    dcb.fBinary = TRUE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fDtrControl = s.dtrEnable ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = s.rtsEnable ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    return SetCommState(handle_, &dcb) != FALSE;
}

void WinSerialDevice::setReadsImmediate() {
    COMMTIMEOUTS t{};
    GetCommTimeouts(handle_, &t);
    t.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(handle_, &t);
}

void WinSerialDevice::setSessionTimeouts() {
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = 0;
    t.ReadTotalTimeoutConstant = 0;
    t.WriteTotalTimeoutMultiplier = 5;
    t.WriteTotalTimeoutConstant = 50;
    SetCommTimeouts(handle_, &t);
}

bool WinSerialDevice::write(const Byte* data, std::size_t n) {
    DWORD written = 0;
    return WriteFile(handle_, data, static_cast<DWORD>(n), &written, nullptr) != FALSE &&
           written == n;
}

std::size_t WinSerialDevice::read(Byte* buf, std::size_t max) {
    DWORD got = 0;
    if (!ReadFile(handle_, buf, static_cast<DWORD>(max), &got, nullptr)) return 0;
    return got;
}

void WinSerialDevice::close() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    PurgeComm(handle_, PURGE_RXCLEAR);
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

}  // namespace varomil
