// Download to Many Terminals: the window from the Utilities menu, its checks
// before anything is sent, and (run by tests/e2e/site_window_e2e.sh against
// simulated terminals on the download port) a run to its end and a Stop.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window_win.h"
#include "resources/site_ids.h"
#include "settings/settings_image.h"
#include "site/site_window_win.h"
#include "tests/gui/download_port.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/host_telnet_peer.h"

namespace varomil::test {
namespace {

void setItem(int id, const std::string& text) {
    SetDlgItemTextA(siteWindow(), id, text.c_str());
}

void click(int id) {
    SendMessageA(siteWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(siteWindow(), id)));
}

void choose(int radio) {
    const int first =
        radio == IDC_SITE_RF || radio == IDC_SITE_SERIAL ? IDC_SITE_RF : IDC_SITE_IN_FORCE;
    CheckRadioButton(siteWindow(), first, first + 1, radio);
    click(radio);
}

HWND rowsList() {
    return GetDlgItem(siteWindow(), IDC_SITE_ROWS);
}

// The list's rows, cells joined by " | ".
std::vector<std::string> shownRows() {
    std::vector<std::string> rows;
    const int n = ListView_GetItemCount(rowsList());
    for (int i = 0; i < n; ++i) {
        std::string row;
        for (int c = 0; c < 5; ++c) {
            char text[128] = "";
            LVITEMA it{};
            it.iSubItem = c;
            it.pszText = text;
            it.cchTextMax = sizeof text;
            SendMessageA(rowsList(), LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&it));
            row += (c > 0 ? " | " : "") + std::string(text);
        }
        rows.push_back(row);
    }
    return rows;
}

HWND openWindow() {
    freshMainWindow();
    sendCommand(cmd::DownloadSite);
    return siteWindow();
}

void closeWindow() {
    if (siteWindow() != nullptr) DestroyWindow(siteWindow());
}

TEST(SiteWindow, OpensFromUtilitiesAndRefusesBadInputWithItsOneLine) {
    ASSERT_NE(openWindow(), nullptr);
    EXPECT_EQ(
        std::make_tuple(windowText(siteWindow()), dialogItemText(siteWindow(), IDC_SITE_PARALLEL),
                        dialogItemText(siteWindow(), IDC_SITE_WAIT),
                        IsWindowEnabled(GetDlgItem(siteWindow(), IDC_SITE_PORTS)) ||
                            IsWindowEnabled(GetDlgItem(siteWindow(), IDC_SITE_STOP))),
        std::make_tuple(std::string("Download to Many Terminals"), std::string("8"),
                        std::string("60"), false));

    const std::string table = scratchPath("dock.csv");
    std::ofstream(table, std::ios::binary)
        << "LocalName,ConnectFrom\r\nWH-1,127.0.0.2\r\nWH-2,127.0.0.3\r\n";
    const std::string longName = scratchPath("long.csv");
    std::ofstream(longName, std::ios::binary) << "LocalName\r\nABCDEFGHIJKLMNOPQRSTU\r\n";
    // The product, the link, a field (an IDC_SITE_* id, 0 for none) and its value,
    // the table: what Start says.
    const struct {
        int product, link, id;
        std::string value, table, message;
    } cases[] = {
        {0, IDC_SITE_RF, 0, "", "", "Please select product !!"},
        {1, IDC_SITE_RF, IDC_SITE_PARALLEL, "65", "", "Terminals at once: 1..64"},
        {1, IDC_SITE_SERIAL, IDC_SITE_PORTS, "COM1,com1", "",
         "COM ports: COM1..COM9, each once, as COM1,COM2"},
        {1, IDC_SITE_RF, IDC_SITE_COUNT, "3", table, table + ": 2 rows for 3 terminals"},
        {1, IDC_SITE_RF, IDC_SITE_ALLOW, "10.0.0/8", "",
         "Allowed addresses: 10.0.0 is not dotted IPv4 text"},
        {1, IDC_SITE_RF, IDC_SITE_SETS, "LocalName=A\r\nNoSuchField=1", "",
         "Values for all: NoSuchField: not a field name"},
        {1, IDC_SITE_RF, 0, "", longName,
         longName + " line 2, LocalName: 21 characters, at most 19"},
    };
    for (const auto& c : cases) {
        openWindow();
        if (c.product != 0) chooseProduct(c.product);
        choose(c.link);
        if (c.id != 0) setItem(c.id, c.value);
        setItem(IDC_SITE_TABLE, c.table);
        const Asked asked = answering({IDOK}, {}, [] { click(IDC_SITE_START); });
        ASSERT_EQ(asked.boxes.size(), 1u) << c.message;
        expectBox(asked.boxes[0], c.message, "Download to Many Terminals", MB_OK | MB_ICONWARNING);
        EXPECT_EQ(std::make_tuple(siteWindowRunning(), ListView_GetItemCount(rowsList()),
                                  menuItemEnabled(cmd::Configure)),
                  std::make_tuple(false, 0, true))
            << c.message;
    }
    closeWindow();
}

