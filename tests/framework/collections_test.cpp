// Collections own their items and report changes; items stream their own
// properties through the filer, byte blocks included.
#include "framework/rtl/Collections.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw;

namespace {

// An item like a stored skin: a name and a block of bytes, both streamed.
class TSkinItem : public TCollectionItem {
public:
    explicit TSkinItem(TCollection* Collection) : TCollectionItem(Collection) { ++alive; }
    ~TSkinItem() override { --alive; }
    String ClassName() const override { return L"TSkinItem"; }

    void Assign(const TPersistent* Source) override {
        auto* from = dynamic_cast<const TSkinItem*>(Source);
        if (!from) return TCollectionItem::Assign(Source);
        Name = from->Name;
        Data = from->Data;
        Level = from->Level;
        Flag = from->Flag;
    }
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(L"Name", TReaderProc(this, &TSkinItem::ReadName),
                              TWriterProc(this, &TSkinItem::WriteName), !Name.empty());
        Filer->DefineProperty(L"Level", TReaderProc(this, &TSkinItem::ReadLevel),
                              TWriterProc(this, &TSkinItem::WriteLevel), true);
        Filer->DefineBinaryProperty(L"Data", TStreamProc(this, &TSkinItem::ReadData),
                                    TStreamProc(this, &TSkinItem::WriteData), true);
    }

    String Name;
    std::string Data;
    int Level = 0;
    bool Flag = false;
    static inline int alive = 0;

protected:
    String GetDisplayName() const override { return Name.empty() ? TCollectionItem::GetDisplayName() : Name; }

private:
    void ReadName(TReader* R) { Name = R->ReadString(); }
    void WriteName(TWriter* W) { W->WriteString(Name); }
    void ReadLevel(TReader* R) {
        Level = R->ReadInteger();
        Flag = R->ReadBoolean();
    }
    void WriteLevel(TWriter* W) {
        W->WriteInteger(Level);
        W->WriteBoolean(Flag);
    }
    void ReadData(TStream* S) {
        Data.assign(size_t(S->Size()), '\0');
        S->ReadBuffer(Data.data(), int(Data.size()));
    }
    void WriteData(TStream* S) { S->WriteBuffer(Data.data(), int(Data.size())); }
};

// Writes down what the collection reports.
class TLoggedSkins : public TOwnedCollection {
public:
    explicit TLoggedSkins(TPersistent* Owner = nullptr) : TOwnedCollection(Owner, &NewCollectionItem<TSkinItem>) {}
    TSkinItem* Skin(int i) const { return static_cast<TSkinItem*>(Items(i)); }
    String Names() const {
        String s;
        for (int i = 0; i < Count(); ++i) s += Skin(i)->Name;
        return s;
    }

    std::vector<std::string> Log;

protected:
    void Update(TCollectionItem* Item) override {
        Log.push_back(Item ? "update " + ToAnsi(static_cast<TSkinItem*>(Item)->Name) : std::string("update all"));
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* names[] = {"added", "extracting", "deleting"};
        // The added item is whole: its own class answers.
        std::string who = Action == cnAdded && dynamic_cast<TSkinItem*>(Item) ? " whole" : "";
        Log.push_back(std::string(names[Action]) + who);
    }
};

TSkinItem* AddSkin(TLoggedSkins& c, const String& name) {
    auto* item = static_cast<TSkinItem*>(c.Add());
    item->Name = name;
    return item;
}

std::vector<uint8_t> Bytes(TMemoryStream& s) {
    auto* p = static_cast<const uint8_t*>(s.Memory());
    return std::vector<uint8_t>(p, p + s.Size());
}

}  // namespace

TEST(Collections, ItemsAreOwnedAndKnowTheirPlace) {
    TSkinItem::alive = 0;
    {
        TPersistent owner;
        TLoggedSkins skins(&owner);
        EXPECT_EQ(skins.GetOwner(), &owner);
        TSkinItem* a = AddSkin(skins, L"A");
        TSkinItem* b = AddSkin(skins, L"B");
        AddSkin(skins, L"C");
        EXPECT_EQ(skins.Count(), 3);
        EXPECT_EQ(TSkinItem::alive, 3);
        EXPECT_EQ(b->Collection(), &skins);
        EXPECT_EQ(b->GetOwner(), &skins);
        EXPECT_EQ(b->Index(), 1);
        EXPECT_THROW(skins.Items(3), EListError);
        EXPECT_THROW(skins.Items(-1), EListError);
        EXPECT_THROW(skins.Delete(3), EListError);

        delete a;  // an item freed by hand leaves its collection
        EXPECT_EQ(skins.Names(), L"BC");
        EXPECT_EQ(b->Index(), 0);

        // Moved to another collection, it is owned there.
        TLoggedSkins other;
        b->SetCollection(&other);
        EXPECT_EQ(skins.Names(), L"C");
        EXPECT_EQ(other.Names(), L"B");
        b->SetCollection(nullptr);
        EXPECT_EQ(b->Index(), -1);
        delete b;
    }
    EXPECT_EQ(TSkinItem::alive, 0) << "the collection frees what it holds";
}

