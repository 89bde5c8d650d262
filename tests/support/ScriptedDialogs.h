// A scripted stand-in for the dialog seam: records every modal interaction and answers it from
// queues that a test fills beforehand. Unscripted requests get a harmless answer: the default
// button of a message box (OK or No), a cancelled file or printer dialog, a rejected window.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "Dialogs.h"

namespace kolma::testing {

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers, consumed in order.
    std::deque<QMessageBox::StandardButton> messageAnswers;
    std::deque<std::optional<QString>> fileAnswers;  // open and save dialogs alike
    // The filter entry (its name) chosen in a save dialog that asks for it; the first entry
    // when none is left.
    std::deque<QString> filterAnswers;
    std::deque<bool> printerAnswers;  // true = confirmed
    // Each scripted window is handed to the next function, which may work with it (type into
    // edits, press buttons) and returns the result of execModal. With no function left the
    // window is rejected.
    std::deque<std::function<int(QDialog&)>> modalScripts;
    // Set up the printer a printer dialog would return (for example PDF output to a file).
    std::function<void(QPrinter&)> printerSetup;

    // What was shown, in order.
    std::vector<MessageRequest> messages;
    std::vector<FileRequest> fileRequests;
    std::vector<QString> modalWindows;  // objectName or class name of each window shown
    int printerDialogs = 0;

    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& r) override;
    std::optional<QString> getOpenFileName(QWidget* parent, const FileRequest& r) override;
    std::optional<QString> getSaveFileName(QWidget* parent, const FileRequest& r) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    int execModal(QDialog& dialog) override;

    // The texts of all messages shown so far.
    std::vector<QString> messageTexts() const;
};

}  // namespace kolma::testing
