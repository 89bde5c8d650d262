#include "Project.h"

namespace kolma {

Project::Project(QObject* parent) : QObject(parent) {}

Tables Project::tables() {
    return {&pipes_, &pumps_, &nodes_};
}

void Project::setSettings(const ProjectSettings& settings) {
    if (settings == settings_)
        return;
    settings_ = settings;
    emit settingsChanged();
}

void Project::setCoordinates(const PlanCoordinates& coordinates) {
    if (coordinates == coordinates_ && coordinates.origin == coordinates_.origin)
        return;
    coordinates_ = coordinates;
    emit coordinatesChanged();
}

}  // namespace kolma
