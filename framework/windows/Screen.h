// The screen object: display metrics, the forms that exist, the active
// form and the application-wide cursor. `Screen` is made on first use.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/rtl/Component.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"

namespace fw {

class TCustomForm;
class TForm;

// Which monitor to answer for a window or rectangle on none of them.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

// A display monitor. Its rectangles are asked of the system on every read,
// so they follow display and task bar changes.
class TMonitor : public TObject {
public:
    explicit TMonitor(HMONITOR AHandle) : handle_(AHandle) {}
    String ClassName() const override { return L"TMonitor"; }

    HMONITOR Handle() const { return handle_; }
    bool Primary() const;
    // The monitor in virtual-screen coordinates.
    TRect BoundsRect() const;
    // The same without the task bar and other bars docked to the monitor.
    TRect WorkareaRect() const;

private:
    HMONITOR handle_;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;
    String ClassName() const override { return L"TScreen"; }

    // The primary monitor (SM_CXSCREEN, SM_CYSCREEN).
    int Width() const;
    int Height() const;
    // The virtual desktop over all monitors.
    int DesktopLeft() const;
    int DesktopTop() const;
    int DesktopWidth() const;
    int DesktopHeight() const;
    // The primary monitor without the task bar (SPI_GETWORKAREA).
    TRect WorkAreaRect() const;

    // Every form, in creation order; a form is listed from its constructor on,
    // before it has a window.
    int CustomFormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* CustomForms(int Index) const;
    // The same, only those of class TForm (and its subclasses).
    int FormCount() const;
    TForm* Forms(int Index) const;

    // The form activated last (nullptr when none of ours is active).
    TCustomForm* ActiveCustomForm() const { return activeForm_; }
    TForm* ActiveForm() const;

    // crDefault lets each control's cursor show; any other cursor is shown
    // everywhere in the application.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    // The system cursor of a framework cursor number (crArrow, crHourGlass...).
    HCURSOR Cursors(TCursor Index) const;

    // The system's menu font (SPI_GETNONCLIENTMETRICS), read on first use.
    TFont* MenuFont();

    // The monitor that holds most of the window or rectangle; nullptr only
    // with mdNull. The same monitor is always the same object.
    TMonitor* MonitorFromWindow(HWND Handle, TMonitorDefaultTo MonitorDefault = mdNearest);
    TMonitor* MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault = mdNearest);

    // Called by the forms.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
    TFont* menuFont_ = nullptr;
    TMonitor* MonitorOf(HMONITOR Handle);
    std::vector<std::unique_ptr<TMonitor>> monitors_;
};

class TScreenRef {
public:
    constexpr TScreenRef() = default;
    TScreen* get() const;
    TScreen* operator->() const { return get(); }
    TScreen& operator*() const { return *get(); }
    operator TScreen*() const { return get(); }
    bool Exists() const;
};
extern TScreenRef Screen;

}  // namespace fw
