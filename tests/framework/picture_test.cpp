// TPicture: the graphic it owns, and loading by file extension.
#include "framework/graphics/Picture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Streams.h"

using namespace fw;

namespace {

class TTestGraphic : public TBitmap {
public:
    String ClassName() const override { return L"TTestGraphic"; }
};

class TUnregisteredGraphic : public TBitmap {
public:
    String ClassName() const override { return L"TUnregisteredGraphic"; }
};

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = String(temp) + L"picture_test_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(dir_.c_str(), nullptr);

        TBitmap bitmap(8, 6, pf24bit);
        bitmap.Canvas()->Brush()->SetColor(TColor(0x0000FF));
        bitmap.Canvas()->FillRect(Rect(0, 0, 8, 6));
        for (const wchar_t* name : {L"a.bmp", L"a.fake"}) bitmap.SaveToFile(Path(name));
        TJPEGImage jpeg;
        jpeg.Assign(&bitmap);
        for (const wchar_t* name : {L"a.jpg", L"b.JPEG", L"c.png", L"noext"}) jpeg.SaveToFile(Path(name));
        HICON handle =
            CreateIcon(nullptr, 32, 32, 1, 1, std::vector<BYTE>(128, 0xFF).data(), std::vector<BYTE>(128, 0).data());
        TIcon icon;
        icon.SetHandle(handle);
        icon.SaveToFile(Path(L"a.ico"));
    }
    void TearDown() override {
        for (const wchar_t* name : {L"a.bmp", L"a.fake", L"a.jpg", L"b.JPEG", L"c.png", L"noext", L"a.ico"})
            DeleteFileW(Path(name).c_str());
        RemoveDirectoryW(dir_.c_str());
        TPicture::UnregisterGraphicClass<TTestGraphic>();
    }
    String Path(const String& name) const { return dir_ + name; }

    String dir_;
};

void CountChange(void* counter, TObject*) { ++*static_cast<int*>(counter); }

}  // namespace

TEST_F(PictureFiles, LoadsByExtensionWithTheDefaultClasses) {
    struct Case {
        const wchar_t* file;
        String className;
        int width;
    };
    TPicture picture;
    for (const Case& c : {Case{L"a.bmp", L"TBitmap", 8}, Case{L"a.jpg", L"TJPEGImage", 8},
                          Case{L"b.JPEG", L"TJPEGImage", 8}, Case{L"a.ico", L"TIcon", 32}}) {
        picture.LoadFromFile(Path(c.file));
        ASSERT_NE(picture.Graphic(), nullptr) << ToAnsi(c.file);
        EXPECT_EQ(picture.Graphic()->ClassName(), c.className) << ToAnsi(c.file);
        EXPECT_EQ(picture.Width(), c.width) << ToAnsi(c.file);
    }

    // Unknown extensions are refused by name; the picture keeps what it held.
    for (auto [file, message] : {std::pair{L"c.png", L"Unknown picture file extension (.png)"},
                                 std::pair{L"noext", L"Unknown picture file extension (.)"}}) {
        try {
            picture.LoadFromFile(Path(file));
            ADD_FAILURE() << "loaded " << ToAnsi(file);
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, message);
        }
        EXPECT_TRUE(picture.Graphic()->Is<TIcon>());
    }
    // So does a file that fails to load.
    EXPECT_THROW(picture.LoadFromFile(Path(L"missing.jpg")), EFOpenError);
    EXPECT_TRUE(picture.Graphic()->Is<TIcon>());
    EXPECT_EQ(TPicture::FileFormatDescription(L".JPG"), L"JPEG Image File");
}

TEST_F(PictureFiles, RegisteredFormatsTakePrecedenceAndCanBeUnregistered) {
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(Path(L"a.fake")), EInvalidGraphic);

    TPicture::RegisterFileFormat<TTestGraphic>(L"fake", L"Test pictures");
    TPicture::RegisterFileFormat<TTestGraphic>(L".BMP", L"Test bitmaps");
    picture.LoadFromFile(Path(L"a.fake"));
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TTestGraphic");
    EXPECT_EQ(picture.Width(), 8);
    picture.LoadFromFile(Path(L"a.bmp"));
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TTestGraphic") << "the later registration wins";

    TPicture::UnregisterGraphicClass<TTestGraphic>();
    EXPECT_THROW(picture.LoadFromFile(Path(L"a.fake")), EInvalidGraphic);
    picture.LoadFromFile(Path(L"a.bmp"));
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TBitmap") << "the default is back";

    // A registered class can still be held; an unknown one cannot be copied.
    TTestGraphic test;
    picture.SetGraphic(&test);
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TTestGraphic");
    TUnregisteredGraphic unknown;
    EXPECT_THROW(picture.SetGraphic(&unknown), EInvalidGraphic);
}

TEST_F(PictureFiles, HoldsCopiesAndConvertsOnDemand) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = TNotifyEvent(&changes, &CountChange);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);

    // Assigned a JPEG image (a grey one, as the texture loader does): a copy.
    TJPEGImage jpeg;
    jpeg.LoadFromFile(Path(L"a.jpg"));
    jpeg.SetGrayscale(true);
    picture.Assign(&jpeg);
    ASSERT_TRUE(picture.Graphic() && picture.Graphic()->Is<TJPEGImage>());
    EXPECT_NE(picture.Graphic(), &jpeg);
    EXPECT_TRUE(static_cast<TJPEGImage*>(picture.Graphic())->Grayscale());
    EXPECT_EQ(picture.Height(), 6);
    EXPECT_EQ(changes, 1);

    // Into a bitmap through the picture and the JPEG image.
    TBitmap out;
    out.Assign(&picture);
    EXPECT_EQ(out.Width(), 8);
    TColor c = out.Canvas()->Pixels(3, 3);
    EXPECT_TRUE((c & 0xFF) == ((c >> 8) & 0xFF) && (c & 0xFF) == ((c >> 16) & 0xFF)) << "grey";

    // Changes of the held graphic reach the picture's OnChange.
    picture.Graphic()->SetModified(true);
    EXPECT_EQ(changes, 2);

    // Bitmap replaces anything else with an empty bitmap, then keeps it.
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(picture.Bitmap(), bitmap);
    picture.LoadFromFile(Path(L"a.bmp"));
    EXPECT_EQ(picture.Bitmap(), picture.Graphic());
    EXPECT_EQ(picture.Bitmap()->Width(), 8);

    // Picture to picture copies; nil empties.
    TPicture other;
    other.Assign(&picture);
    ASSERT_NE(other.Graphic(), nullptr);
    EXPECT_NE(other.Graphic(), picture.Graphic());
    EXPECT_EQ(other.Width(), 8);
    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    out.Assign(&picture);
    EXPECT_TRUE(out.Empty()) << "an empty picture empties the bitmap";
}
