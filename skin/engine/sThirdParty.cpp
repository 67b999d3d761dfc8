#include "skin/engine/sThirdParty.h"

namespace skin {

fw::TStringList* ThirdPartySkipForms = nullptr;
void (*InitDevEx)() = nullptr;
bool (*CheckDevEx)(fw::TControl* Control) = nullptr;
void (*RefreshDevEx)() = nullptr;

namespace {

struct SkipFormsKeeper {
    SkipFormsKeeper() {
        ThirdPartySkipForms = new fw::TStringList();
        ThirdPartySkipForms->SetSorted(true);
        ThirdPartySkipForms->Add(L"TApplication");
        ThirdPartySkipForms->Add(L"TQRStandardPreview");
        ThirdPartySkipForms->Add(L"TfcPopup");
    }
    ~SkipFormsKeeper() {
        delete ThirdPartySkipForms;
        ThirdPartySkipForms = nullptr;
    }
} skipFormsKeeper;

}  // namespace

int GetImageCount(fw::TCustomImageList* ImageList) { return ImageList ? ImageList->Count() : 0; }

}  // namespace skin
