// Hosting an ActiveX control in place, against the stand-in player that the
// test prefix registers under the player's CLSID.
#include "framework/ole/OleControlSite.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

// {D27CDB6E-AE6D-11cf-96B8-444553540000} and its events {D27CDB6D-...}
constexpr CLSID kPlayer = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr IID kPlayerEvents = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr CLSID kNobody = {0x0BADF00D, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
constexpr DISPID kMovie = 102, kSetVariable = 151, kCallFunction = 198, kFSCommand = 150;

void pumpUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
}

std::wstring writeScript(const char* body) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"olesite-script.txt";
    std::ofstream(path.c_str(), std::ios::binary) << "#standin-script\n" << body;
    return path;
}

class OleControlSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OleSiteTestHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 400,
                               300, nullptr, nullptr, wc.hInstance, nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        fw::SetBoundaryExceptionHandler(nullptr);
        OleUninitialize();
    }
    HWND host = nullptr;
};

}  // namespace

TEST_F(OleControlSiteTest, AnUnregisteredControlRaisesWithTheSystemsText) {
    try {
        fw::OleControlSite site(kNobody, kPlayerEvents, nullptr);
        FAIL() << "created an unregistered control";
    } catch (const fw::EOleError& e) {
        EXPECT_FALSE(e.Message.empty());
    }
}

TEST_F(OleControlSiteTest, ActivatesInPlaceAndFollowsTheBounds) {
    fw::OleControlSite site(kPlayer, kPlayerEvents, nullptr);
    site.InitState({});
    site.Activate(host, RECT{5, 6, 105, 56});
    HWND child = site.ControlWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), host);
    site.SetBounds(RECT{0, 0, 390, 260});
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 390);
    EXPECT_EQ(r.bottom - r.top, 260);
    site.Deactivate();
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(OleControlSiteTest, EventsArriveWithTheirArgumentsAndAThrowingHandlerIsContained) {
    std::vector<std::pair<std::wstring, std::wstring>> received;
    std::wstring reported;
    fw::SetBoundaryExceptionHandler([&](const fw::Exception& e) { reported = e.Message; });
    fw::OleControlSite site(kPlayer, kPlayerEvents, [&](DISPID id, const DISPPARAMS& p) {
        ASSERT_EQ(id, kFSCommand);
        ASSERT_EQ(p.cArgs, 2u);
        received.emplace_back(p.rgvarg[1].bstrVal, p.rgvarg[0].bstrVal);
        if (received.size() == 1) throw fw::Exception(L"handler failed");
    });
    site.InitState({});
    site.Activate(host, RECT{0, 0, 200, 100});
    site.PutString(kMovie, writeScript("fs first one\nfs second two\nend\n"));
    pumpUntil([&] { return received.size() == 2; }, 5000);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], std::make_pair(std::wstring(L"first"), std::wstring(L"one")));
    EXPECT_EQ(received[1], std::make_pair(std::wstring(L"second"), std::wstring(L"two")));
    EXPECT_EQ(reported, L"handler failed");
}

TEST_F(OleControlSiteTest, MethodsReturnTheControlsResult) {
    fw::OleControlSite site(kPlayer, kPlayerEvents, nullptr);
    site.Activate(host, RECT{0, 0, 200, 100});
    std::wstring answer;
    EXPECT_HRESULT_SUCCEEDED(site.CallMethod(kCallFunction, {L"<invoke name=\"a\"/>"}, &answer));
    EXPECT_FALSE(answer.empty());
    site.PutString(kMovie, writeScript("return-error on\n"));
    pumpUntil([] { return false; }, 300);
    EXPECT_EQ(site.CallMethod(kSetVariable, {L"a", L"b"}), E_FAIL);
    std::wstring movie = site.GetString(kMovie);
    EXPECT_NE(movie.find(L"olesite-script.txt"), std::wstring::npos) << movie;
}
