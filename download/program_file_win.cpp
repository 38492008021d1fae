#include "download/download_devices_win.h"

namespace varomil {

bool WinProgramFile::open(const std::string& name) {
    close();
    handle_ = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
}

bool WinProgramFile::size(std::uint64_t& bytes) {
    LARGE_INTEGER li{};
    if (handle_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle_, &li)) return false;
    bytes = static_cast<std::uint64_t>(li.QuadPart);
    return true;
}

std::size_t WinProgramFile::read(Byte* buf, std::size_t max) {
    DWORD got = 0;
    if (handle_ == INVALID_HANDLE_VALUE ||
        !ReadFile(handle_, buf, static_cast<DWORD>(max), &got, nullptr))
        return 0;
    return got;
}

void WinProgramFile::close() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

}  // namespace varomil
