#include "TFormLageplan.h"

#include <QComboBox>
#include <QFutureWatcher>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QtConcurrent/QtConcurrentRun>

#include "Controls.h"
#include "Dialogs.h"
#include "LatestResults.h"
#include "PlanExport.h"
#include "PlanView.h"
#include "Project.h"
#include "TFormKlassengrenzen.h"
#include "TextFile.h"

namespace kolma {
namespace {

const QString kCaption = QStringLiteral("Lageplan");
// Table edits come in bursts (a paste, a reset): the plan is read again once they rest.
constexpr int kRebuildDelay = 150;  // [ms]

QString limitsKey(PlanQuantity quantity) {
    return QStringLiteral("Lageplan/Klassengrenzen/") + quantityKey(quantity);
}

const QString kQuantityKey = QStringLiteral("Lageplan/Farbgebung");

}  // namespace

TFormLageplan::TFormLageplan(Project& project, std::function<QString()> projectFile,
                             QWidget* parent)
    : QMainWindow(parent), project_(project), projectFile_(std::move(projectFile)) {
    setObjectName(QStringLiteral("FormLageplan"));
    setWindowTitle(kCaption);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 650);

    Plan = new PlanView(this);
    setCentralWidget(Plan);
    createMenus();
    createToolBar();
    createStatusBar();
    loadSettings();

    connect(Plan, &PlanView::elementClicked, this, &TFormLageplan::elementClicked);
    connect(Plan, &PlanView::backgroundClicked, this, [this] {
        selected_.clear();
        applyLook();
        emit selectionChanged();
    });
    connect(Plan, &PlanView::nodeMoved, this, &TFormLageplan::nodeMoved);
    connect(Plan, &PlanView::nodeDropped, this, &TFormLageplan::nodeDropped);
    rebuildTimer_.setSingleShot(true);
    rebuildTimer_.setInterval(kRebuildDelay);
    connect(&rebuildTimer_, &QTimer::timeout, this, &TFormLageplan::rebuild);
    connectProject();
    rebuild();
}

TFormLageplan::~TFormLageplan() = default;

void TFormLageplan::createMenus() {
    addMenuItems<TFormLageplan>(
        menuBar()->addMenu(QStringLiteral("Datei")), this,
        {{"Exportieren1", QStringLiteral("Exportieren ..."), &TFormLageplan::Exportieren1Click},
         {"Drucken1", QStringLiteral("Drucken ..."), &TFormLageplan::Drucken1Click},
         {"Schliessen1", QStringLiteral("Schließen"), &TFormLageplan::Schliessen1Click}});
    addMenuItems<TFormLageplan>(
        menuBar()->addMenu(QStringLiteral("Ansicht")), this,
        {{"AllesZeigen1", QStringLiteral("Alles zeigen"), &TFormLageplan::AllesZeigen1Click},
         {"LayoutNeu1", QStringLiteral("Layout neu berechnen ..."),
          &TFormLageplan::LayoutNeu1Click},
         {"Klassengrenzen1", QStringLiteral("Klassengrenzen ..."),
          &TFormLageplan::Klassengrenzen1Click}});
    Exportieren1 = findChild<QAction*>(QStringLiteral("Exportieren1"));
    Drucken1 = findChild<QAction*>(QStringLiteral("Drucken1"));
    Schliessen1 = findChild<QAction*>(QStringLiteral("Schliessen1"));
    AllesZeigen1 = findChild<QAction*>(QStringLiteral("AllesZeigen1"));
    LayoutNeu1 = findChild<QAction*>(QStringLiteral("LayoutNeu1"));
    Klassengrenzen1 = findChild<QAction*>(QStringLiteral("Klassengrenzen1"));
}

void TFormLageplan::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Farbgebung"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->addWidget(new QLabel(QStringLiteral(" Farbgebung: "), bar));
    Farbgebung = namedControl<QComboBox>(bar, "Farbgebung");
    for (PlanQuantity quantity : kPlanQuantities)
        Farbgebung->addItem(quantityName(quantity), static_cast<int>(quantity));
    bar->addWidget(Farbgebung);
    bar->addSeparator();
    bar->addAction(AllesZeigen1);
    bar->addAction(LayoutNeu1);
    connectHandler(Farbgebung, qOverload<int>(&QComboBox::currentIndexChanged), this,
                   &TFormLageplan::FarbgebungChange);
}

