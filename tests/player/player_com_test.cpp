// The stand-in player as the viewer meets it: created by CLSID from the
// registry, hosted in place in a window, scripted, journalled.
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "player/Guids.h"

using namespace player;

namespace {

std::wstring tempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

std::wstring fromUtf8(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

void writeUtf8(const std::wstring& path, const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

// The journal's entries without their sequence number; "#1 TestHost put ...".
std::vector<std::wstring> readJournal(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<std::wstring> lines;
    std::string line;
    while (std::getline(in, line)) {
        std::wstring w = fromUtf8(line);
        lines.push_back(w.substr(w.find(L' ') + 1));
    }
    return lines;
}

bool contains(const std::vector<std::wstring>& lines, const std::wstring& entry) {
    for (auto& l : lines)
        if (l.find(entry) != std::wstring::npos) return true;
    return false;
}

void pumpUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

// The least an in-place container needs: a client site with an in-place site.
class TestSite : public IOleClientSite, public IOleInPlaceSite {
public:
    explicit TestSite(HWND window) : window_(window) {}
    RECT position = {10, 10, 210, 110};
    int deactivations = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    STDMETHODIMP GetWindow(HWND* h) override {
        *h = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** d, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO) override {
        *f = nullptr;
        *d = nullptr;
        *pos = position;
        *clip = position;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override {
        ++deactivations;
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

private:
    HWND window_;
};

// Receives FSCommand(command, args) on the event dispinterface.
class TestSink : public IDispatch {
public:
    std::vector<std::pair<std::wstring, std::wstring>> received;
    std::function<void()> onCommand;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_ShockwaveFlashEvents) {
            *out = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id == DISPID_FSCommand && p->cArgs == 2) {
            received.emplace_back(p->rgvarg[1].bstrVal, p->rgvarg[0].bstrVal);
            if (onCommand) onCommand();
        }
        return S_OK;
    }
};

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        journal = tempPath(L"standin-journal.txt");
        DeleteFileW(journal.c_str());
        SetEnvironmentVariableW(L"STANDIN_JOURNAL", journal.c_str());
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TestHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, L"TestHost", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 50, 50, 400,
                               300, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host, nullptr);
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                                  reinterpret_cast<void**>(&dispatch)));
    }
    void TearDown() override {
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
            object->Release();
        }
        if (dispatch) dispatch->Release();
        if (host) DestroyWindow(host);
        SetEnvironmentVariableW(L"STANDIN_JOURNAL", nullptr);
        OleUninitialize();
    }

    HRESULT put(DISPID id, const std::wstring& value) {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(value.c_str());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS p = {&v, &named, 1, 1};
        HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr);
        VariantClear(&v);
        return hr;
    }
    HRESULT call(DISPID id, std::vector<std::wstring> args, std::wstring* result = nullptr) {
        std::vector<VARIANT> v(args.size());
        for (size_t i = 0; i < args.size(); ++i) {  // last first
            v[args.size() - 1 - i].vt = VT_BSTR;
            v[args.size() - 1 - i].bstrVal = SysAllocString(args[i].c_str());
        }
        DISPPARAMS p = {v.data(), nullptr, static_cast<UINT>(v.size()), 0};
        VARIANT r;
        VariantInit(&r);
        HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &r, nullptr, nullptr);
        if (result && r.vt == VT_BSTR) *result = r.bstrVal;
        VariantClear(&r);
        for (auto& x : v) VariantClear(&x);
        return hr;
    }
    void activate() {
        ASSERT_HRESULT_SUCCEEDED(dispatch->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)));
        ASSERT_HRESULT_SUCCEEDED(object->SetClientSite(&site));
        RECT r = site.position;
        ASSERT_HRESULT_SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, host, &r));
    }
    void advise() {
        IConnectionPointContainer* cpc = nullptr;
        ASSERT_HRESULT_SUCCEEDED(
            dispatch->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)));
        IConnectionPoint* cp = nullptr;
        ASSERT_HRESULT_SUCCEEDED(cpc->FindConnectionPoint(DIID_ShockwaveFlashEvents, &cp));
        DWORD cookie = 0;
        ASSERT_HRESULT_SUCCEEDED(cp->Advise(&sink, &cookie));
        cp->Release();
        cpc->Release();
    }
    std::wstring script(const std::wstring& body) {
        std::wstring path = tempPath(L"standin-movie.txt");
        writeUtf8(path, L"#standin-script\n" + body);
        return path;
    }
    bool ended() { return contains(readJournal(journal), L" END"); }

    std::wstring journal;
    HWND host = nullptr;
    IDispatch* dispatch = nullptr;
    IOleObject* object = nullptr;
    TestSite site{nullptr};
    TestSink sink;
};

}  // namespace

