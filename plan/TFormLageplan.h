// The plan window (Lageplan): every node, pipe and pump of the tables on a map, coloured by the
// results of the latest calculation. It is not modal: it follows the tables while the user works
// in them, places nodes without a place automatically on a worker thread, keeps the places in the
// project, and prints and exports the plan. It knows the main window only through its signals.
#pragma once

#include <QMainWindow>
#include <QPointF>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "PlanData.h"
#include "PlanDrawing.h"
#include "PlanLayout.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
template <typename T>
class QFutureWatcher;

namespace kolma {

class PlanView;
class Project;

class TFormLageplan : public QMainWindow {
    Q_OBJECT

public:
    // `projectFile` gives the current project file name for the title line of print and export.
    TFormLageplan(Project& project, std::function<QString()> projectFile,
                  QWidget* parent = nullptr);
    ~TFormLageplan() override;

    const PlanData& data() const { return data_; }

    // Node colours from outside (for example a fire-flow check): offered and chosen under their
    // title in "Farbgebung"; nothing takes them away again.
    void setNodeMarks(const std::optional<NodeMarks>& marks);
    // The numbers of the selected nodes, in the order they were selected.
    std::vector<int> selectedNodeNumbers() const;
    // Selects the element of a table row and brings it into view, without telling the main
    // window again.
    void showElement(const PlanElement& element);
    // Reads the tables, the places and "graphein.dat" again, as after a calculation.
    void refresh();
    // Whether the automatic layout is computing.
    bool layoutRunning() const;

    PlanView* Plan;
    QComboBox* Farbgebung;
    QAction* Exportieren1;
    QAction* Drucken1;
    QAction* Schliessen1;
    QAction* AllesZeigen1;
    QAction* LayoutNeu1;
    QAction* Klassengrenzen1;
    QLabel* Hinweis;
    QProgressBar* LayoutFortschritt;
    QPushButton* LayoutAbbrechen;

    void Exportieren1Click();
    void Drucken1Click();
    void Schliessen1Click();
    void AllesZeigen1Click();
    void LayoutNeu1Click();
    void Klassengrenzen1Click();
    void LayoutAbbrechenClick();
    void FarbgebungChange();

signals:
    // The user clicked an element: the main window shows its table row.
    void elementChosen(const kolma::PlanElement& element);
    // The selected nodes changed.
    void selectionChanged();
    // A layout run ended: placed, failed or cancelled.
    void layoutFinished();

private:
    struct LayoutOutcome {
        std::vector<PlanPoint> places;
        QString error;
    };

    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectProject();
    void scheduleRebuild();
    void rebuild();
    void applyLook();
    void showStatus();
    void reportOnce(bool& reported, const QString& text, const QString& caption);
    void startLayout(LayoutScope scope);
    void layoutDone(int run, const PlanLayoutRequest& request, Placing placing);
    void endLayout();
    void takeCoordinates(const PlanCoordinates& coordinates, Placing placing);
    void elementClicked(const PlanElement& element, bool adding);
    void nodeMoved(int node, const QPointF& plan);
    void nodeDropped(int node, const QPointF& plan);
    PlanQuantity quantity() const;
    bool marksChosen() const;
    // The look of print and export: no selection, the title line.
    PlanLook paperLook() const;
    QRectF paperView() const;
    void loadSettings();
    void saveLimits(PlanQuantity quantity) const;

    Project& project_;
    std::function<QString()> projectFile_;
    PlanData data_;
    std::vector<PlanElement> selected_;
    std::map<PlanQuantity, std::vector<double>> chosenLimits_;  // the user's, by quantity
    std::optional<NodeMarks> marks_;
    QTimer rebuildTimer_;
    QStringList problems_;  // of the last reading of the tables
    QString outdated_;      // why the latest results are not those of the tables; "" when they are
    bool problemsReported_ = false;
    bool outdatedReported_ = false;
    bool ownChange_ = false;     // the window itself changes the project's coordinates
    bool layoutPaused_ = false;  // after "Abbrechen" or a failure, until asked again
    int layoutRun_ = 0;          // the run whose result is awaited; 0 for none
    int runs_ = 0;
    QFutureWatcher<LayoutOutcome>* watcher_ = nullptr;
};

}  // namespace kolma
