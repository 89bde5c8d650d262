#include "ScriptedDialogs.h"

#include <QDialog>

namespace kolma::testing {

ScriptedDialogs::ScriptedDialogs() {
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    setDialogs(nullptr);
}

QMessageBox::StandardButton ScriptedDialogs::showMessage(QWidget*, const MessageRequest& r) {
    messages.push_back(r);
    if (!messageAnswers.empty()) {
        const auto answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    if (r.defaultButton != QMessageBox::NoButton)
        return r.defaultButton;
    return r.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
}

std::optional<QString> ScriptedDialogs::getOpenFileName(QWidget*, const FileRequest& r) {
    fileRequests.push_back(r);
    if (fileAnswers.empty())
        return std::nullopt;
    // A copy, not a move: GCC cannot follow a moved-from optional string and warns.
    const std::optional<QString> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::getSaveFileName(QWidget* parent, const FileRequest& r) {
    const std::optional<QString> answer = getOpenFileName(parent, r);
    if (answer && r.chosenFilter) {
        *r.chosenFilter = filterNames(r.filter).value(0);
        if (!filterAnswers.empty()) {
            *r.chosenFilter = filterAnswers.front();
            filterAnswers.pop_front();
        }
    }
    return answer;
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter& printer) {
    ++printerDialogs;
    if (printerSetup)
        printerSetup(printer);
    if (printerAnswers.empty())
        return false;
    const bool answer = printerAnswers.front();
    printerAnswers.pop_front();
    return answer;
}

int ScriptedDialogs::execModal(QDialog& dialog) {
    modalWindows.push_back(dialog.objectName().isEmpty()
                               ? QString::fromLatin1(dialog.metaObject()->className())
                               : dialog.objectName());
    if (modalScripts.empty())
        return QDialog::Rejected;
    auto script = std::move(modalScripts.front());
    modalScripts.pop_front();
    return script(dialog);
}

std::vector<QString> ScriptedDialogs::messageTexts() const {
    std::vector<QString> texts;
    for (const auto& m : messages)
        texts.push_back(m.text);
    return texts;
}

}  // namespace kolma::testing
