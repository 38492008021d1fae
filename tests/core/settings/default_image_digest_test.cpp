#include "tests/core/settings/default_image_digest.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/factory_defaults.h"

namespace varomil {
namespace {

TEST(FactoryDefaultsDigest, MatchesTheDigestTheWindowsBuildChecks) {
    for (int product = 0; product <= 3; ++product) {
        auto image = std::make_unique<SettingsImage>();
        auto c = std::make_unique<Companions>();
        applyFactoryDefaults(*image, *c, product);
        EXPECT_EQ(defaultsDigest(*image, *c), kDefaultsDigest[product])
            << "product " << product << std::hex << " digest 0x" << defaultsDigest(*image, *c);
    }
}

}  // namespace
}  // namespace varomil
