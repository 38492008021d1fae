// Long expectations live in files under tests/data: a test compares its output
// with the file, and VAROMIL_UPDATE_GOLDEN=1 rewrites the file instead (review
// the diff before committing it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

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

}  // namespace varomil
