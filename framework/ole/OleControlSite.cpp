#include "framework/ole/OleControlSite.h"

#include "framework/rtl/SysUtils.h"

#include <ocidl.h>
#include <olectl.h>

namespace fw {

String OleErrorText(HRESULT hr) {
    String message = SysErrorMessage(static_cast<DWORD>(hr));
    if (message.empty()) {
        wchar_t code[16];
        swprintf(code, 16, L"%08X", static_cast<unsigned>(hr));
        message = L"OLE error " + String(code);
    }
    return message;
}

namespace {

[[noreturn]] void raise(HRESULT hr) { throw EOleError(OleErrorText(hr)); }

}  // namespace

// The container's sites. The control holds them; the host frees them only
// after taking them back from the control (SetClientSite(nullptr), Unadvise).
class OleControlSite::Site final : public IOleClientSite, public IOleInPlaceSite {
public:
    explicit Site(OleControlSite& owner) : owner_(&owner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** m) override {
        if (m) *m = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        if (c) *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* h) override {
        if (!h) return E_POINTER;
        *h = owner_ ? owner_->parent_ : nullptr;
        return *h ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return owner_ && owner_->parent_ ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
        if (frame) *frame = nullptr;  // no menus or tool space to negotiate
        if (doc) *doc = nullptr;
        if (!owner_) return E_UNEXPECTED;
        if (pos) *pos = owner_->bounds_;
        if (clip) *clip = owner_->bounds_;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = GetAncestor(owner_->parent_, GA_ROOT);
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override {
        if (owner_ && rect) owner_->SetBounds(*rect);
        return S_OK;
    }

    void Detach() { owner_ = nullptr; }

private:
    LONG refs_ = 1;
    OleControlSite* owner_;  // nulled when the host lets go first
};

class OleControlSite::Sink final : public IDispatch {
public:
    Sink(const IID& iid, EventHandler handler) : iid_(iid), handler_(std::move(handler)) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == iid_) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        if (n) *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (result) VariantInit(result);
        if (!handler_) return S_OK;
        // The handler may free the host (and with it this sink's owner): keep
        // ourselves alive, and never let an exception into the control.
        AddRef();
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        EventHandler handler = handler_;
        ExceptionBarrier([&] { handler(id, params ? *params : none); });
        Release();
        return S_OK;
    }

    void Detach() { handler_ = nullptr; }

private:
    LONG refs_ = 1;
    IID iid_;
    EventHandler handler_;
};

OleControlSite::OleControlSite(const CLSID& clsid, const IID& eventInterface, EventHandler onEvent) {
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control_));
    if (FAILED(hr)) raise(hr);
    if (FAILED(hr = control_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_))) ||
        FAILED(hr = control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&oleObject_)))) {
        release();
        raise(hr);
    }
    site_ = new Site(*this);
    oleObject_->SetClientSite(site_);

    sink_ = new Sink(eventInterface, std::move(onEvent));
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        if (SUCCEEDED(container->FindConnectionPoint(eventInterface, &connection_)) &&
            FAILED(connection_->Advise(sink_, &cookie_))) {
            connection_->Release();
            connection_ = nullptr;
        }
        container->Release();
    }
}

OleControlSite::~OleControlSite() { release(); }

void OleControlSite::release() {
    Deactivate();
    if (connection_) {
        connection_->Unadvise(cookie_);
        connection_->Release();
        connection_ = nullptr;
    }
    if (sink_) {
        sink_->Detach();
        sink_->Release();
        sink_ = nullptr;
    }
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
        oleObject_->Release();
        oleObject_ = nullptr;
    }
    if (site_) {
        site_->Detach();
        site_->Release();
        site_ = nullptr;
    }
    if (dispatch_) {
        dispatch_->Release();
        dispatch_ = nullptr;
    }
    if (control_) {
        control_->Release();
        control_ = nullptr;
    }
}

void OleControlSite::InitState(const std::vector<BYTE>& savedState) {
    IPersistStreamInit* persist = nullptr;
    if (FAILED(control_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) return;
    HRESULT hr = S_OK;
    if (savedState.empty()) {
        hr = persist->InitNew();
    } else {
        IStream* stream = nullptr;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, savedState.size());
        if (memory) {
            memcpy(GlobalLock(memory), savedState.data(), savedState.size());
            GlobalUnlock(memory);
            hr = CreateStreamOnHGlobal(memory, TRUE, &stream);
            if (SUCCEEDED(hr)) {
                hr = persist->Load(stream);
                stream->Release();
            } else {
                GlobalFree(memory);
            }
        } else {
            hr = E_OUTOFMEMORY;
        }
    }
    persist->Release();
    if (FAILED(hr)) raise(hr);
}

void OleControlSite::Activate(HWND parent, const RECT& bounds) {
    if (parent_ == parent) {
        SetBounds(bounds);
        return;
    }
    Deactivate();
    parent_ = parent;
    bounds_ = bounds;
    RECT r = bounds;
    HRESULT hr = oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, parent, &r);
    if (FAILED(hr)) {
        parent_ = nullptr;
        raise(hr);
    }
}

void OleControlSite::SetBounds(const RECT& bounds) {
    bounds_ = bounds;
    if (!parent_) return;
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        RECT r = bounds;
        inPlace->SetObjectRects(&r, &r);
        inPlace->Release();
    }
}

void OleControlSite::Deactivate() {
    if (!parent_) return;
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->InPlaceDeactivate();
        inPlace->Release();
    }
    parent_ = nullptr;
}

HWND OleControlSite::ControlWindow() const {
    HWND hwnd = nullptr;
    IOleWindow* window = nullptr;
    if (control_ && SUCCEEDED(control_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
        window->GetWindow(&hwnd);
        window->Release();
    }
    return hwnd;
}

void OleControlSite::PutString(DISPID id, const String& value) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&v, &named, 1, 1};
    HRESULT hr =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    VariantClear(&v);
    if (FAILED(hr)) raise(hr);
}

String OleControlSite::GetString(DISPID id) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    if (FAILED(hr)) raise(hr);
    String text;
    if (SUCCEEDED(VariantChangeType(&result, &result, 0, VT_BSTR)) && result.bstrVal)
        text.assign(result.bstrVal, SysStringLen(result.bstrVal));
    VariantClear(&result);
    return text;
}

HRESULT OleControlSite::CallMethod(DISPID id, const std::vector<String>& args, String* result) {
    std::vector<VARIANT> argv(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        VARIANT& v = argv[args.size() - 1 - i];  // last first
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(args[i].data(), static_cast<UINT>(args[i].size()));
    }
    DISPPARAMS params = {argv.data(), nullptr, static_cast<UINT>(argv.size()), 0};
    VARIANT answer;
    VariantInit(&answer);
    HRESULT hr =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &answer, nullptr, nullptr);
    if (result && SUCCEEDED(hr) && answer.vt == VT_BSTR && answer.bstrVal)
        result->assign(answer.bstrVal, SysStringLen(answer.bstrVal));
    VariantClear(&answer);
    for (VARIANT& v : argv) VariantClear(&v);
    return hr;
}

}  // namespace fw
