#include "EditHistory.h"

#include <utility>

#include "Project.h"

namespace kolma {

EditHistory::EditHistory(Project& project, QObject* parent)
    : QObject(parent),
      project_(project),
      settings_(project.settings()),
      coordinates_(project.coordinates()),
      checkValves_(project.checkValves()) {
    for (CellTable* table : {&project.pipes(), &project.pumps(), &project.nodes()})
        table->setObserver(this);
    connect(&project, &Project::settingsChanged, this, &EditHistory::settingsChanged);
    connect(&project, &Project::coordinatesChanged, this, &EditHistory::coordinatesChanged);
    connect(&project, &Project::checkValvesChanged, this, &EditHistory::checkValvesChanged);
}

EditHistory::~EditHistory() {
    for (CellTable* table : {&project_.pipes(), &project_.pumps(), &project_.nodes()})
        table->setObserver(nullptr);
}

void EditHistory::beginStep() {
    ++depth_;
}

void EditHistory::endStep() {
    if (depth_ > 0 && --depth_ == 0)
        commitLoose();
}

void EditHistory::recordCurrentFile(const QString& before, const QString& after) {
    open_.file.note(before, after);
    commitLoose();
}

void EditHistory::cellsChanged(CellTable& table, const std::vector<CellChange>& changes) {
    if (replaying_)
        return;
    open_.cells.reserve(open_.cells.size() + changes.size());
    for (const CellChange& change : changes)
        open_.cells.push_back({&table, change});
    commitLoose();
}

template <typename T>
void EditHistory::record(T& recorded, const T& now, Change<T> Step::*change) {
    const T was = std::exchange(recorded, now);
    if (replaying_)
        return;
    (open_.*change).note(was, recorded);
    commitLoose();
}

void EditHistory::settingsChanged() {
    record(settings_, project_.settings(), &Step::settings);
}

void EditHistory::coordinatesChanged(Placing placing) {
    if (placing == Placing::Edit)
        return record(coordinates_, project_.coordinates(), &Step::coordinates);
    // The plan's own layout: the next step starts from it, and a step still open ends with it.
    coordinates_ = project_.coordinates();
    if (!replaying_ && open_.coordinates.before)
        open_.coordinates.after = coordinates_;
}

void EditHistory::checkValvesChanged() {
    record(checkValves_, project_.checkValves(), &Step::checkValves);
}

void EditHistory::commitLoose() {
    if (depth_ > 0)
        return;
    Step step = std::move(open_);
    open_ = Step();
    step.settings.dropIfUnchanged();
    step.coordinates.dropIfUnchanged();
    step.checkValves.dropIfUnchanged();
    step.file.dropIfUnchanged();
    if (!step.empty())
        push(std::move(step));
}

long long EditHistory::Step::weight() const {
    long long weight = static_cast<long long>(cells.size());
    if (coordinates.before)
        weight += static_cast<long long>(coordinates.before->nodes.size() +
                                         coordinates.after.nodes.size());
    return weight;
}

void EditHistory::push(Step step) {
    for (const Step& dropped : undone_)
        cellChanges_ -= dropped.weight();
    undone_.clear();
    cellChanges_ += step.weight();
    steps_.push_back(std::move(step));
    while (static_cast<int>(steps_.size()) > kKeptSteps &&
           (static_cast<int>(steps_.size()) > kMaxSteps || cellChanges_ > kMaxCellChanges)) {
        cellChanges_ -= steps_.front().weight();
        steps_.pop_front();
    }
    emit historyChanged();
}

std::optional<EditHistory::Place> EditHistory::undo() {
    if (depth_ > 0 || steps_.empty())
        return std::nullopt;
    undone_.push_back(std::move(steps_.back()));
    steps_.pop_back();
    const auto place = replay(undone_.back(), Direction::Back);
    emit historyChanged();
    return place;
}

std::optional<EditHistory::Place> EditHistory::redo() {
    if (depth_ > 0 || undone_.empty())
        return std::nullopt;
    steps_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    const auto place = replay(steps_.back(), Direction::Forward);
    emit historyChanged();
    return place;
}

std::optional<EditHistory::Place> EditHistory::replay(const Step& step, Direction direction) {
    const bool back = direction == Direction::Back;
    replaying_ = true;
    // One bulk write per table, in the order of the step (backwards for undo), so that a cell
    // the step changed twice ends with the right text.
    std::vector<std::pair<CellTable*, std::vector<CellWrite>>> writes;
    const auto add = [&](const Edit& edit) {
        auto it = writes.begin();
        while (it != writes.end() && it->first != edit.table)
            ++it;
        if (it == writes.end()) {
            writes.push_back({edit.table, {}});
            it = writes.end() - 1;
            it->second.reserve(step.cells.size());
        }
        it->second.push_back(
            {edit.change.col, edit.change.row, back ? edit.change.before : edit.change.after});
    };
    if (back)
        for (auto edit = step.cells.rbegin(); edit != step.cells.rend(); ++edit)
            add(*edit);
    else
        for (const Edit& edit : step.cells)
            add(edit);
    for (const auto& [table, tableWrites] : writes)
        table->setCells(tableWrites);
    if (step.settings.before)
        project_.setSettings(step.settings.in(direction));
    if (step.coordinates.before)
        project_.setCoordinates(step.coordinates.in(direction));
    if (step.checkValves.before)
        project_.setCheckValves(step.checkValves.in(direction));
    replaying_ = false;
    if (step.file.before)
        emit currentFileRestored(step.file.in(direction));
    if (step.cells.empty())
        return std::nullopt;
    const Edit& first = step.cells.front();
    return Place{first.table, first.change.col, first.change.row};
}

void EditHistory::clear() {
    steps_.clear();
    undone_.clear();
    open_ = Step();
    cellChanges_ = 0;
    settings_ = project_.settings();
    coordinates_ = project_.coordinates();
    checkValves_ = project_.checkValves();
    emit historyChanged();
}

EditStep::EditStep(EditHistory& history, std::function<QString()> currentFile)
    : history_(history), currentFile_(std::move(currentFile)) {
    if (currentFile_)
        fileBefore_ = currentFile_();
    history_.beginStep();
}

EditStep::~EditStep() {
    if (currentFile_) {
        const QString after = currentFile_();
        if (after != fileBefore_)
            history_.recordCurrentFile(fileBefore_, after);
    }
    history_.endStep();
}

}  // namespace kolma
