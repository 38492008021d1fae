#include "app/recent_files.h"

#include <algorithm>
#include <cctype>

#include "common/text_helpers.h"

namespace varomil {

namespace {

constexpr std::size_t kLongestMenuPath = 60;

bool sameFile(const std::string& a, const std::string& b) {
    return equalsIgnoringCase(a, b);
}

std::size_t lastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

// "C:\" or "\\server\share\" (with its separator), or nothing.
std::string rootOf(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/'))
        return path.substr(0, 3);
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : path.find('\\', server + 1);
        if (share != std::string::npos) return path.substr(0, share + 1);
    }
    return {};
}

}  // namespace

void rememberRecentFile(std::vector<std::string>& list, const std::string& path) {
    if (path.empty()) return;
    forgetRecentFile(list, path);
    list.insert(list.begin(), path);
    if (list.size() > kRecentFileCount) list.resize(kRecentFileCount);
}

void forgetRecentFile(std::vector<std::string>& list, const std::string& path) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const std::string& p) { return sameFile(p, path); }),
               list.end());
}

std::vector<std::string> cleanRecentFiles(const std::vector<std::string>& stored) {
    std::vector<std::string> list;
    for (const std::string& path : stored) {
        if (path.empty()) continue;
        const bool repeated = std::any_of(list.begin(), list.end(),
                                          [&](const std::string& p) { return sameFile(p, path); });
        if (!repeated) list.push_back(path);
        if (list.size() == kRecentFileCount) break;
    }
    return list;
}

std::string recentFileMenuText(std::size_t index, const std::string& path) {
    std::string shown = path;
    if (shown.size() > kLongestMenuPath) {
        const std::string root = rootOf(path);
        const std::size_t cut = lastSeparator(path);
        if (cut != std::string::npos && cut + 1 > root.size())
            shown = root + "..." + path.substr(cut);
    }
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : shown) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t cut = lastSeparator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string windowTitleFor(const std::string& programTitle, const std::string& fileName,
                           bool modified) {
    // Edits not yet in any file are marked as those of a named file are.
    if (fileName.empty()) return modified ? "Untitled* - " + programTitle : programTitle;
    return fileNameOf(fileName) + (modified ? "*" : "") + " - " + programTitle;
}

}  // namespace varomil
