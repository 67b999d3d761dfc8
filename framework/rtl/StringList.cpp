#include "framework/rtl/StringList.h"

#include <windows.h>

#include <cwchar>

#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

String FormatIndex(const String& format, int index) {
    String out = format;
    size_t at = out.find(L"%d");
    if (at != String::npos) out.replace(at, 2, std::to_wstring(index));
    return out;
}

// Reads a quoted item starting at the opening quote. A doubled quote stands
// for one quote; an unterminated item runs to the end of the text.
String ExtractQuoted(const wchar_t*& p, wchar_t quote) {
    String out;
    ++p;
    while (*p) {
        if (*p == quote) {
            if (p[1] == quote) {
                out += quote;
                p += 2;
                continue;
            }
            ++p;
            return out;
        }
        out += *p++;
    }
    return out;
}

bool IsBlank(wchar_t c) { return c >= 1 && c <= L' '; }

}  // namespace

// --- TStrings ---

void TStrings::Error(const String& Format, int Index) { throw EStringListError(FormatIndex(Format, Index)); }

void TStrings::SetStrings(int Index, const String& S) {
    TObject* object = Objects(Index);
    Delete(Index);
    InsertObject(Index, S, object);
}

TObject* TStrings::Objects(int) const { return nullptr; }

void TStrings::SetObjects(int, TObject*) {}

int TStrings::Add(const String& S) {
    int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
    int index = Add(S);
    SetObjects(index, AObject);
    return index;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
    Insert(Index, S);
    SetObjects(Index, AObject);
}

