// The fire flow window: the user chooses the fire flow, the residual pressure and the nodes,
// starts the analysis, which runs on threads of its own while a progress line counts the nodes
// and "Abbrechen" stops it, and reads the result table and its summary.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <memory>
#include <vector>

#include "FireFlow.h"
#include "Loeschwasser.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace kolma {

class FormLoeschwasser : public QDialog {
    Q_OBJECT

public:
    FormLoeschwasser(FireFlowNetwork network, QWidget* parent = nullptr);
    ~FormLoeschwasser() override;

    // Preselects nodes (for example those chosen in a plan view): their numbers go into the node
    // selection.
    void setKnotenauswahl(const QList<int>& nodeNumbers);

    bool running() const { return job_ != nullptr; }
    // The results shown: per node its index, whether it keeps the pressure, and the numbers.
    const FireFlowReport& ergebnisse() const { return report_; }
    const FireFlowNetwork& network() const { return network_; }

    void StartenClick();
    void AbbrechenClick();
    void ExportierenClick();

    QComboBox* Loeschwassermenge;
    QLineEdit* Restdruck;
    QLineEdit* Knotenauswahl;
    QCheckBox* MaxSuche;
    QPushButton* Starten;
    QProgressBar* Fortschritt;
    QLabel* FortschrittText;
    QPushButton* Abbrechen;
    QTableView* Ergebnisse;
    QLabel* Zusammenfassung;
    QPushButton* Exportieren;
    QPushButton* Schliessen;

signals:
    // New results are shown (after a complete or a cancelled analysis).
    void ergebnisseBerechnet();

public slots:
    void reject() override;

private:
    void FortschrittZeigen();
    void finish();
    void setInputEnabled(bool enabled);

    FireFlowNetwork network_;
    LoeschwasserTabelle* tabelle_;
    QTimer* timer_;
    QElapsedTimer elapsed_;
    std::unique_ptr<FireFlowJob> job_;
    // What the running or latest analysis was started with.
    Loeschwasserstrom strom_;
    double restdruck_ = 0.0;
    std::vector<int> knownHeadsLeftOut_;
    FireFlowReport report_;
};

}  // namespace kolma
