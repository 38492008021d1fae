// The File menu's list of recently used settings files and the main window's
// title: the rules, apart from the registry and the menu that hold them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace varomil {

constexpr std::size_t kRecentFileCount = 4;

// Puts `path` first; an entry naming the same file (Windows paths ignore case)
// goes, and the list keeps at most kRecentFileCount names.
void rememberRecentFile(std::vector<std::string>& list, const std::string& path);

// Drops the entry naming `path`, as when it can no longer be opened.
void forgetRecentFile(std::vector<std::string>& list, const std::string& path);

// The list as read back from storage: empty names and repeats dropped, cut to
// kRecentFileCount.
std::vector<std::string> cleanRecentFiles(const std::vector<std::string>& stored);

// The menu text of entry `index` (0-based): "&1 C:\dir\name.NET". An ampersand in
// the path is doubled so that it shows; a long path keeps its drive or share and
// its file name around "...".
std::string recentFileMenuText(std::size_t index, const std::string& path);

// The file name of a path, without its folder.
std::string fileNameOf(const std::string& path);

// "name.NET - TITLE" once the settings have a file, "name.NET* - TITLE" while they
// are modified; without a file the plain title, "Untitled* - TITLE" once edited.
std::string windowTitleFor(const std::string& programTitle, const std::string& fileName,
                           bool modified);

}  // namespace varomil
