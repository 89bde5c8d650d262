// A dialog seam that photographs instead of asking: every modal window it knows by name is
// shown offscreen at the size the program gives it, prepared, grabbed into a PNG file and closed;
// file dialogs are answered from a queue; message boxes are recorded and answered with OK.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>

#include "Dialogs.h"

class QWidget;

namespace kolma {

// Shows the window offscreen at its own size, lets it lay out and paint, and returns the picture
// of it.
QImage photograph(QWidget& window);

// Keeps the events flowing while the work of a worker thread (a layout, a fire-flow run) goes on.
void waitWhile(const std::function<bool()>& working);

class Camera : public Dialogs {
public:
    struct Shot {
        QString file;  // PNG name in the output directory; empty: prepare only, no picture
        std::function<void(QDialog&)> prepare;  // runs after the window is shown
    };

    explicit Camera(QString outputDirectory);
    ~Camera() override;

    // Saves the picture of a window into the output directory; false when it cannot be written.
    bool save(QWidget& window, const QString& file);

    std::map<QString, Shot> shots;    // by the window's object name
    std::deque<QString> openAnswers;  // answers of the next file-open dialogs
    QStringList messages;             // texts of the message boxes shown
    QStringList written;              // PNG files written
    QStringList failures;             // what went wrong

    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& r) override;
    std::optional<QString> getOpenFileName(QWidget* parent, const FileRequest& r) override;
    std::optional<QString> getSaveFileName(QWidget* parent, const FileRequest& r) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    int execModal(QDialog& dialog) override;

private:
    QString outputDirectory_;
};

}  // namespace kolma
