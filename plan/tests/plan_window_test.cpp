// The plan window: nodes without a place are laid out on a worker thread around the placed ones,
// "Abbrechen" ends the wait and discards the result, clicks select and report elements, dragged
// nodes keep their place, results of other tables and tables that cannot be read are said once,
// class limits stay in the user's settings, and print and export write the drawing.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "CalculationFiles.h"
#include "PlanExport.h"
#include "PlanView.h"
#include "ProjectTables.h"
#include "ScriptedDialogs.h"
#include "TFormKlassengrenzen.h"
#include "TFormLageplan.h"
#include "WorkingDirectory.h"

namespace kolma::testing {
namespace {

// Heads 100, 140, 160 and 200 m for the sample network; pipe velocities 0,14 and -0,02 m/s.
const QByteArray kFittingGraph = "1000 12 4 100.0 140.0 160.0 200.0 2 2.5 0.14 -0.5 -0.02";
constexpr int kLayoutWait = 20000;  // [ms], far beyond a layout of 1000 nodes

class PlanWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // The user's settings of these tests stay in a directory of their own.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
        typeSampleNetwork(t);
    }
    void TearDown() override { delete window; }

    void placeAll() {
        PlanCoordinates c;
        c.nodes[10] = {QPointF(0, 0), Placement::Given};
        c.nodes[20] = {QPointF(100, 0), Placement::Given};
        c.nodes[30] = {QPointF(100, 50), Placement::Automatic};
        c.nodes[40] = {QPointF(150, 50), Placement::Automatic};
        t.project.setCoordinates(c);
    }
    void open() {
        window = new TFormLageplan(t.project, [] { return QStringLiteral("/netze/Netz.ein"); });
        window->resize(800, 600);
        window->show();
        QCoreApplication::processEvents();
    }
    void waitForLayout() {
        if (!window->layoutRunning())
            return;
        QSignalSpy finished(window.data(), &TFormLageplan::layoutFinished);
        ASSERT_TRUE(finished.wait(kLayoutWait));
    }
    QPoint onScreen(int nodeRow) const {
        const auto index = window->data().nodeIndex(nodeRow);
        return window->Plan->planGeometry().toDevice(*window->data().nodes[*index].at).toPoint();
    }
    void trigger(QAction* action) { action->trigger(); }
    void leaveRun(const QByteArray& graph) {
        leaveCalculation(dir, networkOf(t.tables(), t.project.settings()), graph);
    }

    QTemporaryDir settingsDir_;
    WorkingDirectory dir;
    ScriptedDialogs scripted;
    ProjectTables t;
    QPointer<TFormLageplan> window;
};

TEST_F(PlanWindow, NodesWithoutPlaceAreLaidOutAroundThePlacedOnes) {
    PlanCoordinates given;
    given.nodes[10] = {QPointF(1000, 2000), Placement::Given};
    given.nodes[20] = {QPointF(1100, 2000), Placement::Given};
    t.project.setCoordinates(given);
    // Before the event loop turns, the worker may not have delivered its places yet.
    window = new TFormLageplan(t.project, {});
    EXPECT_TRUE(window->layoutRunning());
    EXPECT_FALSE(window->LayoutAbbrechen->isHidden());
    waitForLayout();
    EXPECT_EQ(window->data().unplacedCount(), 0);
    const PlanCoordinates& c = t.project.coordinates();
    EXPECT_EQ(c.nodes.at(10), given.nodes.at(10));
    EXPECT_EQ(c.nodes.at(20), given.nodes.at(20));
    EXPECT_EQ(c.nodes.at(30).placement, Placement::Automatic);
    EXPECT_NE(c.nodes.at(30).at, c.nodes.at(40).at);
    EXPECT_TRUE(window->LayoutAbbrechen->isHidden());
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(PlanWindow, AbbrechenEndsTheWaitAndDiscardsTheResult) {
    // 1000 nodes and 1000 pipes without places: a layout that takes a while.
    ProjectTables big;
    for (int i = 1; i <= 1000; ++i) {
        big.setRow(big.nodes, i, {QString::number(i), i == 1 ? "100" : " ", " ", " ", "1", "1"});
        big.setRow(big.pipes, i,
                   {QString::number(i), QString::number(i == 1 ? 1 : (i + 1) / 2),
                    QString::number(i == 1 ? 2 : i), "50", "100", "0,1", "0"});
    }
    window = new TFormLageplan(big.project, {});
    ASSERT_TRUE(window->layoutRunning());
    QSignalSpy finished(window.data(), &TFormLageplan::layoutFinished);
    window->LayoutAbbrechen->click();
    EXPECT_FALSE(window->layoutRunning());
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(window->LayoutNeu1->isEnabled());
    // The computation ends on its own; its places are not taken, and no new run starts.
    QTest::qWait(3000);
    EXPECT_TRUE(big.project.coordinates().nodes.empty());
    EXPECT_EQ(window->data().unplacedCount(), 1000);
    EXPECT_FALSE(window->layoutRunning());
    EXPECT_EQ(finished.size(), 1);
    delete window;
}

TEST_F(PlanWindow, ClicksSelectElementsAndTellTheMainWindow) {
    placeAll();
    open();
    QSignalSpy chosen(window.data(), &TFormLageplan::elementChosen);
    QTest::mouseClick(window->Plan, Qt::LeftButton, Qt::NoModifier, onScreen(3));
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].value<PlanElement>(), (PlanElement{PlanElementKind::Node, 3}));
    EXPECT_EQ(window->selectedNodeNumbers(), std::vector<int>{30});
    // With the control key nodes are added to the selection; the table stays where it is.
    QTest::mouseClick(window->Plan, Qt::LeftButton, Qt::ControlModifier, onScreen(4));
    EXPECT_EQ(window->selectedNodeNumbers(), (std::vector<int>{30, 40}));
    EXPECT_EQ(chosen.size(), 1);
    const QPoint pipe1 = (onScreen(1) + onScreen(2)) / 2;
    QTest::mouseClick(window->Plan, Qt::LeftButton, Qt::NoModifier, pipe1);
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[1][0].value<PlanElement>(), (PlanElement{PlanElementKind::Pipe, 1}));
    EXPECT_TRUE(window->selectedNodeNumbers().empty());
    QTest::mouseClick(window->Plan, Qt::LeftButton, Qt::NoModifier, QPoint(790, 10));
    EXPECT_TRUE(window->Plan->look().selected.empty());

    // From the table: the element is selected and brought to the middle.
    window->showElement({PlanElementKind::Pump, 1});
    EXPECT_EQ(window->Plan->look().selected,
              (std::vector<PlanElement>{PlanElement{PlanElementKind::Pump, 1}}));
    EXPECT_EQ(window->Plan->planGeometry().centre, QPointF(125, 50));
    EXPECT_EQ(chosen.size(), 2);
}

