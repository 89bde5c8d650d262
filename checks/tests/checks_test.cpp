// The network check's list, the evaluation window and its limits, as the user drives them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <limits>

#include "DesignLimitsSettings.h"
#include "FormBewertung.h"
#include "FormGrenzwerte.h"
#include "FormNetzpruefung.h"
#include "QStringPrinter.h"
#include "ScriptedDialogs.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;

const Finding kWarning{Severity::Warning, CellPlace{TableId::Pipes, 7, 1},
                       "Strang 7 endet in Knoten 35", "Die Knotennummer prüfen.", false};
const Finding kFatal{Severity::Fatal, CellPlace{TableId::Pumps, 4, 1}, "Pumpe P2: Saugseite",
                     "Knotenreihenfolge optimieren", true};

QStringList rowTexts(const QTableWidget* table, int row) {
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts << table->item(row, c)->text();
    return texts;
}

TEST(FormNetzpruefung, ListsFindingsAndLeadsToTheirRows) {
    FormNetzpruefung form({kFatal, kWarning}, FormNetzpruefung::Purpose::Check);
    ASSERT_EQ(form.Befunde->rowCount(), 2);
    // A pump is named by its block, as the pump table numbers them.
    EXPECT_EQ(rowTexts(form.Befunde, 0),
              QStringList({"Fehler", "Pumpen", "2", "Pumpe P2: Saugseite",
                           "Knotenreihenfolge optimieren"}));
    EXPECT_EQ(rowTexts(form.Befunde, 1)[1], "Rohre");
    std::optional<CellPlace> shown;
    form.showPlace = [&shown](const CellPlace& place) { shown = place; };
    emit form.Befunde->cellDoubleClicked(1, 3);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->table, TableId::Pipes);
    EXPECT_EQ(shown->row, 7);
    bool optimised = false;
    form.optimiseNodeOrder = [&optimised] { optimised = true; };
    EXPECT_FALSE(form.Knotenreihenfolge->isHidden());
    form.Knotenreihenfolge->click();
    EXPECT_TRUE(optimised);
}

// Before a calculation only warnings let it go on.
TEST(FormNetzpruefung, BeforeACalculationOnlyWarningsLetItGoOn) {
    FormNetzpruefung warnings({kWarning}, FormNetzpruefung::Purpose::BeforeCalculation);
    EXPECT_FALSE(warnings.Berechnen->isHidden());
    EXPECT_TRUE(warnings.Knotenreihenfolge->isHidden());
    warnings.Berechnen->click();
    EXPECT_EQ(warnings.result(), QDialog::Accepted);
    FormNetzpruefung fatal({kWarning, kFatal}, FormNetzpruefung::Purpose::BeforeCalculation);
    EXPECT_TRUE(fatal.Berechnen->isHidden());
    EXPECT_TRUE(fatal.Hinweis->text().contains("nicht gestartet"));
}

Evaluation sampleEvaluation(const DesignLimits& limits) {
    Evaluation e;
    e.limits = limits;
    e.nodes = {{1, "10", 101.0, 100.0, 0.0981, NodeFlag::TooLow},
               {2, "9", 130.0, 100.0, 2.943, NodeFlag::Ok},
               {3, "11", 140.0, 100.0, 3.924, NodeFlag::Ok}};
    e.pipes = {{1, "1", "9", "10", 2.5, 0.14, 4.1, PipeFlag::Ok}};
    e.pumps = {{1, "P1", "9", "11", 5.0, 20.0, false}};
    e.tooLow = 1;
    e.lowest = 0;
    return e;
}

TEST(FormBewertung, ShowsSortsByValueAndJudgesAgainWithNewLimits) {
    ScriptedDialogs dialogs;
    std::vector<DesignLimits> asked;
    FormBewertung form(
        [&asked](const DesignLimits& limits) {
            asked.push_back(limits);
            return sampleEvaluation(limits);
        },
        DesignLimits{});
    EXPECT_EQ(form.Zusammenfassung->text(),
              "1 von 3 Knoten unter 2,70 bar, 0 über 8,00 bar; niedrigster Druck 0,10 bar an "
              "Knoten 10.");
    EXPECT_EQ(rowTexts(form.BewertungKnoten, 0),
              QStringList({"10", "101,000", "100,00", "0,10", "zu niedrig"}));
    EXPECT_EQ(rowTexts(form.BewertungPumpen, 0).last(), "außerhalb der Kennlinie");
    // Node numbers sort as numbers, pressures by their values: 9 before 10 before 11.
    form.BewertungKnoten->sortItems(0);
    EXPECT_EQ(form.BewertungKnoten->item(0, 0)->text(), "9");
    form.BewertungKnoten->sortItems(3, Qt::DescendingOrder);
    EXPECT_EQ(form.BewertungKnoten->item(0, 0)->text(), "11");

    dialogs.modalScripts.push_back([](QDialog& d) {
        auto& limits = static_cast<FormGrenzwerte&>(d);
        limits.Stockwerke->setCurrentIndex(4);  // five storeys
        EXPECT_EQ(limits.Mindestdruck->text(), "3,40");
        limits.HoechsterDruck->setText("7,5");
        limits.OK->click();
        return limits.result();
    });
    form.Grenzwerte->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].storeys, 5);
    EXPECT_DOUBLE_EQ(asked[1].maxPressure, 7.5);
    EXPECT_EQ(loadDesignLimits().storeys, 5) << "kept in the user's settings";
    saveDesignLimits(DesignLimits{});
}

// A node without a ground level has no pressure; it must not break the order of the others.
TEST(FormBewertung, NodeWithoutPressureKeepsTheOthersInOrder) {
    Evaluation e = sampleEvaluation(DesignLimits{});
    const double none = std::numeric_limits<double>::quiet_NaN();
    e.nodes.insert(e.nodes.begin() + 1, {4, "12", 120.0, none, none, NodeFlag::NoGround});
    FormBewertung form([&e](const DesignLimits&) { return e; }, DesignLimits{});
    form.BewertungKnoten->sortItems(3);
    QStringList order;
    for (int row = 0; row < form.BewertungKnoten->rowCount(); ++row)
        order << form.BewertungKnoten->item(row, 0)->text();
    EXPECT_EQ(order, QStringList({"10", "9", "11", "12"}));
}

TEST(FormGrenzwerte, ValueThatIsNoNumberIsRefusedAndTheDialogStays) {
    ScriptedDialogs dialogs;
    FormGrenzwerte form(DesignLimits{});
    form.HoechsteGeschwindigkeit->setText(",");
    form.OK->click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Höchste Geschwindigkeit: ',' ist keine Zahl größer als 0.");
}

}  // namespace
}  // namespace kolma
