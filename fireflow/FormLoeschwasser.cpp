#include "FormLoeschwasser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "Controls.h"
#include "CsvChoice.h"
#include "Dialogs.h"
#include "Handler.h"
#include "Numbers.h"
#include "TextFile.h"

namespace kolma {
namespace {

constexpr int kPollMilliseconds = 100;

const QString kInputCaption = QStringLiteral("Eingabefehler");
const QString kCaption = QStringLiteral("Löschwasser");

}  // namespace

FormLoeschwasser::FormLoeschwasser(FireFlowNetwork network, QWidget* parent)
    : QDialog(parent), network_(std::move(network)) {
    setObjectName(QStringLiteral("FormLoeschwasser"));
    setWindowTitle(QStringLiteral("Löschwasser"));
    resize(900, 600);

    Loeschwassermenge = namedControl<QComboBox>(this, "Loeschwassermenge");
    Loeschwassermenge->setEditable(true);
    Loeschwassermenge->addItems(
        {QStringLiteral("48 m³/h"), QStringLiteral("96 m³/h"), QStringLiteral("192 m³/h")});
    Loeschwassermenge->setCurrentIndex(1);
    Loeschwassermenge->setToolTip(
        QStringLiteral("48, 96 oder 192 m³/h (Grundschutz) oder ein Wert in l/s"));
    Restdruck = namedControl<QLineEdit>(this, "Restdruck", QStringLiteral("1,5"));
    Restdruck->setToolTip(QStringLiteral("Geforderter Druck über Gelände am Knoten"));
    Knotenauswahl = namedControl<QLineEdit>(this, "Knotenauswahl");
    Knotenauswahl->setPlaceholderText(QStringLiteral("leer = alle Knoten"));
    Knotenauswahl->setToolTip(
        QStringLiteral("Knotennummern, durch Leerzeichen oder Kommas getrennt"));
    MaxSuche = namedControl<QCheckBox>(this, "MaxSuche",
                                       QStringLiteral("maximal verfügbarer Löschwasserstrom"));
    Starten = namedControl<QPushButton>(this, "Starten", QStringLiteral("Starten"));
    Starten->setDefault(true);
    Fortschritt = namedControl<QProgressBar>(this, "Fortschritt");
    Fortschritt->setRange(0, 1);
    Fortschritt->setValue(0);
    FortschrittText = namedControl<QLabel>(this, "FortschrittText");
    Abbrechen = namedControl<QPushButton>(this, "Abbrechen", QStringLiteral("Abbrechen"));
    Abbrechen->setEnabled(false);
    Ergebnisse = namedControl<QTableView>(this, "Ergebnisse");
    tabelle_ = new LoeschwasserTabelle(Ergebnisse);
    Ergebnisse->setModel(tabelle_);
    Ergebnisse->setSortingEnabled(true);
    Ergebnisse->horizontalHeader()->setSortIndicator(LoeschwasserTabelle::Knoten,
                                                     Qt::AscendingOrder);
    Ergebnisse->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Ergebnisse->horizontalHeader()->setStretchLastSection(true);
    Ergebnisse->verticalHeader()->hide();
    Ergebnisse->verticalHeader()->setDefaultSectionSize(Ergebnisse->fontMetrics().height() + 8);
    Ergebnisse->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Ergebnisse->setSelectionBehavior(QAbstractItemView::SelectRows);
    Zusammenfassung = namedControl<QLabel>(this, "Zusammenfassung");
    Zusammenfassung->setWordWrap(true);
    Exportieren = namedControl<QPushButton>(this, "Exportieren", QStringLiteral("Exportieren"));
    Exportieren->setEnabled(false);
    Schliessen = namedControl<QPushButton>(this, "Schliessen", QStringLiteral("Schließen"));

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("Löschwassermenge:"), this), 0, 0);
    inputs->addWidget(Loeschwassermenge, 0, 1);
    inputs->addWidget(new QLabel(QStringLiteral("Restdruck [bar]:"), this), 0, 2);
    inputs->addWidget(Restdruck, 0, 3);
    inputs->addWidget(new QLabel(QStringLiteral("Knoten:"), this), 1, 0);
    inputs->addWidget(Knotenauswahl, 1, 1, 1, 3);
    inputs->addWidget(MaxSuche, 2, 0, 1, 4);
    inputs->setColumnStretch(1, 1);
    inputs->setColumnStretch(3, 1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(Starten);
    progress->addWidget(Fortschritt, 1);
    progress->addWidget(FortschrittText, 1);
    progress->addWidget(Abbrechen);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Exportieren);
    buttons->addStretch(1);
    buttons->addWidget(Schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addLayout(progress);
    layout->addWidget(Ergebnisse, 1);
    layout->addWidget(Zusammenfassung);
    layout->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(kPollMilliseconds);
    connect(timer_, &QTimer::timeout, this,
            [this] { runHandler([this] { FortschrittZeigen(); }); });
    connectHandler(Starten, &QPushButton::clicked, this, &FormLoeschwasser::StartenClick);
    connectHandler(Abbrechen, &QPushButton::clicked, this, &FormLoeschwasser::AbbrechenClick);
    connectHandler(Exportieren, &QPushButton::clicked, this, &FormLoeschwasser::ExportierenClick);
    connect(Schliessen, &QPushButton::clicked, this, &FormLoeschwasser::reject);
}

