// tarnholm: computes the network of "eingabe.dat" in the current directory.
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "tarnholm/program.h"

namespace {

// One key press without echo. The editor starts the solver without a terminal, and a wait
// there would block the editor for ever, so only a terminal is waited on.
void WaitForKeyOnTerminal() {
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    std::fflush(stdout);
    termios saved{};
    const bool raw = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (raw) {
        termios single = saved;
        single.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        single.c_cc[VMIN] = 1;
        single.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &single);
    }
    char key = 0;
    [[maybe_unused]] const ssize_t got = read(STDIN_FILENO, &key, 1);
    if (raw) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
}

}  // namespace

int main() {
    tarnholm::SolverIo io = tarnholm::WorkingDirectoryIo();
    io.waitForKey = WaitForKeyOnTerminal;
    return tarnholm::RunTarnholm(io);
}
