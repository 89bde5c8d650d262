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

}  // namespace kolma
