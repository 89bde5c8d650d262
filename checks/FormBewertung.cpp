#include "FormBewertung.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "Controls.h"
#include "DesignLimitsSettings.h"
#include "Dialogs.h"
#include "FormGrenzwerte.h"
#include "Handler.h"
#include "Numbers.h"

namespace kolma {
namespace {

// A cell that shows a number the German way and sorts by its value.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(double value, int decimals)
        : QTableWidgetItem(std::isfinite(value) ? germanLocale().toString(value, 'f', decimals)
                                                : QString()),
          value_(value) {
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    // Cells without a number sort below every number, so that they cannot break the order of the
    // others.
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* number = dynamic_cast<const NumberItem*>(&other);
        if (!number)
            return QTableWidgetItem::operator<(other);
        if (std::isnan(value_) || std::isnan(number->value_))
            return !std::isnan(value_);
        return value_ < number->value_;
    }

private:
    double value_;
};

// A cell of a node or pipe number: sorted by the number, shown as typed.
class KeyItem : public QTableWidgetItem {
public:
    explicit KeyItem(const QString& text) : QTableWidgetItem(text) {}
    bool operator<(const QTableWidgetItem& other) const override {
        bool ok = false, otherOk = false;
        const double a = text().toDouble(&ok);
        const double b = other.text().toDouble(&otherOk);
        return ok && otherOk ? a < b : QTableWidgetItem::operator<(other);
    }
};

// The table row of the element a table line shows, kept in its first cell.
constexpr int kPlaceRole = Qt::UserRole;

QTableWidget* newTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table = namedControl<QTableWidget>(parent, name);
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    return table;
}

// Fills a table from scratch; sorting is off while it fills, so that rows stay whole.
template <typename Element, typename Cells>
void fillTable(QTableWidget* table, const std::vector<Element>& elements, TableId id, Cells cells) {
    table->setSortingEnabled(false);
    table->setRowCount(static_cast<int>(elements.size()));
    for (int r = 0; r < static_cast<int>(elements.size()); ++r) {
        const std::vector<QTableWidgetItem*> items = cells(elements[r]);
        for (int c = 0; c < static_cast<int>(items.size()); ++c)
            table->setItem(r, c, items[c]);
        table->item(r, 0)->setData(kPlaceRole, elements[r].row);
        table->item(r, 0)->setData(kPlaceRole + 1, static_cast<int>(id));
    }
    table->setSortingEnabled(true);
    table->resizeColumnsToContents();
}

}  // namespace

FormBewertung::FormBewertung(std::function<Evaluation(const DesignLimits&)> evaluateWith,
                             const DesignLimits& limits, QWidget* parent)
    : QDialog(parent), evaluateWith_(std::move(evaluateWith)) {
    setObjectName(QStringLiteral("FormBewertung"));
    setWindowTitle(QStringLiteral("Bewertung"));
    resize(760, 520);
    auto* pages = new QTabWidget(this);
    BewertungKnoten = newTable(
        pages, "BewertungKnoten",
        {QStringLiteral("Knoten"), QStringLiteral("Energiehöhe [mNN]"), QStringLiteral("GOK [mNN]"),
         QStringLiteral("Druck [bar]"), QStringLiteral("Bewertung")});
    BewertungStraenge =
        newTable(pages, "BewertungStraenge",
                 {QStringLiteral("Strang"), QStringLiteral("von"), QStringLiteral("nach"),
                  QStringLiteral("Durchfluss [l/s]"), QStringLiteral("Geschwindigkeit [m/s]"),
                  QStringLiteral("Gefälle [m/km]"), QStringLiteral("Bewertung")});
    BewertungPumpen = newTable(pages, "BewertungPumpen",
                               {QStringLiteral("Pumpe"), QStringLiteral("von"),
                                QStringLiteral("nach"), QStringLiteral("Durchfluss [l/s]"),
                                QStringLiteral("Förderhöhe [m]"), QStringLiteral("Betriebspunkt")});
    pages->addTab(BewertungKnoten, QStringLiteral("Knoten"));
    pages->addTab(BewertungStraenge, QStringLiteral("Stränge"));
    pages->addTab(BewertungPumpen, QStringLiteral("Pumpen"));
    Zusammenfassung = namedControl<QLabel>(this, "Zusammenfassung");
    Zusammenfassung->setWordWrap(true);
    Grenzwerte = namedControl<QPushButton>(this, "Grenzwerte", QStringLiteral("Grenzwerte ..."));
    Schliessen = namedControl<QPushButton>(this, "Schliessen", QStringLiteral("Schließen"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Grenzwerte);
    buttons->addStretch(1);
    buttons->addWidget(Schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Zusammenfassung);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);

    connectHandler(Grenzwerte, &QPushButton::clicked, this, &FormBewertung::GrenzwerteClick);
    connect(Schliessen, &QPushButton::clicked, this, &QDialog::reject);
    for (QTableWidget* table : {BewertungKnoten, BewertungStraenge, BewertungPumpen})
        connect(table, &QTableWidget::cellDoubleClicked, this, [this, table](int row, int) {
            const QTableWidgetItem* first = table->item(row, 0);
            if (first && showPlace)
                showPlace({static_cast<TableId>(first->data(kPlaceRole + 1).toInt()),
                           first->data(kPlaceRole).toInt(), kKeyColumn});
        });
    show(evaluateWith_(limits));
}

void FormBewertung::show(const Evaluation& evaluation) {
    evaluation_ = evaluation;
    fillTable(BewertungKnoten, evaluation.nodes, TableId::Nodes, [](const NodeEvaluation& n) {
        return std::vector<QTableWidgetItem*>{
            new KeyItem(n.number), new NumberItem(n.head, 3), new NumberItem(n.ground, 2),
            new NumberItem(n.pressure, 2), new QTableWidgetItem(flagText(n.flag))};
    });
    fillTable(BewertungStraenge, evaluation.pipes, TableId::Pipes, [](const PipeEvaluation& p) {
        return std::vector<QTableWidgetItem*>{new KeyItem(p.number),
                                              new KeyItem(p.from),
                                              new KeyItem(p.to),
                                              new NumberItem(p.flow, 2),
                                              new NumberItem(p.velocity, 2),
                                              new NumberItem(p.gradient, 2),
                                              new QTableWidgetItem(flagText(p.flag))};
    });
    fillTable(BewertungPumpen, evaluation.pumps, TableId::Pumps, [](const PumpEvaluation& p) {
        return std::vector<QTableWidgetItem*>{
            new QTableWidgetItem(p.type),
            new KeyItem(p.from),
            new KeyItem(p.to),
            new NumberItem(p.flow, 2),
            new NumberItem(p.lift, 2),
            new QTableWidgetItem(p.inRange ? QStringLiteral("im Arbeitsbereich")
                                           : QStringLiteral("außerhalb der Kennlinie"))};
    });
    Zusammenfassung->setText(summaryText(evaluation));
}

void FormBewertung::GrenzwerteClick() {
    FormGrenzwerte dialog(evaluation_.limits, this);
    if (dialogs().execModal(dialog) != QDialog::Accepted)
        return;
    saveDesignLimits(dialog.limits);
    show(evaluateWith_(dialog.limits));
}

}  // namespace kolma
