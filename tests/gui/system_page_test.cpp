// The System page driven as a user would: typing, toggling, switching prompt
// sections, Reset, then OK or Cancel; the image bytes are checked after each.
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

// The cases, and the bytes they must leave, are in tests/data/pages/system.txt.
TEST(SystemPageTest, StepsLeaveTheirBytes) {
    runSheetCases("pages/system.txt");
}

}  // namespace
}  // namespace varomil::test
