// The network of the tables as an EPANET file: read back by the import it gives the same tables;
// EPANET computes it to the solver's heads; what EPANET would refuse is refused or renamed.
#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "EpanetExport.h"
#include "EpanetHeads.h"
#include "EpanetImport.h"
#include "ErrorOf.h"
#include "Numbers.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "SolverNetwork.h"
#include "TextFile.h"
#include "tarnholm/in_process.h"

namespace kolma {
namespace {

using testing::ProjectTables;

const QString kDataDir = QStringLiteral(KOLMA_SOURCE_DIR "/model/tests/data/epanet_export/");

// A network with its settings and plan, typed into fresh tables.
struct TypedNetwork {
    ProjectTables tables;
    ProjectSettings settings = defaultSettings();
    PlanCoordinates coordinates;

    Network network() { return networkOf(tables.tables(), settings); }
};

using Typing = std::function<void(TypedNetwork&)>;

// The town network of the examples: a clear water tank, a pump of six support points, a grid
// and an elevated tank.
void typeExample(TypedNetwork& n) {
    readProjectText(readFileBytes(QStringLiteral(KOLMA_SOURCE_DIR "/examples/Beispielnetz.ein")),
                    n.tables.tables(), n.settings);
    n.coordinates.nodes[1] = {{0.0, 0.0}, Placement::Given};
    n.coordinates.nodes[2] = {{120.5, -40.25}, Placement::Automatic};
    n.coordinates.bends[QStringLiteral("1")] = {{30.0, 5.0}, {60.0, -10.0}};
}

// The sample network: a five-point pump from zero flow, a node with an inflow.
void typeSample(TypedNetwork& n) {
    testing::typeSampleNetwork(n.tables);
    n.settings.viscosity = QStringLiteral("1,01");
}

// A pump of three support points from zero flow between a clear water tank and a mesh that an
// elevated tank also feeds; a smooth pipe, loss coefficients, a node with inflow and
// withdrawal.
void typeThreePointPump(TypedNetwork& n) {
    ProjectTables& t = n.tables;
    t.setRow(t.nodes, 1, {"1", "100", " ", " ", "101", "99"});
    t.setRow(t.nodes, 2, {"2", " ", " ", " ", "100,5", "99,5"});
    t.setRow(t.nodes, 3, {"3", " ", " ", "4", "106", "105"});
    t.setRow(t.nodes, 4, {"4", " ", " ", "6", "109,2", "108"});
    t.setRow(t.nodes, 5, {"5", " ", "1", "3", "111", "110"});
    t.setRow(t.nodes, 6, {"6", "128", " ", " ", "126", "125"});
    t.setRow(t.pipes, 1, {"1", "2", "3", "400", "200", "0,1", "2,5"});
    t.setRow(t.pipes, 2, {"2", "3", "4", "300", "150", "0", "0"});
    t.setRow(t.pipes, 3, {"3", "4", "5", "250", "100", "0,4", "0"});
    t.setRow(t.pipes, 4, {"4", "3", "5", "350", "100", "1", "0"});
    t.setRow(t.pipes, 5, {"5", "5", "6", "500", "150", "0,1", "1,2"});
    t.setPump(1, {"KP-3", "1", "2"}, {"40", "36", "24", " ", " ", " ", " ", " "},
              {"0", "12", "24", " ", " ", " ", " ", " "});
    n.settings.viscosity = QStringLiteral("1,01");
}

ImportPlan readBack(const EpanetExport& exported) {
    return planImport(parseInp(QString::fromUtf8(exported.text)), QStringLiteral("netz.ids"),
                      false);
}

double numberOf(const QString& text) {
    return solverNumber(text);
}

double orZero(const QString& text) {
    const double value = solverNumber(text);
    return std::isnan(value) ? 0.0 : value;
}

// Everything the tables hold that EPANET can hold comes back: node and pipe numbers, known
// heads, the withdrawal less the inflow of each junction at its invert, every pipe value, the
// pumps' curves, the viscosity and the plan. The import orders the nodes for a small profile and
// turns a pipe whose start then follows its end, so nodes are matched by number. (EPANET has
// one height per node: ground levels do not come back, and the export says so.)
TEST(EpanetExport, ImportReadsBackTheSameTables) {
    for (const auto& [name, typing] :
         {std::pair<const char*, Typing>{"Beispielnetz", typeExample}, {"Muster", typeSample}}) {
        SCOPED_TRACE(name);
        TypedNetwork n;
        typing(n);
        const Network original = n.network();
        const ImportPlan back =
            readBack(epanetExportOf(original, n.coordinates, QString::fromLatin1(name)));

        EXPECT_DOUBLE_EQ(numberOf(back.viscosity), original.viscosity);
        std::map<int, int> position;  // node number -> row of the read-back table
        for (std::size_t r = 0; r < back.nodeRows.size(); ++r)
            position[back.nodeRows[r][0].toInt()] = static_cast<int>(r);
        ASSERT_EQ(position.size(), original.nodes.size());
        for (const NodeRecord& node : original.nodes) {
            SCOPED_TRACE(node.number);
            ASSERT_EQ(position.count(node.number), 1u);
            const QStringList& row = back.nodeRows[position[node.number]];
            if (node.hasKnownHead()) {
                EXPECT_DOUBLE_EQ(numberOf(row[1]), node.knownHead.number);
                continue;
            }
            EXPECT_FALSE(holdsValue(row[1]));
            EXPECT_NEAR(orZero(row[3]) - orZero(row[2]),
                        node.withdrawal.orElse(0.0) - node.inflow.orElse(0.0), 1e-9);
            EXPECT_DOUBLE_EQ(numberOf(row[5]), node.invert.orElse(0.0));
        }
        PlanCoordinates expectedPlan = n.coordinates;
        for (auto& node : expectedPlan.nodes)
            node.second.placement = Placement::Given;  // the file does not tell how it came
        ASSERT_EQ(back.pipeRows.size(), original.pipes.size());
        for (std::size_t p = 0; p < original.pipes.size(); ++p) {
            const PipeRecord& pipe = original.pipes[p];
            const QStringList& row = back.pipeRows[p];
            SCOPED_TRACE(pipe.number.typed.toStdString());
            EXPECT_EQ(row[0], pipe.number.typed);
            int start = original.nodes[pipe.startNode].number;
            int end = original.nodes[pipe.endNode].number;
            if (position[start] > position[end]) {
                std::swap(start, end);
                auto bends = expectedPlan.bends.find(pipe.number.typed);
                if (bends != expectedPlan.bends.end())
                    std::reverse(bends->second.begin(), bends->second.end());
            }
            EXPECT_EQ(row[1].toInt(), start);
            EXPECT_EQ(row[2].toInt(), end);
            const Value* values[] = {&pipe.length, &pipe.diameter, &pipe.roughness, &pipe.zeta};
            for (int c = 0; c < 4; ++c)
                EXPECT_DOUBLE_EQ(numberOf(row[3 + c]), values[c]->number) << "column " << 3 + c;
        }
        ASSERT_EQ(back.pumps.size(), original.pumps.size());
        for (std::size_t k = 0; k < original.pumps.size(); ++k) {
            const PumpRecord& pump = original.pumps[k];
            const PumpBlock& block = back.pumps[k];
            EXPECT_EQ(block.type, pump.type);
            EXPECT_EQ(block.start.toInt(), original.nodes[pump.startNode].number);
            EXPECT_EQ(block.end.toInt(), original.nodes[pump.endNode].number);
            for (int s = 0; s < kSupportPoints; ++s) {
                const bool used = s < pump.supportCount;
                EXPECT_EQ(holdsValue(block.h[s]), used) << "support point " << s + 1;
                if (used) {
                    EXPECT_DOUBLE_EQ(numberOf(block.h[s]), pump.heads[s].number);
                    EXPECT_DOUBLE_EQ(numberOf(block.Q[s]), pump.flows[s].number);
                }
            }
        }
        EXPECT_EQ(back.coordinates, expectedPlan);
    }
}

// The heads of the solver for a network, by node number.
std::map<QString, double> solverHeads(const Network& network) {
    tarnholm::Network net = solverNetworkOf(network);
    const tarnholm::IterationOutcome outcome = tarnholm::Calculate(net, {2000, 0.0});
    EXPECT_EQ(outcome.result.status, tarnholm::CalcStatus::Done);
    EXPECT_EQ(outcome.rule, tarnholm::StopRule::Converged);
    std::map<QString, double> heads;
    for (std::size_t i = 0; i < network.nodes.size(); ++i)
        heads[QString::number(network.nodes[i].number)] = net.head[i];
    return heads;
}

// EPANET's heads for the exported files lie in model/tests/data/epanet_export beside the files
// (computed by EPANET 2.3 through epanet-js; regenerate.sh there writes both anew). They hold
// only for the very bytes of the files, so the export must still write those. A pump curve of
// six support points is followed by straight segments, one of three from zero flow by points
// of the solver's curve.
TEST(EpanetExport, EpanetComputesTheSolversHeads) {
    const QString regenerate = qEnvironmentVariable("KOLMA_EPANET_EXPORT_DIR");
    for (const auto& [name, typing] : {std::pair<const char*, Typing>{"beispielnetz", typeExample},
                                       {"dreipunktpumpe", typeThreePointPump}}) {
        SCOPED_TRACE(name);
        TypedNetwork n;
        typing(n);
        n.coordinates = {};
        const Network network = n.network();
        const EpanetExport exported = epanetExportOf(network, {}, QString::fromLatin1(name));
        const QString inp = QString::fromLatin1(name) + QStringLiteral(".inp");
        if (!regenerate.isEmpty()) {
            writeFileAtomically(QDir(regenerate).filePath(inp), exported.text);
            continue;
        }
        ASSERT_EQ(QString::fromUtf8(exported.text), readTextFile(kDataDir + inp))
            << "the export changed: run model/tests/data/epanet_export/regenerate.sh";
        const testing::EpanetHeads epanet =
            testing::epanetHeads(kDataDir + QString::fromLatin1(name) + ".heads.csv");
        const std::map<QString, double> ours = solverHeads(network);
        ASSERT_EQ(epanet.byId.size(), ours.size());
        double largest = 0.0;
        for (const auto& [id, head] : ours)
            largest = std::max(largest, std::fabs(head - epanet.byId.at(id)));
        EXPECT_LT(largest, 0.005 * epanet.range);
    }
    if (!regenerate.isEmpty())
        GTEST_SKIP() << "files written to " << regenerate.toStdString();
}

// EPANET refuses duplicate IDs, IDs with blanks, a roughness of 0, and custom pump curves whose
// heads do not fall; the solver takes them all. What has a faithful counterpart is written as
// that and named; the rest is refused with the element named.
TEST(EpanetExport, WritesWhatEpanetTakesAndRefusesTheRest) {
    TypedNetwork n;
    typeThreePointPump(n);
    ProjectTables& t = n.tables;
    t.setRow(t.pipes, 3, {"1", "4", "5", "250", "100", "0,4", "0"});  // pipe number twice
    t.setPump(1, {"2", "1", "2"}, {"40", "36", "24", "10", " ", " ", " ", " "},
              {"0", "12", "24", "30", " ", " ", " ", " "});  // named like pipe 2
    const EpanetExport exported = epanetExportOf(n.network(), {}, QStringLiteral("Netz"));
    const EpanetNetwork read = parseInp(QString::fromUtf8(exported.text));
    QStringList links;
    for (const EpanetPipe& pipe : read.pipes)
        links << pipe.id;
    links << read.pumps.at(0).id;
    EXPECT_EQ(links.join(' '), "1 2 1_2 4 5 2_2");
    EXPECT_EQ(read.pipes[1].roughness, kSmoothRoughness);
    EXPECT_EQ(exported.notes.filter("Umbenannt").join(""),
              "Umbenannt (EPANET verlangt eindeutige IDs ohne Leerzeichen, höchstens 31 "
              "Zeichen): 1 → 1_2, 2 → 2_2");
    EXPECT_EQ(exported.notes.filter("ks = 0").size(), 1);

    const QString refused = QStringLiteral(
        "Das Netz kann nicht als EPANET-Datei geschrieben "
        "werden.\n");
    const struct {
        const char* name;
        std::function<void(ProjectTables&)> change;
        QString refusal;
    } cases[] = {
        {"heads rising",
         [](ProjectTables& p) {
             p.setRow(p.pumps, 2, {"40", "41", "24"});
         },
         refused + "Pumpe 2: EPANET verlangt eine Kennlinie mit steigenden Förderströmen und "
                   "fallenden Förderhöhen."},
        {"flows falling",
         [](ProjectTables& p) {
             p.setRow(p.pumps, 3, {"0", "12", "11"});
         },
         refused + "Pumpe 2: EPANET verlangt eine Kennlinie mit steigenden Förderströmen und "
                   "fallenden Förderhöhen."},
        {"pipe without length",
         [](ProjectTables& p) {
             p.setRow(p.pipes, 5, {"5", "5", "6", "0"});
         },
         refused + "Rohr 5: Die Länge muss größer als 0 sein."},
    };
    for (const auto& c : cases) {
        TypedNetwork changed;
        typeThreePointPump(changed);
        changed.tables.setPump(1, {"2", "1", "2"}, {"40", "36", "24", "10"},
                               {"0", "12", "24", "30"});
        c.change(changed.tables);
        EXPECT_EQ(testing::errorOf([&] { epanetExportOf(changed.network(), {}, "Netz"); }),
                  c.refusal)
            << c.name;
    }
}

}  // namespace
}  // namespace kolma
