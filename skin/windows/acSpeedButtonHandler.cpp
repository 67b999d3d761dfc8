#include "skin/windows/acSpeedButtonHandler.h"

#include <algorithm>
#include <vector>

#include "framework/windows/Application.h"
#include "skin/engine/PNGGraphic.h"

namespace skin {

// What the control's WindowProc runs in the handler's place. It also learns
// when the control is freed, so that nothing touches a freed control. When a
// subclasser sits on top at the handler's end, the link stays as a
// pass-through to the replaced method; links are freed at the next attach,
// never while a call may still run through them.
class TacGraphLink : public fw::TComponent {
public:
    TacGraphLink() : fw::TComponent(nullptr) {}
    fw::String ClassName() const override { return L"TacGraphLink"; }

    TacSpeedButtonHandler* Handler = nullptr;  // nil: a pass-through
    fw::TControl* Ctrl = nullptr;
    fw::TWndMethod Old;

    fw::TWndMethod Own() { return fw::TWndMethod(this, &TacGraphLink::Route); }
    bool RunsOnTop() { return Ctrl && Ctrl->WindowProc() == Own(); }

    void Route(fw::TMessage& M) {
        if (Handler) {
            Handler->acWndProc(M);
            return;
        }
        if (Old.Assigned()) Old(M);
        // Back on top (the subclasser above went away): out of the chain.
        if (RunsOnTop()) {
            Ctrl->SetWindowProc(Old);
            Retire(this);
        }
    }

