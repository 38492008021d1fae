// Long expectations live in files under tests/data: a test compares its output
// with the file, and VAROMIL_UPDATE_GOLDEN=1 rewrites the file instead (review
// the diff before committing it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace varomil {

inline std::string goldenPath(const std::string& name) {
    return std::string(VAROMIL_TEST_DATA) + "/" + name;
}

inline std::string readGolden(const std::string& name) {
    std::ifstream in(goldenPath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Checks `actual` against tests/data/`name`.
inline void expectGolden(const std::string& name, const std::string& actual) {
    if (std::getenv("VAROMIL_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(goldenPath(name), std::ios::binary) << actual;
        return;
    }
    const std::string want = readGolden(name);
    ASSERT_FALSE(want.empty()) << "missing golden file " << goldenPath(name);
    EXPECT_EQ(actual, want) << "differs from " << goldenPath(name);
}

// The escapes of the case files under tests/data: \e \r \n \t \b \\, \xHH
// for any byte, \{N*c} for N times c.
inline std::string unescaped(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char e = s[i] == '\\' && i + 1 < s.size() ? s[++i] : 0;
        if (e == 0) {
            out += s[i];
        } else if (e == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (e == '{') {
            const std::size_t star = s.find('*', i);
            out.append(std::stoul(s.substr(i + 1, star - i - 1)), s[star + 1]);
            i = star + 2;
        } else {
            out += e == 'e'   ? '\x1b'
                   : e == 'r' ? '\r'
                   : e == 'n' ? '\n'
                   : e == 't' ? '\t'
                   : e == 'b' ? '\b'
                              : e;
        }
    }
    return out;
}

// A case file's lines (blank lines and '#' comments skipped), split at " | ".
inline std::vector<std::vector<std::string>> readCases(const std::string& name) {
    std::istringstream in(readGolden(name));
    std::vector<std::vector<std::string>> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        cases.emplace_back();
        for (std::size_t from = 0, to = 0; to != std::string::npos; from = to + 3) {
            to = line.find(" | ", from);
            cases.back().push_back(line.substr(from, to - from));
        }
    }
    return cases;
}

}  // namespace varomil
