#include "StartupWindows.h"

#include <QApplication>
#include <QStringList>
#include <memory>

#include "Handler.h"
#include "TAboutBox1.h"
#include "TForm1.h"
#include "TForm10.h"
#include "TForm11.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm4.h"
#include "TForm5.h"
#include "TForm6.h"
#include "TForm7.h"
#include "TForm8.h"

namespace kolma {

StartupWindows createStartupWindows() {
    StartupWindows w;
    w.Form1 = new TForm1;
    TForm1& main = *w.Form1;
    w.Form2 = new TForm2(&main);
    w.Form3 = new TForm3(main.tables(), QStringList(), &main);
    w.Form4 = new TForm4(PumpEditLine{}, &main);
    w.Form5 = new TForm5(&main);
    runHandler([&] { w.Form5->FormCreate(); });
    w.AboutBox1 = new TAboutBox1(&main);
    main.AboutBox1 = w.AboutBox1;
    w.Form6 = new TForm6(nullptr, &main);
    w.Form7 = new TForm7(&main);
    w.Form8 = new TForm8(nullptr, &main);
    // The node sequence dialog has no start-up instance: its creation reads "graphein.dat" and
    // would greet every start in a new project directory with a missing-file message.
    w.Form10 = new TForm10(&main);
    w.Form11 = new TForm11(main.nue, main.iter, &main);
    return w;
}

int runKolma() {
    const std::unique_ptr<TForm1> main(createStartupWindows().Form1);
    main->show();
    return QApplication::exec();
}

}  // namespace kolma
