// Every text and printf format the solver writes, in one place, so that the layout of the
// report, the graph data and the console can be read at a glance. They are binding byte for
// byte: users and the editor compare and parse them.
#pragma once

namespace tarnholm {

namespace text {

// ---- Console ----------------------------------------------------------------------------
inline constexpr char kConsoleEnd[] = "\n\n";
inline constexpr char kNoMemoryPumpNames[] = "Not enough memory to allocate buffer, Pummpentyp\n";
inline constexpr char kTooManyNodes[] = "***Zuviele Knoten***";
inline constexpr char kNoMatrixStorage[] = "***  kein Speicher bereitgestellt\n";
inline constexpr char kNoMatrixStorageEnd[] = "***  Abbruch\n";
inline constexpr char kNotPositiveDefinite[] =
    "\n***Matrix nicht positiv definit\n***Abbruch in Zeile %hd\n***Druecken Sie eine beliebige "
    "Taste um fortzufahren.\n";
inline constexpr char kReportUnavailable[] =
    "\n***Datei ausgabe.aus kann nicht geoeffnet werden\n***Abbruch\n";
inline constexpr char kGraphUnavailable[] =
    "\n***Datei graphein.dat kann nicht geschrieben werden\n***Abbruch\n";

// ---- Report: input errors ---------------------------------------------------------------
inline constexpr char kOldFile1[] = "\nFehler in der Eingabedatei!";
inline constexpr char kOldFile2[] = "\nMöglicherweise benutzen Sie eine alte Eingabedatei";
inline constexpr char kOldFile3[] =
    "\nBetätigen Sie im Tabellenblatt Knoten den Button: Fertigstellen ";
inline constexpr char kPipeStartAfterEnd[] = "Knotenanfangsnr. muß kleiner Knotenendnr sein!";
inline constexpr char kPipeAbortLine[] = "Abbruch in der %hd-ten Zeile der Rohrkennwerteeingabe";
inline constexpr char kPumpStartAfterEnd[] = "Knotenanfangsnr. muss kleiner Knotenendnr sein!";
inline constexpr char kPumpAbortLine[] = "Abbruch in der %hd-ten Zeile der Pumpenkennwerteeingabe";
inline constexpr char kNodeNumbersAbortLine[] =
    "Abbruch in der %hd-ten Zeile der Knotennummernliste";
inline constexpr char kNodeAbortLine[] = "Abbruch in der %hd-ten Zeile der Knoteneingabe";
inline constexpr char kHeaderFieldInvalid[] =
    "\nFehlender oder ungültiger Eintrag in der Kopfzeile: %s";
inline constexpr char kFieldKind[] = "Dateiart";
inline constexpr char kFieldViscosity[] = "kinematische Viskosität";
inline constexpr char kFieldMaxIterations[] = "maximale Anzahl der Iterationen";
inline constexpr char kFieldPipeCount[] = "Anzahl der Straenge";
inline constexpr char kFieldNodeCount[] = "Anzahl der Knoten";
inline constexpr char kFieldPumpCount[] = "Anzahl der Pumpen";
inline constexpr char kFieldKnownHeadCount[] = "Anzahl der bekannten Druckhoehen";
inline constexpr char kFileEnds[] = "\nDie Eingabedatei endet vorzeitig! ";
inline constexpr char kTokenTooLong[] = "\nEintrag mit mehr als %d Zeichen! ";
inline constexpr char kPumpNameTooLong[] = "\nPumpentyp mit mehr als %d Zeichen! ";
inline constexpr char kNodeOutOfRange[] = "\nKnotenindex außerhalb der Knotentabelle! ";
inline constexpr char kNodeIndexNotWhole[] = "\nKnotenindex ist keine ganze Zahl! ";
inline constexpr char kSupportCountOutOfRange[] =
    "\nAnzahl der Stützwerte muss zwischen 1 und %d liegen! ";
inline constexpr char kKnownHeadCountMismatch[] =
    "\nAnzahl der bekannten Druckhoehen in der Kopfzeile (%hd) passt nicht zu den Knotenzeilen "
    "(%d)!";

// ---- Report: input echo -----------------------------------------------------------------
inline constexpr char kEchoPipeCount[] = "\nAnzahl der Straenge = %hd";
inline constexpr char kEchoNodeCount[] = "\nAnzahl der Knoten = %hd";
inline constexpr char kEchoPumpCount[] = "\nAnzahl der Pumpen = %hd";
inline constexpr char kEchoKnownHeadCount[] = "\nAnzahl der bekannten Druckhoehen = %hd";
inline constexpr char kEchoViscosity[] = "\nkinematisch Vikosität= %6.3lf 10-6 m2/s";
inline constexpr char kEchoPipeHeader1[] =
    "\nStrangnr.|  KNA-KNE  |   Laenge  |Durchmesser|kswert| zeta |";
inline constexpr char kEchoPipeHeader2[] =
    "\n   [-]   |    [-]    |    [m]    |    [mm]   | [mm] |  [-] |";
inline constexpr char kEchoPipeRow[] =
    "\n %4.0lf    | %4.lf-%-4.0lf |%11.2lf|%11.2lf|%6.2lf|%6.2lf|";
inline constexpr char kEchoPumpType[] = "\nPumpentyp:  %s";
inline constexpr char kEchoPumpNodesLabel[] = "\n| KNA-KNE |";
inline constexpr char kEchoPumpNodes[] = "  %4.lf-%-4.0lf   |";
inline constexpr char kEchoPumpHeads[] = "\nh [m]    |\t";
inline constexpr char kEchoPumpFlows[] = "\nQ [l/s]  |\t";
inline constexpr char kEchoPumpValue[] = "%8.2lf|";
inline constexpr char kEchoKnownHeads[] = "Knotennummern mit ihren bekannten Druckhoehen in mNN:\n";
inline constexpr char kEchoInflows[] =
    "Wassereinspeisung (+) bzw. Entnahmen (-) in [l/s] je Knoten:\n";
inline constexpr char kEchoNodeValue[] = "  %3.0lf    |%11.2lf|";

// ---- Report: results --------------------------------------------------------------------
inline constexpr char kResultsDashes[] =
    "\n-------------------------------------------------------------------";
inline constexpr char kResultsTitle[] = "\nAusgabedaten:";
inline constexpr char kBoundExceeded1[] =
    "\nDie Anzahl der Iterarionsschritte überschreitet den gewählten Grenzwert.";
inline constexpr char kBoundExceeded2[] =
    "\nGeben Sie eine höhere Anzahl der möglichen Iterationsschritte ein!";
inline constexpr char kMaxIterations[] = "\nmaximale Anzahl der Iterationen= %hd";
inline constexpr char kPassesUsed[] = "\nAnzahl der benötigten Iterationsschritte = %hd\n";
inline constexpr char kNodeHeader1[] =
    "\n|Knotennr.|Energiehoehe|    hgeo    |   delta h  |Einspeisung|";
inline constexpr char kNodeHeader2[] =
    "\n|  [-]    |    [mNN]   |    [mNN]   |    [mWS]   |    [l/s]  |";
inline constexpr char kNodeRow[] = "\n|%4.0lf     |%12.3lf|%12.3lf|%12.3lf|%11.2lf| ";
inline constexpr char kPipeHeader1[] =
    "\n|Strangnr.|Durchfluss |Geschwindigk.|Gefaelle | delta h |Ant. zeta|";
inline constexpr char kPipeHeader2[] =
    "\n|   [-]   |   [l/s]   |    [m/s]    |   [%]   |   [m]   |   [m]   |";
inline constexpr char kPipeRow[] = "\n|%4.lf-%-4.0lf|%11.2lf|%13.2lf|%9.2lf|%9.2lf|%9.2lf|";
inline constexpr char kPumpHeader1[] = "\n|Pumpennr.|Durchfluss |   delta h |Pumpentyp";
inline constexpr char kPumpHeader2[] = "\n|   [-]   |   [l/s]   |    [-]    |   [-]";
inline constexpr char kPumpRow[] = "\n|%4.lf-%-4.0lf|%11.2lf|%11.2lf|  %s";
inline constexpr char kPumpOutOfRange1[] =
    "\nBetriebspunkt der Pumpe liegt nicht im Arbeitsbereich.";
inline constexpr char kPumpOutOfRange2[] = "\nStuetzwerte der Pumpenkennlinie pruefen!";

// ---- Graph data ("graphein.dat") ----------------------------------------------------------
inline constexpr char kGraphCount[] = "\n%hd\n";
inline constexpr char kGraphListCount[] = "%hd\n ";
inline constexpr char kGraphHead[] = "\n%11.3lf";
inline constexpr char kGraphPipe[] = "\n %11.2lf %13.2lf";

}  // namespace text

}  // namespace tarnholm
