// A small calculated network for the section tests, in a working directory of its own:
// nodes (number GOK RS) 10 102,5 100,0 | 20 101 99 | 30 101,5 98,5 | 40 110 108;
// pipes (number AKN EKN length di) 1 10 20 100,5 150 | 2 30 20 200 100; pump P1 from 30 to 40,
// whose head row reads 38, 10, 20; heads 105, 104, 103,5, 125; flows and velocities
// 5,25/0,30 and -5,25/0,67.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <initializer_list>
#include <utility>
#include <vector>

#include "Project.h"
#include "WorkingDirectory.h"

namespace kolma::testing {

class SectionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (CellTable* grid : {pipes_, pumps_, nodes_})
            for (int row = 1; row < grid->rowCount(); ++row)
                for (int col = 1; col < grid->colCount(); ++col)
                    grid->setCell(col, row, QStringLiteral(" "));
        nodes_->setCell(1, 0, QStringLiteral("Knotnum"));
        setNode(1, "10", "102,5", "100,0");
        setNode(2, "20", "101", "99");
        setNode(3, "30", "101,5", "98,5");
        setNode(4, "40", "110", "108");
        setRow(*pipes_, 1, {"1", "10", "20", "100,5", "150"});
        setRow(*pipes_, 2, {"2", "30", "20", "200", "100"});
        setPump("30", "40", {"38", "10", "20"});
        writeGraphFile(graphText({105, 104, 103.5, 125}, {{5.25, 0.30}, {-5.25, 0.67}}));
    }

    Tables tables() { return project_.tables(); }

    static void setRow(CellTable& grid, int row, std::initializer_list<const char*> cells,
                       int col = 1) {
        for (const char* cell : cells)
            grid.setCell(col++, row, QString::fromUtf8(cell));
    }
    void setNode(int row, const char* number, const char* gok, const char* rs) {
        setRow(*nodes_, row, {number});
        setRow(*nodes_, row, {gok, rs}, 5);
    }
    // Pump block 1 with its type, nodes and support heads.
    void setPump(const char* from, const char* to, std::initializer_list<const char*> heads) {
        setRow(*pumps_, 1, {"P1", from, to});
        setRow(*pumps_, 2, heads);
        setRow(*pumps_, 3, {"0", "5", "10"});
    }

    // The layout the solver writes: header integers, heads, pipe count, flow/velocity pairs.
    static QByteArray graphText(const std::vector<double>& heads,
                                const std::vector<std::pair<double, double>>& pipes) {
        QByteArray text = "\n1000\n\n12\n\n\n" + QByteArray::number(int(heads.size())) + "\n ";
        for (double h : heads)
            text += "\n" + QByteArray::number(h, 'f', 3).rightJustified(11);
        text += "\n\n" + QByteArray::number(int(pipes.size())) + "\n ";
        for (const auto& [q, v] : pipes)
            text += "\n " + QByteArray::number(q, 'f', 2).rightJustified(11) + " " +
                    QByteArray::number(v, 'f', 2).rightJustified(13);
        return text;
    }
    static void writeGraphFile(const QByteArray& bytes) {
        QFile file(QStringLiteral("graphein.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static void removeGraphFile() { QFile::remove(QStringLiteral("graphein.dat")); }
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    Project project_;
    CellTable* pipes_ = &project_.pipes();
    CellTable* pumps_ = &project_.pumps();
    CellTable* nodes_ = &project_.nodes();
    WorkingDirectory dir_;  // the current directory while the test runs
};

}  // namespace kolma::testing
