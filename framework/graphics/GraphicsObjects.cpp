#include "framework/graphics/GraphicsObjects.h"

#include <algorithm>
#include <cwchar>

namespace fw {

namespace {

// The framework's default font; every form in this system asks for it too.
constexpr wchar_t kDefaultFontName[] = L"Tahoma";
constexpr int kDefaultFontHeight = -11;

int ScreenPixelsPerInch() {
    HDC dc = GetDC(nullptr);
    int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
}

BYTE QualityValue(TFontQuality q) {
    switch (q) {
        case fqDraft:
            return DRAFT_QUALITY;
        case fqProof:
            return PROOF_QUALITY;
        case fqNonAntialiased:
            return NONANTIALIASED_QUALITY;
        case fqAntialiased:
            return ANTIALIASED_QUALITY;
        case fqClearType:
            return CLEARTYPE_QUALITY;
        case fqClearTypeNatural:
            return CLEARTYPE_NATURAL_QUALITY;
        default:
            return DEFAULT_QUALITY;
    }
}

TFontQuality QualityFrom(BYTE q) {
    switch (q) {
        case DRAFT_QUALITY:
            return fqDraft;
        case PROOF_QUALITY:
            return fqProof;
        case NONANTIALIASED_QUALITY:
            return fqNonAntialiased;
        case ANTIALIASED_QUALITY:
            return fqAntialiased;
        case CLEARTYPE_QUALITY:
            return fqClearType;
        case CLEARTYPE_NATURAL_QUALITY:
            return fqClearTypeNatural;
        default:
            return fqDefault;
    }
}

}  // namespace

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TFont ----

TFont::TFont()
    : name_(kDefaultFontName),
      height_(kDefaultFontHeight),
      color_(clWindowText),
      charset_(DEFAULT_CHARSET),
      pixelsPerInch_(ScreenPixelsPerInch()) {}

TFont::~TFont() = default;

void TFont::Assign(const TPersistent* Source) {
    const TFont* font = dynamic_cast<const TFont*>(Source);
    if (!font) return TGraphicsObject::Assign(Source);
    if (font == this) return;
    name_ = font->name_;
    height_ = font->height_;
    style_ = font->style_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    quality_ = font->quality_;
    color_ = font->color_;
    // Size is kept in pixels, so a font copied to another resolution keeps its pixel height.
    Modify();
}

void TFont::Modify() {
    handle_.Retire();
    Changed();
}

void TFont::Changed() {
    TGraphicsObject::Changed();
    handle_.DropStale();
}

void TFont::SetName(const String& value) {
    if (value.empty() || value == name_) return;
    name_ = value;
    Modify();
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    Modify();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, pixelsPerInch_, 72)); }

void TFont::SetStyle(TFontStyles value) {
    if (value == style_) return;
    style_ = value;
    Modify();
}

// The colour is not part of the GDI font: only listeners need to hear of it.
void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetCharset(TFontCharset value) {
    if (value == charset_) return;
    charset_ = value;
    Modify();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    Modify();
}

void TFont::SetQuality(TFontQuality value) {
    if (value == quality_) return;
    quality_ = value;
    Modify();
}

LOGFONTW TFont::LogFont() const {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = QualityValue(quality_);
    lf.lfPitchAndFamily = pitch_ == fpVariable ? VARIABLE_PITCH : pitch_ == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
    size_t n = std::min<size_t>(name_.size(), LF_FACESIZE - 1);
    wmemcpy(lf.lfFaceName, name_.data(), n);
    lf.lfFaceName[n] = 0;
    return lf;
}

HFONT TFont::Handle() {
    if (!handle_.Get()) {
        LOGFONTW lf = LogFont();
        HFONT made = CreateFontIndirectW(&lf);
        handle_.Set(made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), made != nullptr);
    }
    return handle_.Get();
}

void TFont::SetHandle(HFONT value, THandleOwnership ownership) {
    LOGFONTW lf{};
    if (value == handle_.Get()) {
        if (value) handle_.Set(value, ownership == hoOwned);
        return;
    }
    if (!value || GetObjectW(value, sizeof lf, &lf) == 0) return;
    handle_.Retire();
    handle_.Set(value, ownership == hoOwned);
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = TFontStyles();
    if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
    if (lf.lfItalic) style_.Include(fsItalic);
    if (lf.lfUnderline) style_.Include(fsUnderline);
    if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
    charset_ = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    pitch_ = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
    quality_ = QualityFrom(lf.lfQuality);
    Changed();
}

// ---- TBrush ----

TBrush::~TBrush() = default;

void TBrush::Assign(const TPersistent* Source) {
    const TBrush* brush = dynamic_cast<const TBrush*>(Source);
    if (!brush) return TGraphicsObject::Assign(Source);
    if (brush == this) return;
    color_ = brush->color_;
    style_ = brush->style_;
    Modify();
}

void TBrush::Modify() {
    handle_.Retire();
    Changed();
}

void TBrush::Changed() {
    TGraphicsObject::Changed();
    handle_.DropStale();
}

void TBrush::SetColor(TColor value) {
    if (value == color_ && style_ != bsClear) return;
    color_ = value;
    // Giving a clear brush a colour makes it solid, as the framework does.
    if (style_ == bsClear) style_ = bsSolid;
    Modify();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    Modify();
}

HBRUSH TBrush::Handle() {
    if (!handle_.Get()) {
        if (style_ == bsClear) {
            handle_.Set(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), false);
        } else {
            COLORREF c = COLORREF(ColorToRGB(color_)) & 0xFFFFFF;
            static const int hatch[] = {0,        0,           HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL,
                                        HS_CROSS, HS_DIAGCROSS};
            HBRUSH made = style_ == bsSolid ? CreateSolidBrush(c) : CreateHatchBrush(hatch[style_], c);
            handle_.Set(made ? made : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), made != nullptr);
        }
    }
    return handle_.Get();
}

// ---- TPen ----

TPen::~TPen() = default;

void TPen::Assign(const TPersistent* Source) {
    const TPen* pen = dynamic_cast<const TPen*>(Source);
    if (!pen) return TGraphicsObject::Assign(Source);
    if (pen == this) return;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Modify();
}

void TPen::Modify() {
    handle_.Retire();
    Changed();
}

void TPen::Changed() {
    TGraphicsObject::Changed();
    handle_.DropStale();
}

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Modify();
}

void TPen::SetWidth(int value) {
    if (value < 0 || value == width_) return;
    width_ = value;
    Modify();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    Modify();
}

// The mode lives in the DC, not in the pen object.
void TPen::SetMode(TPenMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed();
}

int TPen::Rop2() const {
    static const int rop[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
                              R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
                              R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return rop[mode_];
}

HPEN TPen::Handle() {
    if (!handle_.Get()) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        HPEN made = CreatePen(styles[style_], width_, COLORREF(ColorToRGB(color_)) & 0xFFFFFF);
        handle_.Set(made ? made : static_cast<HPEN>(GetStockObject(BLACK_PEN)), made != nullptr);
    }
    return handle_.Get();
}

}  // namespace fw
