#include "site/site_fields.h"

#include <gtest/gtest.h>

#include "common/text_helpers.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

// The README lists every field a table may name with what its value must be;
// the list is made from the table itself, so that it stays true.
TEST(SiteFields, TheReadmeListsEveryField) {
    std::string list = "| Field | Value |\n|---|---|\n";
    for (const SiteField& f : siteFields()) {
        std::string value;
        for (const char c : describeSiteField(f)) value += c == '*' ? "\\*" : std::string(1, c);
        list += "| `" + std::string(f.name) + "` | " + value + " |\n";
        EXPECT_EQ(findSiteField(lowercase(f.name)), &f);
    }
    EXPECT_EQ(findSiteField("Local"), nullptr);
    EXPECT_EQ(findSiteField("ConnectFrom"), nullptr);  // a column of the table, not a setting
    EXPECT_NE(readGolden("../../README.md").find(list), std::string::npos)
        << "the README's list of site fields should read:\n"
        << list;
}

}  // namespace
}  // namespace varomil
