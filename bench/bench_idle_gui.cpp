// The floor of a program's start under wine: a GUI program that connects to
// the desktop and does nothing else.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return GetDesktopWindow() ? 0 : 1; }