TEST_F(PlanWindow, DraggedNodeStaysWhereItIsLetGo) {
    placeAll();
    open();
    const QPoint from = onScreen(3);
    const QPoint to = from + QPoint(40, -30);
    QTest::mousePress(window->Plan, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(window->Plan, from + QPoint(20, -15));
    QTest::mouseMove(window->Plan, to);
    QTest::mouseRelease(window->Plan, Qt::LeftButton, Qt::NoModifier, to);
    const NodePlace& moved = t.project.coordinates().nodes.at(30);
    EXPECT_EQ(moved.placement, Placement::Given);
    EXPECT_EQ(window->Plan->planGeometry().toDevice(moved.at).toPoint(), to);
    // The view did not move with it.
    EXPECT_EQ(onScreen(4), window->Plan->planGeometry().toDevice(QPointF(150, 50)).toPoint());
}

TEST_F(PlanWindow, FollowsTheTablesAndPlacesNewNodes) {
    placeAll();
    open();
    t.setRow(t.nodes, 5, {"50", " ", " ", "1", "100", "99"});
    t.setRow(t.pipes, 3, {"3", "40", "50", "70", "100", "0,1", "0"});
    for (int waited = 0; waited < 2000 && window->data().nodes.size() != 5; waited += 20)
        QTest::qWait(20);
    ASSERT_EQ(window->data().nodes.size(), 5u);
    waitForLayout();
    EXPECT_EQ(window->data().unplacedCount(), 0);
    EXPECT_EQ(t.project.coordinates().nodes.at(50).placement, Placement::Automatic);
    EXPECT_EQ(t.project.coordinates().nodes.at(30).at, QPointF(100, 50));
}

// Results of other tables colour nothing: the plan says why, once in a message box and for as
// long as it lasts in its status line.
TEST_F(PlanWindow, ResultsOfOtherTablesAreLeftOutAndSaidOnce) {
    placeAll();
    leaveRun("1000 12 3 100.0 140.0 160.0 2 2.5 0.14 -0.5 -0.02");
    open();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->data().results);
    EXPECT_TRUE(window->Hinweis->text().contains("Ergebnisse veraltet"));
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text, graphDataOutdatedText());

    leaveRun(kFittingGraph);
    window->refresh();
    EXPECT_TRUE(window->data().results);
    EXPECT_FALSE(window->Hinweis->text().contains("Ergebnisse veraltet"));

    t.nodes.setCell(2, 4, "2");  // another withdrawal, the same counts
    window->refresh();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->data().results);
    EXPECT_TRUE(window->Hinweis->text().contains("Ergebnisse veraltet"));
    EXPECT_EQ(scripted.messages.size(), 1u);
}

TEST_F(PlanWindow, UnreadableTablesAreSaidOnceAndTheRestIsDrawn) {
    placeAll();
    t.pipes.setCell(3, 1, "35");
    open();
    QCoreApplication::processEvents();
    t.nodes.setCell(6, 2, "97");  // a later edit: no second message
    window->refresh();
    QCoreApplication::processEvents();
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_TRUE(scripted.messages[0].text.contains("Strang 1 (Zeile 1): Knoten 35 fehlt"))
        << scripted.messages[0].text.toStdString();
    EXPECT_EQ(window->data().links.size(), 2u);  // pipe 2 and the pump
    EXPECT_TRUE(window->Hinweis->text().contains("Knoten 35 fehlt"));
}

