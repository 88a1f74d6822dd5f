// Floor program of the CPU benchmark: a process that only sleeps 50 ms at a
// time, as GKRTimer's worker does, and has no window at all.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    for (;;) Sleep(50);
}
