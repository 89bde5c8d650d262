// The one seam through which every modal interaction of KOLMA1 runs: message and question boxes,
// file dialogs, the printer dialog and modal windows. The program uses the Qt implementation;
// tests install a scripted one (tests/support/ScriptedDialogs.h), so no test waits for a human.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kolma {

enum class BoxIcon { None, Error, Question };

struct MessageRequest {
    QString text;
    QString caption;  // empty: the platform's default title
    BoxIcon icon = BoxIcon::None;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct FileRequest {
    QString title;
    QString filter;            // VCL style: "Name|*.ext|Name|*.a *.b"
    QString fileName;          // preset file name
    QString directory;         // initial directory; empty: the current directory
    QString defaultExtension;  // without the dot; empty: none is appended
    bool showReadOnly = false;
    // When set, receives the name of the filter entry the user chose ("Name" of "Name|*.ext").
    QString* chosenFilter = nullptr;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& r) = 0;
    virtual std::optional<QString> getOpenFileName(QWidget* parent, const FileRequest& r) = 0;
    virtual std::optional<QString> getSaveFileName(QWidget* parent, const FileRequest& r) = 0;
    // Returns true when the user confirmed the printer dialog.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows a window modally and returns its result (QDialog::Accepted or Rejected).
    virtual int execModal(QDialog& dialog) = 0;
};

// A save dialog preset with the current file's name and directory.
FileRequest saveRequest(const QString& title, const QString& filter,
                        const QString& defaultExtension, const QString& currentFile);

// The installed implementation; the Qt one unless a test installed another.
Dialogs& dialogs();
// Installs an implementation (not owned); nullptr restores the Qt one.
void setDialogs(Dialogs* d);

// Converts a VCL style filter ("Name|*.ext|...") to a Qt one ("Name (*.ext);;...").
QString qtFilter(const QString& vclFilter);
// The names of the entries of a VCL style filter, in order.
QStringList filterNames(const QString& vclFilter);

// The two message box kinds of the program.
// Error box: OK button, error icon.
void errorBox(QWidget* parent, const QString& text, const QString& caption);
// Question box: Yes, No and Cancel, question icon, No as default. True only for Yes.
bool questionBox(QWidget* parent, const QString& text, const QString& caption);

}  // namespace kolma