FormLoeschwasser::~FormLoeschwasser() = default;

void FormLoeschwasser::setKnotenauswahl(const QList<int>& nodeNumbers) {
    QStringList numbers;
    for (int number : nodeNumbers)
        numbers << QString::number(number);
    Knotenauswahl->setText(numbers.join(QLatin1Char(' ')));
}

void FormLoeschwasser::setInputEnabled(bool enabled) {
    for (QWidget* input : std::initializer_list<QWidget*>{Loeschwassermenge, Restdruck,
                                                          Knotenauswahl, MaxSuche, Starten})
        input->setEnabled(enabled);
    Abbrechen->setEnabled(!enabled);
    Exportieren->setEnabled(enabled && tabelle_->rowCount() > 0);
}

void FormLoeschwasser::StartenClick() {
    if (job_)
        return;
    FireFlowSettings settings;
    FireFlowSelection selection;
    try {
        strom_ = loeschwasserstromOf(Loeschwassermenge->currentText());
        restdruck_ = restdruckOf(Restdruck->text());
        selection = fireFlowSelection(network_, Knotenauswahl->text());
    } catch (const KolmaError& e) {
        return errorBox(this, e.message(), kInputCaption);
    }
    settings.fireFlow = strom_.litresPerSecond;
    settings.requiredPressure = restdruck_;
    settings.searchMaximum = MaxSuche->isChecked();
    knownHeadsLeftOut_ = selection.knownHeads;
    job_ = std::make_unique<FireFlowJob>(network_, selection.nodes, settings);
    elapsed_.start();
    setInputEnabled(false);
    Fortschritt->setRange(0, job_->total());
    Fortschritt->setValue(0);
    timer_->start();
    FortschrittZeigen();
}

void FormLoeschwasser::AbbrechenClick() {
    if (!job_)
        return;
    job_->cancel();
    Abbrechen->setEnabled(false);
    FortschrittText->setText(QStringLiteral("Wird abgebrochen ..."));
}

void FormLoeschwasser::FortschrittZeigen() {
    if (!job_)
        return;
    if (job_->finished())
        return finish();
    const int done = job_->done();
    const int total = job_->total();
    Fortschritt->setValue(done);
    if (!Abbrechen->isEnabled())
        return;
    if (done == 0) {
        FortschrittText->setText(QStringLiteral("Berechnung ohne Löschwasser ..."));
        return;
    }
    const double seconds = elapsed_.elapsed() / 1000.0;
    FortschrittText->setText(QStringLiteral("%1 von %2 Knoten, %3")
                                 .arg(done)
                                 .arg(total)
                                 .arg(restzeitText(seconds / done * (total - done))));
}

void FormLoeschwasser::finish() {
    timer_->stop();
    const std::unique_ptr<FireFlowJob> job = std::move(job_);
    const QString error = job->error();
    if (error.isEmpty()) {
        report_ = job->report();
        tabelle_->setReport(report_, network_.solver, strom_.litresPerSecond);
        const QHeaderView* header = Ergebnisse->horizontalHeader();
        tabelle_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
        Zusammenfassung->setText(zusammenfassung(report_, strom_, restdruck_, knownHeadsLeftOut_));
        Fortschritt->setValue(static_cast<int>(report_.nodes.size()));
        const QString seconds = germanLocale().toString(elapsed_.elapsed() / 1000.0, 'f', 1);
        FortschrittText->setText(report_.cancelled
                                     ? QStringLiteral("Abgebrochen nach %1 s").arg(seconds)
                                     : QStringLiteral("Fertig in %1 s").arg(seconds));
    } else {
        FortschrittText->clear();
    }
    setInputEnabled(true);
    if (!error.isEmpty())
        return errorBox(this, error, kCaption);
    emit ergebnisseBerechnet();
}

void FormLoeschwasser::ExportierenClick() {
    if (tabelle_->rowCount() == 0)
        return;
    FileRequest request = saveRequest(QStringLiteral("Löschwasser exportieren"), csvFilter(),
                                      QStringLiteral("csv"), QStringLiteral("Loeschwasser.csv"));
    QString style;
    request.chosenFilter = &style;
    const auto file = dialogs().getSaveFileName(this, request);
    if (!file)
        return;
    writeFileAtomically(*file, csvBytes(tabelle_->csvTable(), csvStyleOf(style)));
}

void FormLoeschwasser::reject() {
    // The workers stop within a pass; the window waits for them rather than leave them running.
    job_.reset();
    timer_->stop();
    QDialog::reject();
}

}  // namespace kolma
