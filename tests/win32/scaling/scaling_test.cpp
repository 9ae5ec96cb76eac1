// The windows at the display scaling this program runs at: `make test` runs it at 96, 120,
// 144 and 192 DPI (LogPixels set before it starts, ZP350_DPI saying which), in both flavours
// and in a plain prefix. Captions whole in both languages, fonts made for the DPI, the welcome
// picture, outline and buttons scaled together, names read through oleacc, Tab in reading
// order, and a move to a display of another scale.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/splash_dialog.h"
#include "app/swipe_dialog.h"
#include "framework/display.h"
#include "menu/kel_menu.h"
#include "settings_window.h"
#include "ui_helpers.h"

namespace {

UINT Dpi(HWND window) {
    return fw::DpiOf(window);
}

// ZP350_DPI is the DPI the prefix was given; the windows must be shown at it.
TEST(Scaling, TheWindowsRunAtTheDisplaysDpi) {
    const char* given = std::getenv("ZP350_DPI");
    SettingsDialog dialog;
    const HWND window = dialog.Create();
    EXPECT_EQ(Dpi(window), given ? std::strtoul(given, nullptr, 10) : 96u);
}

// What a caption needs, measured with its control's own font, against the room the system
// leaves it in a control of its kind, as Wine paints one: a push button draws within its
// 3-D edges, measuring a wrapped caption first and drawing it again within the width
// measured; a check box or radio button puts its text after a box of 12 pixels at 96 DPI
// plus one and half a '0'; a group box's caption starts 8 pixels in and stays 7 from its
// right side; a static text wraps within its width.
struct Caption {
    SIZE need;
    SIZE room;
};

Caption Measure(HWND control, UINT dpi) {
    HDC dc = GetDC(control);
    const HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT client{};
    GetClientRect(control, &client);
    const std::wstring text = WindowText(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    wchar_t kind[16] = {};
    GetClassNameW(control, kind, 16);
    const bool button = lstrcmpiW(kind, L"Button") == 0;
    const auto extent = [&](long width, UINT flags) {
        RECT rect{0, 0, width, 0};
        DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | flags);
        return SIZE{rect.right, rect.bottom};
    };
    Caption caption{extent(0, DT_SINGLELINE), {client.right, client.bottom}};
    const LONG type = style & (button ? BS_TYPEMASK : SS_TYPEMASK);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    if (button && type <= BS_DEFPUSHBUTTON) {
        caption.room = {client.right - 2 * edge, client.bottom - 2 * edge};
        if (style & BS_MULTILINE) {
            const SIZE measured = extent(client.right, DT_WORDBREAK | DT_CENTER);
            caption.need = extent(measured.cx, DT_WORDBREAK | DT_CENTER);
        }
    } else if (button && type == BS_GROUPBOX) {
        caption.room.cx = client.right - 15;
        caption.need.cy = 0;
    } else if (button) {
        int zero = 0;
        GetCharWidthW(dc, L'0', L'0', &zero);
        caption.room.cx = client.right - (MulDiv(12, dpi, 96) + 1 + zero / 2 + 1);
    } else if (type == SS_LEFT || type == SS_RIGHT || type == SS_CENTER) {
        caption.need = extent(client.right, DT_WORDBREAK);
    }
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    return caption;
}

TEST_F(SettingsWindowTest, EveryCaptionIsWholeInBothLanguagesInsideTheWindow) {
    const UINT dpi = Dpi(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    for (int radio : {IDC_RADIO_ENGLISH, IDC_RADIO_CHINESE}) {
        SCOPED_TRACE(radio == IDC_RADIO_ENGLISH ? "English" : "Chinese");
        Click(hwnd, radio);
        GetClientRect(hwnd, &client);
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c) || WindowText(c).empty())
                continue;
            SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(c));
            const Caption caption = Measure(c, dpi);
            EXPECT_LE(caption.need.cx, caption.room.cx);
            EXPECT_LE(caption.need.cy, caption.room.cy);
            RECT rect{};
            GetWindowRect(c, &rect);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_LE(rect.right, client.right);
            EXPECT_LE(rect.bottom, client.bottom);
        }
    }
}

// The red labels' character height: 12 pixels at 96 DPI.
LONG LabelHeight(HWND dialog) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_STATUS, WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    return -font.lfHeight;
}
const std::pair<UINT, LONG> kLabelHeights[] = {
    {96, 12}, {120, 15}, {144, 18}, {192, 24}, {240, 30}};

LONG ExpectedLabelHeight(UINT dpi) {
    for (const auto& [at, height] : kLabelHeights)
        if (at == dpi)
            return height;
    return -1;
}

