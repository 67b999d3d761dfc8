#include "skin/paint/sBitmaps.h"

#include <algorithm>
#include <utility>

#include "framework/graphics/Jpeg.h"
#include "framework/rtl/SysUtils.h"
#include "skin/paint/sChannels.h"

namespace skin {

namespace {

TacFast32 sharedFast32;

TUpdateLayeredWindow LookUpUpdateLayeredWindow() {
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (!user32) return nullptr;
    // user32 stays loaded for the process: the pointer is used until exit.
    return reinterpret_cast<TUpdateLayeredWindow>(GetProcAddress(user32, "UpdateLayeredWindow"));
}

}  // namespace

TacFast32* SharedFast32 = &sharedFast32;
TUpdateLayeredWindow UpdateLayeredWindow = LookUpUpdateLayeredWindow();
bool acLayered = UpdateLayeredWindow != nullptr;

fw::TBitmap* CreateBmpLike(fw::TBitmap* Bmp) {
    fw::TBitmap* b = new fw::TBitmap;
    b->SetWidth(Bmp->Width());
    b->SetHeight(Bmp->Height());
    b->SetPixelFormat(Bmp->PixelFormat());
    return b;
}

void InitCI(TCacheInfo& CI, fw::TBitmap* Bmp, int X, int Y) {
    CI.Bmp = Bmp;
    CI.X = X;
    CI.Y = Y;
    CI.Ready = true;
}

void DrawRectangleOnDC(HDC DC, fw::TRect& R, TColor ColorTop, TColor ColorBottom, int& Width) {
    HPEN top = CreatePen(PS_SOLID, 1, COLORREF(fw::ColorToRGB(ColorTop)));
    HPEN bottom = CreatePen(PS_SOLID, 1, COLORREF(ColorBottom));
    HGDIOBJ oldPen = SelectObject(DC, top);
    HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
    --R.Bottom;
    --R.Right;
    while (Width > 0) {
        --Width;
        SelectObject(DC, top);
        const POINT a[3] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
        Polyline(DC, a, 3);
        SelectObject(DC, bottom);
        const POINT b[3] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}};
        Polyline(DC, b, 3);
        ++R.Left, ++R.Top, --R.Right, --R.Bottom;
    }
    ++R.Bottom;
    ++R.Right;
    SelectObject(DC, oldPen);
    SelectObject(DC, oldBrush);
    DeleteObject(top);
    DeleteObject(bottom);
}

void FocusRect(fw::TCanvas* Canvas, fw::TRect R) {
    const TColor black = 0, white = 0xFFFFFF;
    for (int i = 0; i <= R.Width() / 3; ++i) {
        const int x = R.Left + 3 * i;
        Canvas->SetPixels(x, R.Top, black);
        Canvas->SetPixels(x, R.Bottom, black);
        Canvas->SetPixels(x - 1, R.Top - 1, white);
        Canvas->SetPixels(x - 1, R.Bottom - 1, white);
    }
    for (int j = 0; j <= R.Height() / 3; ++j) {
        const int y = R.Top + 3 * j;
        Canvas->SetPixels(R.Left, y, black);
        Canvas->SetPixels(R.Right, y, black);
        Canvas->SetPixels(R.Left - 1, y - 1, white);
        Canvas->SetPixels(R.Right - 1, y - 1, white);
    }
}

