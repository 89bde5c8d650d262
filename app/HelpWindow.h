// Help: the program's help files hold HTML, shown in a window of our own.
#pragma once

#include <QDialog>
#include <QStringList>

class QTextBrowser;
class QWidget;

namespace kolma {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    HelpWindow(const QString& html, QWidget* parent);

    QTextBrowser* Browser;
};

// Where the help files of the program in `programDir` are installed: beside the program (the
// build tree) and in the data directory of an installation (<prefix>/share/kolma).
QStringList helpDirectories(const QString& programDir);

// The help file to show for `helpFile`: the file itself when it exists (a relative name is taken
// from the current directory), else the file of that name in the first help directory holding
// one; empty when there is none.
QString findHelpFile(const QString& helpFile, const QStringList& directories);

// Shows the help file modally, looked up as findHelpFile() does in the help directories of the
// running program. A file that is nowhere is reported in an error box that names its full path;
// an unreadable one reaches the general error handler.
void showHelpFile(QWidget* parent, const QString& helpFile);
void showHelpFile(QWidget* parent, const QString& helpFile, const QStringList& directories);

}  // namespace kolma
