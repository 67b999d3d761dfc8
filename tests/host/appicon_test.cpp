// The application icon: the shell's icon for a file name alone, and the
// ".ico" beside the executable taking precedence over it.
#include "host/AppIcon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"

using namespace fw;

TEST(AppIcon, ShellIconFromTheNameAlone) {
    // The file does not exist: the shell answers from the name.
    std::unique_ptr<TIcon> icon(host::GetShellIcon(L"C:\\no\\such\\folder\\viewer.exe"));
    ASSERT_NE(nullptr, icon);
    EXPECT_TRUE(icon->HandleAllocated());
}

TEST(AppIcon, IcoFileBesideTheExecutableWins) {
    String icoFile = ChangeFileExt(Application->ExeName(), L".ico");
    {
        // A 48-pixel icon, so it cannot be mistaken for the shell's 32-pixel one.
        TIcon source;
        HICON system = static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 48, 48, 0));
        source.SetHandle(system);
        TFileStream out(icoFile, fmCreate);
        source.SaveToStream(&out);
    }
    host::SetApplicationIcon();
    DeleteFileW(icoFile.c_str());
    ASSERT_TRUE(Application->Icon()->HandleAllocated());
    EXPECT_EQ(48, Application->Icon()->Width());

    host::SetApplicationIcon();
    ASSERT_TRUE(Application->Icon()->HandleAllocated());
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), Application->Icon()->Width());
}
