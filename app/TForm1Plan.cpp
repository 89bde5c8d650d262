// The main window's side of the plan (Lageplan): the menu item and toolbar button that open the
// plan window, and the selection passed between the plan and the tables. The plan window knows
// nothing of the main window; its signals and showElement are the whole interface.
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <utility>

#include "Controls.h"
#include "Handler.h"
#include "StringGrid.h"
#include "TForm1.h"

namespace kolma {
namespace {

// Three nodes of a small network, coloured as the plan colours them.
QIcon planIcon() {
    constexpr int kSize = 32;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF a(6, 24), b(16, 8), c(27, 22), d(17, 27);
    p.setPen(QPen(QColor(80, 80, 80), 2.5));
    const std::pair<QPointF, QPointF> pipes[] = {{a, b}, {b, c}, {c, d}, {d, a}, {b, d}};
    for (const auto& [from, to] : pipes)
        p.drawLine(from, to);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    const std::pair<QPointF, QColor> nodes[] = {{a, QColor(26, 150, 65)},
                                                {b, QColor(43, 131, 186)},
                                                {c, QColor(215, 25, 28)},
                                                {d, QColor(253, 174, 97)}};
    for (const auto& [at, colour] : nodes) {
        p.setBrush(colour);
        p.drawEllipse(at, 4.5, 4.5);
    }
    return QIcon(pixmap);
}

}  // namespace

void TForm1::createPlanItems(QMenu* graphik) {
    Lageplan1 = addMenuItem<TForm1>(
        graphik, this, {"Lageplan1", QStringLiteral("Lageplan"), &TForm1::Lageplan1Click});
    Lageplan1->setToolTip(QStringLiteral("Lageplan"));
}

void TForm1::createPlanButton() {
    Lageplan2 = addToolButton("Lageplan2", Lageplan1);
    Lageplan2->setIcon(planIcon());
}

void TForm1::Lageplan1Click() {
    if (!FormLageplan) {
        FormLageplan = new TFormLageplan(
            project_, [this] { return AktuelleDatei(); }, this);
        connect(FormLageplan, &TFormLageplan::elementChosen, this,
                [this](const PlanElement& element) { showTablePlace(placeOf(element)); });
        const std::pair<StringGrid*, TableId> grids[] = {{StringGrid1, TableId::Pipes},
                                                         {StringGrid2, TableId::Pumps},
                                                         {StringGrid3, TableId::Nodes}};
        for (const auto& [grid, table] : grids) {
            const TableId id = table;
            const auto show = [this, id](int row) {
                if (FormLageplan && row > 0)
                    FormLageplan->showElement(elementOfRow(id, row));
            };
            connect(grid, &QAbstractItemView::doubleClicked, FormLageplan,
                    [show](const QModelIndex& index) { show(index.row()); });
            connect(grid->verticalHeader(), &QHeaderView::sectionDoubleClicked, FormLageplan, show);
        }
    }
    FormLageplan->show();
    FormLageplan->raise();
    FormLageplan->activateWindow();
}

void TForm1::refreshPlan() {
    if (FormLageplan)
        FormLageplan->refresh();
}

}  // namespace kolma
