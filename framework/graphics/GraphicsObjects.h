// Font, brush and pen: property bags that make their GDI object on demand and
// make it again after any change. The canvas that owns one listens to OnChange
// so it can take the old object out of its DC before the object is deleted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>

#include "framework/graphics/Color.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"

namespace fw {

// Whether a GDI handle given to a font or a bitmap is deleted with it
// (hoOwned) or stays its maker's (hoBorrowed: a window's WM_GETFONT font, a
// static control's bitmap).
enum THandleOwnership { hoOwned, hoBorrowed };

class TGraphicsObject : public TPersistent {
public:
    String ClassName() const override { return L"TGraphicsObject"; }

    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

namespace detail {

// The GDI object a font, brush or pen made (or borrowed), and the one it
// replaced: that one is deleted only once the owner's listeners (a canvas)
// have taken it out of their DCs.
template <typename H>
class GdiHandleSlot {
public:
    GdiHandleSlot() = default;
    GdiHandleSlot(const GdiHandleSlot&) = delete;
    GdiHandleSlot& operator=(const GdiHandleSlot&) = delete;
    ~GdiHandleSlot() {
        if (handle_ && owned_) DeleteObject(handle_);
        DropStale();
    }

    H Get() const { return handle_; }
    // Owned objects are deleted here; borrowed and stock ones never.
    void Set(H value, bool owned) {
        handle_ = value;
        owned_ = owned;
    }
    // Empties the slot; an owned object waits in stale until DropStale.
    void Retire() {
        if (!handle_) return;
        DropStale();
        if (owned_) stale_ = handle_;
        handle_ = nullptr;
        owned_ = false;
    }
    void DropStale() {
        if (stale_) DeleteObject(stale_);
        stale_ = nullptr;
    }

private:
    H handle_ = nullptr;
    bool owned_ = false;
    H stale_ = nullptr;
};

}  // namespace detail

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// The set [fsBold, fsItalic, ...] as bits.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(TFontStyle s) : bits_(1u << s) {}
    constexpr TFontStyles(std::initializer_list<TFontStyle> list) {
        for (TFontStyle s : list) bits_ |= 1u << s;
    }
    constexpr bool Contains(TFontStyle s) const { return (bits_ >> s) & 1u; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TFontStyles& Include(TFontStyle s) {
        bits_ |= 1u << s;
        return *this;
    }
    constexpr TFontStyles& Exclude(TFontStyle s) {
        bits_ &= ~(1u << s);
        return *this;
    }
    friend constexpr TFontStyles operator+(TFontStyles a, TFontStyles b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyles b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr TFontStyles operator*(TFontStyles a, TFontStyles b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TFontStyles a, TFontStyles b) { return a.bits_ == b.bits_; }
    friend constexpr bool operator!=(TFontStyles a, TFontStyles b) { return a.bits_ != b.bits_; }

private:
    static constexpr TFontStyles FromBits(unsigned bits) {
        TFontStyles s;
        s.bits_ = bits;
        return s;
    }
    unsigned bits_ = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };
// Tests draw text with fqNonAntialiased so every text pixel is an exact colour.
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
using TFontCharset = BYTE;

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    String ClassName() const override { return L"TFont"; }

    void Assign(const TPersistent* Source) override;

    String Name() const { return name_; }
    void SetName(const String& value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int value);
    // Points, through PixelsPerInch: Size = -Height * 72 / PixelsPerInch.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    TFontQuality Quality() const { return quality_; }
    void SetQuality(TFontQuality value);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value > 0 ? value : 96; }

    // Made from the properties on first use, owned by the font.
    HFONT Handle();
    // Uses a font made elsewhere: the properties are read back from it. A
    // borrowed font (a window's WM_GETFONT font) is never deleted here; an
    // owned one (made with CreateFontIndirect for this font) is deleted when
    // the next property change replaces it or the TFont goes. Either way the
    // next property change makes a font of our own.
    void SetHandle(HFONT value, THandleOwnership ownership = hoBorrowed);
    bool HandleAllocated() const { return handle_.Get() != nullptr; }
    LOGFONTW LogFont() const;

protected:
    void Changed() override;

private:
    void Modify();

    String name_;
    int height_;
    TFontStyles style_;
    TColor color_;
    TFontCharset charset_;
    TFontPitch pitch_ = fpDefault;
    TFontQuality quality_ = fqDefault;
    int pixelsPerInch_;
    detail::GdiHandleSlot<HFONT> handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    ~TBrush() override;
    String ClassName() const override { return L"TBrush"; }

    void Assign(const TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    // bsClear gives the stock NULL_BRUSH; any other style a brush owned here.
    HBRUSH Handle();
    bool HandleAllocated() const { return handle_.Get() != nullptr; }

protected:
    void Changed() override;

private:
    void Modify();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    detail::GdiHandleSlot<HBRUSH> handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    ~TPen() override;
    String ClassName() const override { return L"TPen"; }

    void Assign(const TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    // The raster operation (SetROP2) the canvas applies with this pen.
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    int Rop2() const;

    HPEN Handle();
    bool HandleAllocated() const { return handle_.Get() != nullptr; }

protected:
    void Changed() override;

private:
    void Modify();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    detail::GdiHandleSlot<HPEN> handle_;
};

}  // namespace fw
