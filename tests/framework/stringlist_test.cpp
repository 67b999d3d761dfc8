// String lists: the delimited and comma forms, sorting with duplicates,
// name=value pairs, text splitting, events, owned objects and loading.
#include "framework/rtl/StringList.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/rtl/Streams.h"

using namespace fw;

namespace {

std::vector<String> Items(const TStrings& list) {
    std::vector<String> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

void Fill(TStrings& list, const std::vector<String>& items) {
    list.Clear();
    for (const String& s : items) list.Add(s);
}

struct ParseCase {
    const wchar_t* text;
    std::vector<String> items;
};

}  // namespace

TEST(StringListDelimited, ParsesLikeTheFrameworkNonStrictReader) {
    const ParseCase cases[] = {
        {L"", {}},
        {L"  \t ", {}},
        {L"640,480", {L"640", L"480"}},
        {L"a b", {L"a", L"b"}},  // a blank ends an item too
        {L"a\tb", {L"a", L"b"}},
        {L"  a , b  ", {L"a", L"b"}},
        {L"a,", {L"a", L""}},  // trailing delimiter: one empty item
        {L",a", {L"", L"a"}},  // leading delimiter: empty first item
        {L",", {L"", L""}},
        {L"a,,b", {L"a", L"", L"b"}},
        {L"a, ,b", {L"a", L"", L"b"}},  // blanks after a delimiter are skipped, up to the next one
        {L"a, ", {L"a"}},               // only a delimiter that is the last character adds one
        {L"\"a b\",c", {L"a b", L"c"}},
        {L"\"say \"\"hi\"\"\"", {L"say \"hi\""}},
        {L"\"\"", {L""}},
        {L"\"a\"b,c", {L"a", L"b", L"c"}},
        {L"\"open to the end", {L"open to the end"}},  // unterminated quote keeps its text
        {L"0x11,0x22 ,, 0x33", {L"0x11", L"0x22", L"", L"0x33"}},
    };
    TStringList list;
    for (const ParseCase& c : cases) {
        list.SetDelimitedText(c.text);
        EXPECT_EQ(Items(list), c.items) << "text: " << ToUtf8(c.text);
    }
}

TEST(StringListDelimited, OtherDelimiterAndQuote) {
    TStringList list;
    list.SetDelimiter(L';');
    list.SetQuoteChar(L'\'');
    list.SetDelimitedText(L"a,b;'c;d';\"e\"");
    EXPECT_EQ(Items(list), (std::vector<String>{L"a,b", L"c;d", L"\"e\""}));
    EXPECT_EQ(list.DelimitedText(), L"a,b;'c;d';\"e\"");
    // CommaText always uses ',' and '"' and leaves the list's own settings alone.
    EXPECT_EQ(list.CommaText(), L"\"a,b\",c;d,\"\"\"e\"\"\"");
    EXPECT_EQ(list.Delimiter(), L';');
    EXPECT_EQ(list.QuoteChar(), L'\'');
    list.SetCommaText(L"x;y,z");
    EXPECT_EQ(Items(list), (std::vector<String>{L"x;y", L"z"}));
    EXPECT_EQ(list.Delimiter(), L';');
}

TEST(StringListDelimited, WritesQuotingOnlyWhatNeedsIt) {
    struct WriteCase {
        std::vector<String> items;
        const wchar_t* text;
    };
    const WriteCase cases[] = {
        {{}, L""},
        {{L""}, L"\"\""},  // a lone empty item must not read back as no item
        {{L"a", L"b"}, L"a,b"},
        {{L"a", L"", L"b"}, L"a,,b"},
        {{L"a b"}, L"\"a b\""},
        {{L"tab\there"}, L"\"tab\there\""},
        {{L"x,y", L"z"}, L"\"x,y\",z"},
        {{L"say \"hi\""}, L"\"say \"\"hi\"\"\""},
        {{L"녹음", L"파일"}, L"녹음,파일"},
    };
    TStringList list, back;
    for (const WriteCase& c : cases) {
        Fill(list, c.items);
        EXPECT_EQ(list.CommaText(), c.text);
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(Items(back), c.items) << "round trip of " << ToUtf8(c.text);
    }
}

TEST(StringListSorted, DuplicatesModes) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Duplicates(), dupIgnore);
    for (const wchar_t* s : {L"pear", L"Apple", L"fig", L"apple"}) list.Add(s);
    EXPECT_EQ(Items(list), (std::vector<String>{L"Apple", L"fig", L"pear"}));
    EXPECT_EQ(list.Add(L"FIG"), 1);  // ignored: the existing index
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(L"PEAR"), 2);
    EXPECT_EQ(list.IndexOf(L"kiwi"), -1);

    list.SetDuplicates(dupError);
    try {
        list.Add(L"apple");
        FAIL() << "duplicate accepted";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message, L"String list does not allow duplicates");
    }
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(dupAccept);
    list.AddObject(L"fig", &list);
    EXPECT_EQ(Items(list), (std::vector<String>{L"Apple", L"fig", L"fig", L"pear"}));
    EXPECT_EQ(list.Objects(1), &list);  // a duplicate goes before its equals

    int index = -1;
    EXPECT_FALSE(list.Find(L"grape", index));
    EXPECT_EQ(index, 3);
    EXPECT_TRUE(list.Find(L"APPLE", index));
    EXPECT_EQ(index, 0);

    try {
        list.Insert(0, L"zebra");
        FAIL() << "insert into sorted list";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message, L"Operation not allowed on sorted list");
    }
    EXPECT_THROW(list.SetStrings(0, L"x"), EStringListError);
}

