// The stand-in player: an in-process ActiveX control with the identity of the
// Flash player, offering exactly what the viewer uses of it. It journals every
// call, shows a child window naming its movie, and runs scripted movies.
#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "player/ScriptRunner.h"

namespace player {

class StandInPlayer;

// The FSCommand connection point; lives inside the player and shares its count.
class EventPoint : public IConnectionPoint {
public:
    explicit EventPoint(StandInPlayer& owner) : owner_(owner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    void Fire(const std::wstring& command, const std::wstring& args);
    void ReleaseAll();

private:
    StandInPlayer& owner_;
    std::map<DWORD, IDispatch*> sinks_;
    DWORD nextCookie_ = 1;
};

class StandInPlayer : public IOleObject,
                      public IOleInPlaceObject,
                      public IPersistStreamInit,
                      public IDispatch,
                      public IConnectionPointContainer,
                      private ScriptHost {
public:
    StandInPlayer();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT pos) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT* argErr) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

    void Journal(const std::wstring& text) override;

private:
    ~StandInPlayer();

    HRESULT activateInPlace(IOleClientSite* site);
    void deactivate();
    void startScript();
    std::wstring hostClass() const;
    void paint(HDC dc);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    // ScriptHost
    DWORD Now() override { return GetTickCount(); }
    void FireFSCommand(const std::wstring& command, const std::wstring& args) override;
    const std::vector<HostCall>& Calls() override { return calls_; }
    std::wstring ProbeWindow() override;
    std::wstring ShootWindow(const std::wstring& name) override;
    void SetReturnError(bool on) override { returnError_ = on; }
    bool ClickCloseBox() override;
    DialogState AnswerDialog(const ScriptStep& step, std::wstring& error) override;

    LONG refs_ = 1;
    int instance_;
    EventPoint events_;
    IOleClientSite* site_ = nullptr;
    IOleInPlaceSite* inPlaceSite_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    SIZEL extent_ = {0, 0};
    std::wstring movie_, scale_, flashVars_;
    std::map<std::wstring, std::wstring> variables_;
    std::vector<HostCall> calls_;
    std::shared_ptr<ScriptRunner> script_;  // shared: a new movie may be put from inside a tick
    bool returnError_ = false;
};

// Objects alive and server locks, for DllCanUnloadNow.
extern LONG g_serverLocks;

}  // namespace player