void CalcButtonLayout(fw::TRect Client, fw::TPoint GlyphSize, SIZE TextSize, TButtonLayout Layout,
                      fw::TAlignment Alignment, int Margin, int Spacing, fw::TPoint& GlyphPos, fw::TRect& TextBounds,
                      int BiDiFlags) {
    if (BiDiFlags & DT_RIGHT) {
        if (Layout == blGlyphLeft)
            Layout = blGlyphRight;
        else if (Layout == blGlyphRight)
            Layout = blGlyphLeft;
    }
    const fw::TPoint client(Client.Width(), Client.Height());
    TextBounds = fw::TRect(0, 0, TextSize.cx, TextSize.cy);
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    fw::TPoint textPos;
    if (horizontal) {
        GlyphPos.Y = (client.Y - GlyphSize.Y + 1) / 2;
        textPos.Y = (client.Y - TextSize.cy + 1) / 2;
    } else {
        GlyphPos.X = (client.X - GlyphSize.X + 1) / 2;
        textPos.X = (client.X - TextSize.cx + 1) / 2;
    }
    if (TextSize.cx == 0 || GlyphSize.X == 0) Spacing = 0;
    // Sizes along the axis.
    const int cs = horizontal ? client.X : client.Y;
    const int g = horizontal ? GlyphSize.X : GlyphSize.Y;
    const int t = horizontal ? TextSize.cx : TextSize.cy;
    if (Margin == -1) {
        if (Spacing < 0) {
            Spacing = Margin = (cs - (g + t)) / 3;
        } else {
            const int total = g + Spacing + t;
            Margin = Alignment == fw::taCenter ? (cs - total + 1) / 2 : 2;
        }
    } else if (Spacing == -1) {
        Spacing = ((cs - Margin - g) - t) / 2;
    }
    int gp = 0, tp = 0;
    switch (Layout) {
        case blGlyphLeft:
            if (Alignment == fw::taLeftJustify) {
                gp = Margin;
                tp = Margin + g + Spacing;
            } else if (Alignment == fw::taRightJustify) {
                tp = cs - Margin - t;
                gp = tp - Spacing - g;
            } else {
                gp = (cs - t - Spacing - g) / 2;
                tp = gp + g + Spacing;
            }
            break;
        case blGlyphRight:
            if (Alignment == fw::taLeftJustify) {
                tp = Margin;
                gp = Margin + t + Spacing;
            } else if (Alignment == fw::taRightJustify) {
                gp = cs - Margin - g;
                tp = gp - Spacing - t;
            } else {
                tp = (cs - t - Spacing - g) / 2;
                gp = tp + t + Spacing;
            }
            break;
        case blGlyphTop:
            gp = (cs - g - Spacing - t) / 2;
            tp = gp + g + Spacing;
            break;
        case blGlyphBottom:
            gp = (cs - g) - (cs - g - Spacing - t) / 2;
            tp = gp - Spacing - t;
            break;
    }
    if (horizontal) {
        GlyphPos.X = gp;
        textPos.X = tp;
    } else {
        GlyphPos.Y = gp;
        textPos.Y = tp;
    }
    GlyphPos.X += Client.Left;
    GlyphPos.Y += Client.Top;
    TextBounds.Left += Client.Left + textPos.X;
    TextBounds.Right += Client.Left + textPos.X;
    TextBounds.Top += Client.Top + textPos.Y;
    TextBounds.Bottom += Client.Top + textPos.Y;
}

int GetFontHeight(HFONT Font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + 6;
}

SIZE GetStringSize(HFONT Font, const fw::String& Text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font);
    SIZE s{};
    if (!GetTextExtentPoint32W(dc, Text.c_str(), int(Text.size()), &s)) s = SIZE{0, 0};
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return s;
}

void LoadJpegOrBmp(fw::TPicture* Picture, const fw::String& FileName, bool Gray) {
    if (!fw::FileExists(FileName)) {
        Picture->Assign(nullptr);
        return;
    }
    const fw::String ext = fw::UpperCase(fw::ExtractFileExt(FileName));
    if (ext == L".JPG" || ext == L".JPEG") {
        fw::TJPEGImage jpeg;
        jpeg.LoadFromFile(FileName);
        jpeg.SetGrayscale(Gray);
        Picture->Assign(&jpeg);
    } else if (ext == L".BMP") {
        Picture->LoadFromFile(FileName);
        Picture->Bitmap()->SetPixelFormat(fw::pf24bit);
        if (Gray) GrayScale(Picture->Bitmap());
    }
}

bool DoLayered(HWND Handle, bool Layered) {
    const LONG ex = GetWindowLongW(Handle, GWL_EXSTYLE);
    if (Layered && acLayered && !(ex & WS_EX_LAYERED)) {
        SetWindowLongW(Handle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        // An empty image at alpha 10: practically invisible until painted.
        RECT wr{};
        GetWindowRect(Handle, &wr);
        fw::TBitmap* empty = CreateBmp32(wr.right - wr.left, wr.bottom - wr.top);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 10, AC_SRC_ALPHA};
        HDC screen = GetDC(nullptr);
        SIZE size{empty->Width(), empty->Height()};
        POINT src{0, 0};
        if (UpdateLayeredWindow)
            UpdateLayeredWindow(Handle, screen, nullptr, &size, empty->Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA);
        ReleaseDC(nullptr, screen);
        delete empty;
        return true;
    }
    SetWindowLongW(Handle, GWL_STYLE, GetWindowLongW(Handle, GWL_STYLE) & ~WS_VISIBLE);
    SetWindowLongW(Handle, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    return false;
}

}  // namespace skin
