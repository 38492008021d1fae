// The texts of the download's message boxes.
#pragma once

#include <string_view>

namespace varomil::msg {

constexpr std::string_view kCantOpenPort = "Can't open the COM port!";
constexpr std::string_view kCradleFailed = "Failed to set IR device!";
constexpr std::string_view kCommStateFailed = "Error on setting communication state.";
constexpr std::string_view kWinsockFailed = "Unable to initialize the WinSock library.";
constexpr std::string_view kSocketFailed = "Create socket failed!";
constexpr std::string_view kBindFailed = "Error in Binding on socket!";
constexpr std::string_view kListenFailed = "Error in Listing on socket!";
constexpr std::string_view kDownloadError = "Error on downloading!";
constexpr std::string_view kDownloaded = "Downloaded completely!";
constexpr std::string_view kRetry = "Failed to download, would you like to retry?";
constexpr std::string_view kCantOpenFile = "Can't open the file!";
constexpr std::string_view kNotReady = "Terminal is not ready!";
constexpr std::string_view kCantErase = "Can't erase flash memory!";
constexpr std::string_view kEraseFailed = "Failed to erase flash memory!";
constexpr std::string_view kTimeOut = "Error : Time out !!";

}  // namespace varomil::msg
