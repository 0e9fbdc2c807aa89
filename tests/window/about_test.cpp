// The About window, opened by the main window's "About" command and closed every way a user can.
#include "tests/window/caption.h"
#include "tests/window/window_fixture.h"

#include "tests/support/capture.h"
#include "tests/support/foreground.h"

#include "about/about_layout.h"

#include <functional>
#include <vector>

namespace window_tests {
namespace {

// What the About window looked like while it was open, seen from inside its modal loop.
struct Seen {
    bool found = false;
    std::wstring caption;
    RECT client{};
    RECT window{};
    HWND owner = nullptr;
    bool mainEnabled = true;
    HWND focus = nullptr;
    HWND okButton = nullptr;
    std::wstring title;
    std::wstring description;
    int dpi = 0;
    COLORREF separator[4]{}; // from the row above the shadow line to the row below the highlight
    int picturePixels = 0;   // pixels of the picture's square not in the background colour
    int titleBarIconColours = 0; // of the icon that the window's state puts in its title bar
    int screenIconColours = 0;   // under Wine: of what the screen shows there
};

// The window's own surface (the separator lines and the picture) as it paints it.
void ReadSurface(HWND about, Seen& seen) {
    const auto surface = test_support::Capture::Painted(about, GetSysColor(COLOR_BTNFACE));
    const Separator separator = AboutSeparator(about);
    for (int row = 0; row < 4; ++row) {
        seen.separator[row] = surface.At(separator.x, separator.shadowRow - 1 + row);
    }
    const platform::PixelRect picture = platform::TwipsToPixels(about::layout::kImage1, seen.dpi);
    for (int y = picture.top; y < picture.top + picture.height; ++y) {
        for (int x = picture.left; x < picture.left + picture.width; ++x) {
            seen.picturePixels += surface.At(x, y) != GetSysColor(COLOR_BTNFACE) ? 1 : 0;
        }
    }
}

Seen g_seen;
ULONGLONG g_openedAt = 0;
std::function<void(HWND about)> g_close;

void CALLBACK WhileOpen(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND about = FindWindowW(about::layout::kAboutClassName, nullptr);
    if (!about || !IsWindowVisible(about)) {
        return; // not up yet: the timer comes again
    }
    if (!g_seen.found) {
        g_seen.found = true;
        g_openedAt = GetTickCount64();
        wchar_t text[256]{};
        GetWindowTextW(about, text, 256);
        g_seen.caption = text;
        GetClientRect(about, &g_seen.client);
        GetWindowRect(about, &g_seen.window);
        g_seen.owner = GetWindow(about, GW_OWNER);
        g_seen.mainEnabled = g_seen.owner && IsWindowEnabled(g_seen.owner);
        g_seen.focus = GetFocus();
        g_seen.okButton = GetDlgItem(about, about::layout::kIdCmdOK);
        GetDlgItemTextW(about, about::layout::kIdLblTitle, text, 256);
        g_seen.title = text;
        GetDlgItemTextW(about, about::layout::kIdLblDescription, text, 256);
        g_seen.description = text;
        g_seen.dpi = DpiOfWindow(about);
        ReadSurface(about, g_seen);
        g_seen.titleBarIconColours = IconColours(TitleBarIcon(about));
    }
    // Under Wine the title bar reaches the screen in its own time: the window stays open (the
    // timer comes again) until the icon shows there, or for at most 15 s.
    if (UnderWine()) {
        g_seen.screenIconColours = IconColoursInTitleBar(about);
        if (g_seen.screenIconColours < 3 && GetTickCount64() - g_openedAt < 15000) {
            return;
        }
    }
    KillTimer(nullptr, id);
    g_close(about);
}

// Runs the About command; the window is inspected and closed from inside its modal loop.
Seen OpenAbout(app::FrmMain& form, std::function<void(HWND)> close) {
    g_seen = {};
    g_close = std::move(close);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &WhileOpen);
    form.cmdAbout_Click();
    KillTimer(nullptr, timer);
    return g_seen;
}

void PostKey(HWND target, WPARAM vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
}

TEST_F(MainWindowTest, AboutIsModalOverTheMainWindowAndClosesEveryWay) {
    struct Way {
        const char* name;
        std::function<void(HWND)> close;
    };
    const std::vector<Way> ways = {
        {"OK clicked",
         [](HWND about) {
             SendMessageW(GetDlgItem(about, about::layout::kIdCmdOK), BM_CLICK, 0, 0);
         }},
        {"Enter", [](HWND) { PostKey(GetFocus(), VK_RETURN); }},
        {"Esc", [](HWND) { PostKey(GetFocus(), VK_ESCAPE); }},
        {"close box", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    ASSERT_TRUE(test_support::BringToForeground(Form().hWnd()))
        << "the main window cannot be made the foreground window";
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const Seen seen = OpenAbout(Form(), way.close);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.caption, L"About");
        EXPECT_EQ(seen.client.right,
                  platform::TwipsToPixels(about::layout::kClientWidth, seen.dpi));
        EXPECT_EQ(seen.client.bottom,
                  platform::TwipsToPixels(about::layout::kClientHeight, seen.dpi));
        EXPECT_EQ(seen.owner, Form().hWnd());
        EXPECT_FALSE(seen.mainEnabled);
        EXPECT_EQ(seen.focus, seen.okButton);
        EXPECT_EQ(seen.title, L"Vorlith v2.0");
        EXPECT_EQ(seen.description, L"Any bugs or suggestions please send e-mail to me.");
        // The etched separator: a shadow line over a highlight line.
        EXPECT_EQ(seen.separator[0], GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(seen.separator[1], GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(seen.separator[2], GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(seen.separator[3], GetSysColor(COLOR_BTNFACE));
        // The program's picture is drawn at its place, and its icon in the title bar.
        EXPECT_GT(seen.picturePixels, 200);
        EXPECT_EQ(seen.titleBarIconColours, 3);
        if (UnderWine()) {
            EXPECT_EQ(seen.screenIconColours, 3) << "Wine drew no program icon in the title bar";
        }

        // Centred over the main window.
        RECT main{};
        GetWindowRect(Form().hWnd(), &main);
        EXPECT_NEAR((seen.window.left + seen.window.right) / 2.0, (main.left + main.right) / 2.0,
                    1);
        EXPECT_NEAR((seen.window.top + seen.window.bottom) / 2.0, (main.top + main.bottom) / 2.0,
                    1);

        // Closed: the main window takes input again.
        EXPECT_EQ(FindWindowW(about::layout::kAboutClassName, nullptr), nullptr);
        EXPECT_TRUE(IsWindowEnabled(Form().hWnd()));
    }
}

} // namespace
} // namespace window_tests
