// Preloaded into KOLMA1 (LD_PRELOAD) by the installation test. Once the main window is up it
// presses F1 (the text editor help), the "Hilfe" button (the user manual) and "Berechnung",
// prints one line for every window that opens and closes it, then closes the main window:
//   help: <title of the help file shown>
//   report: <the pass count line of the report shown>
//   message: <text of a message box>
//   window: <object name of any other modal window>
// The program itself stays as installed: no switch, no test hook inside it.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <type_traits>
#include <vector>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QWidget* mainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form1") && w->isVisible())
            return w;
    return nullptr;
}

QString passCountLine(const QString& report) {
    static const QRegularExpression line(
        QStringLiteral("Anzahl der benötigten Iterationsschritte = *\\d+"));
    const QRegularExpressionMatch m = line.match(report);
    return m.hasMatch() ? m.captured(0) : QStringLiteral("no results");
}

void describe(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        say(QStringLiteral("message: ") + box->text());
    else if (auto* browser = modal->findChild<QTextBrowser*>())
        say(QStringLiteral("help: ") + browser->documentTitle());
    else if (auto* report = modal->findChild<QTextEdit*>(QStringLiteral("RichEdit1")))
        say(QStringLiteral("report: ") + passCountLine(report->toPlainText()));
    else
        say(QStringLiteral("window: ") + modal->objectName());
}

// Closing may open a question of its own (the report viewer asks whether to save), which this
// timer must answer too: so the window is closed from the event loop, not from inside the timer.
void closeModalWindows() {
    static QPointer<QWidget> closing;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == closing)
        return;
    closing = modal;
    describe(modal);
    QMetaObject::invokeMethod(
        modal,
        [modal] {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        },
        Qt::QueuedConnection);
}

template <typename T>
void activate(const char* name) {
    QWidget* main = mainWindow();
    T* control = main ? main->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!control) {
        say(QStringLiteral("missing: ") + QLatin1String(name));
        return;
    }
    if constexpr (std::is_same_v<T, QAction>)
        control->trigger();
    else
        control->click();
}

const std::vector<std::function<void()>>& steps() {
    static const std::vector<std::function<void()>> list = {
        [] { activate<QAction>("Hilfe"); }, [] { activate<QAbstractButton>("ToolButton10"); },
        [] { activate<QAction>("Action4"); },
        [] {
            say(QStringLiteral("done"));
            if (QWidget* main = mainWindow())
                main->close();
        }};
    return list;
}

// Runs the steps one after the other once the main window shows; a step that opens a modal
// window returns when the closer has closed it.
void runSteps(std::size_t next) {
    if (!mainWindow() && next == 0) {
        QTimer::singleShot(100, [] { runSteps(0); });
        return;
    }
    steps()[next]();
    if (next + 1 < steps().size())
        QTimer::singleShot(100, [next] { runSteps(next + 1); });
}

void start() {
    auto* closer = new QTimer(qApp);
    QObject::connect(closer, &QTimer::timeout, closeModalWindows);
    closer->start(50);
    runSteps(0);
    // Give up rather than hang the test when the program never gets to its main window.
    QTimer::singleShot(60000, [] {
        say(QStringLiteral("timeout"));
        QApplication::exit(3);
    });
}

void install() {
    // The solver started by KOLMA1 must run as it does for the user.
    qunsetenv("LD_PRELOAD");
    QMetaObject::invokeMethod(qApp, start, Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
