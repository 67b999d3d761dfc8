#include "player/WindowShot.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "player/Journal.h"

namespace player {

namespace {

// What the system draws itself when no skin takes over.
const wchar_t* const kDrawnClasses[] = {
    L"button",       L"edit",          L"combobox",        L"comboboxex32", L"listbox",         L"syslistview32",
    L"sysheader32",  L"systreeview32", L"toolbarwindow32", L"scrollbar",    L"msctls_updown32", L"systabcontrol32",
    L"tbutton",      L"tedit",         L"tcombobox",       L"tlistbox",     L"tscrollbar",      L"tcheckbox",
    L"tradiobutton", L"tmemo",
};

std::wstring lowerClass(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    std::wstring s = name;
    for (wchar_t& c : s) c = towlower(c);
    return s;
}

bool answersSkinned(HWND hwnd) {
    DWORD_PTR result = 0;
    // A hung window must not stop the script.
    if (!SendMessageTimeoutW(hwnd, kSkinMessage, MAKEWPARAM(0, kSkinIsHandled), 0, SMTO_ABORTIFHUNG, 2000, &result))
        return false;
    return result == 1;
}

BOOL CALLBACK collect(HWND hwnd, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
    return TRUE;
}

bool alike(COLORREF a, COLORREF b) {
    const int tolerance = 24;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A w by h 24-bit image of what `draw` puts on a memory DC compatible with `like`.
template <class Draw>
WindowImage drawnImage(HDC like, int w, int h, Draw draw) {
    WindowImage image;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(like);
    HBITMAP bmp = CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        HGDIOBJ old = SelectObject(dc, bmp);
        draw(dc);
        GdiFlush();
        const int stride = (w * 3 + 3) & ~3;
        image.width = w;
        image.height = h;
        image.bgr.resize(static_cast<size_t>(w) * h * 3);
        for (int y = 0; y < h; ++y)
            std::copy_n(static_cast<const char*>(bits) + y * stride, w * 3, image.bgr.data() + y * w * 3);
        SelectObject(dc, old);
        DeleteObject(bmp);
    }
    DeleteDC(dc);
    return image;
}

// The system's caption of `window`, w by h.
WindowImage systemCaption(HWND window, int w, int h, UINT flags) {
    HDC screen = GetDC(nullptr);
    WindowImage image = drawnImage(screen, w, h, [&](HDC dc) {
        RECT r{0, 0, w, h};
        DrawCaption(window, dc, &r, flags);
    });
    ReleaseDC(nullptr, screen);
    return image;
}

bool saveBmp(const WindowImage& image, const std::wstring& path) {
    const int stride = (image.width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = image.width;
    ih.biHeight = -image.height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = stride * image.height;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(f, &fh, sizeof(fh), &written, nullptr) && WriteFile(f, &ih, sizeof(ih), &written, nullptr);
    std::string row(static_cast<size_t>(stride), '\0');
    for (int y = 0; ok && y < image.height; ++y) {
        std::copy_n(image.bgr.data() + y * image.width * 3, image.width * 3, row.data());
        ok = WriteFile(f, row.data(), stride, &written, nullptr) != FALSE;
    }
    CloseHandle(f);
    return ok;
}

}  // namespace

COLORREF WindowImage::At(int x, int y) const {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bgr.data()) + (y * width + x) * 3;
    return RGB(p[2], p[1], p[0]);
}

WindowImage CaptureWindow(HWND window) {
    RECT wr;
    if (!GetWindowRect(window, &wr)) return {};
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    if (w <= 0 || h <= 0) return {};
    HDC source = GetWindowDC(window);
    WindowImage image = drawnImage(source, w, h, [&](HDC dc) { BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY); });
    ReleaseDC(window, source);
    return image;
}

int SystemCaptionShare(HWND window, const WindowImage& image) {
    const LONG style = GetWindowLongW(window, GWL_STYLE), ex = GetWindowLongW(window, GWL_EXSTYLE);
    const bool sizing = (style & WS_THICKFRAME) != 0;
    const bool smallCaption = (ex & WS_EX_TOOLWINDOW) != 0;
    const int fx = GetSystemMetrics(sizing ? SM_CXFRAME : SM_CXFIXEDFRAME);
    const int fy = GetSystemMetrics(sizing ? SM_CYFRAME : SM_CYFIXEDFRAME);
    const int ch = GetSystemMetrics(smallCaption ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    const int cw = image.width - 2 * fx;
    // Beside the icon on the left and three title buttons on the right.
    const int left = ch + 2, right = cw - 3 * ch - 2;
    if (ch < 6 || right <= left || image.height < fy + ch) return 0;
    int best = 0;
    for (UINT state : {UINT(DC_ACTIVE), UINT(0)}) {
        WindowImage system = systemCaption(window, cw, ch, state | DC_GRADIENT | (smallCaption ? DC_SMALLCAP : 0));
        if (system.width != cw) continue;
        int same = 0, all = 0;
        for (int y = 2; y < ch - 2; ++y)
            for (int x = left; x < right; ++x, ++all)
                if (alike(system.At(x, y), image.At(fx + x, fy + y))) ++same;
        if (all) best = std::max(best, same * 100 / all);
    }
    return best;
}

std::wstring UnskinnedChildren(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&all));
    std::set<std::wstring> found;
    for (HWND child : all) {
        if (!IsWindowVisible(child)) continue;
        std::wstring cls = lowerClass(child);
        if (std::find(std::begin(kDrawnClasses), std::end(kDrawnClasses), cls) == std::end(kDrawnClasses)) continue;
        if (!answersSkinned(child)) found.insert(cls);
    }
    std::wstring text;
    for (const std::wstring& cls : found) text += (text.empty() ? L"" : L",") + cls;
    return text.empty() ? L"none" : text;
}

std::wstring ShootWindow(HWND window, const std::wstring& name) {
    if (!window) return L"shot " + Quoted(name) + L" no-window";
    WindowImage image = CaptureWindow(window);
    wchar_t folder[MAX_PATH] = {};
    if (image.width && GetEnvironmentVariableW(L"STANDIN_SHOTS", folder, MAX_PATH)) {
        CreateDirectoryW(folder, nullptr);
        saveBmp(image, std::wstring(folder) + L"\\" + name + L".bmp");
    }
    const bool skinned = answersSkinned(window);
    const bool systemFrame = image.width && SystemCaptionShare(window, image) >= 50;
    return L"shot " + Quoted(name) + L" skinned=" + (skinned ? L"1" : L"0") + L" frame=" +
           (systemFrame ? L"system" : L"skin") + L" unskinned=" + UnskinnedChildren(window);
}

}  // namespace player
