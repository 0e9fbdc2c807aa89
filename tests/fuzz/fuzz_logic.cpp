// libFuzzer target for the window-free logic: the colour texts, the zoom geometry and the grid
// lines, fed arbitrary texts, positions, view sizes and factors (NaN and infinity included).
// Besides the sanitizers' own checks it stops on any broken invariant below.
#include "magnifier/grid_plan.h"
#include "magnifier/zoom_geometry.h"
#include "sampling/colour_codes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

// A float from raw bits, so that NaNs, infinities and denormals all come up, or, half the time,
// a plain value of the kind the program meets (a whole or fractional pixel count or factor).
float ConsumeFloat(FuzzedDataProvider& in, float saneLow, float saneHigh) {
    if (in.ConsumeBool()) {
        const auto bits = in.ConsumeIntegral<std::uint32_t>();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    if (in.ConsumeBool()) {
        return static_cast<float>(in.ConsumeIntegralInRange<std::int32_t>(
            static_cast<std::int32_t>(saneLow), static_cast<std::int32_t>(saneHigh)));
    }
    return in.ConsumeFloatingPointInRange<float>(saneLow, saneHigh);
}

std::int32_t ConsumePosition(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeIntegralInRange<std::int32_t>(-4000, 4000);
    case 1:
        return in.ConsumeBool() ? kMin32 + in.ConsumeIntegralInRange<std::int32_t>(0, 100)
                                : kMax32 - in.ConsumeIntegralInRange<std::int32_t>(0, 100);
    default: return in.ConsumeIntegral<std::int32_t>();
    }
}

bool IsDecimalComponent(const std::string& text) {
    if (text.empty() || text.size() > 3) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    if (text.size() > 1 && text[0] == '0') {
        return false;
    }
    return std::stoi(text) <= 255;
}

bool IsUpperHex(const std::string& text) {
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

void FuzzColourCodes(FuzzedDataProvider& in) {
    const int start =
        in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-2, 10) : in.ConsumeIntegral<int>();
    const std::string text = in.ConsumeRandomLengthString(16);
    const std::string component = sampling::ComponentText(text, start);
    FUZZ_CHECK(IsDecimalComponent(component));
    if (start < 1 || static_cast<std::size_t>(start) > text.size()) {
        FUZZ_CHECK(component == "0");
    }

    const auto value = in.ConsumeIntegral<sampling::ColourValue>();
    const std::string hex = sampling::BgrHex(value);
    FUZZ_CHECK(hex.size() >= 6 && hex.size() <= 8);
    FUZZ_CHECK(IsUpperHex(hex));
    FUZZ_CHECK(std::strtoul(hex.c_str(), nullptr, 16) == static_cast<std::uint32_t>(value));
    // The literal's digits are the value itself, written from its top byte down: read back as
    // one hexadecimal number they give the value again.
    const std::string literal = sampling::VbCode(hex);
    FUZZ_CHECK(literal.size() == hex.size() + 5);
    FUZZ_CHECK(literal.compare(0, 2, "&H") == 0 && literal.back() == '&');
    FUZZ_CHECK(std::strtoull(literal.substr(2, literal.size() - 3).c_str(), nullptr, 16) ==
               static_cast<std::uint32_t>(value));
    if (sampling::IsReadableColour(value)) {
        // The round trip the sampling tick makes: value -> BgrHex -> HTML code -> components.
        FUZZ_CHECK(hex.size() == 6);
        const std::string html = sampling::HtmlCode(hex);
        FUZZ_CHECK(html.size() == 7 && html[0] == '#');
        FUZZ_CHECK(sampling::ComponentText(html, 2) == std::to_string(value & 0xFF));
        FUZZ_CHECK(sampling::ComponentText(html, 4) == std::to_string((value >> 8) & 0xFF));
        FUZZ_CHECK(sampling::ComponentText(html, 6) == std::to_string((value >> 16) & 0xFF));
        FUZZ_CHECK(literal.size() == 11);
    }
    // Arbitrary texts in place of a BgrHex text: never more than what was given.
    FUZZ_CHECK(sampling::HtmlCode(text).size() == 1 + (text.size() < 6 ? text.size() : 6));
}

// The view size that the geometry works with: rounded to 32 bits, a negative size empty.
std::int64_t ViewSize(float scale) {
    const std::int32_t rounded = magnifier::RoundToInt32(scale);
    return rounded < 0 ? 0 : rounded;
}

void CheckRounding(float value) {
    const std::int32_t r32 = magnifier::RoundToInt32(value);
    const std::int16_t r16 = magnifier::RoundToInt16(value);
    if (std::isnan(value)) {
        FUZZ_CHECK(r32 == 0 && r16 == 0);
        return;
    }
    const double v = value;
    if (v >= -2147483648.0 && v < 2147483647.5) {
        FUZZ_CHECK(std::fabs(static_cast<double>(r32) - v) <= 0.5);
        if (std::fabs(static_cast<double>(r32) - v) == 0.5) {
            FUZZ_CHECK(r32 % 2 == 0); // ties to even
        }
    } else {
        FUZZ_CHECK(r32 == (v < 0 ? kMin32 : kMax32));
    }
    if (v >= -32768.0 && v < 32767.5) {
        FUZZ_CHECK(std::fabs(static_cast<double>(r16) - v) <= 0.5);
    } else {
        FUZZ_CHECK(r16 == (v < 0 ? -32768 : 32767));
    }
}