    static void Retire(TacGraphLink* L) {
        L->Handler = nullptr;
        if (std::find(Retired().begin(), Retired().end(), L) == Retired().end()) Retired().push_back(L);
    }
    static void FreeRetired() {
        std::vector<TacGraphLink*> list;
        list.swap(Retired());
        for (TacGraphLink* l : list) {
            if (l->Ctrl) l->Ctrl->RemoveFreeNotification(l);
            delete l;
        }
    }
    static std::vector<TacGraphLink*>& Retired() {
        static std::vector<TacGraphLink*> list;
        return list;
    }

protected:
    void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override {
        fw::TComponent::Notification(AComponent, Operation);
        if (Operation != fw::opRemove || AComponent != Ctrl) return;
        Ctrl = nullptr;
        if (Handler)
            Handler->ControlGone();
        else
            Retire(this);  // a pass-through with nothing left to pass to
    }
};

// ---- layout

fw::TRect SpeedButtonGlyphRect(const TacSpeedButtonLayout& L) {
    const int W = L.Glyph.cx, H = L.Glyph.cy;
    const bool caption = L.Text.cx > 0 || L.Text.cy > 0;
    const int spX = caption && W > 0 ? L.Spacing : 0;
    const int spY = caption && H > 0 ? L.Spacing : 0;
    const int Fx = (L.Width - (W + spX + L.Text.cx)) / 2;
    const int Fy = (L.Height - (H + spY + L.Text.cy)) / 2;
    int X = 0, Y = 0;
    switch (L.Layout) {
        case fw::blGlyphLeft:
            X = L.Margin == -1 ? Fx : L.Margin;
            Y = (L.Height - H) / 2;
            break;
        case fw::blGlyphRight:
            X = L.Margin == -1 ? L.Width - Fx - W : L.Width - W - L.Margin;
            Y = (L.Height - H) / 2;
            break;
        case fw::blGlyphTop:
            X = (L.Width - W) / 2;
            Y = L.Margin == -1 ? Fy : L.Margin;
            break;
        case fw::blGlyphBottom:
            X = (L.Width - W) / 2;
            Y = L.Margin == -1 ? L.Height - Fy - H : L.Height - H - L.Margin;
            break;
    }
    if (L.Pressed) ++X, ++Y;
    return fw::TRect(X, Y, X + W, Y + H);
}

fw::TRect SpeedButtonCaptionRect(const TacSpeedButtonLayout& L) {
    const SIZE T = L.Text;
    const int d = L.Pressed ? 1 : 0;
    const int Vc = d + (L.Height - T.cy) / 2, Hc = d + (L.Width - T.cx) / 2;
    int X = Hc, Y = Vc;
    if (L.Glyph.cx == 0 || L.Glyph.cy == 0) {
        if (L.Margin != -1) switch (L.Layout) {
                case fw::blGlyphLeft:
                    X = L.Margin;
                    break;
                case fw::blGlyphRight:
                    X = L.Width - L.Margin - T.cx;
                    break;
                case fw::blGlyphTop:
                    Y = L.Margin;
                    break;
                case fw::blGlyphBottom:
                    Y = L.Height - L.Margin - T.cy;
                    break;
            }
    } else {
        const fw::TRect G = SpeedButtonGlyphRect(L);
        switch (L.Layout) {
            case fw::blGlyphLeft:
                X = G.Right + L.Spacing;
                break;
            case fw::blGlyphRight:
                X = G.Left - L.Spacing - T.cx;
                break;
            case fw::blGlyphTop:
                Y = G.Bottom + L.Spacing;
                break;
            case fw::blGlyphBottom:
                Y = G.Top - L.Spacing - T.cy;
                break;
        }
    }
    return fw::TRect(X, Y, X + T.cx, Y + T.cy);
}

// ---- the handler

TacSpeedButtonHandler::TacSpeedButtonHandler(fw::TControl* Btn, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                             const fw::String& SkinSection, bool Repaint) {
    (void)Repaint;
    TacGraphLink::FreeRetired();
    Ctrl = Btn;
    SkinData = ASkinData;
    SkinManager = ASkinManager ? ASkinManager : (ASkinData ? ASkinData->GetSkinManager() : nullptr);
    if (SkinData && SkinData->SkinSection().empty()) SkinData->SetSkinSection(SkinSection);
    if (!Ctrl) {
        Destroyed = true;
        return;
    }
    Link = new TacGraphLink;
    Link->Handler = this;
    Link->Ctrl = Ctrl;
    Link->Old = Ctrl->WindowProc();
    OldWndProc = Link->Old;
    Ctrl->FreeNotification(Link);
    Ctrl->SetWindowProc(Link->Own());
}

TacSpeedButtonHandler::~TacSpeedButtonHandler() {
    if (Link) {
        if (Link->RunsOnTop()) {
            Ctrl->SetWindowProc(OldWndProc);
            TacGraphLink::Retire(Link);
        } else {
            // Someone else's method runs on top and calls the link: it
            // passes on from now and takes itself out when it can.
            Link->Handler = nullptr;
        }
        Link = nullptr;
    }
    Destroyed = true;
    SkinManager = nullptr;
}

void TacSpeedButtonHandler::ControlGone() {
    Ctrl = nullptr;
    Destroyed = true;
    if (Link) TacGraphLink::Retire(Link);
    Link = nullptr;
}

LRESULT TacSpeedButtonHandler::CallPrevWndProc(fw::TControl* Control, UINT Msg, WPARAM WParam, LPARAM& LParam) {
    (void)Control;
    if (!OldWndProc.Assigned()) return 0;
    fw::TMessage m;
    m.Msg = Msg, m.WParam = WParam, m.LParam = LParam;
    OldWndProc(m);
    LParam = m.LParam;
    return m.Result;
}

void TacSpeedButtonHandler::Repaint() {
    if (Ctrl && Ctrl->Visible()) Ctrl->Repaint();
}

void TacSpeedButtonHandler::acWndProc(fw::TMessage& Message) {
    auto passOn = [&] {
        LPARAM lp = Message.LParam;
        Message.Result = CallPrevWndProc(Ctrl, Message.Msg, Message.WParam, lp);
        Message.LParam = lp;
    };
    if (Message.Msg == SM_ALPHACMD) {
        const bool ours = reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinManager;
        switch (Message.WParamHi()) {
            case smcNewSkin:
                if (!ours) break;
                CommonWndProc(Message, SkinData);
                return;
            case smcRemoveSkin:
                if (ours && Ctrl && !Ctrl->ComponentState().Contains(fw::csDestroying)) {
                    CommonWndProc(Message, SkinData);
                    Repaint();
                }
                break;
            case smcRefresh:
                if (!ours) break;
                CommonWndProc(Message, SkinData);
                Repaint();
                return;
            case smcEndParentUpdate:
                if (!SkinData->FUpdating) break;
                SkinData->SetUpdating(false);
                Repaint();
                return;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcRepaint:
                SkinData->FUpdating = false;
                SkinData->BGChanged = true;
                Repaint();
                break;
            case smcGetApplication:
                Message.Result = LRESULT(static_cast<fw::TApplication*>(fw::Application));
                return;
            default:
                break;
        }
        passOn();
        return;
    }
    switch (Message.Msg) {
        case WM_PAINT:
            // Without a skin the control paints itself.
            if (!SkinData->Skinned(true)) break;
            AC_WMPaint(Message);
            return;
        case fw::CM_MOUSEENTER:
        case fw::CM_MOUSELEAVE:
            SkinData->FMouseAbove = Message.Msg == fw::CM_MOUSEENTER;
            passOn();
            Repaint();
            return;
        default:
            break;
    }
    passOn();
}

void TacSpeedButtonHandler::AC_WMPaint(fw::TMessage& Message) {
    HDC DC = HDC(Message.WParam);
    if (!DC || !Ctrl) return;
    const int saved = SaveDC(DC);
    if (PrepareCache()) {
        UpdateCorners(SkinData, 0);
        BitBlt(DC, 0, 0, Ctrl->Width(), Ctrl->Height(), SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    RestoreDC(DC, saved);
}

bool TacSpeedButtonHandler::PrepareCache() {
    SkinData->InitCacheBmp();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    cache->SetSize(Ctrl->Width(), Ctrl->Height());
    cache->Canvas()->SetFont(Ctrl->Font());
    TacBGInfo BG;
    BG.BgType = btUnknown;
    BG.DrawDC = nullptr;
    GetBGInfo(&BG, Ctrl->Parent(), false);
    const TCacheInfo CI = BGInfoToCI(BG);
    // The parent has no image to show through yet.
    if (CI.Ready && CI.Bmp && CI.Bmp->Width() == 0) return false;
    const int S = CurrentState();
    const fw::TPoint pos(Ctrl->Left(), Ctrl->Top());
    PaintItem(SkinData, CI, true, S, fw::TRect(0, 0, Ctrl->Width(), Ctrl->Height()), pos, cache, true, S == 2 ? 1 : 0,
              S == 2 ? 1 : 0);
    UpdateCorners(SkinData, S);
    DrawCaption();
    DrawGlyph();
    if (!Ctrl->Enabled())
        BmpDisabledKind(cache, TsDisabledKind{dkBlended}, Ctrl->Parent(), GetParentCache(SkinData), pos);
    SkinData->BGChanged = false;
    return true;
}

fw::String TacSpeedButtonHandler::Caption() const { return Ctrl ? Ctrl->Text() : fw::String(); }

int TacSpeedButtonHandler::CurrentState() const {
    if (fw::TSpeedButton* b = Button())
        if (b->State() == fw::bsDown || b->State() == fw::bsExclusive) return 2;
    return ControlIsActive(SkinData) ? 1 : 0;
}

int TacSpeedButtonHandler::GlyphWidth() const {
    fw::TSpeedButton* b = Button();
    if (!b || b->Glyph()->Empty()) return 0;
    return b->Glyph()->Width() / std::max(1, int(b->NumGlyphs()));
}

int TacSpeedButtonHandler::GlyphHeight() const {
    fw::TSpeedButton* b = Button();
    if (!b || b->Glyph()->Empty()) return 0;
    return b->Glyph()->Height();
}

SIZE TacSpeedButtonHandler::TextRectSize() {
    const fw::String text = Caption();
    if (text.empty()) return {0, 0};
    // Wrapped at 255 pixels.
    fw::TRect R(0, 0, 255, 0);
    acDrawText(SkinData->FCacheBmp->Canvas()->Handle(), text, R, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    return {R.Width(), R.Height()};
}

TacSpeedButtonLayout TacSpeedButtonHandler::LayoutNow() {
    TacSpeedButtonLayout L;
    L.Width = Ctrl->Width();
    L.Height = Ctrl->Height();
    L.Glyph = {GlyphWidth(), GlyphHeight()};
    L.Text = TextRectSize();
    if (fw::TSpeedButton* b = Button()) {
        L.Layout = b->Layout();
        L.Margin = b->Margin();
        L.Spacing = b->Spacing();
    }
    L.Pressed = CurrentState() == 2;
    return L;
}

fw::TRect TacSpeedButtonHandler::ImgRect() { return SpeedButtonGlyphRect(LayoutNow()); }

fw::TRect TacSpeedButtonHandler::CaptionRect() { return SpeedButtonCaptionRect(LayoutNow()); }

void TacSpeedButtonHandler::DoDrawText(fw::TRect& R, UINT Flags) {
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    C->SetFont(Ctrl->Font());
    const UINT F = Ctrl->DrawTextBiDiModeFlags(Flags) & ~UINT(DT_SINGLELINE);
    acWriteTextEx(C, Caption().c_str(), true, R, F, SkinData, CurrentState() != 0);
}

void TacSpeedButtonHandler::DrawCaption() {
    if (Caption().empty()) return;
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    C->SetFont(Ctrl->Font());
    C->Brush()->SetStyle(fw::bsClear);
    fw::TRect R = CaptionRect();
    DoDrawText(R, GetStringFlags(Ctrl, fw::taLeftJustify) | DT_WORDBREAK | DT_EXPANDTABS);
}

void TacSpeedButtonHandler::DrawGlyph() {
    fw::TSpeedButton* b = Button();
    if (!b || b->Glyph()->Empty()) return;
    fw::TBitmap* glyph = b->Glyph();
    if (glyph->HandleType() == fw::bmDDB) glyph->SetHandleType(fw::bmDIB);
    const fw::TRect R = ImgRect();
    if (b->NumGlyphs() == 1 && glyph->PixelFormat() == fw::pf32bit) {
        // One image with its own alpha: blended by it.
        TPNGGraphic png;
        png.Assign(glyph);
        png.Draw(SkinData->FCacheBmp->Canvas(), fw::TRect(R.Left, R.Top, R.Left + png.Width(), R.Top + png.Height()));
        return;
    }
    DrawGlyphEx(glyph, SkinData->FCacheBmp, R, b->NumGlyphs(), b->Enabled(), TsDisabledGlyphKind{dgBlended},
                CurrentState(), 0, b->Down(), false);
}

}  // namespace skin
