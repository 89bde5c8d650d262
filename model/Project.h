// The data of the project the user works on: the pipe, pump and node tables and the two
// calculation settings, all as typed. The main window shows it; every operation works on it.
#pragma once

#include <QObject>

#include "CellTable.h"
#include "ProjectSettings.h"
#include "Tables.h"

namespace kolma {

// Table sizes, header row and label column included.
inline constexpr int kPipeTableColumns = 8;
inline constexpr int kPumpTableColumns = 9;
inline constexpr int kNodeTableColumns = 7;
inline constexpr int kTableRows = 1001;     // pipes and nodes: 1000 records
inline constexpr int kPumpTableRows = 103;  // 34 pump blocks of three rows

class Project : public QObject {
    Q_OBJECT

public:
    explicit Project(QObject* parent = nullptr);

    Tables tables();
    CellTable& pipes() { return pipes_; }
    CellTable& pumps() { return pumps_; }
    CellTable& nodes() { return nodes_; }

    const ProjectSettings& settings() const { return settings_; }
    void setSettings(const ProjectSettings& settings);

signals:
    void settingsChanged();

private:
    // Views hold pointers to the tables, so they never move.
    CellTable pipes_{kPipeTableColumns, kTableRows};
    CellTable pumps_{kPumpTableColumns, kPumpTableRows};
    CellTable nodes_{kNodeTableColumns, kTableRows};
    ProjectSettings settings_ = defaultSettings();
};

}  // namespace kolma
