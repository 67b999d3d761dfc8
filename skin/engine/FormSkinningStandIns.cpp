#include "skin/engine/FormSkinningStandIns.h"

#include "framework/windows/Forms.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

HHOOK HookCallback = nullptr;
fw::TList* acSupportedList = nullptr;

LRESULT CALLBACK SkinHookCBT(int nCode, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(HookCallback, nCode, wParam, lParam);
}

void ClearMnuArray() {}

TsSkinProvider::TsSkinProvider(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
    Form = dynamic_cast<fw::TCustomForm*>(AOwner);
    if (Form) IntSkinForm(Form);
}

TsSkinProvider::~TsSkinProvider() {
    if (Form) IntUnSkinForm(Form);
}

TsSkinManager* TsSkinProvider::SkinManager() const {
    return Manager ? Manager : DefaultManager;
}

void FillArOR(TsSkinProvider* sp) { (void)sp; }

void UpdateRgn(TsSkinProvider* sp, bool Repaint) {
    (void)sp, (void)Repaint;
}

}  // namespace skin
