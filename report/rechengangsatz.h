#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkor {

// In prose, a blank at which the line does not break, written as a blank.
inline constexpr char festesBlank = '~';

// The worked calculation's number rule. An examiner redoes every line with a
// pocket calculator, so an input is shown as stored: the shortest decimal that
// reads back as the value, at least two decimals (a typed 45.678 shows as
// typed). A value the run computed is rounded to six significant digits, with
// at least two decimals; the zeros that end it are left off when the value has
// no further digits. A line evaluated from the printed numbers then gives its
// printed result within the precision of those numbers.
std::string eingabetext(double wert, std::string_view trenner);
std::string ergebnistext(double wert, std::string_view trenner);

// The user's decimal separator in place of every point.
std::string mitTrenner(std::string_view text, std::string_view trenner);

// Sets the worked calculation's lines: at most 66 columns, CR LF after each;
// formulas broken before an operator, prose at blanks.
class Rechensatz {
public:
    explicit Rechensatz(std::string dezimaltrenner) : trenner_(std::move(dezimaltrenner)) {}

    const std::string& trenner() const { return trenner_; }
    std::string eingabe(double w) const { return eingabetext(w, trenner_); }
    std::string ergebnis(double w) const { return ergebnistext(w, trenner_); }
    // What a symbol stands for in later formulas.
    void setzeWert(std::string symbol, std::string text) { werte_[std::move(symbol)] = std::move(text); }

    void zeile(std::string_view text = {});
    void ueberschrift(std::string_view text);
    // Prose, broken at blanks (not at festesBlank); continuation lines indented
    // by `einzug`, at least 4, so that none reads as the first line of a formula.
    void absatz(std::string_view text, std::size_t einzug, std::string_view kopf = {});
    // One quantity: "  sym = formula", the formula with the values put in (left
    // out when the formula is one symbol) and "= result unit remark". The
    // operands stand for their symbols in this formula only.
    void rechne(std::string_view symbol, std::string_view formel, double wert, std::string_view einheit,
                std::string_view nachsatz = {}, const std::vector<std::pair<std::string_view, double>>& operanden = {});
    // A factor whose value is a rule, not a formula, with the reason.
    void fest(std::string_view symbol, double wert, std::string_view grund);

    std::string text() && { return std::move(t_); }

private:
    void formelzeile(const std::string& kopf, std::string rest);
    std::string einsetzen(std::string_view formel) const;

    std::string trenner_;
    std::string t_;
    // Every symbol with its value as printed, so later lines put in the same text.
    std::map<std::string, std::string, std::less<>> werte_;
};

} // namespace velkor