void TFormLageplan::createStatusBar() {
    Hinweis = namedControl<QLabel>(statusBar(), "Hinweis");
    Hinweis->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(Hinweis, 1);
    LayoutFortschritt = namedControl<QProgressBar>(statusBar(), "LayoutFortschritt");
    LayoutFortschritt->setRange(0, 0);  // Graphviz tells nothing of its progress
    LayoutFortschritt->setMaximumWidth(160);
    LayoutFortschritt->hide();
    statusBar()->addPermanentWidget(LayoutFortschritt);
    LayoutAbbrechen =
        namedControl<QPushButton>(statusBar(), "LayoutAbbrechen", QStringLiteral("Abbrechen"));
    LayoutAbbrechen->hide();
    statusBar()->addPermanentWidget(LayoutAbbrechen);
    connectHandler(LayoutAbbrechen, &QPushButton::clicked, this,
                   &TFormLageplan::LayoutAbbrechenClick);
}

void TFormLageplan::connectProject() {
    for (CellTable* table : {&project_.pipes(), &project_.pumps(), &project_.nodes()}) {
        connect(table, &QAbstractItemModel::dataChanged, this, &TFormLageplan::scheduleRebuild);
        connect(table, &QAbstractItemModel::modelReset, this, &TFormLageplan::scheduleRebuild);
        connect(table, &QAbstractItemModel::rowsInserted, this, &TFormLageplan::scheduleRebuild);
        connect(table, &QAbstractItemModel::rowsRemoved, this, &TFormLageplan::scheduleRebuild);
    }
    connect(&project_, &Project::settingsChanged, this, &TFormLageplan::scheduleRebuild);
    connect(&project_, &Project::coordinatesChanged, this, [this] {
        if (ownChange_)
            return;
        // New places from outside (an opened project, an import): shown whole, laid out anew
        // where missing.
        layoutPaused_ = false;
        if (layoutRun_ != 0)
            endLayout();
        rebuild();
        Plan->showAll();
    });
}

void TFormLageplan::loadSettings() {
    QSettings settings;
    for (PlanQuantity quantity : kPlanQuantities) {
        const auto limits = limitsFromSetting(settings.value(limitsKey(quantity)).toString());
        if (!limits.empty())
            chosenLimits_[quantity] = limits;
    }
    const int chosen = Farbgebung->findText(settings.value(kQuantityKey).toString());
    if (chosen >= 0)
        Farbgebung->setCurrentIndex(chosen);
}

void TFormLageplan::saveLimits(PlanQuantity quantity) const {
    QSettings settings;
    const auto chosen = chosenLimits_.find(quantity);
    if (chosen == chosenLimits_.end())
        settings.remove(limitsKey(quantity));
    else
        settings.setValue(limitsKey(quantity), limitsSetting(chosen->second));
}

void TFormLageplan::scheduleRebuild() {
    rebuildTimer_.start();
}

void TFormLageplan::refresh() {
    rebuild();
}

void TFormLageplan::rebuild() {
    rebuildTimer_.stop();
    PlanNetworkReading reading = readPlanNetwork(project_.tables(), project_.settings());
    problems_ = reading.problems;
    std::optional<Results> results;
    outdated_.clear();
    if (reading.complete()) {
        try {
            results = latestResults(reading.network).results;
        } catch (const ResultsUnavailable& e) {
            if (e.reason == ResultsUnavailable::Reason::Outdated)
                outdated_ = e.message();
        }
    }
    const bool firstPlaces = !Plan->fitted();
    data_ = planDataOf(std::move(reading.network), project_.coordinates(), std::move(results));
    Plan->setData(&data_);
    applyLook();
    if (firstPlaces)
        Plan->showAll();
    showStatus();
    if (!outdated_.isEmpty())
        reportOnce(outdatedReported_, outdated_, QStringLiteral("Fehler"));
    if (!problems_.isEmpty())
        reportOnce(problemsReported_,
                   QStringLiteral("Der Lageplan zeigt die Tabellen ohne die Stellen, die nicht "
                                  "gelesen werden können:\n") +
                       problems_.front(),
                   kCaption);
    if (data_.unplacedCount() > 0 && layoutRun_ == 0 && !layoutPaused_)
        startLayout(LayoutScope::Unplaced);
}