TEST(StringListSorted, CaseSensitivityAndSorting) {
    TStringList list;
    Fill(list, {L"b", L"B", L"a", L"C"});
    EXPECT_EQ(list.IndexOf(L"c"), 3);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(L"c"), -1);
    list.SetCaseSensitive(false);

    // Punctuation that word sorting weighs lightly still tells strings apart.
    TStringList keys;
    Fill(keys, {L"coop", L"co-op", L"co'op"});
    EXPECT_EQ(keys.IndexOf(L"co-op"), 1);
    EXPECT_EQ(keys.IndexOf(L"CO'OP"), 2);
    keys.SetSorted(true);
    EXPECT_EQ(keys.Add(L"co-op"), keys.IndexOf(L"co-op"));
    EXPECT_EQ(keys.Count(), 3);

    list.Sort();
    EXPECT_EQ(list.Strings(0), L"a");
    EXPECT_EQ(list.Strings(3), L"C");

    Fill(list, {L"ccc", L"a", L"bb", L"dddd"});
    list.CustomSort([](TStringList* l, int i, int j) {
        return static_cast<int>(l->Strings(j).size()) - static_cast<int>(l->Strings(i).size());
    });
    EXPECT_EQ(Items(list), (std::vector<String>{L"dddd", L"ccc", L"bb", L"a"}));

    list.SetSorted(true);  // sorting on the switch
    EXPECT_EQ(Items(list), (std::vector<String>{L"a", L"bb", L"ccc", L"dddd"}));
}

TEST(StringList, IndexOutOfBoundsRaises) {
    TStringList list;
    list.Add(L"640");
    EXPECT_EQ(list[0], L"640");
    for (int bad : {1, -1}) {
        try {
            list.Strings(bad);
            FAIL() << bad;
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message, L"List index out of bounds (" + std::to_wstring(bad) + L")");
        }
    }
    EXPECT_THROW(list.Delete(1), EStringListError);
    EXPECT_THROW(list.Objects(2), EStringListError);
    EXPECT_THROW(list.Insert(2, L"x"), EStringListError);
    list.Insert(1, L"480");  // at Count appends
    EXPECT_EQ(list.Strings(1), L"480");
}

TEST(StringList, NamesAndValues) {
    TStringList list;
    Fill(list, {L"Width=640", L"height=480", L"Empty=", L"NoSeparator", L"=anonymous", L"Formula=a=b"});
    EXPECT_EQ(list.Names(0), L"Width");
    EXPECT_EQ(list.Names(3), L"");
    EXPECT_EQ(list.Names(4), L"");
    EXPECT_EQ(list.IndexOfName(L"HEIGHT"), 1);
    EXPECT_EQ(list.IndexOfName(L"NoSeparator"), -1);
    EXPECT_EQ(list.Values(L"width"), L"640");
    EXPECT_EQ(list.Values(L"Empty"), L"");
    EXPECT_EQ(list.Values(L"Missing"), L"");
    EXPECT_EQ(list.Values(L"Formula"), L"a=b");  // the value runs from the first separator
    EXPECT_EQ(list.ValueFromIndex(1), L"480");
    EXPECT_EQ(list.ValueFromIndex(3), L"");  // no separator: no value

    list.SetValues(L"WIDTH", L"800");
    EXPECT_EQ(list.Strings(0), L"WIDTH=800");
    list.SetValues(L"Depth", L"32");
    EXPECT_EQ(list.Strings(list.Count() - 1), L"Depth=32");
    list.SetValues(L"height", L"");
    EXPECT_EQ(list.IndexOfName(L"height"), -1);
    list.SetValueFromIndex(0, L"1024");
    EXPECT_EQ(list.Strings(0), L"WIDTH=1024");

    list.SetNameValueSeparator(L':');
    list.Add(L"Key:Value");
    EXPECT_EQ(list.Values(L"key"), L"Value");

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetValues(L"b", L"2");
    sorted.SetValues(L"a", L"1");
    EXPECT_EQ(Items(sorted), (std::vector<String>{L"a=1", L"b=2"}));
}

TEST(StringList, TextSplitsAtCrLfOrEither) {
    const ParseCase cases[] = {
        {L"", {}},
        {L"one", {L"one"}},
        {L"a\r\nb\rc\nd", {L"a", L"b", L"c", L"d"}},
        {L"a\r\n", {L"a"}},  // a final break adds no line
        {L"a\r\n\r\n", {L"a", L""}},
        {L"a\n\rb", {L"a", L"", L"b"}},  // LF CR is two breaks
        {L"\r\n", {L""}},
        {L" ", {L" "}},
    };
    TStringList list;
    for (const ParseCase& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.items) << ToUtf8(c.text);
    }
    Fill(list, {L"a", L"", L"b"});
    EXPECT_EQ(list.Text(), L"a\r\n\r\nb\r\n");
}

