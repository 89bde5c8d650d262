#include "Project.h"

#include "TableOperations.h"

namespace kolma {

Project::Project(QObject* parent) : QObject(parent) {}

Tables Project::tables() {
    return {&pipes_, &pumps_, &nodes_};
}

void Project::reset() {
    TabellenZuruecksetzen(tables());
    setCoordinates({});
    setCheckValves({});
}

void Project::setSettings(const ProjectSettings& settings) {
    if (settings == settings_)
        return;
    settings_ = settings;
    emit settingsChanged();
}

void Project::setCoordinates(const PlanCoordinates& coordinates, Placing placing) {
    if (coordinates == coordinates_ && coordinates.origin == coordinates_.origin)
        return;
    coordinates_ = coordinates;
    emit coordinatesChanged(placing);
}

void Project::setCheckValves(const CheckValves& valves) {
    if (valves == checkValves_)
        return;
    checkValves_ = valves;
    emit checkValvesChanged();
}

}  // namespace kolma