// A started run leaves its files, link, ports and counts for the next opening;
// the values for all (they may hold passwords) are not kept.
TEST(SiteWindow, OpensWithTheFieldsOfTheLastStartedRun) {
    openWindow();
    chooseProduct(1);
    choose(IDC_SITE_SERIAL);
    const std::string log = scratchPath("remembered.log");
    const struct {
        int id;
        std::string value;
    } fields[] = {{IDC_SITE_PORTS, "COM9"},
                  {IDC_SITE_COUNT, "1"},
                  {IDC_SITE_WAIT, "1"},
                  {IDC_SITE_LOG, log},
                  {IDC_SITE_SETS, "SystemPassword=1234"}};
    for (const auto& f : fields) setItem(f.id, f.value);
    click(IDC_SITE_START);  // COM9 cannot be opened: the run ends at once
    ASSERT_TRUE(pumpUntil([] { return !siteWindowRunning(); }));
    closeWindow();
    sendCommand(cmd::DownloadSite);
    for (const auto& f : fields)
        EXPECT_EQ(dialogItemText(siteWindow(), f.id), f.id == IDC_SITE_SETS ? "" : f.value);
    EXPECT_EQ(IsDlgButtonChecked(siteWindow(), IDC_SITE_SERIAL), BST_CHECKED);
    closeWindow();
}

