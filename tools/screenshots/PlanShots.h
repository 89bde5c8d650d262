// The plan window's pictures: the sample project laid out automatically and coloured by pressure
// after its calculation, and an imported EPANET network on its own map coloured by velocity.
#pragma once

#include <QString>

namespace kolma {

class Camera;
class TForm1;

// Photographs "lageplan.png" of the project in the main window (computed already), then imports
// the EPANET file, computes it and photographs "lageplan-epanet.png". The main window keeps the
// imported network.
void photographPlans(Camera& camera, TForm1& main, const QString& epanetFile);

}  // namespace kolma
