// The committed program icon and eyedropper picture, read back with a small ICO/DIB reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r;
    int g;
    int b;
};

// One decoded icon image, top row first.
struct IconImage {
    int width = 0;
    int height = 0;
    int entryBitCount = 0; // as the directory entry states it
    int dibBitCount = 0;   // as the bitmap header states it
    std::vector<Rgb> colours;
    std::vector<bool> opaque;

    bool Opaque(int x, int y) const { return opaque[static_cast<std::size_t>(y * width + x)]; }
    Rgb Colour(int x, int y) const { return colours[static_cast<std::size_t>(y * width + x)]; }
};

struct Bounds {
    int left;
    int top;
    int right;
    int bottom;
};

class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    unsigned U8(std::size_t at) const {
        Need(at, 1);
        return bytes_[at];
    }
    unsigned U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(std::size_t at) const {
        return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16;
    }
    std::int32_t S32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    void Need(std::size_t at, std::size_t count) const {
        if (at > bytes_.size() || count > bytes_.size() - at) {
            throw std::runtime_error("read past the end at " + std::to_string(at));
        }
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
};

std::vector<std::uint8_t> ReadFile(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(VORLITH_RESOURCES_DIR) / name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Decodes the 24-bit BI_RGB images of an .ico file. The DIB's height counts the colour rows and
// the AND mask rows together; both run bottom-up and are padded to 32-bit words.
std::vector<IconImage> ReadIco(const std::vector<std::uint8_t>& bytes) {
    const Reader in(bytes);
    if (in.U16(0) != 0 || in.U16(2) != 1) {
        throw std::runtime_error("not an icon file");
    }
    const unsigned count = in.U16(4);
    std::vector<IconImage> images;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        IconImage image;
        image.width = in.U8(entry) == 0 ? 256 : static_cast<int>(in.U8(entry));
        image.height = in.U8(entry + 1) == 0 ? 256 : static_cast<int>(in.U8(entry + 1));
        image.entryBitCount = static_cast<int>(in.U16(entry + 6));
        const std::uint32_t size = in.U32(entry + 8);
        const std::uint32_t dib = in.U32(entry + 12);
        in.Need(dib, size);

        if (in.U32(dib) != 40) {
            throw std::runtime_error("image " + std::to_string(i) +
                                     " is not a BITMAPINFOHEADER DIB");
        }
        if (in.S32(dib + 4) != image.width || in.S32(dib + 8) != 2 * image.height) {
            throw std::runtime_error("image " + std::to_string(i) +
                                     ": DIB size does not match its entry (height is doubled)");
        }
        image.dibBitCount = static_cast<int>(in.U16(dib + 14));
        if (in.U32(dib + 16) != 0 || image.dibBitCount != 24) {
            throw std::runtime_error("image " + std::to_string(i) + " is not 24-bit BI_RGB");
        }
        const std::size_t colourStride = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
        const std::size_t maskStride = (static_cast<std::size_t>(image.width) + 31) / 32 * 4;
        const std::size_t colourStart = dib + 40;
        const std::size_t maskStart = colourStart + colourStride * image.height;
        if (maskStart + maskStride * image.height > dib + std::size_t{size}) {
            throw std::runtime_error("image " + std::to_string(i) + " is shorter than its pixels");
        }
        for (int y = 0; y < image.height; ++y) {
            const std::size_t stored = static_cast<std::size_t>(image.height - 1 - y);
            for (int x = 0; x < image.width; ++x) {
                const std::size_t px = colourStart + stored * colourStride + 3 * std::size_t(x);
                image.colours.push_back(Rgb{static_cast<int>(in.U8(px + 2)),
                                            static_cast<int>(in.U8(px + 1)),
                                            static_cast<int>(in.U8(px))});
                const unsigned maskByte =
                    in.U8(maskStart + stored * maskStride + std::size_t(x / 8));
                image.opaque.push_back((maskByte & (0x80u >> (x % 8))) == 0);
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

std::vector<IconImage> LoadIco(const std::string& name) {
    std::vector<IconImage> images;
    [&] { ASSERT_NO_THROW(images = ReadIco(ReadFile(name))) << name; }();
    return images;
}

const IconImage* FindSize(const std::vector<IconImage>& images, int size) {
    for (const IconImage& image : images) {
        if (image.width == size && image.height == size) {
            return &image;
        }
    }
    return nullptr;
}

Bounds OpaqueBounds(const IconImage& image) {
    Bounds b{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.Opaque(x, y)) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
        }
    }
    return b;
}

void ExpectTrueColourWithMask(const IconImage& image) {
    EXPECT_EQ(image.entryBitCount, 24);
    EXPECT_EQ(image.dibBitCount, 24);
    int opaque = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.Opaque(x, y)) {
                ++opaque;
            } else {
                // Drawn as (screen AND mask) XOR colour: a transparent pixel must be black,
                // or it tints whatever lies beneath the icon.
                const Rgb c = image.Colour(x, y);
                EXPECT_TRUE(c.r == 0 && c.g == 0 && c.b == 0)
                    << image.width << "x" << image.height << " pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 0);
    EXPECT_LT(opaque, image.width * image.height) << "the mask makes nothing transparent";
}

TEST(ProgramIcon, IsOne32x32TrueColourImageWithMask) {
    const std::vector<IconImage> images = LoadIco("vorlith.ico");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 32);
    EXPECT_EQ(images[0].height, 32);
    ExpectTrueColourWithMask(images[0]);
}

TEST(Eyedropper, Has16And32TrueColourImagesWithMasks) {
    const std::vector<IconImage> images = LoadIco("eyedropper.ico");
    ASSERT_EQ(images.size(), 2u);
    for (const int size : {16, 32}) {
        const IconImage* image = FindSize(images, size);
        ASSERT_NE(image, nullptr) << size;
        ExpectTrueColourWithMask(*image);
    }
}

// The magnifier shows the picture at (26, 20) of its view so that the tip lands on the block of
// the sampled pixel: the opaque pixels must stay exactly where they are.
TEST(Eyedropper, Large32ImageSpansItsBoxWithTheTipAtTheBottomLeft) {
    const std::vector<IconImage> images = LoadIco("eyedropper.ico");
    const IconImage* image = FindSize(images, 32);
    ASSERT_NE(image, nullptr);

    const Bounds b = OpaqueBounds(*image);
    EXPECT_EQ(b.left, 13);
    EXPECT_EQ(b.right, 26);
    EXPECT_EQ(b.top, 6);
    EXPECT_EQ(b.bottom, 19);
    for (int x = 0; x < 32; ++x) {
        EXPECT_EQ(image->Opaque(x, 19), x >= 13 && x <= 15) << "tip row, column " << x;
    }
}

TEST(Eyedropper, BlackTopAndCyanLiquidInTheTip) {
    const std::vector<IconImage> images = LoadIco("eyedropper.ico");
    const IconImage* image = FindSize(images, 32);
    ASSERT_NE(image, nullptr);

    for (int x = 0; x < 32; ++x) {
        if (image->Opaque(x, 6)) {
            const Rgb c = image->Colour(x, 6);
            EXPECT_TRUE(c.r == 0 && c.g == 0 && c.b == 0) << "top row, column " << x;
        }
    }
    bool cyanInTip = false;
    for (int y = 16; y <= 19; ++y) {
        for (int x = 13; x <= 16; ++x) {
            const Rgb c = image->Colour(x, y);
            cyanInTip = cyanInTip || (image->Opaque(x, y) && c.r < 64 && c.g > 128 && c.b > 128);
        }
    }
    EXPECT_TRUE(cyanInTip);
}

TEST(Eyedropper, Small16ImageIsTheSameDrawingAtHalfSize) {
    const std::vector<IconImage> images = LoadIco("eyedropper.ico");
    const IconImage* small = FindSize(images, 16);
    const IconImage* large = FindSize(images, 32);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);

    // Within a pixel of half the large image's box, on every side.
    const Bounds s = OpaqueBounds(*small);
    const Bounds l = OpaqueBounds(*large);
    EXPECT_NEAR(2 * s.left, l.left, 2);
    EXPECT_NEAR(2 * s.right, l.right, 2);
    EXPECT_NEAR(2 * s.top, l.top, 2);
    EXPECT_NEAR(2 * s.bottom, l.bottom, 2);
}

} // namespace
