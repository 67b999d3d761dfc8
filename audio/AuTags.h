// A store of named tag values (ids registered by each kind of tag) and the
// file hooks that each kind overrides. The base reads and writes nothing.
#pragma once

#include <windows.h>

#include "framework/rtl/Object.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/Variant.h"

namespace acs {

struct TTagValueInfo : public fw::TObject {
    fw::Variant Value;
};

class TAuTags : public fw::TPersistent {
public:
    TAuTags();
    ~TAuTags() override;
    fw::String ClassName() const override { return L"TAuTags"; }

    void Assign(const fw::TPersistent* Source) override;

    // True when InFile is a valid handle.
    static bool Presents(HANDLE InFile);
    // False for an invalid handle; otherwise clears the values.
    virtual bool ReadFromFile(HANDLE InFile);
    // True for a valid handle; writes nothing.
    virtual bool WriteToFile(HANDLE OutFile, bool Unicode);

    bool Empty() const { return FEmpty; }
    bool Changed() const { return FChanged; }
    int IdCount() const { return FValues->Count(); }
    // The id at Index in sorted order; empty outside 0..IdCount-1.
    fw::String IdAt(int Index) const;
    // Null for an id that is not registered.
    fw::Variant IdValue(const fw::String& Id) const;
    // Stores Value under a registered Id when it differs from the stored one.
    void SetIdValue(const fw::String& Id, const fw::Variant& Value);
    int IntegerOf(const fw::String& Id) const;
    fw::AnsiString AnsiTextOf(const fw::String& Id) const;
    fw::String WideTextOf(const fw::String& Id) const;
    void Clear();

protected:
    void AssignTo(fw::TPersistent* Dest) const override;
    bool RegisterId(const fw::String& Id, const fw::Variant& Default);

    void SetAnsi(const fw::String& Id, const fw::AnsiString& Value) { SetIdValue(Id, fw::Variant(Value)); }
    void SetWide(const fw::String& Id, const fw::String& Value) { SetIdValue(Id, fw::Variant::OleStr(Value)); }
    void SetInteger(const fw::String& Id, int Value) { SetIdValue(Id, fw::Variant(static_cast<int32_t>(Value))); }

    fw::TStringList* FValues;
    bool FEmpty = true;
    bool FChanged = false;

private:
    TTagValueInfo* Info(const fw::String& Id) const;
};

}  // namespace acs
