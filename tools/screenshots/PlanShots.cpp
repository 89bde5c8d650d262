#include "PlanShots.h"

#include <QComboBox>
#include <QPushButton>

#include "Camera.h"
#include "PlanView.h"
#include "TForm1.h"
#include "TFormLageplan.h"

namespace kolma {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;

void photographPlan(Camera& camera, TForm1& main, const QString& colouring, const QString& file) {
    TFormLageplan& plan = *main.FormLageplan;
    waitWhile([&plan] { return plan.layoutRunning(); });
    plan.Farbgebung->setCurrentText(colouring);
    plan.resize(kWidth, kHeight);
    photograph(plan);
    plan.Plan->showAll();
    camera.save(plan, file);
}

}  // namespace

void photographPlans(Camera& camera, TForm1& main, const QString& epanetFile) {
    main.Lageplan1->trigger();
    photographPlan(camera, main, QStringLiteral("Druck"), QStringLiteral("lageplan.png"));

    // The import, its "eingabe.dat" and its calculation; the import's summary and the report
    // viewer belong to other pictures.
    const auto reportShot = camera.shots[QStringLiteral("Form5")];
    camera.shots[QStringLiteral("Form5")] = {};
    const int messages = camera.messages.size();
    camera.openAnswers.push_back(epanetFile);
    main.EpanetImport1->trigger();
    main.Fertigstellen->click();
    main.Action4->trigger();
    while (camera.messages.size() > messages)
        camera.messages.removeLast();
    camera.shots[QStringLiteral("Form5")] = reportShot;
    photographPlan(camera, main, QStringLiteral("Geschwindigkeit"),
                   QStringLiteral("lageplan-epanet.png"));
}

}  // namespace kolma