std::string logLines(const std::string& path) {
    std::string text = fileBytes(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The script's simulators connect from 127.0.0.2..4 in an order other than the
// rows'; the images are checked byte for byte by the script.
TEST(SiteWindowEndToEnd, ServesEveryRowWhileConfigureIsGrayed) {
    if (env("VAROMIL_SITE_WINDOW_E2E") != "serve") GTEST_SKIP() << "run by site_window_e2e.sh";
    const std::string dir = env("VAROMIL_E2E_DIR");
    ASSERT_NE(openWindow(), nullptr);
    choose(IDC_SITE_FROM_FILE);
    setItem(IDC_SITE_FILE, dir + "site.NET");
    setItem(IDC_SITE_TABLE, dir + "dock.csv");
    setItem(IDC_SITE_LOG, dir + "window.log");
    setItem(IDC_SITE_REPORT, dir + "window.csv");
    setItem(IDC_SITE_PARALLEL, "2");
    click(IDC_SITE_START);
    ASSERT_TRUE(siteWindowRunning());
    // Configure and Download Settings (menu and button), Download Program and
    // Start: grayed while it runs.
    const auto state = [] {
        return windowText(siteWindow()) + " " + std::to_string(menuItemEnabled(cmd::Configure)) +
               std::to_string(buttonEnabled(cmd::Configure)) +
               std::to_string(menuItemEnabled(cmd::DownloadSettings)) +
               std::to_string(buttonEnabled(cmd::DownloadSettings)) +
               std::to_string(menuItemEnabled(cmd::DownloadProgram)) +
               std::to_string(IsWindowEnabled(GetDlgItem(siteWindow(), IDC_SITE_START)));
    };
    EXPECT_EQ(state(), "Download to Many Terminals - running 000000");
    ASSERT_TRUE(pumpUntil([] { return !siteWindowRunning(); }, 60000));
    EXPECT_EQ(state(), "Download to Many Terminals 111111");
    std::vector<std::string> rows = shownRows();
    ASSERT_EQ(rows.size(), 3u);
    for (std::string& r : rows) {
        // The peer's port is the system's choice.
        const std::size_t colon = r.find(':');
        ASSERT_NE(colon, std::string::npos) << r;
        r.erase(colon, r.find(' ', colon) - colon);
    }
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::string>{"1 | WH-1 | 127.0.0.2 | ok | 100 %",
                                              "2 | WH-2 | 127.0.0.3 | ok | 100 %",
                                              "3 | WH-3 | 127.0.0.4 | ok | 100 %"}));
    EXPECT_EQ(dialogItemText(siteWindow(), IDC_SITE_TOTALS),
              "3 terminals: 3 served (3 ok, 0 failed), 0 waiting");
    const std::string log = logLines(dir + "window.log");
    EXPECT_EQ(log.rfind("allowed: 127.0.0.2, 127.0.0.3, 127.0.0.4\n", 0), 0u) << log;
    EXPECT_NE(log.find("\n3 terminals: 3 ok, 0 failed, "), std::string::npos) << log;
    EXPECT_EQ(fileBytes(dir + "window.csv").rfind("\xEF\xBB\xBFTerminal,LocalName,ConnectFrom,", 0),
              0u);
    closeWindow();
}

// One simulated terminal that stalls part way, the other slot still waiting:
// Stop ends both, the download port is closed and the log is complete.
TEST(SiteWindowEndToEnd, StopEndsEveryTransferWithTheSocketsClosed) {
    if (env("VAROMIL_SITE_WINDOW_E2E") != "stop") GTEST_SKIP() << "run by site_window_e2e.sh";
    const std::string dir = env("VAROMIL_E2E_DIR");
    ASSERT_NE(openWindow(), nullptr);
    chooseProduct(1);
    setItem(IDC_SITE_COUNT, "2");
    setItem(IDC_SITE_LOG, dir + "stop.log");
    click(IDC_SITE_START);
    ASSERT_TRUE(pumpUntil(
        [] {
            const std::vector<std::string> rows = shownRows();
            return rows.size() == 2 && (rows[0].find("Sending") != std::string::npos ||
                                        rows[1].find("Sending") != std::string::npos);
        },
        30000));
    EXPECT_TRUE(downloadPortListens());
    // Closing while it runs asks first; No leaves it running.
    EXPECT_EQ(answering({IDNO}, {}, [] { click(IDCANCEL); }).boxes.at(0).text,
              "Terminals are still being served.\nStop them all and close?");
    ASSERT_TRUE(siteWindowRunning());
    click(IDC_SITE_STOP);
    ASSERT_TRUE(pumpUntil([] { return !siteWindowRunning(); }, 10000));
    EXPECT_FALSE(downloadPortListens());
    std::vector<std::string> rows = shownRows();
    ASSERT_EQ(rows.size(), 2u);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows[0].substr(0, 14), " |  | 127.0.0.");
    EXPECT_EQ(rows[0].substr(rows[0].size() - 13), " | Stopped | ") << rows[0];
    EXPECT_EQ(rows[1], " |  | port 3000 | Stopped | ");
    EXPECT_EQ(dialogItemText(siteWindow(), IDC_SITE_TOTALS),
              "2 terminals: 2 served (0 ok, 2 failed), 0 waiting");
    const std::string log = logLines(dir + "stop.log");
    EXPECT_NE(log.find("\n2 terminals: 0 ok, 2 failed, "), std::string::npos) << log;
    EXPECT_TRUE(menuItemEnabled(cmd::Configure));
    closeWindow();
}

}  // namespace
}  // namespace varomil::test
