#include "player/StandInPlayer.h"

#include <olectl.h>

#include <atomic>

#include "player/CloseBox.h"
#include "player/DialogDriver.h"
#include "player/Guids.h"
#include "player/Journal.h"
#include "player/Script.h"
#include "player/WindowShot.h"

namespace player {

LONG g_serverLocks = 0;

namespace {

constexpr wchar_t kWindowClass[] = L"StandInFlash";
constexpr UINT_PTR kScriptTimer = 1;
constexpr UINT kScriptTickMs = 30;

std::atomic<int> g_instances{0};

struct NameId {
    const wchar_t* name;
    DISPID id;
};
constexpr NameId kNames[] = {
    {L"Movie", DISPID_Movie},
    {L"Scale", DISPID_Scale},
    {L"FlashVars", DISPID_FlashVars},
    {L"SetVariable", DISPID_SetVariable},
    {L"GetVariable", DISPID_GetVariable},
    {L"CallFunction", DISPID_CallFunction},
};

const wchar_t* nameOf(DISPID id) {
    for (const NameId& n : kNames)
        if (n.id == id) return n.name;
    return L"";
}

// Arguments arrive last-first in rgvarg.
HRESULT stringArg(DISPPARAMS* params, UINT index, std::wstring& out) {
    if (!params || index >= params->cArgs) return DISP_E_BADPARAMCOUNT;
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = VariantChangeType(&v, &params->rgvarg[params->cArgs - 1 - index], 0, VT_BSTR);
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    out.assign(v.bstrVal ? v.bstrVal : L"", v.bstrVal ? SysStringLen(v.bstrVal) : 0);
    VariantClear(&v);
    return S_OK;
}

void setResult(VARIANT* result, const std::wstring& text) {
    if (!result) return;
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// The class belongs to this DLL, so windows are created with its instance.
HINSTANCE registerWindowClass() {
    static HINSTANCE module = nullptr;
    if (module) return module;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&registerWindowClass), reinterpret_cast<HMODULE*>(&module));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window, once it is bound to its player
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    return module;
}

}  // namespace

// ---- EventPoint ----------------------------------------------------------

STDMETHODIMP EventPoint::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP_(ULONG) EventPoint::AddRef() { return owner_.AddRef(); }
STDMETHODIMP_(ULONG) EventPoint::Release() { return owner_.Release(); }

STDMETHODIMP EventPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = DIID_ShockwaveFlashEvents;
    return S_OK;
}

STDMETHODIMP EventPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    return owner_.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(out));
}

STDMETHODIMP EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(DIID_ShockwaveFlashEvents, reinterpret_cast<void**>(&dispatch))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_[*cookie] = dispatch;
    return S_OK;
}

STDMETHODIMP EventPoint::Unadvise(DWORD cookie) {
    auto it = sinks_.find(cookie);
    if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
    IDispatch* sink = it->second;
    sinks_.erase(it);
    sink->Release();
    return S_OK;
}

STDMETHODIMP EventPoint::EnumConnections(IEnumConnections** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

void EventPoint::Fire(const std::wstring& command, const std::wstring& args) {
    // A sink may unadvise, or its host free us, from inside the call.
    std::vector<IDispatch*> targets;
    for (auto& [cookie, sink] : sinks_) {
        sink->AddRef();
        targets.push_back(sink);
    }
    for (IDispatch* sink : targets) {
        VARIANT argv[2];
        argv[1].vt = VT_BSTR;
        argv[1].bstrVal = SysAllocStringLen(command.data(), static_cast<UINT>(command.size()));
        argv[0].vt = VT_BSTR;
        argv[0].bstrVal = SysAllocStringLen(args.data(), static_cast<UINT>(args.size()));
        DISPPARAMS params = {argv, nullptr, 2, 0};
        sink->Invoke(DISPID_FSCommand, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                     nullptr);
        VariantClear(&argv[0]);
        VariantClear(&argv[1]);
        sink->Release();
    }
}

void EventPoint::ReleaseAll() {
    auto sinks = std::move(sinks_);
    sinks_.clear();
    for (auto& [cookie, sink] : sinks) sink->Release();
}

// ---- StandInPlayer ---------------------------------------------------------

StandInPlayer::StandInPlayer() : instance_(++g_instances), events_(*this) {
    InterlockedIncrement(&g_serverLocks);
    Journal(L"create");
}

StandInPlayer::~StandInPlayer() {
    Journal(L"destroy");
    deactivate();
    events_.ReleaseAll();
    if (site_) site_->Release();
    InterlockedDecrement(&g_serverLocks);
}

STDMETHODIMP StandInPlayer::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleObject)
        *out = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
        *out = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IPersistStreamInit || riid == IID_IPersist)
        *out = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IDispatch)
        *out = static_cast<IDispatch*>(this);
    else if (riid == IID_IConnectionPointContainer)
        *out = static_cast<IConnectionPointContainer*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) StandInPlayer::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) StandInPlayer::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

