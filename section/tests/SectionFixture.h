// A small calculated network for the section tests: the three input tables of the main window,
// a working directory of its own and a hand-written "graphein.dat".
//
// Nodes (row: number, GOK, RS):  1: 10, 102,5, 100,0   2: 20, 101, 99   3: 30, 101,5, 98,5
//                                4: 40, 110, 108
// Pipes (row: number, AKN, EKN, length, di):  1: 1, 10, 20, 100,5, 150   2: 2, 30, 20, 200, 100
// Pump block 1: P1 from 30 to 40; its head row reads 38, 10, 20 (support heads, not nodes).
// Heads 105, 104, 103.5, 125; flows and velocities 5.25/0.30 and -5.25/0.67.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "NodeSequence.h"
#include "StringGrid.h"
#include "Tables.h"

namespace kolma::testing {

class SectionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        setSystemNodeCount(0);
        pipes_ = std::make_unique<StringGrid>(8, 1001);
        pumps_ = std::make_unique<StringGrid>(9, 103);
        nodes_ = std::make_unique<StringGrid>(7, 1001);
        nodes_->setCell(1, 0, QStringLiteral("Knotnum"));
        for (StringGrid* grid : {pipes_.get(), pumps_.get(), nodes_.get()})
            for (int row = 1; row < grid->rowCount(); ++row)
                for (int col = 1; col < grid->colCount(); ++col)
                    grid->setCell(col, row, QStringLiteral(" "));
        setNode(1, "10", "102,5", "100,0");
        setNode(2, "20", "101", "99");
        setNode(3, "30", "101,5", "98,5");
        setNode(4, "40", "110", "108");
        setPipe(1, "1", "10", "20", "100,5", "150");
        setPipe(2, "2", "30", "20", "200", "100");
        setPumpBlock(1, "P1", "30", "40", {"38", "10", "20"});
        writeGraphFile(graphText({105, 104, 103.5, 125}, {{5.25, 0.30}, {-5.25, 0.67}}));
    }

    void TearDown() override { QDir::setCurrent(previous_); }

    Tables tables() { return {pipes_.get(), pumps_.get(), nodes_.get()}; }

    void setNode(int row, const char* number, const char* gok, const char* rs) {
        nodes_->setCell(1, row, QString::fromLatin1(number));
        nodes_->setCell(5, row, QString::fromLatin1(gok));
        nodes_->setCell(6, row, QString::fromLatin1(rs));
    }

    void setPipe(int row, const char* number, const char* from, const char* to, const char* length,
                 const char* diameter) {
        const char* values[] = {number, from, to, length, diameter};
        for (int col = 1; col <= 5; ++col)
            pipes_->setCell(col, row, QString::fromLatin1(values[col - 1]));
    }

    void setPumpBlock(int block, const char* type, const char* from, const char* to,
                      std::initializer_list<const char*> heads) {
        const int row = 3 * block - 2;
        pumps_->setCell(1, row, QString::fromLatin1(type));
        pumps_->setCell(2, row, QString::fromLatin1(from));
        pumps_->setCell(3, row, QString::fromLatin1(to));
        int col = 1;
        for (const char* head : heads) {
            pumps_->setCell(col, row + 1, QString::fromLatin1(head));
            pumps_->setCell(col++, row + 2, QStringLiteral("1"));
        }
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

    std::unique_ptr<StringGrid> pipes_, pumps_, nodes_;

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace kolma::testing