// A message box must not open in the middle of a rebuild that a table edit started, and not at
// every rebuild: it is shown once per window, after the event that caused it.
void TFormLageplan::reportOnce(bool& reported, const QString& text, const QString& caption) {
    if (reported)
        return;
    reported = true;
    QTimer::singleShot(0, this, [this, text, caption] { errorBox(this, text, caption); });
}

void TFormLageplan::showStatus() {
    QStringList parts;
    if (!problems_.isEmpty())
        parts << (problems_.size() == 1 ? problems_.front()
                                        : QStringLiteral("%1 (und %2 weitere Stellen)")
                                              .arg(problems_.front())
                                              .arg(problems_.size() - 1));
    if (!outdated_.isEmpty())
        parts << QStringLiteral("Ergebnisse veraltet: bitte neu berechnen.");
    else if (!data_.results && quantity() != PlanQuantity::None && !marksChosen())
        parts << QStringLiteral("Ohne Ergebnisse: erst \"Berechnung\" färbt den Plan.");
    if (layoutRun_ != 0)
        parts << QStringLiteral("Knoten werden angeordnet ...");
    else if (const int unplaced = data_.unplacedCount(); unplaced > 0)
        parts << QStringLiteral("%1 Knoten ohne Lage: \"Layout neu berechnen\" ordnet sie an.")
                     .arg(unplaced);
    if (!project_.coordinates().origin.isEmpty())
        parts << project_.coordinates().origin;
    Hinweis->setText(parts.join(QStringLiteral("  ·  ")));
    Plan->setPlaceholder(data_.nodes.empty() ? QStringLiteral("Die Knotentabelle ist leer.")
                         : data_.unplacedCount() == static_cast<int>(data_.nodes.size())
                             ? QStringLiteral("Die Knoten werden angeordnet ...")
                             : QString());
}

PlanQuantity TFormLageplan::quantity() const {
    if (marksChosen())
        return PlanQuantity::None;
    return static_cast<PlanQuantity>(Farbgebung->currentData().toInt());
}

bool TFormLageplan::marksChosen() const {
    return marks_ && Farbgebung->currentIndex() == Farbgebung->count() - 1 &&
           Farbgebung->count() > static_cast<int>(std::size(kPlanQuantities));
}

void TFormLageplan::applyLook() {
    PlanLook look;
    look.quantity = quantity();
    const auto chosen = chosenLimits_.find(look.quantity);
    look.limits =
        classLimits(data_, look.quantity,
                    chosen == chosenLimits_.end() ? std::vector<double>() : chosen->second);
    look.marks = marksChosen() ? &*marks_ : nullptr;
    look.selected = selected_;
    Plan->setLook(look);
    Klassengrenzen1->setEnabled(look.quantity != PlanQuantity::None);
}

void TFormLageplan::FarbgebungChange() {
    if (!marksChosen())
        QSettings().setValue(kQuantityKey, Farbgebung->currentText());
    applyLook();
    showStatus();
}

void TFormLageplan::setNodeMarks(const std::optional<NodeMarks>& marks) {
    const int quantities = static_cast<int>(std::size(kPlanQuantities));
    if (Farbgebung->count() > quantities)
        Farbgebung->removeItem(quantities);
    marks_ = marks;
    if (marks_) {
        Farbgebung->addItem(marks_->title, -1);
        Farbgebung->setCurrentIndex(quantities);
    }
    applyLook();
}

std::vector<int> TFormLageplan::selectedNodeNumbers() const {
    std::vector<int> numbers;
    for (const PlanElement& element : selected_)
        if (element.kind == PlanElementKind::Node)
            if (const auto index = data_.nodeIndex(element.row))
                numbers.push_back(data_.nodes[*index].number);
    return numbers;
}

