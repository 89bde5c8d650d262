// What colours the plan (Lageplan) after a calculation: the quantity, the classes its values fall
// into and the colour of each class. Nodes are coloured by supply pressure or head, pipes by
// velocity, flow or hydraulic gradient; the class limits are the user's, with defaults from
// German practice for pressure and velocity.
#pragma once

#include <QString>
#include <map>
#include <vector>

namespace kolma {

enum class PlanQuantity { Pressure, Head, Velocity, Flow, Gradient, None };

// The quantities in the order the plan offers them.
inline constexpr PlanQuantity kPlanQuantities[] = {PlanQuantity::Pressure, PlanQuantity::Head,
                                                   PlanQuantity::Velocity, PlanQuantity::Flow,
                                                   PlanQuantity::Gradient, PlanQuantity::None};

// "Druck", "Energiehöhe", "Geschwindigkeit", "Durchfluss", "Gefälle", "ohne".
QString quantityName(PlanQuantity quantity);
// The legend's title with the unit, e.g. "Versorgungsdruck [bar]"; "" for none.
QString quantityTitle(PlanQuantity quantity);
// A name without umlauts for the user's settings.
QString quantityKey(PlanQuantity quantity);
// Pressure and head colour the nodes; velocity, flow and gradient the pipes.
bool coloursNodes(PlanQuantity quantity);
bool coloursPipes(PlanQuantity quantity);

// At most this many limits, so at most nine classes.
inline constexpr int kMaxClassLimits = 8;

// The limits of a quantity when the user has set none: pressure 2.0 / 3.5 / 6.0 / 8.0 bar (too
// low for a house connection, low, good, high, too high), velocity 0.03 / 0.5 / 1.0 / 2.0 m/s
// (standing water, slow, good, fast, too fast), flow 0.5 / 2 / 10 / 50 l/s, gradient 1 / 3 / 5 /
// 10 m/km. None for head and for no quantity: heads have no general limits, and the plan spreads
// their classes over the network's range.
std::vector<double> defaultLimits(PlanQuantity quantity);

// Four limits spreading five classes evenly over [low, high], rounded to two decimals; none when
// the range is not finite.
std::vector<double> evenLimits(double low, double high);

// The class of a value among ascending limits: how many limits lie at or below it (a value equal
// to a limit belongs to the class above it); -1 for a value that is not a number.
int classOf(double value, const std::vector<double>& limits);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// Elements without a value (no ground level, no calculation).
inline constexpr Rgb kNoValueColour{150, 150, 150};

// The colours of the classes of a quantity, lowest class first. For pressure and velocity the
// lowest class is a warning red (too little pressure, standing water), the middle green; for
// head, flow and gradient they run from blue (low) to red (high).
std::vector<Rgb> classColours(PlanQuantity quantity, int classCount);

// A class's range for the legend: "unter 2", "2 bis unter 3,5", "8 und mehr".
QString classText(int index, const std::vector<double>& limits);

// Limits as the user types them: "2; 3,5; 6; 8" (German decimal comma, semicolons).
QString limitsText(const std::vector<double>& limits);
// Reads typed limits; raises a KolmaError unless they are 1 to 8 ascending numbers. An empty
// text gives no limits (the default).
std::vector<double> parseLimits(const QString& text);

// Limits in the user's settings, independent of the locale: "2;3.5;6;8".
QString limitsSetting(const std::vector<double>& limits);
// Limits from the settings; nothing when the text is empty or not valid.
std::vector<double> limitsFromSetting(const QString& text);

// Node colours given from outside the plan, for example by a fire-flow check (passed, failed):
// the legend's title, the classes with their texts and colours, and the class of each marked
// node (by node number; unmarked nodes are drawn without a value).
struct MarkClass {
    QString text;
    Rgb colour;
};

struct NodeMarks {
    QString title;
    std::vector<MarkClass> classes;
    std::map<int, int> classOfNode;  // node number -> index into classes
};

}  // namespace kolma
