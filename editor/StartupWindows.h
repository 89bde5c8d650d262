// The windows the program creates at start-up, in their fixed order.
#pragma once

namespace kolma {

class TForm1;
class TForm2;
class TAboutBox1;

struct StartupWindows {
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TAboutBox1* AboutBox1 = nullptr;
};

// Creates the start-up windows, each hidden. The main window owns the others; a window whose
// creation step fails reports that itself and start-up goes on with the next one.
StartupWindows createStartupWindows();

}  // namespace kolma