TEST_F(PlanWindow, ClassLimitsAreKeptInTheUserSettings) {
    placeAll();
    leaveRun(kFittingGraph);
    open();
    const auto typeLimits = [this](const QString& text) {
        scripted.modalScripts.push_back([text](QDialog& d) {
            auto& dialog = static_cast<TFormKlassengrenzen&>(d);
            dialog.Grenzen->setText(text);
            dialog.OKButton->click();
            return dialog.result();
        });
        trigger(window->Klassengrenzen1);
    };
    typeLimits("3; 2");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_TRUE(scripted.messages[0].text.contains("aufsteigen"));
    EXPECT_EQ(window->Plan->look().limits, defaultLimits(PlanQuantity::Pressure));
    typeLimits("1; 4,5");
    EXPECT_EQ(window->Plan->look().limits, (std::vector<double>{1, 4.5}));

    // Another plan window, even after the program was started again, uses them.
    delete window;
    open();
    EXPECT_EQ(window->Plan->look().limits, (std::vector<double>{1, 4.5}));
    window->Farbgebung->setCurrentText("Geschwindigkeit");
    EXPECT_EQ(window->Plan->look().limits, defaultLimits(PlanQuantity::Velocity));
}

// The fire-flow window's seam: node colours from outside, under their own title.
TEST_F(PlanWindow, NodeMarksFromOutside) {
    placeAll();
    open();
    window->setNodeMarks(NodeMarks{"Löschwasser", {{"erfüllt", {0, 160, 0}}}, {{30, 0}}});
    EXPECT_EQ(window->Farbgebung->currentText(), "Löschwasser");
    ASSERT_TRUE(window->Plan->look().marks);
    EXPECT_EQ(window->Plan->look().marks->classOfNode.at(30), 0);
    window->Farbgebung->setCurrentText("Druck");
    EXPECT_FALSE(window->Plan->look().marks);
    window->setNodeMarks(std::nullopt);
    EXPECT_EQ(window->Farbgebung->count(), 6);
}

// Print and export draw the same picture, with the title line and the legend.
TEST_F(PlanWindow, ExportAndPrintWriteTheDrawing) {
    placeAll();
    leaveRun(kFittingGraph);
    open();
    const auto exportAs = [this](const QString& name) {
        scripted.fileAnswers.push_back(dir.filePath(name));
        trigger(window->Exportieren1);
        return dir.read(name);
    };
    const QImage png = QImage::fromData(exportAs("plan.png"), "PNG");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(kPngWidth, kPngHeight));
    int green = 0;  // node 30 lies in the pressure class 3,5 to 6 bar
    for (int y = 0; y < png.height(); y += 2)
        for (int x = 0; x < png.width(); x += 2)
            if (png.pixelColor(x, y) == QColor(26, 150, 65))
                ++green;
    EXPECT_GT(green, 50);

    const QString svg = QString::fromUtf8(exportAs("plan.SVG"));
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(100).toStdString();
    for (const char* text : {">Lageplan Netz.ein, ", ">Versorgungsdruck [bar]<", ">30<", ">P1<"})
        EXPECT_TRUE(svg.contains(QString::fromUtf8(text))) << text;
    EXPECT_GE(svg.count("<polyline"), 3);  // two pipes and the pump's connection

    const QByteArray pdf = exportAs("plan.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(scripted.messages.size(), 0u);

    // Another extension is refused before anything is written; a cancelled dialog writes nothing.
    EXPECT_TRUE(exportAs("plan.jpg").isEmpty());
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_TRUE(scripted.messages[0].text.contains("PNG (*.png), SVG (*.svg) oder PDF (*.pdf)"));
    EXPECT_FALSE(dir.exists("plan.jpg"));
    scripted.fileAnswers.push_back(std::nullopt);
    trigger(window->Exportieren1);
    EXPECT_EQ(scripted.fileRequests.back().filter,
              "PNG-Bild|*.png|SVG-Graphik|*.svg|PDF-Dokument|*.pdf");
    EXPECT_EQ(scripted.fileRequests.back().fileName, "/netze/Netz.png");

    const QString printed = dir.filePath("gedruckt.pdf");
    scripted.printerSetup = [printed](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
    };
    scripted.printerAnswers = {false, true};
    trigger(window->Drucken1);
    EXPECT_FALSE(dir.exists("gedruckt.pdf"));
    trigger(window->Drucken1);
    EXPECT_TRUE(dir.read("gedruckt.pdf").startsWith("%PDF"));

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the PDF files were written";
    for (const QString& file : {dir.filePath("plan.pdf"), printed}) {
        QProcess process;
        process.start(tool, {file, QStringLiteral("-")});
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        for (const char* expected :
             {"Lageplan Netz.ein", "Versorgungsdruck [bar]", "3,5 bis unter 6 (1)", "30", "P1"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
                << expected << " in " << file.toStdString();
    }
}

}  // namespace
}  // namespace kolma::testing
