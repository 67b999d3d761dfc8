// The control adapter of a skinned form: it walks the form's components and
// controls and puts a window wrapper on every control whose class name
// stands in one of the skin manager's lists of foreign classes (ThirdLists),
// the wrapper chosen by the list the name was found in; speed buttons get a
// graphic-control handler, plain labels become transparent in the skin's
// font colour. The provider of the form owns it.
//
// An item lives as long as its wrapper: a wrapper that died with its window
// (a window made again) is dropped at the next walk and the control wrapped
// anew.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/rtl/Method.h"
#include "framework/windows/Buttons.h"
#include "framework/windows/Controls.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acSpeedButtonHandler.h"

namespace skin {

class TsSkinProvider;
class TacCtrlAdapter;

// Asked before a control is adapted: may veto it, or give a windowed
// control another section.
using TAddItemEvent = fw::Method<void(fw::TComponent* Item, bool& CanBeAdded, fw::String& SkinSection)>;

// A walk of the adapter is running; the adapter is removing its items.
extern bool bFlag;
extern bool bRemoving;

// The wrapper a control found in list Kind (TacThirdPartyTypes) gets; nil
// for a list whose wrapper this build does not hold.
using TAdapterWrapperMaker = TacMainWnd* (*)(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                                             const fw::String& SkinSection);
TAdapterWrapperMaker AdapterWrapperMaker(int Kind);
// The first list (in list order) holding ClassName exactly, -1 for none.
int ThirdListOf(TsSkinManager* Manager, const fw::String& ClassName);

// One adapted windowed control: its skin data (class code 227) and wrapper,
// both owned.
class TacAdapterItem : public fw::TPersistent {
public:
    TacAdapterItem();
    ~TacAdapterItem() override;
    fw::String ClassName() const override { return L"TacAdapterItem"; }
    // Wraps Control by the list its class name is found in.
    virtual void DoHook(fw::TWinControl* Control);

    fw::TWinControl* WinCtrl = nullptr;
    TsCommonData* SkinData = nullptr;
    int OldFontColor = -1;
    TacCtrlAdapter* Adapter = nullptr;
    TacMainWnd* ScrollWnd = nullptr;  // nil when none
};

// One adapted speed button: its skin data (class code 227) and handler, both
// owned.
class TacGraphItem : public fw::TPersistent {
public:
    TacGraphItem();
    ~TacGraphItem() override;
    fw::String ClassName() const override { return L"TacGraphItem"; }
    virtual void DoHook(fw::TControl* Control);

    fw::TControl* Ctrl = nullptr;
    TsCommonData* SkinData = nullptr;
    TacCtrlAdapter* Adapter = nullptr;
    TacSpeedButtonHandler* Handler = nullptr;
};

class TacCtrlAdapter : public fw::TPersistent {
public:
    explicit TacCtrlAdapter(TsSkinProvider* AProvider);
    ~TacCtrlAdapter() override;
    fw::String ClassName() const override { return L"TacCtrlAdapter"; }

    virtual bool IsControlSupported(fw::TComponent* Control);
    // Nil outside 0..Count-1.
    virtual TacAdapterItem* GetItem(int Index);
    // Always nil.
    virtual TsCommonData* GetCommonData(int Index);
    virtual void AddNewItem(fw::TSpeedButton* Ctrl);
    // With DefaultSection.
    virtual void AddNewItem(fw::TWinControl* Ctrl);
    // An empty section leaves the wrapper its own ("BUTTON", "EDIT"...).
    virtual void AddNewItem(fw::TWinControl* Ctrl, const fw::String& SkinSection);
    // Frees the item; the last one takes its place. Indexes outside the
    // array (IndexOf's -1 too) are ignored.
    virtual void RemoveItem(int Index);
    // Sends the message to the window of every live wrapper.
    virtual void WndProc(fw::TMessage& Message);

    // Adapts everything below OwnerCtrl (nil: the provider's form).
    void AddAllItems(fw::TWinControl* OwnerCtrl = nullptr);
    // Drops the items whose wrapper or handler is missing or dead.
    void CleanItems();
    void RemoveAllItems();
    int Count() const { return int(Items.size()); }
    int IndexOf(fw::TWinControl* Ctrl) const;

    fw::String DefaultSection;
    std::vector<TacAdapterItem*> Items;
    std::vector<TacGraphItem*> GraphItems;
    TsSkinProvider* Provider = nullptr;

private:
    TsSkinManager* Manager() const;
    // OnSkinItem of the provider; True when the control may be adapted.
    bool AskSkinItem(fw::TComponent* Item, fw::String& SkinSection);
    void MakeLabelTransparent(fw::TCustomLabel* Label);
    void AddComponent(fw::TComponent* C, bool Owned);
};

}  // namespace skin
