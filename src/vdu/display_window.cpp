#include "vdu/display_window.h"

#include "vdu/vdu_block.h"

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *block = static_cast<VduBlock *>(reinterpret_cast<const CREATESTRUCTA *>(lParam)->lpCreateParams);
        if (block) {
            SetWindowLongPtrA(window, displaySlotContext, reinterpret_cast<LONG_PTR>(block->host));
            SetWindowLongPtrA(window, displaySlotBlock, reinterpret_cast<LONG_PTR>(block));
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