TEST(Collections, IDsAreUniqueAndNeverReused) {
    TLoggedSkins skins;
    int first = AddSkin(skins, L"A")->ID();
    int second = AddSkin(skins, L"B")->ID();
    EXPECT_NE(first, second);
    skins.Delete(1);
    int third = AddSkin(skins, L"C")->ID();
    EXPECT_NE(third, second);
    EXPECT_EQ(skins.FindItemID(third), skins.Items(1));
    EXPECT_EQ(skins.FindItemID(second), nullptr);
}

TEST(Collections, ChangesAreReportedOnceTheItemIsWhole) {
    TLoggedSkins skins;
    TSkinItem* a = AddSkin(skins, L"A");
    EXPECT_EQ(skins.Log, (std::vector<std::string>{"added whole", "update all"}));

    skins.Log.clear();
    a->SetDisplayName(L"ignored");  // the base keeps no name: a change of that item only
    EXPECT_EQ(skins.Log, (std::vector<std::string>{"update A"}));

    skins.Log.clear();
    skins.Delete(0);
    EXPECT_EQ(skins.Log, (std::vector<std::string>{"deleting", "extracting", "update all"}));

    // Inside BeginUpdate/EndUpdate: notices for each item, one update at the end.
    skins.Log.clear();
    skins.BeginUpdate();
    skins.BeginUpdate();
    AddSkin(skins, L"B");
    AddSkin(skins, L"C");
    skins.Items(0)->SetIndex(1);
    skins.EndUpdate();
    EXPECT_EQ(skins.Log, (std::vector<std::string>{"added whole", "added whole"}));
    skins.EndUpdate();
    EXPECT_EQ(skins.Log, (std::vector<std::string>{"added whole", "added whole", "update all"}));

    skins.Log.clear();
    skins.Clear();
    EXPECT_EQ(skins.Log, (std::vector<std::string>{"deleting", "extracting", "deleting", "extracting", "update all"}));
    skins.Log.clear();
    skins.Clear();  // nothing to clear: nothing to report
    EXPECT_TRUE(skins.Log.empty());
}

TEST(Collections, IndexMovesTheItemAndInsertPlacesIt) {
    struct Case {
        int from, to;
        const wchar_t* order;
    } cases[] = {
        {0, 2, L"BCAD"}, {3, 0, L"DABC"}, {1, 1, L"ABCD"}, {1, 99, L"ACDB"}, {2, -5, L"CABD"},
    };
    for (const Case& c : cases) {
        TLoggedSkins skins;
        for (const wchar_t* n : {L"A", L"B", L"C", L"D"}) AddSkin(skins, n);
        skins.Log.clear();
        skins.Items(c.from)->SetIndex(c.to);
        EXPECT_EQ(skins.Names(), c.order) << c.from << " -> " << c.to;
        bool moved = String(c.order) != L"ABCD";
        EXPECT_EQ(skins.Log, moved ? std::vector<std::string>{"update all"} : std::vector<std::string>{});
    }
    TLoggedSkins skins;
    AddSkin(skins, L"A");
    AddSkin(skins, L"C");
    static_cast<TSkinItem*>(skins.Insert(1))->Name = L"B";
    static_cast<TSkinItem*>(skins.Insert(0))->Name = L"0";
    EXPECT_EQ(skins.Names(), L"0ABC");
}

TEST(Collections, AssignCopiesItemByItem) {
    TLoggedSkins from, to;
    AddSkin(from, L"A")->Data = "one";
    AddSkin(from, L"B")->Level = 7;
    AddSkin(to, L"old");
    to.Log.clear();
    to.Assign(&from);
    EXPECT_EQ(to.Names(), L"AB");
    EXPECT_EQ(to.Skin(0)->Data, "one");
    EXPECT_EQ(to.Skin(1)->Level, 7);
    EXPECT_NE(to.Skin(0), from.Skin(0));
    EXPECT_EQ(to.Log.back(), "update all");
    EXPECT_EQ(std::count(to.Log.begin(), to.Log.end(), "update all"), 1);

    TPersistent notACollection;
    try {
        to.Assign(&notACollection);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"Cannot assign a TPersistent to a TOwnedCollection");
    }
    // Items of a class without Assign cannot be copied.
    TCollection plainFrom, plainTo;
    plainFrom.Add();
    EXPECT_THROW(plainTo.Assign(&plainFrom), EConvertError);
}

TEST(Collections, DisplayNameDefaultsToTheClassName) {
    TLoggedSkins skins;
    TSkinItem* item = AddSkin(skins, L"");
    EXPECT_EQ(item->DisplayName(), L"TSkinItem");
    item->Name = L"Office";
    EXPECT_EQ(item->DisplayName(), L"Office");
    TCollection plain;
    EXPECT_EQ(plain.Add()->DisplayName(), L"TCollectionItem");
}

