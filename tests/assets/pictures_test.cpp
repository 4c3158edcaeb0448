// The embedded pictures, read back as the files a toolkit will decode.
#include "form/pictures.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <tuple>

namespace varnsel {
namespace {

using Bytes = std::span<const unsigned char>;

std::uint32_t u32(Bytes b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t u16(Bytes b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::int32_t s32(Bytes b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

using Rgb = std::tuple<int, int, int>;

// A 24-bit bottom-up bitmap file, read by row from the top.
struct Bitmap {
    Bytes file;
    int width() const { return s32(file, 18); }
    int height() const { return s32(file, 22); }
    Rgb at(int x, int y) const {
        const std::size_t stride = (static_cast<std::size_t>(width()) * 3 + 3) & ~std::size_t{3};
        const std::size_t p = 54 + stride * static_cast<std::size_t>(height() - 1 - y) +
                              3 * static_cast<std::size_t>(x);
        return {file[p + 2], file[p + 1], file[p]};
    }
};

void expectUncompressed24Bit(Bytes file, int width, int height, std::size_t size) {
    ASSERT_EQ(file.size(), size);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(u32(file, 2), size);
    EXPECT_EQ(u32(file, 10), 54u);  // no palette
    EXPECT_EQ(u32(file, 14), 40u);
    EXPECT_EQ(s32(file, 18), width);
    EXPECT_EQ(s32(file, 22), height);  // positive: rows stored bottom-up
    EXPECT_EQ(u16(file, 26), 1);
    EXPECT_EQ(u16(file, 28), 24);
    EXPECT_EQ(u32(file, 30), 0u);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    EXPECT_EQ(54 + stride * static_cast<std::size_t>(height), size);
}

TEST(Pictures, TheIllustrationFitsWhatThePictureBoxShows) {
    const Bitmap picture{form::pictureFile(form::Picture::Illustration)};
    expectUncompressed24Bit(picture.file, 335, 461, 464742);
    int lit = 0;
    for (int y = 0; y < 461; ++y) {
        for (int x = 0; x < 335; ++x) {
            if (x >= 317 || y >= 261) {  // under the sunken border, or beyond
                ASSERT_EQ(picture.at(x, y), Rgb(0, 0, 0)) << x << ", " << y;
            } else if (picture.at(x, y) != Rgb(0, 0, 0)) {
                ++lit;
            }
        }
    }
    EXPECT_GT(lit, 317 * 261 / 2);  // a drawing, not an empty box
}

TEST(Pictures, TheArrowIsSolidRedOverTheUpperEightyRowsOnFaceGrey) {
    const Bitmap arrow{form::pictureFile(form::Picture::Arrow)};
    expectUncompressed24Bit(arrow.file, 115, 99, 34506);
    const Rgb red{255, 0, 0};
    const Rgb grey{192, 192, 192};
    for (int y = 0; y < 99; ++y) {
        bool redInRow = false;
        for (int x = 0; x < 115; ++x) {
            const Rgb c = arrow.at(x, y);
            ASSERT_TRUE(c == red || c == grey) << x << ", " << y;
            redInRow = redInRow || c == red;
        }
        EXPECT_EQ(redInRow, y < 80) << "row " << y;
    }
    EXPECT_EQ(arrow.at(57, 79), red);  // the tip, at the centre
    EXPECT_EQ(arrow.at(0, 0), grey);
}

TEST(Pictures, TheIconHoldsA4BitAndAn8BitImageWithEmptyMasks) {
    const Bytes icon = form::iconFile();
    ASSERT_EQ(icon.size(), 4534u);
    EXPECT_EQ(u16(icon, 0), 0);
    EXPECT_EQ(u16(icon, 2), 1);  // an icon
    ASSERT_EQ(u16(icon, 4), 2);
    struct Expected {
        int size, bits, colours;
    };
    const Expected images[] = {{32, 4, 16}, {48, 8, 256}};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const Expected& e = images[i];
        EXPECT_EQ(icon[entry], e.size);
        EXPECT_EQ(icon[entry + 1], e.size);
        EXPECT_EQ(icon[entry + 2], e.colours == 256 ? 0 : e.colours);
        EXPECT_EQ(u16(icon, entry + 6), e.bits);
        const std::size_t bytes = u32(icon, entry + 8);
        const std::size_t at = u32(icon, entry + 12);
        ASSERT_LE(at + bytes, icon.size());

        EXPECT_EQ(u32(icon, at), 40u);
        EXPECT_EQ(s32(icon, at + 4), e.size);
        EXPECT_EQ(s32(icon, at + 8), 2 * e.size);  // image and mask
        EXPECT_EQ(u16(icon, at + 14), e.bits);
        const std::size_t xorStride = static_cast<std::size_t>((e.size * e.bits + 31) / 32 * 4);
        const std::size_t maskStride = static_cast<std::size_t>((e.size + 31) / 32 * 4);
        const std::size_t mask = at + 40 + 4 * static_cast<std::size_t>(e.colours) +
                                 xorStride * static_cast<std::size_t>(e.size);
        EXPECT_EQ(mask + maskStride * static_cast<std::size_t>(e.size), at + bytes);
        for (std::size_t p = mask; p < at + bytes; ++p)
            ASSERT_EQ(icon[p], 0) << "opaque, image " << i;
        std::set<int> used;
        for (std::size_t p = at + 40 + 4 * static_cast<std::size_t>(e.colours); p < mask; ++p) {
            if (e.bits == 4) {
                used.insert(icon[p] >> 4);
                used.insert(icon[p] & 15);
            } else {
                used.insert(icon[p]);
            }
        }
        EXPECT_GE(used.size(), 2u) << "lettering on a ground, image " << i;
    }
}

}  // namespace
}  // namespace varnsel
