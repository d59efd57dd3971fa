// Tells how the program's window looks to Windows: found by its class and title, one line with
// its visibility, outer rectangle, styles and class style. Exit status 1 when there is none.
#include <cstdio>

#include <windows.h>

int main() {
    HWND window = FindWindowA("D3D Tutorial", "D3D Tutorial 03: Matrices");
    if (window == nullptr) {
        std::puts("no window");
        return 1;
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(window, &client);
    std::printf(
        "visible %d x %ld y %ld width %ld height %ld client %ldx%ld style 0x%08lX "
        "exstyle 0x%08lX classstyle 0x%08lX\n",
        IsWindowVisible(window) ? 1 : 0, outer.left, outer.top, outer.right - outer.left,
        outer.bottom - outer.top, client.right, client.bottom,
        static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)),
        static_cast<unsigned long>(GetClassLongA(window, GCL_STYLE)));
    return 0;
}
