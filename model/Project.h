// The data of the project the user works on: the pipe, pump and node tables and the two
// calculation settings, all as typed. The main window shows it; every operation works on it.
#pragma once

#include <QObject>

#include "CellTable.h"
#include "CheckValves.h"
#include "PlanCoordinates.h"
#include "ProjectSettings.h"
#include "Tables.h"

namespace kolma {

inline constexpr int kTableRecords = 1000;  // pipes or nodes a table holds
inline constexpr int kPumpBlocks = 34;      // pumps the pump table holds

// Table sizes, header row and label column included.
inline constexpr int kPipeTableColumns = 8;
inline constexpr int kPumpTableColumns = 9;
inline constexpr int kNodeTableColumns = 7;
inline constexpr int kTableRows = kTableRecords + 1;
inline constexpr int kPumpTableRows = kPumpBlocks * kPumpBlockRows + 1;

class Project : public QObject {
    Q_OBJECT

public:
    explicit Project(QObject* parent = nullptr);

    Tables tables();
    // Empties the tables and forgets the plan and the check valves, which belong to the tables
    // they were made for.
    void reset();
    CellTable& pipes() { return pipes_; }
    CellTable& pumps() { return pumps_; }
    CellTable& nodes() { return nodes_; }

    const ProjectSettings& settings() const { return settings_; }
    void setSettings(const ProjectSettings& settings);

    // The places of the nodes in the plan and the bends of the pipes (Lageplan), kept in the
    // side file "<name>.lage" beside the project file; a reset of the tables clears them.
    const PlanCoordinates& coordinates() const { return coordinates_; }
    void setCoordinates(const PlanCoordinates& coordinates, Placing placing = Placing::Edit);

    // The pipes with a check valve, kept in the side file "<name>.rsk"; a reset of the tables
    // clears them.
    const CheckValves& checkValves() const { return checkValves_; }
    void setCheckValves(const CheckValves& valves);

signals:
    void settingsChanged();
    void coordinatesChanged(Placing placing);
    void checkValvesChanged();

private:
    // Views hold pointers to the tables, so they never move.
    CellTable pipes_{kPipeTableColumns, kTableRows};
    CellTable pumps_{kPumpTableColumns, kPumpTableRows};
    CellTable nodes_{kNodeTableColumns, kTableRows};
    ProjectSettings settings_ = defaultSettings();
    PlanCoordinates coordinates_;
    CheckValves checkValves_;
};

}  // namespace kolma
