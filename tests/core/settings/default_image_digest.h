// Digests of the factory-default images, shared by the native tests and the Wine
// GUI tests: the product selector of the real window must give the very image the
// core gives natively. The byte-level checks of the defaults are elsewhere; these
// only tie the two builds together.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings_image.h"

namespace varomil {

inline std::uint64_t fnv1a(const Byte* data, std::size_t n,
                           std::uint64_t h = 1469598103934665603ull) {
    for (std::size_t i = 0; i < n; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

// Image, then the key-code table and the working reader blocks.
inline std::uint64_t defaultsDigest(const SettingsImage& image, const Companions& c) {
    std::uint64_t h = fnv1a(image.bytes().data(), image.bytes().size());
    for (const KeyCode& code : c.functionKeys.raw()) h = fnv1a(code.data(), code.size(), h);
    h = fnv1a(c.reader1D.data(), c.reader1D.size(), h);
    return fnv1a(c.reader2D.data(), c.reader2D.size(), h);
}

constexpr std::uint64_t kDefaultsDigest[4] = {0xa9aa0b3a15f25722ull, 0x087b980f3092aaf7ull,
                                              0xa44e477f7193a770ull, 0x5d4bb9270a7d29ddull};

}  // namespace varomil
