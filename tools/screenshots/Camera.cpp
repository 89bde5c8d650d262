#include "Camera.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QThread>
#include <QWidget>

namespace kolma {

QImage photograph(QWidget& window) {
    window.show();
    // Layouts, deferred resizes and the first paint each take a turn of the event loop.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    return window.grab().toImage();
}

void waitWhile(const std::function<bool()>& working) {
    while (working()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    QApplication::processEvents();
}

Camera::Camera(QString outputDirectory) : outputDirectory_(std::move(outputDirectory)) {
    setDialogs(this);
}

Camera::~Camera() {
    setDialogs(nullptr);
}

bool Camera::save(QWidget& window, const QString& file) {
    const QString path = QDir(outputDirectory_).filePath(file);
    if (!photograph(window).save(path, "PNG")) {
        failures << QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    written << path;
    return true;
}

QMessageBox::StandardButton Camera::showMessage(QWidget*, const MessageRequest& r) {
    messages << r.text;
    return QMessageBox::Ok;
}

std::optional<QString> Camera::getOpenFileName(QWidget*, const FileRequest&) {
    if (openAnswers.empty())
        return std::nullopt;
    QString answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> Camera::getSaveFileName(QWidget*, const FileRequest&) {
    return std::nullopt;
}

bool Camera::choosePrinter(QWidget*, QPrinter&) {
    return false;
}

int Camera::execModal(QDialog& dialog) {
    const auto found = shots.find(dialog.objectName());
    if (found == shots.end()) {
        failures << QStringLiteral("unexpected window %1").arg(dialog.objectName());
        return QDialog::Rejected;
    }
    const Shot shot = found->second;
    dialog.setResult(QDialog::Rejected);
    photograph(dialog);
    if (shot.prepare)
        shot.prepare(dialog);
    if (!shot.file.isEmpty())
        save(dialog, shot.file);
    dialog.hide();
    return dialog.result();
}

}  // namespace kolma
