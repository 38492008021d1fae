#include "settings/summary_tree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "settings/factory_defaults.h"

namespace varomil {
namespace {

const SummaryContext kContext{"Dornwick", "V2.90.0", "Notice", {"4410/4420", "4630/4640", "4850"}};

struct Fixture {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    explicit Fixture(int product) { applyFactoryDefaults(*image, *comp, product); }
    std::vector<SummaryItem> tree() const { return buildSummaryTree(*image, kContext); }
};

const SummaryItem& child(const std::vector<SummaryItem>& items, const std::string& text) {
    for (const SummaryItem& i : items) {
        if (i.text == text) return i;
    }
    static const SummaryItem none{"<missing>", {}};
    ADD_FAILURE() << "no item " << text;
    return none;
}

std::string printed(const SummaryItem& item) {
    return printSummaryTree({item});
}

TEST(SummaryTree, DefaultsOfProductTwo) {
    const std::vector<SummaryItem> roots = Fixture(2).tree();
    ASSERT_EQ(roots.size(), 6u);
    EXPECT_EQ(
        printed(roots[0]),
        "Information\n  Terminal Model : Dornwick 4630/4640\n  Version : V2.90.0\n  Notice\n");

    SummaryItem system = roots[1];
    ASSERT_EQ(system.children.size(), 10u);
    const SummaryItem prompts = system.children.back();
    system.children.pop_back();
    EXPECT_EQ(printed(system),
              "System\n"
              "  Power On : Resume Program\n"
              "  Auto Power Off : 180 seconds\n"
              "  Backlight : Turn Off\n"
              "  Turn off if idle for 20 seconds\n"
              "  Download via : Cradle-IR\n"
              "  Baud Rate : 115200 bps\n"
              "  Key Click : Enable\n"
              "  Function Key : Unlocked\n"
              "  Security\n"
              "    Password : \n"
              "    TCP/IP Settings : Disable\n"
              "    Emulation Settings : Disable\n"
              "    Set Data & Time : Disable\n");
    ASSERT_EQ(prompts.children.size(), 12u);
    const std::size_t lines[] = {2, 8, 8, 8, 4, 4, 4, 4, 4, 4, 7, 6};
    for (std::size_t g = 0; g < 12; ++g) EXPECT_EQ(prompts.children[g].children.size(), lines[g]);
    EXPECT_EQ(prompts.children[0].text, "Main Menu (15*2)              ");
    EXPECT_EQ(prompts.children[4].children[2].text, "Turn baclight off if");
    EXPECT_EQ(prompts.children[0].children[1].text, "2. Utilities   ");

    EXPECT_EQ(printed(roots[2]),
              "Barcode\n"
              "  Reader Settings\n"
              "    Scan Mode : Laser\n"
              "    Read Redundancy : None\n"
              "    Time Out : 3 sec\n"
              "    Negative Barcode : Disable\n"
              "  Barcode Parameters\n"
              "    Enable Code 39\n"
              "      Transmit Start / Stop : Disable\n"
              "      Verify Checksum : Disable\n"
              "      Transmit Checksum : Enable\n"
              "      Code 39 Full ASCII : Disable\n"
              "    Disable Italian Pharmacode\n"
              "      Transmit Checksum : Enable\n"
              "    Disable French Pharmacode\n"
              "      Transmit Checksum : Enable\n"
              "    Enable Industrial 25\n"
              "      Start / Stop Selection : Industrial 25\n"
              "      Verify Checksum : Disable\n"
              "      Transmit Checksum : Enable\n"
              "      Length Qualification : Max / Min Length\n"
              "        Max Length : 127\n"
              "        Min Length : 1\n"
              "    Enable Interleave 25\n"
              "      Start / Stop Selection : Interleave 25\n"
              "      Verify Checksum : Disable\n"
              "      Transmit Checksum : Enable\n"
              "      Length Qualification : Max / Min Length\n"
              "        Max Length : 126\n"
              "        Min Length : 1\n"
              "    Disable Matrix 25\n"
              "      Start / Stop Selection : Matrix 25\n"
              "      Verify Checksum : Disable\n"
              "      Transmit Checksum : Enable\n"
              "      Length Qualification : Max / Min Length\n"
              "        Max Length : 127\n"
              "        Min Length : 1\n"
              "    Enable Codabars\n"
              "      Start / Stop Character : abcd / abcd\n"
              "      Transmitting Start / Stop Character : Disable\n"
              "    Disable MSI\n"
              "      Checksum Verification : Single Modulo 10\n"
              "      Checksum Transmission : Transmitted\n"
              "      Length Qualification : Max / Min Length\n"
              "        Max Length : 127\n"
              "        Min Length : 1\n"
              "    Disable Plessey\n"
              "      Convert to UK Plessey : Disable\n"
              "      Transmit Checksum : Enable\n"
              "    UPCE\n"
              "      Enable UPCE\n"
              "      Disable UPCE Addon 2\n"
              "      Disable UPCE Addon 5\n"
              "      Convert to UPCA : Disable\n"
              "      Transmit Checksum : Enable\n"
              "      Transmit System Number : Disable\n"
              "    EAN 8\n"
              "      Enable EAN 8\n"
              "      Disable EAN 8 Addon 2\n"
              "      Disable EAN 8 Addon 5\n"
              "      Convert to EAN 13 : Disable\n"
              "      Transmit Checksum : Enable\n"
              "    EAN 13 & UPCA\n"
              "      Enable EAN 13 & UPCA\n"
              "      EAN 13\n"
              "        Disable EAN 13 Addon 2\n"
              "        Disable EAN 13 Addon 5\n"
              "        ISBN Conversion : Disable\n"
              "        ISSN Conversion : Disable\n"
              "        Transmit Checksum : Enable\n"
              "      UPCA\n"
              "        Convert to EAN 13 : Enable\n"
              "        Transmit Checksum : Enable\n"
              "        Transmit System Number : Enable\n"
              "    Disable RSS 14\n"
              "      Transmit Code ID : Enable\n"
              "      Transmit Application ID : Enable\n"
              "      Transmit Check Digit : Enable\n"
              "    Disable RSS 14 Limited\n"
              "      Transmit Code ID : Enable\n"
              "      Transmit Application ID : Enable\n"
              "      Transmit Check Digit : Enable\n"
              "    Disable RSS 14 Expanded\n"
              "      Transmit Code ID : Enable\n"
              "    Disable Telepen\n"
              "      AIM Telepen  (Full ASCII)\n"
              "    Enable Code 93\n"
              "    Enable Code 128\n"
              "  Advanced Settings\n"
              "    Check Leading Code: Disable\n"
              "    Leading Code: \n"
              "    Check Code Length : Disable\n"
              "    Code Length : 1\n"
              "    Read Partial Code : Disable\n"
              "    Start Position : 1\n"
              "    Maximum Length : 50\n"
              "    Add Prefix Code : Disable\n"
              "    Prefix Code : \n"
              "    Add Suffix Code : Disable\n"
              "    Suffix Code : \n"
              "    Auto Enter : Enable\n"
              "    Good Beep : One-beep\n"
              "    Scan Control : Always enable after login\n"
              "    Scan Enable Command : ESC [ 9 9 h \n"
              "    Scan Disable Command : ESC [ 9 9 l \n"
              "    Scan AutoEnter Command : \n"
              "    Scan SwitchKey Name : Disable\n");

    const std::string zeros5 = "00 00 00 00 00 ";
    std::string zeros64;
    for (int i = 0; i < 64; ++i) zeros64 += "00 ";
    EXPECT_EQ(printed(roots[3]),
              "Wireless LAN\n"
              "  IP\n"
              "    Enable DHCP Server\n"
              "    Subnet Mask : 255.255.128.0\n"
              "    Gateway : 192.168.1.250\n"
              "    DNS Server : 0.0.0.0\n"
              "    Terminal IP : 192.168.1.241\n"
              "    Local Name : \n"
              "    SSID : WLAN\n"
              "  Security\n"
              "    Security : Open System\n"
              "    Disable EAP\n"
              "    EAP ID : \n"
              "    EAP Password : \n"
              "    Disable WEP Key\n"
              "    WEP Key Length : 64 bits (5 bytes)\n"
              "    Active WEP Key 1\n"
              "    WEP Key 1 : " +
                  zeros5 + "\n    WEP Key 2 : " + zeros5 + "\n    WEP Key 3 : " + zeros5 +
                  "\n    WEP Key 4 : " + zeros5 + "\n    WPA Passphrase: " + zeros64 +
                  "\n"
                  "  Login\n"
                  "    Active Host IP or Name : 1\n"
                  "    Host IP or Name : 192.168.1.100\n"
                  "    Host IP or Name : \n"
                  "    Host IP or Name : \n"
                  "    Host IP or Name : \n"
                  "    Host IP or Name : \n"
                  "    Telnet Port : 23\n"
                  "    Login Name : new\n"
                  "    Name Prompt: login:\n"
                  "    Login Name Key : Disable\n"
                  "    Login Password : wicks\n"
                  "    Password Prompt: password:\n"
                  "    Login Password Key : Disable\n"
                  "    Logout Command : EXIT\n"
                  "    Logout Key : Disable\n");

    const SummaryItem& emulation = roots[4];
    ASSERT_EQ(emulation.children.size(), 5u);
    SummaryItem head = emulation;
    head.children.pop_back();
    EXPECT_EQ(printed(head),
              "Emulation\n"
              "  Emulation Type : vt100\n"
              "  Font Size : Small (6x8)\n"
              "  Case Conversion : No conversion\n"
              "  Screen Scroll & Control\n"
              "    Navigator : Icon\n"
              "    Navigator Key : Disable\n"
              "    Horizontal Steps : 19\n"
              "    Vertical Steps : 7\n"
              "    View Org X : 0\n"
              "    View Org Y : 0\n"
              "    Cursor Tracking : Enable\n"
              "    Trim Spaces : Disable\n"
              "    Local Echo : Enable\n");
    const std::vector<SummaryItem>& keys = emulation.children.back().children;
    ASSERT_EQ(keys.size(), 33u);
    const std::pair<std::size_t, const char*> some[] = {
        {0, "FN+0  =>  Undefined"},  {1, "FN+1  =>  F1"},         {12, "ENTER  =>  Undefined"},
        {13, "FN+D  =>  Undefined"}, {14, "FN+H  =>  Undefined"}, {29, "Up    =>  Undefined"},
        {32, "Right  =>  Undefined"}};
    for (const auto& [n, text] : some) EXPECT_EQ(keys[n].text, text) << n;
    EXPECT_EQ(printed(roots[5]), "Screen\n");
}

TEST(SummaryTree, ProductChoosesNamesAndKeys) {
    EXPECT_TRUE(Fixture(0).tree().empty());
    const std::vector<SummaryItem> narrow = Fixture(1).tree();
    const SummaryItem& prompts = narrow[1].children[9];
    EXPECT_EQ(prompts.children[0].text, "Main Menu (12*2)              ");
    EXPECT_EQ(child(narrow[1].children, "Function Key : Locked").text, "Function Key : Locked");
    const std::vector<SummaryItem>& keys1 = narrow[4].children[4].children;
    ASSERT_EQ(keys1.size(), 15u);
    EXPECT_EQ(keys1[13].text, "Up    =>  Undefined");
    EXPECT_EQ(keys1[14].text, "Down  =>  Undefined");

    const std::vector<SummaryItem> wide = Fixture(3).tree();
    EXPECT_EQ(wide[1].children[9].children[11].text, "Miscellaneous (20*6)          ");
    EXPECT_EQ(wide[0].children[0].text, "Terminal Model : Dornwick 4850");
    const std::vector<SummaryItem>& keys3 = wide[4].children[4].children;
    ASSERT_EQ(keys3.size(), 26u);
    EXPECT_EQ(keys3[13].text, "Up    =>  Undefined");
    EXPECT_EQ(keys3[25].text, "F12   =>  Undefined");
}

TEST(SummaryTree, ValuesModifiersRolesAndPages) {
    Fixture f(2);
    SettingsImage& img = *f.image;
    img.setByte(fld::AutoPowerOffLow, 44);
    img.setByte(fld::AutoPowerOffHigh, 1);
    img.bytes()[3690 + 2] |= 0x06;  // Telepen on, TelepenNumeric 1 as the dialog writes it
    img.setCodes(fld::PrefixCode, "\x1b\x80 A");
    img.setByte(fld::WepKeyLength, 1);
    img.setByte(fld::ActiveWepKey, 3);
    img.setRaw(slot::wepKey(1), reinterpret_cast<const Byte*>("\x01\xab\xff"), 3);
    img.setByte(slot::binding(3), 201, 0);
    img.setByte(slot::binding(3), 0, 1);
    img.setByte(slot::binding(5), 1, 0);
    img.setByte(slot::binding(5), 12, 1);
    img.setByte(slot::binding(6), 2, 0);
    img.setByte(slot::binding(6), 20, 1);
    img.setByte(fld::PageCount, 2);
    img.setByte(fld::FontSize, 1);
    img.setByte(slot::pageLayout(1), 1);
    img.setByte(fld::CursorLocationMode, 1);
    img.setText(slot::lineText(1, 2), "QTY");
    img.setByte(slot::lineHostRow(1, 2), 5);
    img.setByte(slot::lineHostColumn(1, 2), 12);

    const std::vector<SummaryItem> roots = f.tree();
    EXPECT_EQ(roots[1].children[1].text, "Auto Power Off : 300 seconds");
    const SummaryItem& telepen = child(roots[2].children[1].children, "Enable Telepen");
    EXPECT_EQ(printed(telepen), "Enable Telepen\n  Original Telepen  (Numeric)\n");
    EXPECT_EQ(roots[2].children[2].children[8].text, "Prefix Code : ESC 128 SP A ");
    const std::vector<SummaryItem>& sec = roots[3].children[1].children;
    EXPECT_EQ(sec[5].text, "WEP Key Length : 128 bits (13 bytes)");
    EXPECT_EQ(sec[6].text, "Active WEP Key 4");
    EXPECT_EQ(sec[8].text, "WEP Key 2 : 01 AB FF 00 00 00 00 00 00 00 00 00 00 ");
    const std::vector<SummaryItem>& keys = roots[4].children[4].children;
    EXPECT_EQ(keys[3].text + "|" + keys[5].text + "|" + keys[6].text,
              "FN+3  =>  Name Key|FN+5  =>  Shift  +  F12|FN+6  =>  Alt  +  User defined");

    const SummaryItem& screen = roots[5];
    ASSERT_EQ(screen.children.size(), 2u);
    EXPECT_EQ(screen.children[0].children[0].text, "Reformat page  1 to 15 characters *  4 lines");
    const SummaryItem& page2 = screen.children[1];
    EXPECT_EQ(page2.text, "Page  2");
    EXPECT_EQ(page2.children[0].text, "Reformat page  2 to 15 characters *  8 lines");
    EXPECT_EQ(page2.children[1].text, "Cursor location is specified by : Host row and column");
    ASSERT_EQ(page2.children.size(), 2u + 8u);
    EXPECT_EQ(printed(page2.children[4]),
              "Terminal Line No :  3\n  Host Row, Column : 5, 12\n  Terminal Screen : QTY\n");
    EXPECT_TRUE(page2.children[3].children.empty());
}

TEST(SummaryTree, HostileImageStaysWithinItsSlots) {
    Fixture f(2);
    f.image->bytes().fill(0xFF);
    const std::vector<SummaryItem> roots = f.tree();
    ASSERT_EQ(roots.size(), 6u);
    EXPECT_EQ(roots[0].children[0].text, "Terminal Model : Dornwick ");
    EXPECT_EQ(roots[1].children[0].text, "Power On :  Program");
    EXPECT_EQ(roots[1].children[2].text, "Backlight : ");
    EXPECT_EQ(roots[1].children[3].text, "Turn off if idle for 2550 seconds");
    EXPECT_EQ(roots[1].children[8].children[1].text, "TCP/IP Settings : ");
    EXPECT_EQ(roots[1].children[9].children[0].children[0].text, std::string(41, '\xff'));
    const std::vector<SummaryItem>& advanced = roots[2].children[2].children;
    EXPECT_EQ(advanced[1].text, "Leading Code: " + std::string(10, '\xff'));
    std::string names;
    for (int i = 0; i < 10; ++i) names += "255 ";
    EXPECT_EQ(advanced[8].text, "Prefix Code : " + names);
    EXPECT_EQ(advanced[13].text, "Scan Control : ");
    EXPECT_EQ(advanced[17].text, "Scan SwitchKey Name : ");
    EXPECT_EQ(roots[2].children[0].children[0].text, "Scan Mode : ");
    const std::vector<SummaryItem>& sec = roots[3].children[1].children;
    EXPECT_EQ(sec[5].text, "WEP Key Length : ");
    EXPECT_EQ(sec[7].text, "WEP Key 1 : FF FF FF FF FF ");
    EXPECT_EQ(sec[11].text.size(), 208u);
    EXPECT_EQ(roots[3].children[0].children[5].text, "Local Name : " + std::string(20, '\xff'));
    EXPECT_EQ(roots[3].children[2].children[6].text, "Telnet Port : 65535");
    EXPECT_EQ(roots[4].children[1].text, "Font Size : ");
    EXPECT_EQ(roots[4].children[3].children[8].text, "Local Echo : ");
    EXPECT_EQ(roots[4].children[4].children[0].text, "FN+0  =>  ");
    EXPECT_EQ(roots[5].children.size(), 50u);
    EXPECT_EQ(roots[5].children[49].children[0].text, "Reformat page 50 to ");
    EXPECT_EQ(roots[5].children[49].children.size(), 2u);  // no layout, no lines
}

// print_summary and Export Summary must print the texts the tree shows, which
// come from the resource script.
TEST(SummaryTree, ProgramContextIsTheResourceStrings) {
    std::ifstream rc(VAROMIL_TEST_DATA "/../../resources/varomil.rc");
    ASSERT_TRUE(rc.good());
    std::stringstream text;
    text << rc.rdbuf();
    const SummaryContext ctx = programSummaryContext();
    std::vector<std::string> lines{"IDS_MAKER \"" + ctx.maker + '"',
                                   "IDS_VERSION \"" + ctx.version + '"',
                                   "IDS_NOTICE \"" + ctx.notice + '"'};
    for (std::size_t i = 0; i < ctx.productNames.size(); ++i) {
        lines.push_back(std::to_string(3002 + i) + " \"" + ctx.productNames[i] + '"');
    }
    for (const std::string& line : lines) {
        EXPECT_NE(text.str().find(line), std::string::npos) << line;
    }
}

// The whole text print_summary and Export Summary give for the factory settings.
TEST(SummaryTree, ExportOfFactorySettingsMatchesTheGoldenFile) {
    std::ifstream golden(VAROMIL_TEST_DATA "/summary-4630.txt", std::ios::binary);
    ASSERT_TRUE(golden.good());
    std::stringstream text;
    text << golden.rdbuf();
    Fixture f(2);
    EXPECT_EQ(summaryExportText(buildSummaryTree(*f.image, programSummaryContext())), text.str());
}

TEST(SummaryTree, ExportTextIsUtf8) {
    EXPECT_EQ(ansiToUtf8("a\xE9\x80\x81z"), "a\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBDz");
    Fixture f(1);
    f.image->setText(slot::promptSlot(0), "Caf\xE9");
    const std::string text = summaryExportText(f.tree());
    EXPECT_EQ(text, ansiToUtf8(printSummaryTree(f.tree())));
    EXPECT_NE(text.find("      Caf\xC3\xA9\n"), std::string::npos);
}

}  // namespace
}  // namespace varomil
