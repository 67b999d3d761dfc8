// Test forms that record the library's messages they receive, and a guard
// that leaves the manager's process-wide state as it found it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/rtl/Streams.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/StandInProvider.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skins/TestSkins.h"

namespace enginetest {

// Keeps every SM_ALPHACMD sub-command it is sent; answers smcIsHandled and
// smcGetProvider as a skinned form would.
class TRecordingForm : public fw::TForm {
public:
    explicit TRecordingForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
    fw::String ClassName() const override { return L"TRecordingForm"; }

    std::vector<WORD> Got;
    std::vector<LPARAM> Params;
    bool AnswersHandled = false;
    skintest::TestProvider* Provider = nullptr;

    int Count(WORD cmd) const { return int(std::count(Got.begin(), Got.end(), cmd)); }
    void Clear() {
        Got.clear();
        Params.clear();
    }

protected:
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == skin::SM_ALPHACMD) {
            const WORD cmd = m.WParamHi();
            if (cmd == skin::smcIsHandled) {
                m.Result = AnswersHandled ? 1 : 0;
            } else if (cmd == skin::smcGetProvider) {
                m.Result = LRESULT(Provider);
            } else {
                Got.push_back(cmd);
                Params.push_back(m.LParam);
            }
            return;
        }
        fw::TForm::WndProc(m);
    }
};

// A recording form owned by the application, so broadcasts reach it.
inline TRecordingForm* NewForm() {
    auto* f = new TRecordingForm(fw::Application);
    f->AfterConstruction();
    f->Handle();
    return f;
}

inline skin::TsSkinManager* NewManager(fw::TComponent* owner) {
    auto* sm = new skin::TsSkinManager(owner);
    sm->AfterConstruction();
    return sm;
}

// Adds a stored skin holding the bytes of a committed packed skin.
inline skin::TsStoredSkin* AddStored(skin::TsSkinManager* sm, const fw::String& name, const fw::String& asz) {
    skin::TsStoredSkin* item = sm->InternalSkins()->Add();
    item->SetName(name);
    if (!asz.empty()) item->PackedData->LoadFromFile(kvbskins::SkinsPath(asz));
    return item;
}

// Frees what a test made and checks nothing global was left behind.
struct Cleanup {
    std::vector<fw::TComponent*> owned;
    template <typename T>
    T* Keep(T* c) {
        owned.push_back(c);
        return c;
    }
    ~Cleanup() {
        for (auto it = owned.rbegin(); it != owned.rend(); ++it) (*it)->Free();
        skin::NonAutoUpdate = false;
    }
};

}  // namespace enginetest
