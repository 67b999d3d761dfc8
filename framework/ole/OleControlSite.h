// Hosting an in-process ActiveX control in a window: the container's side of
// OLE in-place activation (client site and in-place site), its event sink,
// and calls through IDispatch by DISPID. A windowed control of the framework
// owns one of these; this part needs no framework control and is tested alone.
#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Strings.h"

namespace fw {

class OleControlSite {
public:
    // An event from the control: its DISPID and its arguments, last first as
    // IDispatch::Invoke delivers them. Runs on the GUI thread, behind the
    // exception barrier.
    using EventHandler = std::function<void(DISPID id, const DISPPARAMS& params)>;

    // Creates the control by CLSID and connects to its event interface.
    // Raises EOleError with the system's text when the control cannot be created.
    OleControlSite(const CLSID& clsid, const IID& eventInterface, EventHandler onEvent);
    ~OleControlSite();
    OleControlSite(const OleControlSite&) = delete;
    OleControlSite& operator=(const OleControlSite&) = delete;

    // Hands the control its saved state unread, or asks it to start afresh.
    void InitState(const std::vector<BYTE>& savedState);

    // In-place activation as a child of `parent` at `bounds` (client coordinates).
    void Activate(HWND parent, const RECT& bounds);
    void SetBounds(const RECT& bounds);
    void Deactivate();
    bool Active() const { return parent_ != nullptr; }
    HWND ControlWindow() const;

    // Raise EOleError when the control refuses.
    void PutString(DISPID id, const String& value);
    String GetString(DISPID id);
    // Calls a method with string arguments; returns the HRESULT and, when the
    // method answers with a text, that text.
    HRESULT CallMethod(DISPID id, const std::vector<String>& args, String* result = nullptr);

    IDispatch* Dispatch() const { return dispatch_; }

private:
    class Site;
    class Sink;
    friend class Site;

    void release();

    IUnknown* control_ = nullptr;
    IDispatch* dispatch_ = nullptr;
    IOleObject* oleObject_ = nullptr;
    Site* site_ = nullptr;
    Sink* sink_ = nullptr;
    IConnectionPoint* connection_ = nullptr;
    DWORD cookie_ = 0;
    HWND parent_ = nullptr;
    RECT bounds_ = {0, 0, 0, 0};
};

// The system's text for an HRESULT ("Class not registered").
String OleErrorText(HRESULT hr);

}  // namespace fw
