#pragma once

#include "report/konstruktion.h"

#include <optional>
#include <string>
#include <vector>

namespace velkor {

// The construction on the sheet at one trial scale: the shapes mapped through
// the view, the break, axes, dimensions and their labels, each label at the
// first free place beside its dimension.

// Sheet measures in mm. The report's face ("Courier New", here Liberation Mono)
// advances every character by 0.6 em, so text widths are known without a toolkit.
inline constexpr double vorschub = 0.6;
inline constexpr double schrift = 2.5;
inline constexpr double titelschrift = 3.5;
inline constexpr double blattrand = 5;
inline constexpr double massabstand = 5;
inline constexpr double bruchluecke = 6;
inline constexpr double musterbreite = 6;

double textbreite(std::string_view t, double g);
double texthoehe(double g);
// Cuts a text to the width with an ellipsis rather than letting it run off the sheet.
std::string kuerze(const std::string& t, double breite, double g);
// A value as the report prints it, two decimals.
std::string zahl(double wert, const std::string& trenner);

struct Kandidat {
    Punkt anker;
    int ausrichtungX; // -1: text ends at the anchor, 0: centred, 1: text starts there
    int ausrichtungY; // -1: text above the anchor, 0: centred, 1: below
};

// Dimensions, labels and lines for one trial scale; kept when everything fits.
struct Blattinhalt {
    Ansicht ansicht;
    std::vector<Linie> linien;
    std::vector<Pfeil> pfeile;
    std::vector<Bogen> boegen;
    std::vector<Text> texte;
    std::vector<std::vector<Punkt>> hindernisse; // walls on the sheet, kept free of text
    std::optional<Rechteck> bruchband;
    std::optional<Rechteck> formen; // the shapes alone
    std::optional<Rechteck> umfang; // everything

    void erfasse(const Rechteck& r) { umfang = vereint(umfang, r); }
    void linie(Strich s, std::vector<Punkt> punkte);
    // Whether a text's box would touch no text, wall, line or the break; lines
    // of the given kinds may run under it.
    enum class Linienrang { keine, mittellinien, alle };
    bool frei(const Rechteck& r, Linienrang ueber = Linienrang::keine) const;
    // Puts the text at the first free place among the candidates; a label of
    // the dimension or angle `bezug` then at the first free place beside it;
    // else at the first candidate.
    void setzeText(const std::string& text, const std::vector<Kandidat>& kandidaten, double g = schrift,
                   std::optional<std::pair<Punkt, Punkt>> bezug = std::nullopt);
    void pfeil(Punkt spitze, Punkt richtung);
    // A dimension between the sheet points a and b, its line moved by `versatz`
    // (sheet mm) off them, with extension lines where it is moved.
    void bemasse(Punkt a, Punkt b, Punkt versatz, const std::string& text);
    void verschiebe(Punkt d);
};

class Zeichner {
public:
    // kompakt: a small sheet, whose dimensions carry their symbols only.
    Zeichner(const Rechenstand& q, const Konstruktion& k, bool kompakt)
        : q_(q), k_(k), trenner_(q.daten.dezimaltrenner), kompakt_(kompakt)
    {
    }

    // Everything on the sheet at this scale, with the true origin at (0, 0).
    Blattinhalt lege(double massstab, const std::optional<Bruch>& bruch) const;

private:
    void flaechenUndBruch(Blattinhalt& z) const;
    void achsen(Blattinhalt& z) const;
    void masseStutzen(Blattinhalt& z) const;
    void masseGrundkoerper(Blattinhalt& z) const;

    std::string text(const std::string& voll, const std::string& kurz) const { return kompakt_ ? kurz : voll; }

    const Rechenstand& q_;
    const Konstruktion& k_;
    std::string trenner_;
    bool kompakt_;
};

} // namespace velkor
