#include "StartupWindows.h"

#include "TAboutBox1.h"
#include "TForm1.h"
#include "TForm2.h"

namespace kolma {

StartupWindows createStartupWindows() {
    StartupWindows w;
    w.Form1 = new TForm1;
    w.Form2 = new TForm2(w.Form1);
    // Form3 (section drawing) is created here.
    // Form4 (pump characteristic plot) is created here.
    // Form5 (report viewer; loads "ausgabe.aus") is created here.
    w.AboutBox1 = new TAboutBox1(w.Form1);
    w.Form1->AboutBox1 = w.AboutBox1;
    // Form6 (loss coefficient catalogue; reads its first catalogue file) is created here.
    // Form7 (pump curve catalogue; reads its first catalogue file) is created here.
    // Form8 (inner-diameter catalogue; reads its first catalogue file) is created here.
    // Form9 (node sequence dialog) is created here.
    // Form10 (title block) is created here.
    // Form11 (settings) is created here.
    return w;
}

}  // namespace kolma