void StandInPlayer::Journal(const std::wstring& text) { JournalWrite(instance_, hostClass(), text); }

std::wstring StandInPlayer::hostClass() const {
    HWND anchor = hwnd_ ? hwnd_ : parent_;
    if (!anchor && inPlaceSite_) inPlaceSite_->GetWindow(&anchor);
    if (!anchor || !IsWindow(anchor)) return L"-";
    wchar_t name[256] = {};
    GetClassNameW(GetAncestor(anchor, GA_ROOT), name, 256);
    return name;
}

STDMETHODIMP StandInPlayer::SetClientSite(IOleClientSite* site) {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = site_;
    if (site_) site_->AddRef();
    return S_OK;
}

STDMETHODIMP StandInPlayer::Close(DWORD) {
    deactivate();
    return S_OK;
}

STDMETHODIMP StandInPlayer::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return activateInPlace(site ? site : site_);
        case OLEIVERB_HIDE:
            if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT StandInPlayer::activateInPlace(IOleClientSite* site) {
    if (hwnd_) {
        ShowWindow(hwnd_, SW_SHOW);
        return S_OK;
    }
    if (!site) return E_UNEXPECTED;
    IOleInPlaceSite* ips = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips)))) return E_NOINTERFACE;
    if (ips->CanInPlaceActivate() != S_OK) {
        ips->Release();
        return E_FAIL;
    }
    ips->OnInPlaceActivate();
    HWND parent = nullptr;
    ips->GetWindow(&parent);
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* doc = nullptr;
    RECT pos = {0, 0, 0, 0}, clip = {0, 0, 0, 0};
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof info;
    ips->GetWindowContext(&frame, &doc, &pos, &clip, &info);
    if (frame) frame->Release();
    if (doc) doc->Release();

    HINSTANCE module = registerWindowClass();
    hwnd_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left, pos.top,
                            pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, module, nullptr);
    if (!hwnd_) {
        ips->OnInPlaceDeactivate();
        ips->Release();
        return E_FAIL;
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    parent_ = parent;
    inPlaceSite_ = ips;
    Journal(L"activate");
    if (script_) SetTimer(hwnd_, kScriptTimer, kScriptTickMs, nullptr);
    return S_OK;
}

void StandInPlayer::deactivate() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    if (inPlaceSite_) {
        IOleInPlaceSite* ips = inPlaceSite_;
        inPlaceSite_ = nullptr;
        ips->OnInPlaceDeactivate();
        ips->Release();
    }
}

STDMETHODIMP StandInPlayer::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP StandInPlayer::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT || !size) return E_INVALIDARG;
    extent_ = *size;
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT || !size) return E_INVALIDARG;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
              OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = hwnd_;
    return hwnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP StandInPlayer::InPlaceDeactivate() {
    deactivate();
    return S_OK;
}

STDMETHODIMP StandInPlayer::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    if (hwnd_) MoveWindow(hwnd_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_ShockwaveFlash;
    return S_OK;
}

STDMETHODIMP StandInPlayer::Load(LPSTREAM stream) {
    if (!stream) return E_POINTER;
    ULONG total = 0, read = 0;
    BYTE buffer[512];
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) total += read;
    Journal(L"load-state " + std::to_wstring(total) + L" bytes");
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