void CheckAxis(std::int32_t pointer, std::int64_t size, float zoom, std::int32_t sourceStart,
               std::int32_t sourceLength, std::int32_t destLength, std::int32_t blockStart) {
    FUZZ_CHECK(sourceLength >= 0 && destLength >= 0 && blockStart >= 0);
    FUZZ_CHECK(sourceStart <= pointer);
    // The pointer's block starts at or before the view's centre.
    FUZZ_CHECK(2 * static_cast<std::int64_t>(blockStart) <= size);
    if (size == 0) {
        FUZZ_CHECK(sourceLength == 0 && destLength == 0 && sourceStart == pointer);
        FUZZ_CHECK(blockStart == 0);
        return;
    }
    FUZZ_CHECK(sourceLength >= 1);
    if (destLength < kMax32) {
        // The copy reaches at least the view's last pixel but one (a whole-block factor covers it
        // all); a block of a fractional factor may end one pixel short.
        FUZZ_CHECK(destLength >= size - 1);
    }
    const double z = zoom;
    if (z >= 1.0 && z <= 65536.0 && z == std::floor(z) && size <= 32767) {
        const auto whole = static_cast<std::int64_t>(z);
        FUZZ_CHECK(destLength == sourceLength * whole);
        FUZZ_CHECK(destLength >= size && destLength - size < whole);
        FUZZ_CHECK(blockStart % whole == 0);
        // The pointer's pixel is the block (pointer - source start) of the copy.
        if (sourceStart > kMin32) {
            FUZZ_CHECK(blockStart / whole == static_cast<std::int64_t>(pointer) - sourceStart);
        }
        FUZZ_CHECK(2 * (static_cast<std::int64_t>(blockStart) + whole) > size);
    }
}

void FuzzZoomGeometry(FuzzedDataProvider& in) {
    const std::int32_t x = ConsumePosition(in);
    const std::int32_t y = ConsumePosition(in);
    const float width = ConsumeFloat(in, 0.0f, 32767.0f);
    const float height = ConsumeFloat(in, 0.0f, 32767.0f);
    const float zoom = ConsumeFloat(in, 0.0f, 64.0f);
    CheckRounding(width);
    CheckRounding(height);

    const magnifier::ZoomPlan plan = magnifier::PlanZoom(x, y, width, height, zoom);
    const magnifier::ViewBlock block = magnifier::PointerBlock(width, height, zoom);
    if (!(std::isfinite(zoom) && zoom > 0.0f)) {
        FUZZ_CHECK(plan == (magnifier::ZoomPlan{0, 0, 0, 0, 0, 0}));
        FUZZ_CHECK(block == (magnifier::ViewBlock{0, 0}));
        return;
    }
    CheckAxis(x, ViewSize(width), zoom, plan.sourceLeft, plan.sourceWidth, plan.destWidth,
              block.left);
    CheckAxis(y, ViewSize(height), zoom, plan.sourceTop, plan.sourceHeight, plan.destHeight,
              block.top);
}

void FuzzGridLines(FuzzedDataProvider& in) {
    const auto limit = in.ConsumeIntegral<std::int16_t>();
    const float zoom = ConsumeFloat(in, 0.0f, 64.0f);
    std::vector<std::int32_t> lines;
    const int count =
        magnifier::ForEachGridLine(limit, zoom, [&](std::int32_t at) { lines.push_back(at); });
    FUZZ_CHECK(count == static_cast<int>(lines.size()));
    if (!magnifier::GridIsDrawn(zoom) || limit < 0) {
        FUZZ_CHECK(count == 0);
        return;
    }
    FUZZ_CHECK(!lines.empty() && lines.front() == 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i] >= 0 && lines[i] <= limit);
        if (i > 0) {
            FUZZ_CHECK(lines[i] > lines[i - 1]); // a step of 3 or more always moves on
        }
    }
    if (std::isfinite(zoom)) {
        // The counter stops within one step past the limit.
        FUZZ_CHECK(static_cast<double>(lines.back()) + zoom + 1.0 > limit);
    }
    if (zoom <= 65536.0f && zoom == std::floor(zoom)) {
        const int whole = static_cast<int>(zoom);
        FUZZ_CHECK(count == limit / whole + 1);
        FUZZ_CHECK(lines.back() == (limit / whole) * whole);
    }

    const int px = in.ConsumeIntegral<int>();
    const int py = in.ConsumeIntegral<int>();
    const bool first = magnifier::CheckerIsFirst(px, py);
    FUZZ_CHECK(first == (((px & 1) + (py & 1)) % 2 == 0));
    FUZZ_CHECK(first != magnifier::CheckerIsFirst(px ^ 1, py));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FuzzColourCodes(in);
    FuzzZoomGeometry(in);
    FuzzGridLines(in);
    return 0;
}
