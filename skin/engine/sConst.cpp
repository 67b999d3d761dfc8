#include "skin/engine/sConst.h"

#include <shellapi.h>

#include "framework/graphics/ImageList.h"

namespace skin {

using fw::String;

TCacheInfo EmptyCI{nullptr, -99, -99, 0, false};
TColor sFuchsia = 0xFF00FF;

const std::array<const wchar_t*, 2> sBoolArray{L"FALSE", L"TRUE"};

bool FadingForbidden = false;
int acAnimCount = 0;
bool x64woAero = false;
bool StdTransparency = false;
bool ac_KeepOwnFont = false;
bool MouseForbidden = false;
bool fGlobalFlag = false;
bool DrawSkinnedMDIWall = true;
bool DrawSkinnedMDIScrolls = true;
bool ac_v5PaintMode = false;
bool acOldGlyphsOrder = false;
int acScrollBtnLength = 16;
bool AppShowHint = false;
bool ShowHintStored = false;
void* TempControl = nullptr;
fw::TObject* acMagnForm = nullptr;
TsDisabledKind acGlobalDisabledKind{dkBlended};
PAINTSTRUCT acGlobalPS{};
HDC acGlobalDC = nullptr;

fw::TImageList* LargeShellImages = nullptr;
fw::TImageList* SmallShellImages = nullptr;

namespace {

// An image-list component over the system's list, which it never destroys.
fw::TImageList* SystemImageList(UINT SizeFlag, const wchar_t* Name) {
    SHFILEINFOW info{};
    auto* list = fw::Create<fw::TImageList>(nullptr);
    list->SetName(Name);
    list->SetShareImages(true);
    list->SetHandle(
        reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SizeFlag)));
    return list;
}

}  // namespace

void InitShellImageLists(bool /*Large*/, bool /*Small*/) {
    if (!LargeShellImages) LargeShellImages = SystemImageList(SHGFI_SHELLICONSIZE, L"sShellLargeImages");
    if (!SmallShellImages) SmallShellImages = SystemImageList(SHGFI_SMALLICON, L"sShellSmallImages");
}

String acs_MsgDlgOK, acs_MsgDlgCancel, acs_MsgDlgHelp;
String acs_RestoreStr, acs_MoveStr, acs_SizeStr, acs_MinimizeStr, acs_MaximizeStr, acs_CloseStr;
String acs_FileOpen, acs_AvailSkins, acs_InternalSkin;
String acs_ErrorSettingCount, acs_ListBoxMustBeVirtual;
String acs_ColorDlgAdd, acs_ColorDlgDefine, acs_ColorDlgMainPal, acs_ColorDlgAddPal, acs_ColorDlgTitle;
String acs_ColorDlgRed, acs_ColorDlgGreen, acs_ColorDlgBlue, acs_ColorDlgDecimal, acs_ColorDlgHex;
String acs_FrameAdapterError1;
String acs_HintDsgnTitle, acs_HintDsgnPreserved, acs_HintDsgnStyle, acs_HintDsgnBevelWidth, acs_Blur;
String acs_HintDsgnArrowLength, acs_HintDsgnHorizMargin, acs_HintDsgnVertMargin, acs_HintDsgnRadius;
String acs_HintDsgnMaxWidth, acs_HintDsgnPauseHide, acs_Percent, acs_HintDsgnOffset;
String acs_HintDsgnTransparency, acs_HintDsgnNoPicture, acs_Font, acs_Texture;
String acs_HintDsgnLoad, acs_HintDsgnSave, acs_HintDsgnColor, acs_HintDsgnBorderTop, acs_HintDsgnBorderBottom;
String acs_Shadow, acs_Background, acs_Gradient, acs_PreviewHint;
String acs_Root, acs_SelectDir, acs_Create;

HINSTANCE acResourceInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&acResourceInstance), &module);
    return module;
}

namespace {

struct CaptionString {
    String* Target;
    UINT Id;
};

const CaptionString kCaptions[] = {
    {&acs_MsgDlgOK, 58992},
    {&acs_MsgDlgCancel, 58991},
    {&acs_MsgDlgHelp, 58990},
    {&acs_RestoreStr, 58981},
    {&acs_MoveStr, 58980},
    {&acs_SizeStr, 58979},
    {&acs_MinimizeStr, 58978},
    {&acs_MaximizeStr, 58977},
    {&acs_CloseStr, 58976},
    {&acs_FileOpen, 58970},
    {&acs_AvailSkins, 58964},
    {&acs_InternalSkin, 58963},
    {&acs_ErrorSettingCount, 58962},
    {&acs_ListBoxMustBeVirtual, 58961},
    {&acs_ColorDlgAdd, 58960},
    {&acs_ColorDlgDefine, 58959},
    {&acs_ColorDlgMainPal, 58958},
    {&acs_ColorDlgAddPal, 58957},
    {&acs_ColorDlgTitle, 58956},
    {&acs_ColorDlgRed, 58955},
    {&acs_ColorDlgGreen, 58954},
    {&acs_ColorDlgBlue, 58953},
    {&acs_ColorDlgDecimal, 58952},
    {&acs_ColorDlgHex, 58951},
    {&acs_FrameAdapterError1, 58950},
    {&acs_HintDsgnTitle, 58949},
    {&acs_HintDsgnPreserved, 58948},
    {&acs_HintDsgnStyle, 58947},
    {&acs_HintDsgnBevelWidth, 58946},
    {&acs_Blur, 58945},
    {&acs_HintDsgnArrowLength, 58944},
    {&acs_HintDsgnHorizMargin, 58943},
    {&acs_HintDsgnVertMargin, 58942},
    {&acs_HintDsgnRadius, 58941},
    {&acs_HintDsgnMaxWidth, 58940},
    {&acs_HintDsgnPauseHide, 58939},
    {&acs_Percent, 58938},
    {&acs_HintDsgnOffset, 58937},
    {&acs_HintDsgnTransparency, 58936},
    {&acs_HintDsgnNoPicture, 58935},
    {&acs_Font, 58934},
    {&acs_Texture, 58933},
    {&acs_HintDsgnLoad, 58932},
    {&acs_HintDsgnSave, 58931},
    {&acs_HintDsgnColor, 58930},
    {&acs_HintDsgnBorderTop, 58929},
    {&acs_HintDsgnBorderBottom, 58928},
    {&acs_Shadow, 58927},
    {&acs_Background, 58926},
    {&acs_Gradient, 58925},
    {&acs_PreviewHint, 58924},
    {&acs_SelectDir, 58911},
    {&acs_Create, 58910},
};

// The string-table text of Id; empty only in a program built without the
// library's resources.
String LoadCaption(UINT Id) {
    const wchar_t* text = nullptr;
    int n = LoadStringW(acResourceInstance(), Id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? String(text, n) : String();
}

struct StartUp {
    StartUp() {
        acScrollBtnLength = GetSystemMetrics(SM_CXHSCROLL);
        for (const CaptionString& c : kCaptions) *c.Target = LoadCaption(c.Id);
        acs_Root = L"Root :";  // the one caption without a resource
    }
    ~StartUp() {
        // The components go; the system's lists they share stay.
        delete LargeShellImages;
        delete SmallShellImages;
        LargeShellImages = nullptr;
        SmallShellImages = nullptr;
    }
};
StartUp startUp;

}  // namespace

}  // namespace skin
