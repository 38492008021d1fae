// Command ids of the main window and what the dispatcher needs to know about each
// before it runs one: whether it needs a selected product and whether the status
// bar keeps the command's own text afterwards.
#pragma once

#include <array>

#include "resources/resource_ids.h"
#include "resources/site_ids.h"
#include "resources/summary_ids.h"

namespace varomil {

namespace cmd {
constexpr int New = IDM_NEW;
constexpr int Open = IDM_OPEN;
constexpr int Save = IDM_SAVE;
constexpr int SaveAs = IDM_SAVE_AS;
constexpr int Exit = IDM_EXIT;
constexpr int Configure = IDM_CONFIGURE;
constexpr int DownloadSettings = IDM_DOWNLOAD_SETTINGS;
constexpr int DownloadProgram = IDM_DOWNLOAD_PROGRAM;
constexpr int DownloadSite = IDM_DOWNLOAD_SITE;
constexpr int Capture = IDM_CAPTURE;
constexpr int StartCapture = IDM_START_CAPTURE;
constexpr int StopCapture = IDM_STOP_CAPTURE;
constexpr int Connect = IDM_CONNECT;
constexpr int Disconnect = IDM_DISCONNECT;
constexpr int About = IDM_ABOUT;
constexpr int ProductSelector = IDC_PRODUCT_SELECTOR;
constexpr int ExportSummary = IDM_EXPORT_SUMMARY;
constexpr int CompareWith = IDM_COMPARE_WITH;
constexpr int CompareFactory = IDM_COMPARE_FACTORY;
constexpr int TreeCopy = IDM_TREE_COPY;
constexpr int TreeFind = IDM_TREE_FIND;
constexpr int TreeFindNext = IDM_TREE_FIND_NEXT;
}  // namespace cmd

struct CommandInfo {
    int id;
    const char* name;
    bool needsProduct;     // refused with "Please select product !!" while none is selected
    bool keepsStatusText;  // the status bar keeps what the command wrote
};

constexpr std::array<CommandInfo, 22> kCommands{{
    {cmd::New, "New", true, false},
    {cmd::Open, "Open", false, false},
    {cmd::Save, "Save", true, false},
    {cmd::SaveAs, "Save As", true, false},
    {cmd::Exit, "Exit", false, false},
    {cmd::Configure, "Configure", true, false},
    {cmd::DownloadSettings, "Download Settings", true, false},
    {cmd::DownloadProgram, "Download Program", false, false},
    {cmd::DownloadSite, "Download to Many Terminals", false, false},
    {cmd::Capture, "Capture", false, true},
    {cmd::StartCapture, "Start Capture", false, true},
    {cmd::StopCapture, "Stop Capture", false, true},
    {cmd::Connect, "Connect", false, false},
    {cmd::Disconnect, "Disconnect", false, false},
    {cmd::About, "About", false, false},
    {cmd::ProductSelector, "Product", false, false},
    {cmd::ExportSummary, "Export Summary", true, false},
    {cmd::CompareWith, "Compare With", true, false},
    {cmd::CompareFactory, "Compare with Factory Settings", true, false},
    {cmd::TreeCopy, "Copy", false, false},
    {cmd::TreeFind, "Find", false, false},
    {cmd::TreeFindNext, "Find Next", false, false},
}};

// The entry of a command id, or nullptr for an id the program does not know.
constexpr const CommandInfo* findCommand(int id) {
    for (const CommandInfo& c : kCommands) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

constexpr bool commandNeedsProduct(int id) {
    const CommandInfo* c = findCommand(id);
    return c != nullptr && c->needsProduct;
}

constexpr bool commandKeepsStatusText(int id) {
    const CommandInfo* c = findCommand(id);
    return c != nullptr && c->keepsStatusText;
}

}  // namespace varomil
