// TWLDEMO.EXE: a client program on the host runtime. HostMain builds the host, shows the
// monitor window and runs RunDemo on a worker thread of its own; the program ends when the
// demo returns.
#include "demo.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return HostMain(instance, commandLine, showCommand, RunDemo);
}