void TStrings::AddStrings(const TStrings* Source) {
    BeginUpdate();
    try {
        for (int i = 0; i < Source->Count(); ++i) AddObject(Source->Strings(i), Source->Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent* Source) {
    if (auto* source = dynamic_cast<const TStrings*>(Source)) {
        if (source == this) return;
        BeginUpdate();
        try {
            Clear();
            delimiter_ = source->delimiter_;
            quoteChar_ = source->quoteChar_;
            nameValueSeparator_ = source->nameValueSeparator_;
            AddStrings(source);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::Exchange(int Index1, int Index2) {
    BeginUpdate();
    try {
        String s = Strings(Index1);
        TObject* o = Objects(Index1);
        SetStrings(Index1, Strings(Index2));
        SetObjects(Index1, Objects(Index2));
        SetStrings(Index2, s);
        SetObjects(Index2, o);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    BeginUpdate();
    try {
        String s = Strings(CurIndex);
        TObject* o = Objects(CurIndex);
        SetObjects(CurIndex, nullptr);  // an owning list must not free the moving object
        Delete(CurIndex);
        InsertObject(NewIndex, s, o);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings* Other) const {
    if (Count() != Other->Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != Other->Strings(i)) return false;
    return true;
}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

int TStrings::IndexOf(const String& S) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const {
    for (int i = 0; i < Count(); ++i) {
        String s = Strings(i);
        size_t at = s.find(nameValueSeparator_);
        if (at != String::npos && CompareStrings(s.substr(0, at), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == AObject) return i;
    return -1;
}

String TStrings::Names(int Index) const {
    String s = Strings(Index);
    size_t at = s.find(nameValueSeparator_);
    return at == String::npos ? String() : s.substr(0, at);
}

String TStrings::Values(const String& Name) const {
    int i = IndexOfName(Name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& Name, const String& Value) {
    int i = IndexOfName(Name);
    if (!Value.empty()) {
        // A new pair is added whole, so a sorted list takes it too.
        if (i < 0)
            Add(Name + nameValueSeparator_ + Value);
        else
            SetStrings(i, Name + nameValueSeparator_ + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::ValueFromIndex(int Index) const {
    // A line without the separator has no value (not its tail past the first character).
    String s = Strings(Index);
    size_t at = s.find(nameValueSeparator_);
    return at == String::npos ? String() : s.substr(at + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
    if (!Value.empty()) {
        if (Index < 0)
            Add(nameValueSeparator_ + Value);
        else
            SetStrings(Index, Names(Index) + nameValueSeparator_ + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

String TStrings::Text() const {
    String out;
    for (int i = 0; i < Count(); ++i) {
        out += Strings(i);
        out += L"\r\n";
    }
    return out;
}

void TStrings::SetText(const String& Value) {
    BeginUpdate();
    try {
        Clear();
        size_t p = 0, n = Value.size();
        while (p < n) {
            size_t start = p;
            while (p < n && Value[p] != L'\r' && Value[p] != L'\n') ++p;
            Add(Value.substr(start, p - start));
            if (p < n && Value[p] == L'\r') ++p;
            if (p < n && Value[p] == L'\n') ++p;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TStrings::DelimitedText() const { return DelimitedTextWith(delimiter_, quoteChar_); }

void TStrings::SetDelimitedText(const String& Value) { SetDelimitedTextWith(Value, delimiter_, quoteChar_); }

String TStrings::CommaText() const { return DelimitedTextWith(L',', L'"'); }

void TStrings::SetCommaText(const String& Value) { SetDelimitedTextWith(Value, L',', L'"'); }

String TStrings::DelimitedTextWith(wchar_t delimiter, wchar_t quoteChar) const {
    int n = Count();
    if (n == 1 && Strings(0).empty()) return String(2, quoteChar);
    String out;
    for (int i = 0; i < n; ++i) {
        String s = Strings(i);
        bool quote = false;
        for (wchar_t c : s)
            if (c <= L' ' || c == quoteChar || c == delimiter) {
                quote = true;
                break;
            }
        if (i > 0) out += delimiter;
        out += quote ? AnsiQuotedStr(s, quoteChar) : s;
    }
    return out;
}

void TStrings::SetDelimitedTextWith(const String& Value, wchar_t delimiter, wchar_t quoteChar) {
    BeginUpdate();
    try {
        Clear();
        const wchar_t* p = Value.c_str();
        while (IsBlank(*p)) ++p;
        while (*p) {
            if (*p == quoteChar) {
                Add(ExtractQuoted(p, quoteChar));
            } else {
                const wchar_t* start = p;
                while (*p > L' ' && *p != delimiter) ++p;
                Add(String(start, p));
            }
            while (IsBlank(*p)) ++p;
            if (*p == delimiter) {
                if (p[1] == 0) Add(String());
                do ++p;
                while (IsBlank(*p));
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromStream(TStream* Stream) {
    int64_t size = Stream->Size() - Stream->Position();
    if (size < 0) size = 0;
    std::string bytes(static_cast<size_t>(size), '\0');
    if (size > 0) Stream->ReadBuffer(bytes.data(), static_cast<int>(size));
    String text;
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text = FromUtf8(bytes.substr(3));
    } else if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        text.resize((bytes.size() - 2) / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    } else {
        text = FromAnsi(bytes);
    }
    BeginUpdate();
    try {
        SetText(text);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromFile(const String& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TStrings::SaveToStream(TStream* Stream) const {
    AnsiString bytes = ToAnsi(Text());
    Stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void TStrings::SaveToFile(const String& FileName) const {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

// --- TStringList ---

TStringList::~TStringList() {
    OnChange.Clear();
    OnChanging.Clear();
    if (ownsObjects_)
        for (Item& item : items_) delete item.object;
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error(L"List index out of bounds (%d)", Index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating) {
        if (OnChanging) OnChanging(this);
    } else {
        if (OnChange) OnChange(this);
    }
}

String TStringList::Strings(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)].string;
}

void TStringList::SetStrings(int Index, const String& S) {
    if (sorted_) Error(L"Operation not allowed on sorted list", 0);
    CheckIndex(Index);
    Changing();
    items_[static_cast<size_t>(Index)].string = S;
    Changed();
}

TObject* TStringList::Objects(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)].object;
}

void TStringList::SetObjects(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    items_[static_cast<size_t>(Index)].object = AObject;
    Changed();
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
    int index;
    if (!sorted_) {
        index = Count();
    } else if (Find(S, index)) {
        switch (duplicates_) {
            case dupIgnore:
                return index;
            case dupError:
                Error(L"String list does not allow duplicates", 0);
            case dupAccept:
                break;
        }
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const String& S) {
    if (sorted_) Error(L"Operation not allowed on sorted list", 0);
    if (Index < 0 || Index > Count()) Error(L"List index out of bounds (%d)", Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
    Changing();
    items_.insert(items_.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* object = items_[static_cast<size_t>(Index)].object;
    items_.erase(items_.begin() + Index);
    if (ownsObjects_) delete object;
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    std::vector<Item> old;
    old.swap(items_);
    if (ownsObjects_)
        for (Item& item : old) delete item.object;
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    if (sorted_) Error(L"Operation not allowed on sorted list", 0);
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
    Changed();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
    return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool TStringList::Find(const String& S, int& Index) const {
    bool found = false;
    int l = 0, h = Count() - 1;
    while (l <= h) {
        int i = (l + h) >> 1;
        int c = CompareStrings(items_[static_cast<size_t>(i)].string, S);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept) l = i;
            }
        }
    }
    Index = l;
    return found;
}

int TStringList::IndexOf(const String& S) const {
    if (!sorted_) return TStrings::IndexOf(S);
    int index;
    return Find(S, index) ? index : -1;
}

void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare) {
    int i, j;
    do {
        i = L;
        j = R;
        int p = (L + R) >> 1;
        do {
            while (Compare(this, i, p) < 0) ++i;
            while (Compare(this, j, p) > 0) --j;
            if (i <= j) {
                if (i != j) std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
                if (p == i)
                    p = j;
                else if (p == j)
                    p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (L < j) QuickSort(L, j, Compare);
        L = i;
    } while (i < R);
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (sorted_ || Count() <= 1) return;
    Changing();
    QuickSort(0, Count() - 1, Compare);
    Changed();
}

void TStringList::Sort() {
    if (sorted_ || Count() <= 1) return;
    Changing();
    QuickSort(0, Count() - 1, [](TStringList* list, int a, int b) {
        return list->CompareStrings(list->items_[static_cast<size_t>(a)].string,
                                    list->items_[static_cast<size_t>(b)].string);
    });
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (caseSensitive_ == Value) return;
    caseSensitive_ = Value;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

}  // namespace fw
