// Building blocks of the windows: controls created with their objectName (the name under which
// users, tests and the help refer to them), optionally at a fixed place, and menu items wired to
// their handlers through the general error handler.
#pragma once

#include <QAction>
#include <QMenu>
#include <QRect>
#include <QString>
#include <QWidget>
#include <initializer_list>

#include "Handler.h"

namespace kolma {

// A new control of the window with its name; placed at `geometry` unless that is null.
template <typename Control>
Control* namedControl(QWidget* parent, const char* name, const QRect& geometry = {}) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    if (!geometry.isNull())
        control->setGeometry(geometry);
    return control;
}

// The same for a control that shows a text (label, button, edit).
template <typename Control>
Control* namedControl(QWidget* parent, const char* name, const QString& text,
                      const QRect& geometry = {}) {
    auto* control = namedControl<Control>(parent, name, geometry);
    control->setText(text);
    return control;
}

template <typename Window>
struct MenuItem {
    const char* name;
    QString text;
    void (Window::*handler)();
};

// Appends an action with the item's name that runs its handler.
template <typename Window>
QAction* addMenuItem(QMenu* menu, Window* window, const MenuItem<Window>& item) {
    QAction* action = menu->addAction(item.text);
    action->setObjectName(QString::fromLatin1(item.name));
    connectHandler(action, &QAction::triggered, window, item.handler);
    return action;
}

// Appends the items to the menu, each an action with its name that runs its handler.
template <typename Window>
void addMenuItems(QMenu* menu, Window* window, std::initializer_list<MenuItem<Window>> items) {
    for (const MenuItem<Window>& item : items)
        addMenuItem(menu, window, item);
}

}  // namespace kolma
