#include "host/INIController.h"

#include "framework/rtl/IniFiles.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"

namespace host {

INIController* INIController::GetInstance() {
    // Deliberately leaked: the pop-up windows may read it until the very end.
    static INIController* instance = new INIController();
    return instance;
}

void INIController::Load() { Load(fw::ChangeFileExt(fw::Application->ExeName(), L".ini")); }

void INIController::Load(const String& FileName) {
    fw::TIniFile ini(FileName);
    MainBorderStyle = ini.ReadString(L"MainForm", L"BorderStyle", L"");
    ChildWindowState = ini.ReadString(L"ChildForm", L"WindowState", L"");
    ChildWidth = ini.ReadString(L"ChildForm", L"Width", L"");
    ChildHeight = ini.ReadString(L"ChildForm", L"Height", L"");
    ChildBorderStyle = ini.ReadString(L"ChildForm", L"BorderStyle", L"");
    ChildScale = ini.ReadString(L"ChildForm", L"Scale", L"");
}

}  // namespace host
