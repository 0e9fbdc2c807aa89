// Draws the program icon and the eyedropper picture pixel by pixel and writes them as .ico files.
//
// Every picture is a grid of characters below, one character a pixel, top row first. Change a
// character and run the `icons` target to write resources/*.ico again. Each image is stored as a
// 24-bit BI_RGB DIB with a 1-bit AND mask: the form every version of Windows draws the same way.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

// One square image: a colour per pixel and whether the pixel is opaque, top row first.
struct Picture {
    int size = 0;
    std::vector<Rgb> colours;
    std::vector<bool> opaque;
};

using Art = std::vector<std::string_view>;

// Colours that mean the same thing in every picture.
//   .  transparent            K  black outline and bulb     D  dark grey shine on the bulb
//   W  white glass            w  grey shade of the glass    C  cyan liquid
//   c  darker cyan liquid     S  grey shadow                R  red drop
//   r  dark red drop edge     P  pink shine on a drop
std::optional<Rgb> FixedColour(char c) {
    switch (c) {
    case 'K': return Rgb{0, 0, 0};
    case 'D': return Rgb{88, 88, 96};
    case 'W': return Rgb{255, 255, 255};
    case 'w': return Rgb{192, 200, 208};
    case 'C': return Rgb{0, 255, 255};
    case 'c': return Rgb{0, 168, 192};
    case 'S': return Rgb{144, 144, 144};
    case 'R': return Rgb{232, 16, 16};
    case 'r': return Rgb{144, 0, 0};
    case 'P': return Rgb{255, 168, 168};
    default: return std::nullopt;
    }
}

// The colour wheel of the program icon. Its pixels are `#` (the ring's colour), `-` (a darker
// edge) and `+` (a lighter shine); the hue follows the angle around the ring's centre: red at the
// top, then yellow, green, cyan and blue round the left and the bottom, magenta on the right.
constexpr double kRingCentreX = 12.5;
constexpr double kRingCentreY = 15.5;

Rgb FromHue(double hue, double value, double whiteness) {
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = 1.0 - std::abs(std::fmod(h, 2.0) - 1.0);
    double r = 0;
    double g = 0;
    double b = 0;
    switch (static_cast<int>(h)) {
    case 0: r = 1, g = x; break;
    case 1: r = x, g = 1; break;
    case 2: g = 1, b = x; break;
    case 3: g = x, b = 1; break;
    case 4: r = x, b = 1; break;
    default: r = 1, b = x; break;
    }
    const auto channel = [&](double v) {
        const double mixed = (v * (1.0 - whiteness) + whiteness) * value;
        return static_cast<std::uint8_t>(std::lround(std::clamp(mixed, 0.0, 1.0) * 255.0));
    };
    return Rgb{channel(r), channel(g), channel(b)};
}

Rgb RingColour(char c, int x, int y) {
    // Angle counter-clockwise from the top, in degrees 0 to 360.
    const double dx = x - kRingCentreX;
    const double dy = y - kRingCentreY;
    double angle = std::atan2(-dx, -dy) * 180.0 / std::numbers::pi;
    if (angle < 0) {
        angle += 360.0;
    }
    // The full spectrum from red to magenta is spread over the left and the bottom (0 to 270
    // degrees); the last quarter, on the right, turns from magenta back to red.
    const double hue =
        angle <= 270.0 ? angle * 300.0 / 270.0 : 300.0 + (angle - 270.0) * 60.0 / 90.0;
    switch (c) {
    case '-': return FromHue(hue, 0.72, 0.0);
    case '+': return FromHue(hue, 1.0, 0.45);
    default: return FromHue(hue, 1.0, 0.0);
    }
}

Picture Draw(const Art& art, bool hasRing) {
    Picture picture;
    picture.size = static_cast<int>(art.size());
    for (int y = 0; y < picture.size; ++y) {
        const std::string_view row = art[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != picture.size) {
            throw std::runtime_error("row " + std::to_string(y) + " is not " +
                                     std::to_string(picture.size) + " pixels wide");
        }
        for (int x = 0; x < picture.size; ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            if (c == '.') {
                // Transparent: the mask bit is set and the colour is black, so that drawing the
                // icon (AND the mask, then XOR the colour) leaves the background untouched.
                picture.colours.push_back(Rgb{0, 0, 0});
                picture.opaque.push_back(false);
            } else if (const auto fixed = FixedColour(c)) {
                picture.colours.push_back(*fixed);
                picture.opaque.push_back(true);
            } else if (hasRing && (c == '#' || c == '-' || c == '+')) {
                picture.colours.push_back(RingColour(c, x, y));
                picture.opaque.push_back(true);
            } else {
                throw std::runtime_error(std::string("unknown pixel '") + c + "' in row " +
                                         std::to_string(y));
            }
        }
    }
    return picture;
}