void TFormLageplan::elementClicked(const PlanElement& element, bool adding) {
    if (adding && element.kind == PlanElementKind::Node) {
        const auto found = std::find(selected_.begin(), selected_.end(), element);
        if (found != selected_.end())
            selected_.erase(found);
        else
            selected_.push_back(element);
    } else {
        selected_ = {element};
        emit elementChosen(element);
    }
    applyLook();
    emit selectionChanged();
}

void TFormLageplan::showElement(const PlanElement& element) {
    selected_ = {element};
    applyLook();
    emit selectionChanged();
    std::optional<QPointF> at;
    if (element.kind == PlanElementKind::Node) {
        if (const auto index = data_.nodeIndex(element.row))
            at = data_.nodes[*index].at;
    } else if (const auto index = data_.linkIndex(element)) {
        const PlanLink& link = data_.links[*index];
        if (data_.drawn(link))
            at = (*data_.nodes[link.from].at + *data_.nodes[link.to].at) / 2.0;
    }
    if (at)
        Plan->centreOn(*at);
}

void TFormLageplan::nodeMoved(int node, const QPointF& plan) {
    if (node < 0 || node >= static_cast<int>(data_.nodes.size()))
        return;
    data_.nodes[node].at = plan;
    Plan->update();
}

// A node let go is placed by the user: a later layout keeps it where it is.
void TFormLageplan::nodeDropped(int node, const QPointF& plan) {
    if (node < 0 || node >= static_cast<int>(data_.nodes.size()))
        return;
    PlanCoordinates coordinates = project_.coordinates();
    coordinates.nodes[data_.nodes[node].number] = {plan, Placement::Given};
    takeCoordinates(coordinates, Placing::Edit);
}

void TFormLageplan::takeCoordinates(const PlanCoordinates& coordinates, Placing placing) {
    ownChange_ = true;
    project_.setCoordinates(coordinates, placing);
    ownChange_ = false;
    rebuild();
}

bool TFormLageplan::layoutRunning() const {
    return layoutRun_ != 0;
}

void TFormLageplan::startLayout(LayoutScope scope) {
    PlanLayoutRequest request = layoutRequest(data_, project_.coordinates(), scope);
    if (request.freeCount() == 0)
        return;
    const int run = ++runs_;
    layoutRun_ = run;
    delete watcher_;
    watcher_ = new QFutureWatcher<LayoutOutcome>(this);
    connect(watcher_, &QFutureWatcher<LayoutOutcome>::finished, this, [this, run, request, scope] {
        // Laying out the nodes without a place is the plan's own doing; moving placed
        // nodes again is the user's.
        layoutDone(run, request, scope == LayoutScope::Unplaced ? Placing::Layout : Placing::Edit);
    });
    // Graphviz cannot be interrupted: the thread works on its own copy of the input, and
    // "Abbrechen" only stops waiting for it.
    watcher_->setFuture(QtConcurrent::run([input = request.input]() -> LayoutOutcome {
        try {
            return {layoutNetwork(input), QString()};
        } catch (const std::exception& error) {
            return {{}, QString::fromStdString(error.what())};
        }
    }));
    LayoutFortschritt->show();
    LayoutAbbrechen->show();
    LayoutNeu1->setEnabled(false);
    Plan->setDraggingEnabled(false);
    showStatus();
}

void TFormLageplan::layoutDone(int run, const PlanLayoutRequest& request, Placing placing) {
    if (run != layoutRun_)
        return;  // cancelled
    LayoutOutcome outcome = watcher_->result();
    endLayout();
    if (outcome.error.isEmpty() && outcome.places.size() != request.numbers.size())
        outcome.error = QStringLiteral(
            "Die automatische Anordnung hat nicht alle Knoten "
            "platziert.");
    if (!outcome.error.isEmpty()) {
        layoutPaused_ = true;
        showStatus();
        errorBox(this, outcome.error, kCaption);
        emit layoutFinished();
        return;
    }
    const bool firstPlaces = data_.unplacedCount() == static_cast<int>(data_.nodes.size());
    takeCoordinates(withLayout(project_.coordinates(), data_, request, outcome.places), placing);
    if (firstPlaces)
        Plan->showAll();
    emit layoutFinished();
}