// Moved to a display of another scale, the window takes the rectangle the system suggests
// (and grows only where a caption needs it), and its label fonts are made for the new DPI.
TEST_F(SettingsWindowTest, LabelFontsFollowTheDpiAlsoAfterAMoveToAnotherScale) {
    const UINT dpi = Dpi(hwnd);
    EXPECT_EQ(LabelHeight(hwnd), ExpectedLabelHeight(dpi));
    const UINT other = dpi == 192 ? 96 : 192;
    RECT suggested{40, 30, 1600, 1000};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    RECT now{};
    GetWindowRect(hwnd, &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_GE(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
    EXPECT_EQ(LabelHeight(hwnd), ExpectedLabelHeight(other));
}

// The width of the icon the window shows of `kind` (ICON_SMALL, ICON_BIG).
LONG IconWidth(HWND window, WPARAM kind) {
    return IconWidth(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0)));
}

// The title bar's icon is the program icon's own image of the small icon's size at the DPI,
// again after a move to another scale; the large one is the system's large size.
TEST_F(SettingsWindowTest, TheTitleBarsIconIsTheImageOfItsSize) {
    const UINT dpi = Dpi(hwnd);
    EXPECT_EQ(IconWidth(hwnd, ICON_SMALL), fw::SystemMetric(SM_CXSMICON, dpi));
    EXPECT_EQ(IconWidth(hwnd, ICON_BIG), GetSystemMetrics(SM_CXICON));
    const UINT other = dpi == 192 ? 96 : 192;
    RECT suggested{40, 30, 1600, 1000};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    EXPECT_EQ(IconWidth(hwnd, ICON_SMALL), fw::SystemMetric(SM_CXSMICON, other));
}

// The welcome window's picture, outline and buttons at a DPI: the picture at exactly the
// window's scale, the window its size, the buttons where the picture has them.
struct Welcome {
    RECT outline{};
    RECT enter{};
    RECT close{};
    SIZE closeImage{};
    int cornersOutside = 0;
};

Welcome LookAt(SplashDialog& splash) {
    Welcome seen;
    // A window without a region of its own is its whole rectangle.
    RECT window{};
    GetWindowRect(splash.hwnd(), &window);
    fw::Region outline(CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top));
    GetWindowRgn(splash.hwnd(), outline.get());
    GetRgnBox(outline.get(), &seen.outline);
    for (int id : {IDOK, IDCANCEL}) {
        RECT rect{};
        GetWindowRect(splash.Item(id), &rect);
        MapWindowPoints(nullptr, splash.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        for (const POINT corner :
             {POINT{rect.left, rect.top}, POINT{rect.right - 1, rect.bottom - 1}})
            seen.cornersOutside += !PtInRegion(outline.get(), corner.x, corner.y);
        (id == IDOK ? seen.enter : seen.close) = rect;
    }
    seen.closeImage = splash.closeButton.ImageSize();
    return seen;
}

struct PictureScale {
    UINT dpi;
    SIZE picture;
    SIZE closeImage;
};
const PictureScale kScales[] = {
    {96, {454, 312}, {21, 14}},   // the close glyph at the size it was made, 21 x 14 scaled
    {120, {568, 390}, {26, 18}},  // 125 %: 567.5 x 390, to the nearest pixel
    {144, {681, 468}, {32, 21}}, {192, {908, 624}, {42, 28}}, {240, {1135, 780}, {53, 35}},
};

void ExpectScale(const Welcome& seen, UINT dpi) {
    SCOPED_TRACE(testing::Message() << dpi << " DPI");
    for (const PictureScale& scale : kScales) {
        if (scale.dpi != dpi)
            continue;
        EXPECT_EQ(seen.outline.right, scale.picture.cx);
        EXPECT_EQ(seen.outline.bottom, scale.picture.cy);
        EXPECT_EQ(seen.closeImage.cx, scale.closeImage.cx);
        EXPECT_EQ(seen.closeImage.cy, scale.closeImage.cy);
        // The buttons sit where the picture has them: Enter at 336, 264 and the close button
        // at 428, 0 of 454 x 312.
        EXPECT_NEAR(seen.enter.left * 454.0 / scale.picture.cx, 336, 1);
        EXPECT_NEAR(seen.enter.top * 312.0 / scale.picture.cy, 264, 1);
        EXPECT_NEAR(seen.close.left * 454.0 / scale.picture.cx, 428, 1);
    }
    EXPECT_EQ(seen.cornersOutside, 0);
}

