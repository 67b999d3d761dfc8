#include "skin/engine/sConst.h"

#include <shellapi.h>

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

HIMAGELIST LargeShellImages = nullptr;
HIMAGELIST SmallShellImages = nullptr;

void InitShellImageLists(bool /*Large*/, bool /*Small*/) {
    SHFILEINFOW info{};
    if (!LargeShellImages)
        LargeShellImages = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE));
    if (!SmallShellImages)
        SmallShellImages = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
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

namespace {

struct CaptionString {
    String* Target;
    UINT Id;
    const wchar_t* Text;
};

const CaptionString kCaptions[] = {
    {&acs_MsgDlgOK, 58992, L"OK"},
    {&acs_MsgDlgCancel, 58991, L"Cancel"},
    {&acs_MsgDlgHelp, 58990, L"&Help"},
    {&acs_RestoreStr, 58981, L"Restore"},
    {&acs_MoveStr, 58980, L"Move"},
    {&acs_SizeStr, 58979, L"Size"},
    {&acs_MinimizeStr, 58978, L"Minimize"},
    {&acs_MaximizeStr, 58977, L"Maximize"},
    {&acs_CloseStr, 58976, L"Close"},
    {&acs_FileOpen, 58970, L"File open"},
    {&acs_AvailSkins, 58964, L"Available skins"},
    {&acs_InternalSkin, 58963, L"(internal)"},
    {&acs_ErrorSettingCount, 58962, L"Error setting %s.Count"},
    {&acs_ListBoxMustBeVirtual, 58961, L"Listbox (%s) style must be virtual in order to set Count"},
    {&acs_ColorDlgAdd, 58960, L"Add to custom colors set"},
    {&acs_ColorDlgDefine, 58959, L"Define colors"},
    {&acs_ColorDlgMainPal, 58958, L"Main palette :"},
    {&acs_ColorDlgAddPal, 58957, L"Additional colors :"},
    {&acs_ColorDlgTitle, 58956, L"Color"},
    {&acs_ColorDlgRed, 58955, L"Red :"},
    {&acs_ColorDlgGreen, 58954, L"Green :"},
    {&acs_ColorDlgBlue, 58953, L"Blue :"},
    {&acs_ColorDlgDecimal, 58952, L"Decimal - "},
    {&acs_ColorDlgHex, 58951, L"Hex - "},
    {&acs_FrameAdapterError1, 58950, L"TsFrameAdapter adapter must be placed on the handled frame"},
    {&acs_HintDsgnTitle, 58949, L"Hint Designer Form"},
    {&acs_HintDsgnPreserved, 58948, L"Preserved settings :"},
    {&acs_HintDsgnStyle, 58947, L"Style :"},
    {&acs_HintDsgnBevelWidth, 58946, L"Bevel width"},
    {&acs_Blur, 58945, L"Blur"},
    {&acs_HintDsgnArrowLength, 58944, L"Arrow length"},
    {&acs_HintDsgnHorizMargin, 58943, L"Horiz. margin"},
    {&acs_HintDsgnVertMargin, 58942, L"Vert. margin"},
    {&acs_HintDsgnRadius, 58941, L"Corners radius"},
    {&acs_HintDsgnMaxWidth, 58940, L"Max width"},
    {&acs_HintDsgnPauseHide, 58939, L"Pause hide (ms)"},
    {&acs_Percent, 58938, L"Percent"},
    {&acs_HintDsgnOffset, 58937, L"Offset"},
    {&acs_HintDsgnTransparency, 58936, L"Transparency"},
    {&acs_HintDsgnNoPicture, 58935, L"No picture available"},
    {&acs_Font, 58934, L"Font"},
    {&acs_Texture, 58933, L"Texture"},
    {&acs_HintDsgnLoad, 58932, L"Load from file"},
    {&acs_HintDsgnSave, 58931, L"Save to file as..."},
    {&acs_HintDsgnColor, 58930, L"Color"},
    {&acs_HintDsgnBorderTop, 58929, L"Top border"},
    {&acs_HintDsgnBorderBottom, 58928, L"Bottom border"},
    {&acs_Shadow, 58927, L"Shadow"},
    {&acs_Background, 58926, L"Background"},
    {&acs_Gradient, 58925, L"Gradient"},
    {&acs_PreviewHint, 58924, L"Preview of the future hint window"},
    {&acs_Root, 0, L"Root :"},
    {&acs_SelectDir, 58911, L"Select directory"},
    {&acs_Create, 58910, L"Create"},
};

// The string-table text of Id, or Fallback when the program carries none.
String LoadCaption(UINT Id, const wchar_t* Fallback) {
    if (Id != 0) {
        const wchar_t* text = nullptr;
        int n = LoadStringW(GetModuleHandleW(nullptr), Id, reinterpret_cast<LPWSTR>(&text), 0);
        if (n > 0 && text) return String(text, n);
    }
    return Fallback;
}

struct StartUp {
    StartUp() {
        acScrollBtnLength = GetSystemMetrics(SM_CXHSCROLL);
        for (const CaptionString& c : kCaptions) *c.Target = LoadCaption(c.Id, c.Text);
    }
    ~StartUp() {
        // The system image lists belong to the system: forget them only.
        LargeShellImages = nullptr;
        SmallShellImages = nullptr;
    }
};
StartUp startUp;

}  // namespace

}  // namespace skin