void TFormLageplan::endLayout() {
    layoutRun_ = 0;
    LayoutFortschritt->hide();
    LayoutAbbrechen->hide();
    LayoutNeu1->setEnabled(true);
    Plan->setDraggingEnabled(true);
}

void TFormLageplan::LayoutAbbrechenClick() {
    if (layoutRun_ == 0)
        return;
    endLayout();
    layoutPaused_ = true;
    showStatus();
    emit layoutFinished();
}

void TFormLageplan::LayoutNeu1Click() {
    const auto answer = dialogs().showMessage(
        this, {QStringLiteral("Ja: alle Knoten neu anordnen.\n"
                              "Nein: nur die automatisch angeordneten Knoten neu anordnen; "
                              "Knoten, die Sie verschoben haben oder die aus einem importierten "
                              "Netz stammen, bleiben liegen."),
               QStringLiteral("Layout neu berechnen"), BoxIcon::Question,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No});
    if (answer != QMessageBox::Yes && answer != QMessageBox::No)
        return;
    layoutPaused_ = false;
    startLayout(answer == QMessageBox::Yes ? LayoutScope::All : LayoutScope::Automatic);
}

void TFormLageplan::AllesZeigen1Click() {
    Plan->showAll();
}

void TFormLageplan::Klassengrenzen1Click() {
    const PlanQuantity shown = quantity();
    if (shown == PlanQuantity::None)
        return;
    const auto chosen = chosenLimits_.find(shown);
    TFormKlassengrenzen dialog(
        shown, chosen == chosenLimits_.end() ? defaultLimits(shown) : chosen->second, this);
    if (dialogs().execModal(dialog) != QDialog::Accepted)
        return;
    if (dialog.limits().empty())
        chosenLimits_.erase(shown);
    else
        chosenLimits_[shown] = dialog.limits();
    saveLimits(shown);
    applyLook();
}

PlanLook TFormLageplan::paperLook() const {
    PlanLook look = Plan->look();
    look.selected.clear();
    look.title = planTitle(projectFile_ ? projectFile_() : QString(), QDate::currentDate());
    return look;
}

// Paper shows what the window shows; a window not yet laid out shows the whole plan.
QRectF TFormLageplan::paperView() const {
    const QRectF visible = Plan->visiblePlan();
    if (Plan->fitted() && visible.isValid() && !visible.isEmpty())
        return visible;
    return planBounds(data_);
}

void TFormLageplan::Exportieren1Click() {
    const QString project = projectFile_ ? projectFile_() : QString();
    const QString name = replacedExtension(project, QStringLiteral(".png"));
    const auto chosen = dialogs().getSaveFileName(
        this, saveRequest(QStringLiteral("Lageplan exportieren"),
                          QStringLiteral("PNG-Bild|*.png|SVG-Graphik|*.svg|PDF-Dokument|*.pdf"),
                          QStringLiteral("png"), name));
    if (!chosen)
        return;
    const auto format = exportFormatOf(*chosen);
    if (!format) {
        errorBox(this,
                 QStringLiteral("\"%1\": Der Lageplan wird als PNG (*.png), SVG (*.svg) oder PDF "
                                "(*.pdf) exportiert; bitte wählen Sie eine dieser Endungen.")
                     .arg(namePart(*chosen)),
                 QStringLiteral("Lageplan exportieren"));
        return;
    }
    writeFileAtomically(*chosen, exportedPlan(*format, data_, paperLook(), paperView()));
    Hinweis->setText(QStringLiteral("Exportiert: %1").arg(*chosen));
}

void TFormLageplan::Drucken1Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs().choosePrinter(this, printer))
        return;
    if (!printPlan(printer, data_, paperLook(), paperView()))
        throw KolmaError(QStringLiteral("Der Druckauftrag konnte nicht begonnen werden."));
}

void TFormLageplan::Schliessen1Click() {
    close();
}

}  // namespace kolma
