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
    errorBox(QApplication::activeWindow(), message, QString::fromLatin1(kApplicationTitle));
    return false;
}

}  // namespace kolma
