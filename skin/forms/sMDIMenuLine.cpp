#include "skin/forms/sMDIMenuLine.h"

#include <algorithm>

#include "skin/engine/sFormSkinningBase.h"
#include "skin/forms/sMDIForm.h"

namespace skin {

namespace {

constexpr int kIconsWidth = 60;

}  // namespace

bool ChildIconPresent() {
    fw::TCustomForm* parent = MDISkinProvider ? MDISkinProvider->Form : nullptr;
    if (!parent || parent->FormStyle() != fw::fsMDIForm || !parent->ClientHandle()) return false;
    fw::TCustomForm* child = parent->ActiveMDIChild();
    return child && MaximizedMDIChild(parent->ClientHandle()) && child->BorderIcons().Contains(fw::biSystemMenu);
}

fw::TRect ChildIconRect(const fw::TRect& Line, int MenuHeight, const fw::TRect& WindowMenu) {
    int size = std::max(MenuHeight - 2, 0);
    int left = Line.Left + 1;
    if (WindowMenu.Width() > 0) {
        // The first item is drawn over the icon's last columns otherwise.
        size = std::min<int>(size, WindowMenu.Width());
        left = WindowMenu.Left + (WindowMenu.Width() - size) / 2;
    }
    return fw::TRect(left, Line.Top + 1, left + size, Line.Top + 1 + size);
}

fw::TRect MDIIconsRect(const TFrameState& S, const TFrameMetrics& M, const fw::TRect& Buttons) {
    if (!S.MenuLine || S.Iconic) return fw::TRect();
    const int mh = MenuHeight(S, M);
    const int right = CaptionWidth(S) - SysBorderWidth(S, M);
    int left = right - kIconsWidth;
    if (!Buttons.IsEmpty()) left = std::min<int>(left, Buttons.Left - 1);
    const int lineTop = TitleBottom(S, M);
    const int top = lineTop + std::max(S.MenuLines - 1, 0) * mh;
    const int bottom = std::min(top + M.CyMenu + 3, lineTop + std::max(S.MenuLines, 1) * mh);
    return fw::TRect(std::max(left, 0), top, right, bottom);
}

}  // namespace skin
