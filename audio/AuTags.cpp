#include "audio/AuTags.h"

#include "audio/TagFileIo.h"
#include "framework/rtl/SysUtils.h"

namespace acs {

TAuTags::TAuTags() : FValues(new fw::TStringList(true)) {
    FValues->SetCaseSensitive(false);
    FValues->SetDuplicates(fw::dupIgnore);
    FValues->SetSorted(true);
}

TAuTags::~TAuTags() { delete FValues; }

TTagValueInfo* TAuTags::Info(const fw::String& Id) const {
    int index = -1;
    if (Id.empty() || !FValues->Find(Id, index)) return nullptr;
    return static_cast<TTagValueInfo*>(FValues->Objects(index));
}

bool TAuTags::RegisterId(const fw::String& Id, const fw::Variant& Default) {
    if (Id.empty()) return false;
    if (Info(Id)) return true;
    auto* info = new TTagValueInfo;
    info->Value = Default;
    FValues->AddObject(Id, info);
    return true;
}

fw::String TAuTags::IdAt(int Index) const {
    if (Index < 0 || Index >= FValues->Count()) return fw::String();
    return FValues->Strings(Index);
}

fw::Variant TAuTags::IdValue(const fw::String& Id) const {
    TTagValueInfo* info = Info(Id);
    return info ? info->Value : fw::Null();
}

void TAuTags::SetIdValue(const fw::String& Id, const fw::Variant& Value) {
    TTagValueInfo* info = Info(Id);
    if (!info || fw::VarSameValue(info->Value, Value)) return;
    info->Value = Value;
    FEmpty = false;
    FChanged = true;
}

namespace {

bool IsIntegerKind(fw::TVarType t) {
    return t == fw::varSmallint || t == fw::varInteger || t == fw::varShortInt || t == fw::varByte ||
           t == fw::varWord || t == fw::varLongWord;
}

}  // namespace

int TAuTags::IntegerOf(const fw::String& Id) const {
    TTagValueInfo* info = Info(Id);
    if (!info) return 0;
    const fw::Variant& v = info->Value;
    if (IsIntegerKind(v.VarType())) return static_cast<int>(v.AsInt64());
    if (v.IsStr()) {
        int32_t value = 0;
        return fw::TryStrToInt(fw::Trim(v.AsString()), value) ? value : 0;
    }
    return 0;
}

fw::AnsiString TAuTags::AnsiTextOf(const fw::String& Id) const {
    TTagValueInfo* info = Info(Id);
    if (!info) return fw::AnsiString();
    const fw::Variant& v = info->Value;
    if (v.VarType() == fw::varString) return v.AsAnsiString();
    // Every string kind converts, so no stored text is ever silently dropped.
    if (v.IsStr()) return fw::ToAnsi(v.AsString());
    if (v.IsOrdinal()) return fw::ToAnsi(fw::IntToStr(v.AsInt64()));
    return fw::AnsiString();
}

fw::String TAuTags::WideTextOf(const fw::String& Id) const {
    TTagValueInfo* info = Info(Id);
    if (!info) return fw::String();
    const fw::Variant& v = info->Value;
    if (v.IsStr()) return v.AsString();
    if (v.IsOrdinal()) return fw::IntToStr(v.AsInt64());
    return fw::String();
}

void TAuTags::Clear() {
    for (int i = 0; i < FValues->Count(); ++i) static_cast<TTagValueInfo*>(FValues->Objects(i))->Value = fw::Null();
    FEmpty = true;
    FChanged = true;
}

void TAuTags::Assign(const fw::TPersistent* Source) {
    const auto* tags = dynamic_cast<const TAuTags*>(Source);
    if (!tags) {
        fw::TPersistent::Assign(Source);
        return;
    }
    if (tags == this) return;
    Clear();
    for (int i = 0; i < tags->IdCount(); ++i) {
        fw::String id = tags->IdAt(i);
        SetIdValue(id, tags->IdValue(id));
    }
}

void TAuTags::AssignTo(fw::TPersistent* Dest) const {
    auto* tags = dynamic_cast<TAuTags*>(Dest);
    if (!tags) {
        fw::TPersistent::AssignTo(Dest);
        return;
    }
    tags->Assign(this);
}

bool TAuTags::Presents(HANDLE InFile) { return tagio::IsValid(InFile); }

bool TAuTags::ReadFromFile(HANDLE InFile) {
    if (!tagio::IsValid(InFile)) return false;
    Clear();
    return true;
}

bool TAuTags::WriteToFile(HANDLE OutFile, bool /*Unicode*/) { return tagio::IsValid(OutFile); }

}  // namespace acs