namespace {

struct EventCounter {
    int changing = 0, changed = 0;
    static void OnChanging(void* self, TObject*) { ++static_cast<EventCounter*>(self)->changing; }
    static void OnChanged(void* self, TObject*) { ++static_cast<EventCounter*>(self)->changed; }
};

// Counts its own deletions.
class TTracked : public TObject {
public:
    explicit TTracked(int& deaths) : deaths_(deaths) {}
    ~TTracked() override { ++deaths_; }

private:
    int& deaths_;
};

}  // namespace

TEST(StringList, ChangeEventsAndUpdateNesting) {
    TStringList list;
    EventCounter count;
    list.OnChanging = TNotifyEvent(&count, &EventCounter::OnChanging);
    list.OnChange = TNotifyEvent(&count, &EventCounter::OnChanged);
    list.Add(L"a");
    EXPECT_EQ(count.changing, 1);
    EXPECT_EQ(count.changed, 1);

    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(L"b");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(count.changed, 1);  // still inside the outer update
    list.EndUpdate();
    EXPECT_EQ(count.changing, 2);
    EXPECT_EQ(count.changed, 2);

    list.SetText(L"x\ny\nz");  // one change for the whole text
    EXPECT_EQ(count.changed, 3);
}

TEST(StringList, OwnedObjectsDieWithTheirLines) {
    int deaths = 0;
    {
        TStringList list(true);
        list.AddObject(L"a", new TTracked(deaths));
        list.AddObject(L"b", new TTracked(deaths));
        list.AddObject(L"c", new TTracked(deaths));
        list.AddObject(L"d", new TTracked(deaths));
        list.Delete(0);
        EXPECT_EQ(deaths, 1);
        list.Move(0, 2);  // moving keeps the object alive
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(list.Strings(2), L"b");
        list.Exchange(0, 1);
        EXPECT_EQ(list.Strings(0), L"d");
        list.Clear();
        EXPECT_EQ(deaths, 4);
        list.AddObject(L"e", new TTracked(deaths));
    }
    EXPECT_EQ(deaths, 5);

    TStringList borrowing;
    TTracked kept(deaths);
    borrowing.AddObject(L"k", &kept);
    EXPECT_EQ(borrowing.IndexOfObject(&kept), 0);
    borrowing.Clear();
    EXPECT_EQ(deaths, 5);
}

TEST(StringList, AssignCopiesStringsObjectsAndSettings) {
    TStringList source;
    source.SetDelimiter(L'|');
    source.AddObject(L"one", &source);
    source.Add(L"two");
    TStringList copy;
    copy.Add(L"old");
    copy.Assign(&source);
    EXPECT_EQ(Items(copy), (std::vector<String>{L"one", L"two"}));
    EXPECT_EQ(copy.Objects(0), &source);
    EXPECT_EQ(copy.Delimiter(), L'|');
    EXPECT_TRUE(copy.Equals(&source));
    copy.AddStrings(&source);
    EXPECT_EQ(copy.Count(), 4);

    TPersistent stranger;
    try {
        copy.Assign(&stranger);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"Cannot assign a TPersistent to a TStringList");
    }
}

TEST(StringListLoading, AnsiUnlessAByteOrderMarkSaysOtherwise) {
    const String expected[] = {L"녹음 파일", L"두번째 줄"};
    const AnsiString ansi = ToAnsi(L"녹음 파일\r\n두번째 줄\r\n");
    ASSERT_EQ(ansi.size(), 9u + 2 + 9 + 2);  // two bytes per syllable in the Korean code page

    struct Encoded {
        const char* what;
        std::string bytes;
    };
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : String(L"녹음 파일\n두번째 줄")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    const Encoded inputs[] = {
        {"ANSI", ansi},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + ToUtf8(L"녹음 파일\r두번째 줄")},
        {"UTF-16LE BOM", utf16},
    };
    for (const Encoded& in : inputs) {
        TStringStream stream(in.bytes);
        TStringList list;
        list.LoadFromStream(&stream);
        ASSERT_EQ(list.Count(), 2) << in.what;
        EXPECT_EQ(list.Strings(0), expected[0]) << in.what;
        EXPECT_EQ(list.Strings(1), expected[1]) << in.what;
    }

    // Saving writes ANSI without a mark; loading starts at the stream's position.
    TStringList list;
    Fill(list, {expected[0], expected[1]});
    TStringStream out(AnsiString("head"));
    out.Seek(0, soEnd);
    list.SaveToStream(&out);
    EXPECT_EQ(out.DataString(), "head" + ansi);
    out.SetPosition(4);
    TStringList back;
    back.LoadFromStream(&out);
    EXPECT_EQ(Items(back), Items(list));
}

TEST(StringListLoading, FileRoundTrip) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const String path = String(dir) + L"목록.txt";
    TStringList list;
    Fill(list, {L"첫째", L"second"});
    list.SaveToFile(path);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(Items(back), Items(list));
    DeleteFileW(path.c_str());
    EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
}