// The program icon, 32 x 32: the colour wheel with its shadow and drops, and the eyedropper
// whose tip points into the middle of the ring.
const Art kProgramIcon = {
    // clang-format off
    "................................",
    "........................KKK.....",
    ".......................KDKKK....",
    "......................KDKKKKK...",
    ".........--------.....KKKKKKK...",
    ".......--########--..KKKKKKKK...",
    ".....--###++#######--KKKKKKK....",
    "....-###++##########KWKKKKK.....",
    "...-##++###########KWWwKK.......",
    "...-#+####------##KWWwKS........",
    "..-#+####-SSSSSS-KWWwK#-.....R..",
    "..-+####-SSSS...KWWwK##-S...RRR.",
    ".-#+###-SSS....KCWwK####-S..PRR.",
    ".-#+##-SSS....KCCcK-####-S.RPRRR",
    ".-#+##-SS....KCCcK.-####-S.RRRRr",
    ".-#+##-S....KCCcK..-####-S..Rrr.",
    ".-#+##-S...KCCcK...-####-SS.....",
    ".-#+##-S...KCcK....-####-SS.....",
    ".-#+##-S...KKK.....-####-SS.....",
    ".-#+###-..........-#####-S...R..",
    "..-+####-........-#####-SS..RRR.",
    "..-######-......-######-SS..PRr.",
    "...-######------######-SSS..rrr.",
    "...-##################-SS.......",
    "....-################-SS.....RR.",
    ".....--############--SSS.....Rr.",
    "......S--########--SSSS.........",
    ".......SS--------SSSS...........",
    ".........SSSSSSSSSSS............",
    "............SSSSS...............",
    "................................",
    "................................",
    // clang-format on
};

// The eyedropper laid over the magnifier, 32 x 32. Its opaque pixels fill columns 13 to 26 and
// rows 6 to 19; the tip is row 19, columns 13 to 15. The magnifier places the picture so that
// this tip lands on the block of the sampled pixel: keep the tip where it is.
const Art kEyedropper32 = {
    // clang-format off
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    ".......................KKK......",
    "......................KDKKK.....",
    "......................KKKKK.....",
    "....................K.KKKKK.....",
    "....................KKKKKK......",
    "...................KWKK.........",
    "..................KWWwKK........",
    ".................KWWwK..........",
    "................KWWwK...........",
    "...............KCCwK............",
    "..............KCCcK.............",
    ".............KCCcK..............",
    ".............KCcK...............",
    ".............KKK................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    // clang-format on
};

// The same eyedropper at half size, 16 x 16.
const Art kEyedropper16 = {
    // clang-format off
    "................",
    "................",
    "................",
    "...........KK...",
    "..........KDKK..",
    "..........KKKK..",
    ".........KKKK...",
    "........KWKK....",
    ".......KCK......",
    "......KCK.......",
    "......KK........",
    "................",
    "................",
    "................",
    "................",
    "................",
    // clang-format on
};

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// The DIB of one icon image: BITMAPINFOHEADER, the colour rows, then the AND mask rows. Both
// run bottom-up and are padded to whole 32-bit words; the header's height counts both halves.
std::vector<std::uint8_t> EncodeDib(const Picture& picture) {
    const int size = picture.size;
    const int colourStride = (size * 3 + 3) / 4 * 4;
    const int maskStride = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> dib;
    PutU32(dib, 40);                                   // biSize
    PutU32(dib, static_cast<std::uint32_t>(size));     // biWidth
    PutU32(dib, static_cast<std::uint32_t>(size * 2)); // biHeight: colour + mask
    PutU16(dib, 1);                                    // biPlanes
    PutU16(dib, 24);                                   // biBitCount
    PutU32(dib, 0);                                    // biCompression: BI_RGB
    PutU32(dib, static_cast<std::uint32_t>((colourStride + maskStride) * size)); // biSizeImage
    PutU32(dib, 0);                                                              // biXPelsPerMeter
    PutU32(dib, 0);                                                              // biYPelsPerMeter
    PutU32(dib, 0);                                                              // biClrUsed
    PutU32(dib, 0);                                                              // biClrImportant
    for (int y = size - 1; y >= 0; --y) {
        int written = 0;
        for (int x = 0; x < size; ++x) {
            const Rgb c = picture.colours[static_cast<std::size_t>(y * size + x)];
            dib.insert(dib.end(), {c.b, c.g, c.r});
            written += 3;
        }
        dib.insert(dib.end(), static_cast<std::size_t>(colourStride - written), 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (!picture.opaque[static_cast<std::size_t>(y * size + x)]) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }
    return dib;
}

// An .ico file: ICONDIR, one ICONDIRENTRY per image, then the images' DIBs in the same order.
std::vector<std::uint8_t> EncodeIco(const std::vector<Picture>& pictures) {
    std::vector<std::vector<std::uint8_t>> dibs;
    for (const Picture& picture : pictures) {
        dibs.push_back(EncodeDib(picture));
    }
    std::vector<std::uint8_t> ico;
    PutU16(ico, 0); // reserved
    PutU16(ico, 1); // type: icon
    PutU16(ico, static_cast<unsigned>(pictures.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const auto size = static_cast<std::uint8_t>(pictures[i].size); // 0 would mean 256
        ico.insert(ico.end(), {size, size, 0, 0}); // width, height, no palette, reserved
        PutU16(ico, 1);                            // planes
        PutU16(ico, 24);                           // bits per pixel
        PutU32(ico, static_cast<std::uint32_t>(dibs[i].size()));
        PutU32(ico, offset);
        offset += static_cast<std::uint32_t>(dibs[i].size());
    }
    for (const auto& dib : dibs) {
        ico.insert(ico.end(), dib.begin(), dib.end());
    }
    return ico;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    std::cout << "wrote " << path.string() << " (" << bytes.size() << " bytes)\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_icons <output directory>\n";
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        WriteFile(dir / "vorlith.ico", EncodeIco({Draw(kProgramIcon, true)}));
        WriteFile(dir / "eyedropper.ico",
                  EncodeIco({Draw(kEyedropper16, false), Draw(kEyedropper32, false)}));
    } catch (const std::exception& e) {
        std::cerr << "make_icons: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
