#include "FormNetzpruefung.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Controls.h"
#include "Handler.h"

namespace kolma {
namespace {

QString noteFor(const std::vector<Finding>& findings, FormNetzpruefung::Purpose purpose) {
    if (findings.empty())
        return QStringLiteral("Die Netzprüfung hat nichts gefunden.");
    if (purpose == FormNetzpruefung::Purpose::Check)
        return QStringLiteral("Ein Doppelklick auf einen Befund zeigt seine Zeile in der Tabelle.");
    if (hasFatal(findings))
        return QStringLiteral("Die Berechnung wird nicht gestartet: erst die Fehler beheben.");
    return QStringLiteral("Die Netzprüfung hat Warnungen: trotzdem berechnen?");
}

}  // namespace

FormNetzpruefung::FormNetzpruefung(const std::vector<Finding>& findings, Purpose purpose,
                                   QWidget* parent)
    : QDialog(parent), findings_(findings) {
    setObjectName(QStringLiteral("FormNetzpruefung"));
    setWindowTitle(QStringLiteral("Netzprüfung"));
    resize(900, 420);
    Befunde = namedControl<QTableWidget>(this, "Befunde");
    Hinweis = namedControl<QLabel>(this, "Hinweis", noteFor(findings, purpose));
    Hinweis->setWordWrap(true);
    Berechnen = namedControl<QPushButton>(this, "Berechnen", QStringLiteral("Trotzdem berechnen"));
    Knotenreihenfolge = namedControl<QPushButton>(this, "Knotenreihenfolge",
                                                  QStringLiteral("Knotenreihenfolge optimieren"));
    Schliessen = namedControl<QPushButton>(
        this, "Schliessen",
        purpose == Purpose::Check ? QStringLiteral("Schließen") : QStringLiteral("Abbrechen"));
    Berechnen->setVisible(purpose == Purpose::BeforeCalculation && !findings.empty() &&
                          !hasFatal(findings));
    Knotenreihenfolge->setVisible(std::any_of(findings.begin(), findings.end(),
                                              [](const Finding& f) { return f.offersNodeOrder; }));
    fill(findings);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Knotenreihenfolge);
    buttons->addStretch(1);
    buttons->addWidget(Berechnen);
    buttons->addWidget(Schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Befunde, 1);
    layout->addWidget(Hinweis);
    layout->addLayout(buttons);

    connect(Berechnen, &QPushButton::clicked, this, &QDialog::accept);
    connect(Schliessen, &QPushButton::clicked, this, &QDialog::reject);
    connect(Knotenreihenfolge, &QPushButton::clicked, this, [this] {
        runHandler([this] {
            if (optimiseNodeOrder)
                optimiseNodeOrder();
            reject();
        });
    });
    connect(Befunde, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { BefundeDoubleClicked(row); });
}

void FormNetzpruefung::fill(const std::vector<Finding>& findings) {
    Befunde->setColumnCount(5);
    Befunde->setHorizontalHeaderLabels({QStringLiteral("Schwere"), QStringLiteral("Tabelle"),
                                        QStringLiteral("Zeile"), QStringLiteral("Befund"),
                                        QStringLiteral("Abhilfe")});
    Befunde->setRowCount(static_cast<int>(findings.size()));
    Befunde->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Befunde->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < static_cast<int>(findings.size()); ++r) {
        const Finding& f = findings[r];
        const QString row = f.place ? QString::number(f.place->table == TableId::Pumps
                                                          ? pumpBlockOf(f.place->row)
                                                          : f.place->row)
                                    : QString();
        const QString texts[] = {severityText(f.severity), tableText(f.place), row, f.what,
                                 f.remedy};
        for (int c = 0; c < 5; ++c)
            Befunde->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
    // What is wrong and what to do share the width and wrap, so that both stay readable.
    Befunde->resizeColumnsToContents();
    Befunde->setWordWrap(true);
    for (const int column : {3, 4})
        Befunde->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    Befunde->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void FormNetzpruefung::BefundeDoubleClicked(int row) {
    if (row < 0 || row >= static_cast<int>(findings_.size()))
        return;
    const Finding& f = findings_[row];
    if (f.place && showPlace)
        showPlace(*f.place);
}

}  // namespace kolma