TEST_F(PlayerTest, JournalsPropertiesAndCallsInOrder) {
    DISPID ids[3];
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Movie"), const_cast<LPOLESTR>(L"setvariable"),
                        const_cast<LPOLESTR>(L"CallFunction")};
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, names, 3, 0, ids));
    EXPECT_EQ(ids[0], DISPID_Movie);
    EXPECT_EQ(ids[1], DISPID_SetVariable);
    EXPECT_EQ(ids[2], DISPID_CallFunction);

    EXPECT_HRESULT_SUCCEEDED(put(DISPID_FlashVars, L"page=3"));
    EXPECT_HRESULT_SUCCEEDED(put(DISPID_Movie, L"C:\\books\\없는책.swf"));
    EXPECT_HRESULT_SUCCEEDED(put(DISPID_Scale, L""));
    EXPECT_HRESULT_SUCCEEDED(call(DISPID_SetVariable, {L"_root.BOOKLOAD_FIRSTPAGE", L"12"}));
    std::wstring value, answer;
    EXPECT_HRESULT_SUCCEEDED(call(DISPID_GetVariable, {L"_root.BOOKLOAD_FIRSTPAGE"}, &value));
    EXPECT_EQ(value, L"12");
    EXPECT_HRESULT_SUCCEEDED(call(DISPID_CallFunction, {L"<invoke name=\"x\"/>"}, &answer));
    EXPECT_FALSE(answer.empty());

    auto lines = readJournal(journal);
    std::vector<std::wstring> expected = {
        L"#1 - create",  // the first instance of this process
        L"#1 - put FlashVars \"page=3\"",
        L"#1 - put Movie \"C:\\books\\없는책.swf\"",
        L"#1 - put Scale \"\"",
        L"#1 - SetVariable \"_root.BOOKLOAD_FIRSTPAGE\" \"12\"",
        L"#1 - CallFunction \"<invoke name=\\\"x\\\"/>\"",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].substr(lines[i].find(L' ')), expected[i].substr(expected[i].find(L' '))) << i;
}

TEST_F(PlayerTest, InPlaceWindowFollowsObjectRectsAndGoesOnClose) {
    site = TestSite(host);
    activate();
    HWND child = FindWindowExW(host, nullptr, L"StandInFlash", nullptr);
    ASSERT_NE(child, nullptr);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 210);

    IOleInPlaceObject* inPlace = nullptr;
    ASSERT_HRESULT_SUCCEEDED(dispatch->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)));
    RECT moved = {0, 0, 300, 200};
    EXPECT_HRESULT_SUCCEEDED(inPlace->SetObjectRects(&moved, &moved));
    inPlace->Release();
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);

    // The child paints itself; a pixel of its background shows in the host's capture.
    UpdateWindow(host);
    pumpUntil([] { return false; }, 200);
    HDC dc = GetDC(child);
    COLORREF c = GetPixel(dc, 150, 190);
    ReleaseDC(child, dc);
    EXPECT_EQ(c, RGB(0x20, 0x30, 0x60));

    object->Close(OLECLOSE_NOSAVE);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(site.deactivations, 1);
    EXPECT_TRUE(contains(readJournal(journal), L"TestHost activate"));
}

TEST_F(PlayerTest, ScriptedMovieSendsARequestAndChecksTheAnswer) {
    site = TestSite(host);
    activate();
    advise();
    sink.onCommand = [&] { call(DISPID_SetVariable, {L"saveSuccess", L"success"}); };
    put(DISPID_Movie, script(L"fs exec function_saveTextFile@@@메모@@@a.txt\nexpect-var saveSuccess success\nend\n"));
    pumpUntil([&] { return ended(); }, 5000);

    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.received[0].first, L"exec");
    EXPECT_EQ(sink.received[0].second, L"function_saveTextFile@@@메모@@@a.txt");
    auto lines = readJournal(journal);
    EXPECT_TRUE(contains(lines, L"TestHost fire FSCommand \"exec\" \"function_saveTextFile@@@메모@@@a.txt\""));
    EXPECT_TRUE(contains(lines, L"TestHost END"));
    EXPECT_FALSE(contains(lines, L"FAIL"));
}

TEST_F(PlayerTest, ScriptAnswersAMessageBoxOpenedByItsOwnRequest) {
    site = TestSite(host);
    activate();
    advise();
    int pressed = 0;
    sink.onCommand = [&] { pressed = MessageBoxW(host, L"파일이 저장되었습니다.", L"알림", MB_OK); };
    put(DISPID_Movie,
        script(L"fs exec function_alert\ndialog msgbox expect=\"파일이 저장되었습니다.\" press=OK\nend\n"));
    pumpUntil([&] { return ended() && pressed != 0; }, 8000);

    EXPECT_EQ(pressed, IDOK);
    auto lines = readJournal(journal);
    EXPECT_TRUE(contains(lines, L"dialog msgbox \"파일이 저장되었습니다.\" press=OK"));
    EXPECT_FALSE(contains(lines, L"FAIL"));
}

TEST_F(PlayerTest, ReturnErrorMakesTheMovieRefuseCalls) {
    site = TestSite(host);
    activate();
    put(DISPID_Movie, script(L"return-error on\nend\n"));
    pumpUntil([&] { return ended(); }, 5000);
    EXPECT_EQ(call(DISPID_SetVariable, {L"a", L"b"}), E_FAIL);
    EXPECT_EQ(call(DISPID_CallFunction, {L"<invoke/>"}), E_FAIL);
    auto lines = readJournal(journal);
    EXPECT_TRUE(contains(lines, L"SetVariable \"a\" \"b\""));  // still journalled
}
