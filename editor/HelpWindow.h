// Help: the program's help files hold HTML, shown in a window of our own.
#pragma once

#include <QDialog>

class QTextBrowser;
class QWidget;

namespace kolma {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    HelpWindow(const QString& html, QWidget* parent);

    QTextBrowser* Browser;
};

// Shows the help file modally; a missing or unreadable file is reported in an error box that
// names its full path.
void showHelpFile(QWidget* parent, const QString& helpFile);

}  // namespace kolma
