// Undo and redo of the project: every change of the three tables, the settings, the plan's places
// and the check valves is recorded as it happens, grouped into steps (one handler, one paste, one
// import, one cell typed into a grid, one node dragged in the plan), and a step is taken back or
// done again as a whole, restoring the exact cell texts. The plan's own layout of nodes without a
// place is no step: taking it back would only make the plan lay them out again.
#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "CellTable.h"
#include "CheckValves.h"
#include "PlanCoordinates.h"
#include "ProjectSettings.h"

namespace kolma {

class Project;

class EditHistory : public QObject, private CellObserver {
    Q_OBJECT

public:
    // The newest steps always kept; older ones are kept too while the history holds at most
    // kMaxSteps steps and kMaxCellChanges recorded cell changes (a node place counts as one).
    static constexpr int kKeptSteps = 100;
    static constexpr int kMaxSteps = 1000;
    static constexpr long long kMaxCellChanges = 1'000'000;

    // Records the changes of the project from now on.
    explicit EditHistory(Project& project, QObject* parent = nullptr);
    ~EditHistory() override;
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // Changes between the outermost begin and its end form one step; a change outside any step
    // is a step of its own (one cell typed, one paste). A step without changes is not kept.
    void beginStep();
    void endStep();
    // Notes that the open step moved the project to another file name; undo and redo of the
    // step bring the name back through currentFileRestored.
    void recordCurrentFile(const QString& before, const QString& after);

    bool canUndo() const { return !steps_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    int undoCount() const { return static_cast<int>(steps_.size()); }

    // A cell the last undo or redo changed, for the view to show.
    struct Place {
        CellTable* table = nullptr;
        int col = 0;
        int row = 0;
    };
    // Takes back the newest step, or does the last undone one again; nothing while a step is
    // open. Returns the first cell the step changes, if it changes any.
    std::optional<Place> undo();
    std::optional<Place> redo();
    // Forgets every step (an opened project starts a history of its own), the open one included.
    void clear();

signals:
    // Whether undo or redo is possible may have changed.
    void historyChanged();
    void currentFileRestored(const QString& name);

private:
    struct Edit {
        CellTable* table;
        CellChange change;
    };
    enum class Direction { Back, Forward };
    // A value of the project a step changed: as it was before the step and after it.
    template <typename T>
    struct Change {
        std::optional<T> before;  // none: the step left the value alone
        T after;
        void note(const T& was, const T& now) {
            if (!before)
                before = was;
            after = now;
        }
        // Changed and changed back is no change.
        void dropIfUnchanged() {
            if (before && *before == after)
                before.reset();
        }
        const T& in(Direction direction) const {
            return direction == Direction::Back ? *before : after;
        }
    };
    struct Step {
        std::vector<Edit> cells;
        Change<ProjectSettings> settings;
        Change<PlanCoordinates> coordinates;
        Change<CheckValves> checkValves;
        Change<QString> file;
        bool empty() const {
            return cells.empty() && !settings.before && !coordinates.before &&
                   !checkValves.before && !file.before;
        }
        long long weight() const;
    };

    void cellsChanged(CellTable& table, const std::vector<CellChange>& changes) override;
    // Takes the project's new value as recorded and notes the change in the open step.
    template <typename T>
    void record(T& recorded, const T& now, Change<T> Step::*change);
    void settingsChanged();
    void coordinatesChanged(Placing placing);
    void checkValvesChanged();
    // Commits the open step when no step is open around it.
    void commitLoose();
    void push(Step step);
    std::optional<Place> replay(const Step& step, Direction direction);

    Project& project_;
    // The project's values as last recorded, what a step that changes them started from.
    ProjectSettings settings_;
    PlanCoordinates coordinates_;
    CheckValves checkValves_;
    int depth_ = 0;
    Step open_;
    bool replaying_ = false;
    std::deque<Step> steps_;     // oldest first
    std::deque<Step> undone_;    // most recently undone last
    long long cellChanges_ = 0;  // the weight of all kept steps
};

// One step for the lifetime of the object; with a file name getter, a change of the current file
// name during the step becomes part of it.
class EditStep {
public:
    explicit EditStep(EditHistory& history, std::function<QString()> currentFile = {});
    ~EditStep();
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

private:
    EditHistory& history_;
    std::function<QString()> currentFile_;
    QString fileBefore_;
};

}  // namespace kolma
