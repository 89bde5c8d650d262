// What "Berechnung" asks and checks before the run, and what the main window tells after it: the
// question when the tables differ from "eingabe.dat", the network check, an input error of the
// computed file, the iteration bound, check valves; and "Bewertung" of the results.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>

#include "FormBewertung.h"
#include "FormNetzpruefung.h"
#include "ProjectTables.h"
#include "Projekt.h"
#include "QStringPrinter.h"
#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "TForm5.h"
#include "WorkingDirectory.h"

namespace kolma::testing {
namespace {

const QString kStaleQuestion = QStringLiteral(
    "Die Tabellen wurden seit dem letzten Fertigstellen geändert. Jetzt speichern und berechnen?");

// The sample network in the main window's tables, as opening its project puts it there.
ProjectSettings typeSample(TForm1& main) {
    ProjectSettings settings = main.project().settings();
    readProjectText(kSampleWithCommas, main.tables(), settings);
    main.project().setSettings(settings);
    return settings;
}

class Calculation : public ::testing::Test {
protected:
    Calculation() { typeSample(form); }

    // "Berechnung"; the report viewer, if shown, hands its text and selection to `viewer`.
    void compute(const std::function<void(TForm5&)>& viewer = {}) {
        dialogs.modalScripts.push_back([viewer](QDialog& d) {
            if (auto* report = dynamic_cast<TForm5*>(&d); report && viewer)
                viewer(*report);
            return int(QDialog::Rejected);
        });
        form.Action4->trigger();
    }
    bool asked(const QString& text) const {
        const auto texts = dialogs.messageTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    // The first message that begins so; an empty one when there is none.
    MessageRequest messageStartingWith(const QString& start) const {
        for (const MessageRequest& m : dialogs.messages)
            if (m.text.startsWith(start))
                return m;
        return {};
    }

    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    TForm1 form;
};

// A report that names one network and shows another is a plainly wrong result: the user decides
// which is computed, and the banner names what was.
TEST_F(Calculation, ChangedTablesAreComputedOnlyAsTheUserAnswers) {
    enum Input { Tables, Old };
    const struct {
        const char* name;
        Input before;                                       // "eingabe.dat"
        std::optional<QMessageBox::StandardButton> answer;  // none: not asked
        Input after;
        const char* bannerName;  // nullptr: no run
        const char* computedLength;
    } cases[] = {
        {"unchanged", Tables, std::nullopt, Tables, "Unbenannt.ein", "|     120.50|"},
        {"Ja", Old, QMessageBox::Yes, Tables, "Unbenannt.ein", "|     120.50|"},
        {"Nein", Old, QMessageBox::No, Old, "eingabe.dat", "|      99.50|"},
        {"Abbrechen", Old, QMessageBox::Cancel, Old, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorkingDirectory run;
        ScriptedDialogs answers;
        TForm1 main;
        const ProjectSettings settings = typeSample(main);
        // As the run leaves them: with decimal points.
        const QByteArray inputs[] = {
            convertSeparators(eingabeText(main.tables(), settings), Conversion::Calculation),
            convertSeparators(eingabeText(main.tables(), settings), Conversion::Calculation)
                .replace("120.5", "99.5")};
        run.write("eingabe.dat", inputs[c.before]);
        if (c.answer)
            answers.messageAnswers.push_back(*c.answer);
        main.Action4->trigger();

        const auto texts = answers.messageTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), kStaleQuestion), c.answer ? 1 : 0);
        EXPECT_EQ(run.read("eingabe.dat"), inputs[c.after]);
        const QByteArray report = run.read("ausgabe.aus");
        if (!c.bannerName) {
            EXPECT_TRUE(report.isEmpty());
            EXPECT_TRUE(answers.modalWindows.empty());
            continue;
        }
        EXPECT_TRUE(report.contains(QByteArray("\n\n") + c.bannerName + "\t"))
            << report.left(400).constData();
        EXPECT_TRUE(report.contains(c.computedLength));
        EXPECT_EQ(answers.modalWindows.back(), "Form5");
    }
}

// A fatal finding stops the run; warnings are shown, and the user may compute anyway.
TEST_F(Calculation, TheCheckStopsFatalFindingsAndAsksAboutWarnings) {
    const struct {
        const char* name;
        int column;  // of the pipe table
        int row;
        const char* typed;
        int answer;  // of the check's window
        bool offersToCompute;
        bool runs;
    } cases[] = {
        {"pipe against the node order", 2, 1, "40", QDialog::Accepted, false, false},
        {"rough pipe, computed anyway", 6, 2, "15", QDialog::Accepted, true, true},
        {"rough pipe, not computed", 6, 2, "15", QDialog::Rejected, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorkingDirectory run;
        ScriptedDialogs answers;
        TForm1 main;
        typeSample(main);
        main.project().pipes().setCell(c.column, c.row, c.typed);
        answers.messageAnswers.push_back(QMessageBox::Yes);  // save and compute
        bool offered = false;
        answers.modalScripts.push_back([&](QDialog& d) {
            offered = !dynamic_cast<FormNetzpruefung&>(d).Berechnen->isHidden();
            return c.answer;
        });
        main.Action4->trigger();
        ASSERT_FALSE(answers.modalWindows.empty());
        EXPECT_EQ(answers.modalWindows.front(), "FormNetzpruefung");
        EXPECT_EQ(offered, c.offersToCompute);
        EXPECT_EQ(run.exists("ausgabe.aus"), c.runs);
    }
}

// Warnings the user computed with once are not asked about again; another one is.
TEST_F(Calculation, AcceptedWarningsAreNotAskedAgain) {
    form.project().pipes().setCell(6, 2, "15");
    const auto computeAnyway = [this] {
        dialogs.modalScripts.push_back([](QDialog&) { return int(QDialog::Accepted); });
        compute();
    };
    computeAnyway();
    compute();
    form.project().pipes().setCell(6, 1, "12");
    computeAnyway();
    EXPECT_EQ(std::count(dialogs.modalWindows.begin(), dialogs.modalWindows.end(),
                         QStringLiteral("FormNetzpruefung")),
              2);
    EXPECT_EQ(std::count(dialogs.modalWindows.begin(), dialogs.modalWindows.end(),
                         QStringLiteral("Form5")),
              3);
}

// The solver stopped at an input error of the file the user chose to compute: the text is shown
// with the row it names, and the report opens at it.
TEST_F(Calculation, AnInputErrorIsShownWithItsRowAndTheReportOpensAtIt) {
    dir.write("eingabe.dat", QByteArray(kSampleWithPoints).replace("2\t1\t2\t80", "2\t2\t1\t80"));
    dialogs.messageAnswers.push_back(QMessageBox::No);
    QString selected;
    compute([&](TForm5& viewer) { selected = viewer.RichEdit1->textCursor().selectedText(); });
    const MessageRequest error =
        messageStartingWith("Knotenanfangsnr. muß kleiner Knotenendnr sein!");
    EXPECT_EQ(error.caption, "Eingabefehler");
    EXPECT_TRUE(error.text.endsWith(
        "Das betrifft: Rohrtabelle, Zeile 2 der berechneten Datei \"eingabe.dat\"; die Tabellen "
        "wurden seitdem geändert."))
        << error.text.toStdString();
    EXPECT_EQ(selected.toStdString(),
              "Knotenanfangsnr. muß kleiner Knotenendnr sein!Abbruch in "
              "der 2-ten Zeile der Rohrkennwerteeingabe");
    EXPECT_TRUE(form.RichEdit1->isHidden());
}

// Two passes cannot balance the sample network: the user learns which pipes kept the run from
// converging and how far the heads still moved.
TEST_F(Calculation, ARunAtItsBoundIsExplained) {
    form.project().setSettings({QStringLiteral("1,305"), QStringLiteral("2")});
    compute();
    const MessageRequest told =
        messageStartingWith("Die Berechnung hat die Höchstzahl von 2 Iterationen erreicht.");
    EXPECT_TRUE(told.text.contains("Nicht konvergiert: Strang")) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains("Die Energiehöhen ändern sich in den letzten"))
        << told.text.toStdString();
    EXPECT_EQ(told.caption, "Berechnung");
}

// Water runs from node 10 to 20 in pipe 1; a valve that passes water only from 20 stands against
// it. The valves go with the project file and come back with it.
TEST_F(Calculation, WaterAgainstACheckValveIsToldAndTheValvesStayWithTheProject) {
    form.project().setCheckValves({{"1", 20}, {"2", 20}});
    dialogs.fileAnswers.push_back(dir.filePath("Netz.ein"));
    form.Fertigstellen->click();
    EXPECT_EQ(dir.read("Netz.rsk"),
              "; Rückschlagklappen: Strangnummer und der Knoten, von dem aus die Klappe Wasser "
              "durchlässt\n1\t20\n2\t20\n");
    form.project().setCheckValves({});
    dialogs.fileAnswers.push_back(dir.filePath("Netz.ein"));
    form.Projekt->trigger();
    EXPECT_EQ(form.project().checkValves(), (CheckValves{{"1", 20}, {"2", 20}}));

    int againstValves = 0;
    dialogs.modalScripts.push_back([&](QDialog& d) {
        auto& viewer = dynamic_cast<TForm5&>(d);
        dialogs.modalScripts.push_front([&](QDialog& w) {
            const auto& evaluation = dynamic_cast<FormBewertung&>(w).evaluation();
            for (const PipeEvaluation& pipe : evaluation.pipes)
                againstValves += pipe.flag == PipeFlag::AgainstCheckValve;
            return int(QDialog::Rejected);
        });
        viewer.Bewertung2->click();
        return int(QDialog::Rejected);
    });
    form.Action4->trigger();
    EXPECT_TRUE(
        asked("Wasser fließt gegen die Rückschlagklappe von Strang 1. Die Berechnung "
              "nimmt diese Rohre als offene Rohre; soll eine Klappe sperren, das Rohr "
              "entfernen und neu berechnen."));
    EXPECT_EQ(againstValves, 1);

    // A project without valves leaves no file of valves behind.
    form.project().setCheckValves({});
    dialogs.fileAnswers.push_back(dir.filePath("Netz.ein"));
    form.Fertigstellen->click();
    EXPECT_FALSE(dir.exists("Netz.rsk"));
}

// The evaluation judges only results of the tables on the screen.
TEST_F(Calculation, TheEvaluationRefusesResultsOfOtherTables) {
    compute();
    dialogs.modalScripts.push_back([](QDialog& d) {
        auto& window = dynamic_cast<FormBewertung&>(d);
        EXPECT_EQ(window.BewertungKnoten->rowCount(), 4);
        EXPECT_TRUE(window.Zusammenfassung->text().startsWith("3 von 4 Knoten unter 2,70 bar"))
            << window.Zusammenfassung->text().toStdString();
        return int(QDialog::Rejected);
    });
    form.Bewertung1->trigger();
    EXPECT_EQ(dialogs.modalWindows.back(), "FormBewertung");

    form.project().nodes().setCell(4, 2, "2");  // another withdrawal
    const std::size_t shown = dialogs.messages.size();
    form.Bewertung1->trigger();
    ASSERT_EQ(dialogs.messages.size(), shown + 1);
    EXPECT_EQ(dialogs.messages.back().text,
              "Die Tabellen wurden seit der letzten Berechnung geändert. Bitte führen Sie die "
              "Berechnung erneut durch.");
}

}  // namespace
}  // namespace kolma::testing
