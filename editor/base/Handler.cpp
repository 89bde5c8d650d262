#include "Handler.h"

#include <QApplication>

#include "Dialogs.h"

namespace kolma {

bool runHandler(const std::function<void()>& handler) {
    QString message;
    try {
        handler();
        return true;
    } catch (const KolmaError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    dialogs().showMessage(QApplication::activeWindow(),
                          {message, QString::fromLatin1(kApplicationTitle), BoxIcon::Error,
                           QMessageBox::Ok, QMessageBox::Ok});
    return false;
}

}  // namespace kolma
