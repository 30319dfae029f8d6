#include "app/Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    return Program::Main(commandLine);
}