STDMETHODIMP StandInPlayer::InitNew() {
    Journal(L"init-new");
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP StandInPlayer::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (const NameId& n : kNames)
            if (_wcsicmp(n.name, names[i]) == 0) ids[i] = n.id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP StandInPlayer::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) {
    std::wstring* property = id == DISPID_Movie       ? &movie_
                             : id == DISPID_Scale     ? &scale_
                             : id == DISPID_FlashVars ? &flashVars_
                                                      : nullptr;
    if (property) {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            std::wstring value;
            if (HRESULT hr = stringArg(params, 0, value); FAILED(hr)) return hr;
            *property = value;
            Journal(std::wstring(L"put ") + nameOf(id) + L" " + Quoted(value));
            if (id == DISPID_Movie) startScript();
            return S_OK;
        }
        setResult(result, *property);
        return S_OK;
    }
    std::wstring a, b;
    switch (id) {
        case DISPID_SetVariable:
            if (FAILED(stringArg(params, 0, a)) || FAILED(stringArg(params, 1, b))) return DISP_E_BADPARAMCOUNT;
            Journal(L"SetVariable " + Quoted(a) + L" " + Quoted(b));
            calls_.push_back({HostCall::Kind::SetVariable, a, b});
            if (returnError_) return E_FAIL;
            variables_[a] = b;
            return S_OK;
        case DISPID_GetVariable:
            if (FAILED(stringArg(params, 0, a))) return DISP_E_BADPARAMCOUNT;
            setResult(result, variables_.count(a) ? variables_[a] : std::wstring());
            return S_OK;
        case DISPID_CallFunction:
            if (FAILED(stringArg(params, 0, a))) return DISP_E_BADPARAMCOUNT;
            Journal(L"CallFunction " + Quoted(a));
            calls_.push_back({HostCall::Kind::CallFunction, a, {}});
            if (returnError_) return E_FAIL;
            setResult(result, L"<undefined/>");
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

STDMETHODIMP StandInPlayer::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid != DIID_ShockwaveFlashEvents) return CONNECT_E_NOCONNECTION;
    *out = &events_;
    AddRef();
    return S_OK;
}

// A new movie replaces any running script; only a scripted movie runs.
void StandInPlayer::startScript() {
    script_.reset();
    calls_.clear();
    if (hwnd_) KillTimer(hwnd_, kScriptTimer);
    std::wstring text;
    if (!ReadUtf8File(movie_, text) || !IsScript(text)) {
        if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    ScriptHost& host = *this;
    script_ = std::make_shared<ScriptRunner>(ParseScript(text), host);
    if (hwnd_) {
        SetTimer(hwnd_, kScriptTimer, kScriptTickMs, nullptr);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void StandInPlayer::FireFSCommand(const std::wstring& command, const std::wstring& args) {
    Journal(L"fire FSCommand " + Quoted(command) + L" " + Quoted(args));
    AddRef();  // the host may free us from inside its handler
    events_.Fire(command, args);
    Release();
}

bool StandInPlayer::ClickCloseBox() {
    HWND child = hwnd_ ? hwnd_ : parent_;
    return child && player::ClickCloseBox(GetAncestor(child, GA_ROOT));
}

std::wstring StandInPlayer::ProbeWindow() { return DescribeTopLevel(hwnd_ ? hwnd_ : parent_); }

ScriptHost::DialogState StandInPlayer::AnswerDialog(const ScriptStep& step, std::wstring& error) {
    std::wstring line, shot;
    DialogState state = player::AnswerDialog(step, line, shot, error);
    if (state != DialogState::Pending) Journal(line);
    if (!shot.empty()) Journal(shot);
    return state;
}

std::wstring StandInPlayer::ShootWindow(const std::wstring& name) {
    HWND child = hwnd_ ? hwnd_ : parent_;
    return player::ShootWindow(child ? GetAncestor(child, GA_ROOT) : nullptr, name);
}

void StandInPlayer::paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd_, &r);
    HBRUSH back = CreateSolidBrush(RGB(0x20, 0x30, 0x60));
    FillRect(dc, &r, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    std::wstring text = L"Stand-in player #" + std::to_wstring(instance_) + L"\n" +
                        (movie_.empty() ? std::wstring(L"(no movie)") : movie_) + (script_ ? L"\n(script)" : L"");
    InflateRect(&r, -8, -8);
    DrawTextW(dc, text.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_WORDBREAK);
}

LRESULT CALLBACK StandInPlayer::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<StandInPlayer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (msg) {
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(hwnd, &ps);
                self->paint(dc);
                EndPaint(hwnd, &ps);
                return 0;
            }
            case WM_ERASEBKGND:
                return 1;
            case WM_TIMER:
                if (wp == kScriptTimer && self->script_) {
                    self->AddRef();
                    std::shared_ptr<ScriptRunner> running = self->script_;
                    running->Tick();
                    if (running == self->script_ && running->Finished() && self->hwnd_)
                        KillTimer(self->hwnd_, kScriptTimer);
                    self->Release();
                }
                return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace player
