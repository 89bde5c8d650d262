// The application's general error handler. An error that ends an event handler (a failed
// strict conversion, a file that cannot be read or written) is shown with its text, and the
// program goes on. Handlers are connected through connectHandler, so that no exception ever
// unwinds through Qt's own frames.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "KolmaError.h"

namespace kolma {

// Runs a handler; an error it raises is shown by the general error handler (error box with the
// error's text). Returns false when the handler ended with an error.
bool runHandler(const std::function<void()>& handler);

// Connects a signal to a handler of a window that runs under runHandler.
template <typename Sender, typename Signal, typename Window>
QMetaObject::Connection connectHandler(Sender* sender, Signal signal, Window* window,
                                       void (Window::*handler)()) {
    return QObject::connect(sender, signal, window,
                            [window, handler] { runHandler([&] { (window->*handler)(); }); });
}

}  // namespace kolma
