// Building blocks of the section windows: named controls at fixed places and menu items wired
// to their handlers through the general error handler.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRect>
#include <QString>
#include <QWidget>
#include <initializer_list>

#include "Handler.h"

namespace kolma {

// A new control of the window with its name and its fixed place.
template <typename Control>
Control* namedControl(QWidget* window, const char* name, const QRect& geometry) {
    auto* control = new Control(window);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

// A named control showing a text (label or button) at a fixed place.
template <typename Control>
Control* namedTextControl(QWidget* window, const char* name, const QString& text,
                          const QRect& geometry) {
    auto* control = namedControl<Control>(window, name, geometry);
    control->setText(text);
    return control;
}

template <typename Window>
struct MenuItem {
    const char* name;
    QString text;
    void (Window::*handler)();
};

// Appends the items to the menu, each an action with its name that runs its handler.
template <typename Window>
void addMenuItems(QMenu* menu, Window* window, std::initializer_list<MenuItem<Window>> items) {
    for (const MenuItem<Window>& item : items) {
        QAction* action = menu->addAction(item.text);
        action->setObjectName(QString::fromLatin1(item.name));
        connectHandler(action, &QAction::triggered, window, item.handler);
    }
}

}  // namespace kolma
