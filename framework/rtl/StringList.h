// Lists of strings: the abstract TStrings (text, comma and delimited forms,
// name=value pairs, loading and saving) and TStringList, the concrete list
// with sorting, duplicates control, owned objects and change events.
#pragma once

#include <functional>
#include <vector>

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"

namespace fw {

class TStream;

class TStrings : public TPersistent {
public:
    TStrings() = default;
    String ClassName() const override { return L"TStrings"; }

    // The list's storage, supplied by descendants.
    virtual int Count() const = 0;
    // EStringListError "List index out of bounds (%d)" outside 0..Count-1.
    virtual String Strings(int Index) const = 0;
    virtual void SetStrings(int Index, const String& S);
    virtual TObject* Objects(int Index) const;
    virtual void SetObjects(int Index, TObject* AObject);
    virtual void Insert(int Index, const String& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    String operator[](int Index) const { return Strings(Index); }

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    void InsertObject(int Index, const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    virtual void AddStrings(const TStrings* Strings);
    void Assign(const TPersistent* Source) override;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    bool Equals(const TStrings* Strings) const;

    // Case-insensitive unless the list says otherwise (TStringList.CaseSensitive).
    virtual int IndexOf(const String& S) const;
    int IndexOfName(const String& Name) const;
    int IndexOfObject(const TObject* AObject) const;

    // Name=value pairs. Names(i) is empty for a line without the separator.
    String Names(int Index) const;
    String Values(const String& Name) const;
    // An empty value deletes the pair; a new name is appended.
    void SetValues(const String& Name, const String& Value);
    String ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);
    wchar_t NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(wchar_t Value) { nameValueSeparator_ = Value; }

    // Every line followed by CR LF. Setting splits at CR, LF or CR LF; a final
    // line break does not add an empty line.
    virtual String Text() const;
    virtual void SetText(const String& Value);

    // The non-strict delimited form: blanks and control characters end an
    // item as the delimiter does; items holding those, the quote or the
    // delimiter are quoted when written.
    wchar_t Delimiter() const { return delimiter_; }
    void SetDelimiter(wchar_t Value) { delimiter_ = Value; }
    wchar_t QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(wchar_t Value) { quoteChar_ = Value; }
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    // DelimitedText with ',' and '"'.
    String CommaText() const;
    void SetCommaText(const String& Value);

    // Reads from the stream's position to its end: UTF-8 or UTF-16LE when the
    // bytes start with that byte-order mark, the ANSI code page otherwise.
    virtual void LoadFromStream(TStream* Stream);
    virtual void LoadFromFile(const String& FileName);
    // Writes Text in the ANSI code page, without a byte-order mark.
    virtual void SaveToStream(TStream* Stream) const;
    virtual void SaveToFile(const String& FileName) const;

    // Nested; the change events fire when the outermost update ends.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    // Compares as IndexOf and Find do; descendants choose case sensitivity.
    virtual int CompareStrings(const String& S1, const String& S2) const;
    virtual void SetUpdateState(bool /*Updating*/) {}
    [[noreturn]] static void Error(const String& Format, int Index);

private:
    String DelimitedTextWith(wchar_t delimiter, wchar_t quoteChar) const;
    void SetDelimitedTextWith(const String& Value, wchar_t delimiter, wchar_t quoteChar);

    wchar_t delimiter_ = L',';
    wchar_t quoteChar_ = L'"';
    wchar_t nameValueSeparator_ = L'=';
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Negative, zero or positive as the item at Index1 sorts before, with or after Index2.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}
    ~TStringList() override;
    String ClassName() const override { return L"TStringList"; }

    int Count() const override { return static_cast<int>(items_.size()); }
    String Strings(int Index) const override;
    // EStringListError "Operation not allowed on sorted list" when Sorted.
    void SetStrings(int Index, const String& S) override;
    TObject* Objects(int Index) const override;
    void SetObjects(int Index, TObject* AObject) override;
    // In a sorted list the string goes to its sorted place; a duplicate is
    // ignored (dupIgnore, returning the existing index), accepted, or raises
    // EStringListError "String list does not allow duplicates" (dupError).
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    // EStringListError "Operation not allowed on sorted list" when Sorted.
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(const String& S) const override;

    // Binary search of a sorted list. True when found; Index is the match
    // (with dupAccept the first of equal items) or the insertion point.
    virtual bool Find(const String& S, int& Index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool Value);
    // Owned objects are deleted with their line and with the list.
    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    int CompareStrings(const String& S1, const String& S2) const override;
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        String string;
        TObject* object = nullptr;
    };

    void CheckIndex(int Index) const;
    void InsertItem(int Index, const String& S, TObject* AObject);
    void QuickSort(int L, int R, const TStringListSortCompare& Compare);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

}  // namespace fw
