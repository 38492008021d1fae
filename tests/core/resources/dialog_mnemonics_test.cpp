// Every dialog template of the resources: no two controls of one page or
// dialog share a mnemonic, or Alt+letter reaches the wrong one (Alt+S from the
// Login group would press Reset); and a template with labels has mnemonics.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tests/core/golden.h"

namespace varomil {
namespace {

// The mnemonic of the first quoted text of a control line, 0 for none ("&&" is
// a plain '&').
char mnemonicOf(const std::string& line) {
    const std::size_t open = line.find('"');
    if (open == std::string::npos) return 0;
    for (std::size_t i = open + 1; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '&' || i + 1 >= line.size()) continue;
        if (line[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(line[i + 1])));
    }
    return 0;
}

// A control the focus can go to, other than OK and Cancel: its template needs
// mnemonics.
bool takesFocus(const std::string& kind, const std::string& line) {
    static const std::set<std::string> inputs = {"EDITTEXT",    "COMBOBOX",       "LISTBOX",
                                                 "PUSHBUTTON",  "CHECKBOX",       "AUTOCHECKBOX",
                                                 "RADIOBUTTON", "AUTORADIOBUTTON"};
    if (line.find("\"OK\"") != std::string::npos || line.find("\"Cancel\"") != std::string::npos)
        return false;
    return inputs.count(kind) != 0 || line.find("WS_TABSTOP") != std::string::npos;
}

TEST(DialogMnemonics, EveryTemplateWithLabelsHasMnemonicsNoneTwice) {
    const std::filesystem::path resources =
        std::filesystem::path(goldenPath("")) / "../../resources";
    int templates = 0;
    for (const auto& entry : std::filesystem::directory_iterator(resources)) {
        if (entry.path().extension() != ".dlg") continue;
        std::ifstream in(entry.path());
        std::string line, name;
        std::map<char, std::string> used;  // mnemonic -> the line that has it
        bool inside = false, labels = false;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string first, second;
            words >> first >> second;
            if (second == "DIALOGEX" || second == "DIALOG") {
                name = first;
                used.clear();
                ++templates;
            } else if (first == "BEGIN") {
                inside = !name.empty();
            } else if (first == "END") {
                EXPECT_TRUE(!inside || !labels || !used.empty())
                    << entry.path().filename().string() << " " << name << ": no mnemonic";
                inside = labels = false;
                name.clear();
            } else if (inside) {
                labels = labels || takesFocus(first, line);
                const char m = mnemonicOf(line);
                if (!m) continue;
                const auto [at, fresh] = used.emplace(m, line);
                EXPECT_TRUE(fresh)
                    << entry.path().filename().string() << " " << name << ": '" << m << "' in\n"
                    << at->second << "\n"
                    << line;
            }
        }
    }
    EXPECT_GT(templates, 20);
}

}  // namespace
}  // namespace varomil