TEST(Filer, BinaryPropertyIsStoredAsAByteBlock) {
    TLoggedSkins skins;
    TSkinItem* item = AddSkin(skins, L"");
    item->Data = std::string("ASzf\0\x01\xFF", 7);
    TMemoryStream out;
    TWriter(&out).WriteProperties(item);
    // No name (HasData false), the level's integer and boolean, the data block, the end.
    const std::vector<uint8_t> expected = {5,   'L', 'e', 'v', 'e', 'l',      vaInt8, 0, vaFalse,     // Level
                                           4,   'D', 'a', 't', 'a', vaBinary, 7,      0, 0,       0,  // Data, 7 bytes
                                           'A', 'S', 'z', 'f', 0,   1,        0xFF,   0};             // bytes, list end
    EXPECT_EQ(Bytes(out), expected);
}

TEST(Filer, ACollectionOfStoredSkinsRoundTrips) {
    struct Value {
        const wchar_t* name;
        std::string data;
        int level;
        bool flag;
    } values[] = {
        {L"Stillwater (internal)", std::string(17104, '\x5A'), 300, true},
        {L"", std::string(), -70000, false},  // an empty block is still written
        {L"Ünïcode 한글", std::string("\0\0", 2), -1, true},
        {L"", std::string(1, '\0'), 40000, false},
    };
    String longName(300, L'x');
    values[3].name = longName.c_str();

    TLoggedSkins skins;
    for (const Value& v : values) {
        TSkinItem* item = AddSkin(skins, v.name);
        item->Data = v.data;
        item->Level = v.level;
        item->Flag = v.flag;
    }
    TMemoryStream stream;
    TWriter(&stream).WriteCollection(&skins);

    TLoggedSkins loaded;
    AddSkin(loaded, L"replaced");
    stream.SetPosition(0);
    TReader(&stream).ReadCollection(&loaded);
    EXPECT_EQ(stream.Position(), stream.Size());
    ASSERT_EQ(loaded.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(loaded.Skin(i)->Name, values[i].name) << i;
        EXPECT_EQ(loaded.Skin(i)->Data, values[i].data) << i;
        EXPECT_EQ(loaded.Skin(i)->Level, values[i].level) << i;
        EXPECT_EQ(loaded.Skin(i)->Flag, values[i].flag) << i;
    }
}

TEST(Filer, EnumerationValuesAreStoredByName) {
    TMemoryStream out;
    TWriter writer(&out);
    writer.WriteIdent(L"ifICO");
    writer.WriteIdent(L"True");
    writer.WriteIdent(L"false");
    const std::vector<uint8_t> expected = {vaIdent, 5, 'i', 'f', 'I', 'C', 'O', vaTrue, vaFalse};
    EXPECT_EQ(Bytes(out), expected);
    EXPECT_THROW(writer.WriteIdent(L""), EWriteError);

    out.SetPosition(0);
    TReader reader(&out);
    EXPECT_EQ(reader.ReadIdent(), L"ifICO");
    EXPECT_EQ(reader.ReadIdent(), L"True");
    EXPECT_EQ(reader.ReadIdent(), L"False");

    // Anything else where a name belongs, or a name cut short, is malformed.
    auto readIdent = [](std::vector<uint8_t> b) {
        TMemoryStream s;
        s.WriteBuffer(b.data(), int(b.size()));
        s.SetPosition(0);
        TReader(&s).ReadIdent();
    };
    EXPECT_THROW(readIdent({vaInt8, 7}), EReadError);
    EXPECT_THROW(readIdent({vaIdent, 5, 'i', 'f'}), EReadError);
}

TEST(Filer, BadStreamsRaiseReadErrors) {
    TLoggedSkins skins;
    AddSkin(skins, L"A")->Data = "bytes";
    TMemoryStream good;
    TWriter(&good).WriteCollection(&skins);
    std::vector<uint8_t> bytes = Bytes(good);

    auto read = [](std::vector<uint8_t> b) {
        TMemoryStream s;
        s.WriteBuffer(b.data(), int(b.size()));
        s.SetPosition(0);
        TLoggedSkins target;
        TReader(&s).ReadCollection(&target);
    };
    EXPECT_NO_THROW(read(bytes));
    // Cut short anywhere.
    for (size_t n : {size_t(0), size_t(1), size_t(5), bytes.size() - 3, bytes.size() - 1})
        EXPECT_THROW(read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(n))), EReadError) << n;
    // A block longer than the stream.
    std::vector<uint8_t> tooLong = bytes;
    auto at = std::search(tooLong.begin(), tooLong.end(), std::begin("Data"), std::end("Data") - 1);
    ASSERT_NE(at, tooLong.end());
    at[5] = 0xFF;
    EXPECT_THROW(read(tooLong), EReadError);
    // A property the item does not define.
    std::vector<uint8_t> unknown = bytes;
    at = std::search(unknown.begin(), unknown.end(), std::begin("Data"), std::end("Data") - 1);
    at[0] = 'X';
    try {
        read(unknown);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, L"Property Xata does not exist");
    }
}
