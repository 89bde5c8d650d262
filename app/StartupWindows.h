// The windows the program creates at start-up, in their fixed order.
#pragma once

namespace kolma {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TAboutBox1;
class TForm6;
class TForm7;
class TForm8;
class TForm10;
class TForm11;

struct StartupWindows {
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TAboutBox1* AboutBox1 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
    TForm10* Form10 = nullptr;
    TForm11* Form11 = nullptr;
};

// Creates the start-up windows, each hidden. The main window owns the others; a window whose
// creation step fails reports that itself and start-up goes on with the next one.
StartupWindows createStartupWindows();

// Creates the start-up windows, shows the main window and runs the event loop until the main
// window has closed; returns the loop's exit code. The main window is destroyed only after the
// loop has returned, so that it never vanishes under a modal window still running on the stack
// of one of its handlers.
int runKolma();

}  // namespace kolma