TEST(Scaling, WelcomePictureOutlineAndButtonsScaleTogetherAlsoAfterAMove) {
    SplashDialog splash;
    Welcome first;
    Welcome moved;
    const UINT dpi = fw::DpiOf(nullptr);
    const UINT other = dpi == 192 ? 96 : 192;
    RunSoon([&] {
        first = LookAt(splash);
        RECT suggested{10, 10, 700, 500};
        SendMessageW(splash.hwnd(), WM_DPICHANGED, MAKEWPARAM(other, other),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();
        moved = LookAt(splash);
        splash.EndDialog(IDOK);
    });
    EXPECT_EQ(splash.DoModal(), IDOK);
    ExpectScale(first, dpi);
    ExpectScale(moved, other);
}

// The name a screen reader reads for a window, through oleacc.
std::wstring AccessibleName(HWND window) {
    IAccessible* object = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                                     reinterpret_cast<void**>(&object));
    if (FAILED(found))
        return L"(no object " + std::to_wstring(found) + L")";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring text = object->get_accName(self, &name) == S_OK && name ? name : L"(no name)";
    SysFreeString(name);
    object->Release();
    return text;
}

TEST_F(SettingsWindowTest, EveryEditBoxHasANameOfItsOwnInEitherLanguage) {
    const struct {
        int id;
        const wchar_t* english;
        const wchar_t* chinese;
    } boxes[] = {
        {IDC_TRACK1_START, L"Track 1 start sentinel", L"一轨起始符"},
        {IDC_TRACK2_START, L"Track 2 start sentinel", L"二轨起始符"},
        {IDC_TRACK3_END, L"Track 3 end sentinel", L"三轨结束符"},
        {IDC_PAIR1_REPLACEMENT, L"Pair 1 replace with", L"第一组替换为"},
        {IDC_PAIR2_CHAR, L"Pair 2 character", L"第二组字符"},
        {IDC_OUTPUT_TRACK1, L"Output track 1 data", L"输出一轨道数据"},  // its own caption
    };
    for (const auto& box : boxes)
        EXPECT_EQ(AccessibleName(GetDlgItem(hwnd, box.id)), box.english);
    Click(hwnd, IDC_RADIO_CHINESE);
    for (const auto& box : boxes)
        EXPECT_EQ(AccessibleName(GetDlgItem(hwnd, box.id)), box.chinese);
}

// Tab from the first control reaches every control that takes input, in reading order (the
// unchecked language button and the greyed boxes are passed over, as the system does).
TEST_F(SettingsWindowTest, TabGoesInReadingOrder) {
    const std::vector<int> order = {
        IDC_FIND_DEVICE,  IDC_DISCONNECT,    IDC_RADIO_ENGLISH,    IDC_TRACK1_START,
        IDC_TRACK2_START, IDC_TRACK3_START,  IDC_TRACK1_END,       IDC_TRACK2_END,
        IDC_TRACK3_END,   IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2,    IDC_OUTPUT_TRACK3,
        IDC_CR_PACKET,    IDC_SET_DEVICE,    IDC_RESTORE_DEFAULTS, IDC_GET_VERSION,
        IDC_ALLOW_PAIR1,  IDC_ALLOW_PAIR2,   IDC_SET_REPLACE,      IDC_CANCEL_REPLACE,
    };
    std::vector<int> visited;
    HWND at = GetDlgItem(hwnd, IDC_FIND_DEVICE);
    do {
        visited.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(hwnd, at, FALSE);
    } while (at != nullptr && at != GetDlgItem(hwnd, IDC_FIND_DEVICE) && visited.size() < 40);
    EXPECT_EQ(visited, order);
}

TEST(Scaling, TheSwipeTestsBoxesAreNamed) {
    UiLanguage = kEnglish;
    SwipeDialog dialog(nullptr, settings::DefaultSetup());
    std::wstring names;
    RunSoon([&] {
        const HWND window = GetActiveWindow();
        names = AccessibleName(GetDlgItem(window, IDC_SWIPE_CAPTURE)) + L"|" +
                AccessibleName(GetDlgItem(window, IDC_SWIPE_RESULT));
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.DoModal();
    EXPECT_EQ(names, L"What the reader typed|What the check found");
}

TEST(Scaling, WelcomeButtonsAreNamedAndMenuItemsCarryTheirText) {
    SplashDialog splash;
    std::wstring names;
    RunSoon([&] {
        names = AccessibleName(splash.Item(IDOK)) + L"|" + AccessibleName(splash.Item(IDCANCEL));
        splash.EndDialog(IDOK);
    });
    splash.DoModal();
    EXPECT_EQ(names, L"Enter|Close");
    // An owner-drawn item's data starts with its text for screen readers.
    KelMenu popup;
    popup.Attach(CreatePopupMenu());
    popup.AppendItem(L"&Open\tCtrl+O", MF_STRING, 100);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(popup.menu(), 0, TRUE, &info));
    const auto* accessible = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
    EXPECT_EQ(accessible->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
    EXPECT_EQ(std::wstring(accessible->pszWText, accessible->cchWText), L"&Open\tCtrl+O");
}

}  // namespace
