// The toolbar images of the main window: Qt's standard icons where the style has a fitting
// one, small drawings of our own for the rest.
#pragma once

#include <QIcon>

class QStyle;

namespace kolma {

enum class ToolIcon {
    Open,
    New,
    Save,
    Exit,
    Cut,
    Copy,
    Paste,
    OpenProject,
    NewProject,
    Calculate,
    Section,
    Help
};

QIcon toolIcon(const QStyle& style, ToolIcon kind);

}  // namespace kolma
