#include "app/kommandozeile.h"

#include "engine/berechnung.h"
#include "project/projektdatei.h"
#include "report/bericht.h"
#include "report/meldung.h"
#include "report/rechengang.h"
#include "report/zusammenfassung.h"
#include "formular/formular.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

namespace velkor {

namespace {

std::string utf8(const QString& s) { return s.toStdString(); }

void melde(std::ostream& fehler, const QString& datei, std::string_view text)
{
    fehler << utf8(datei) << ": " << text << '\n';
}

int ausgangVon(const Urteil& u)
{
    switch (u.ausgang) {
    case Ausgang::ausreichend: return ausgang::ausreichend;
    case Ausgang::nichtAusreichend: return ausgang::unzureichend;
    case Ausgang::eingabenPruefen: return ausgang::eingabenPruefen;
    case Ausgang::nullteiler:
    case Ausgang::rechenfehler: break;
    }
    return ausgang::abgebrochen;
}

// A file loaded as the window's load command does it: read whole, then taken
// over by the window model, which recalculates.
struct Geladen {
    std::optional<Formular> formular; // nothing when the file could not be read
    std::string fehler;               // then the German reason
    Rechenlauf lauf;
};

Geladen lade(const QString& datei, const std::string& dezimaltrenner)
{
    Leseergebnis gelesen = ladeProjektdatei(utf8(datei));
    Geladen g;
    if (!gelesen.projekt) {
        g.fehler = std::move(gelesen.fehler);
        return g;
    }
    g.formular.emplace(dezimaltrenner);
    g.lauf = g.formular->uebernehme(*gelesen.projekt);
    return g;
}

// Tells on stderr what a calculation that is not plainly sufficient reported.
void meldeStatus(std::ostream& fehler, const QString& datei, const Urteil& u)
{
    if (ausgangVon(u) != ausgang::ausreichend)
        melde(fehler, datei, meldung(u));
}

// A file's report as "P" composes it, with the exit status it gives.
struct Bericht {
    // Nothing when the file could not be read, or the run stopped and the
    // section is not asked for.
    std::optional<std::string> text;
    int status = ausgang::ausreichend;
    std::optional<Rechenstand> stand; // what the drawing is made of; nothing for an unreadable file
    std::string ladefehler;
};

// Loads the file and composes its report as "P" does. With the section the text
// is the one the report window shows with "Rechengang" checked, for a run that
// stopped too.
Bericht berichtVon(const QString& datei, std::ostream& fehler, const std::string& dezimaltrenner, bool mitAbschnitt)
{
    Geladen g = lade(datei, dezimaltrenner);
    Bericht b;
    if (!g.formular) {
        melde(fehler, datei, g.fehler);
        b.status = ausgang::dateifehler;
        b.ladefehler = std::move(g.fehler);
        return b;
    }
    // The report command recalculates before it composes, as the button "P" does.
    b.text = g.formular->bericht();
    if (!b.text) {
        melde(fehler, datei, std::string(berichtVerweigert) + " (" + std::string(meldung(g.lauf.ausgang)) + ")");
        b.status = ausgang::abgebrochen;
    } else {
        meldeStatus(fehler, datei, g.formular->urteil());
        b.status = ausgangVon(g.formular->urteil());
    }
    b.stand = g.formular->rechenstand().value_or(Rechenstand{});
    if (mitAbschnitt)
        b.text = mitRechengang(b.text, g.formular->rechengang().value_or(""));
    return b;
}

int berichte(const QString& datei, std::ostream& aus, std::ostream& fehler,
             const std::string& dezimaltrenner, bool mitAbschnitt)
{
    const Bericht b = berichtVon(datei, fehler, dezimaltrenner, mitAbschnitt);
    if (b.text)
        aus << *b.text;
    return b.status;
}

// One file prints as "Drucken" would, or nothing; several print after their
// list, a file that cannot be read or a run that stopped named in it.
int druckeAlsPdf(const QString& ziel, const QStringList& dateien, std::ostream& fehler,
                 const std::string& dezimaltrenner, bool mitAbschnitt, const PdfAusgabe& pdf)
{
    std::vector<Bericht> berichte;
    int hoechster = ausgang::ausreichend;
    for (const QString& datei : dateien) {
        berichte.push_back(berichtVon(datei, fehler, dezimaltrenner, mitAbschnitt));
        hoechster = std::max(hoechster, berichte.back().status);
    }
    const bool einzeln = dateien.size() == 1;
    if (einzeln && !berichte.front().text)
        return hoechster;
    std::vector<Uebersichtseintrag> liste;
    std::vector<PdfTeil> teile;
    for (std::size_t i = 0; i < berichte.size(); ++i) {
        const Bericht& b = berichte[i];
        const std::string datei = utf8(dateien[qsizetype(i)]);
        liste.push_back({datei, b.stand ? &*b.stand : nullptr, b.ladefehler});
        if (b.stand)
            teile.push_back({datei, b.text.value_or(std::string(berichtVerweigert) + "\r\n"), *b.stand});
    }
    if (const std::optional<std::string> grund = pdf(utf8(ziel), einzeln ? std::string() : uebersicht(liste), teile)) {
        melde(fehler, ziel, "PDF nicht möglich: " + *grund);
        return ausgang::dateifehler;
    }
    return hoechster;
}

// The drawing is written for a calculation that stopped too: it shows the
// geometry and says why it has no areas.
int zeichne(const QString& ziel, const QString& datei, std::ostream& fehler, const std::string& dezimaltrenner,
            const SkizzenAusgabe& ausgabe)
{
    Geladen g = lade(datei, dezimaltrenner);
    if (!g.formular) {
        melde(fehler, datei, g.fehler);
        return ausgang::dateifehler;
    }
    meldeStatus(fehler, datei, g.formular->urteil());
    if (const std::optional<std::string> grund = ausgabe(utf8(ziel), g.formular->rechenstand().value_or(Rechenstand{}))) {
        melde(fehler, ziel, "Skizze nicht möglich: " + *grund);
        return ausgang::dateifehler;
    }
    return ausgangVon(g.formular->urteil());
}

int speichereAls(const QString& ziel, const QString& datei, std::ostream& fehler,
                 const std::string& dezimaltrenner)
{
    Geladen g = lade(datei, dezimaltrenner);
    if (!g.formular) {
        melde(fehler, datei, g.fehler);
        return ausgang::dateifehler;
    }
    meldeStatus(fehler, datei, g.formular->urteil());
    // The window's save after that load writes the stored values, whatever the run reached.
    const Speicherergebnis gespeichert = speichereProjektdatei(utf8(ziel), g.formular->projekt());
    if (!gespeichert.ok) {
        melde(fehler, ziel, "Speichern nicht möglich: " + gespeichert.fehler);
        return ausgang::dateifehler;
    }
    if (!gespeichert.ersetzteZeichen.empty())
        melde(fehler, ziel, "Gespeichert; ersetzt wurden diese Zeichen, die eine Projektdatei nicht aufnehmen kann: "
                                + sichtbareZeichen(gespeichert.ersetzteZeichen));
    return ausgangVon(g.formular->urteil());
}

QString farbname(Statusfarbe f)
{
    switch (f) {
    case Statusfarbe::rot:
        return QStringLiteral("rot");
    case Statusfarbe::gelb:
        return QStringLiteral("gelb");
    case Statusfarbe::normal:
        break;
    }
    return QStringLiteral("normal");
}

// The step a run ended in, as the engine names it.
QString schrittname(Schritt s)
{
    static constexpr std::array<const char*, 13> namen{
        "eingaben", "ableitung", "grundkoerper", "stutzen", "breite", "laenge", "As0",
        "As1",      "As2",       "Ap",           "pmaxFV",  "dmax",   "urteil",
    };
    return QString::fromLatin1(namen[static_cast<std::size_t>(s)]);
}

QJsonObject alsJson(const QString& datei, const Formular& f, const Rechenlauf& lauf)
{
    QJsonObject eingaben;
    QJsonObject ergebnisse;
    for (const Groesseninfo& i : groessen())
        (i.eingabe ? eingaben : ergebnisse)
            .insert(QString::fromUtf8(i.name.data(), qsizetype(i.name.size())), f.daten().*i.feld);
    eingaben.insert(QStringLiteral("zylinder"), f.zylinder());
    eingaben.insert(QStringLiteral("stutzen"), f.stutzen());
    eingaben.insert(QStringLiteral("scheibe"), f.scheibe());
    eingaben.insert(QStringLiteral("ausgehalst"), f.ausgehalst());
    QJsonObject zwischenwerte;
    for (std::size_t i = 0; i < anzahlZwischengroessen; ++i) {
        const auto g = static_cast<Zwischengroesse>(i);
        if (const std::optional<double> w = lauf.zwischenwerte[g])
            zwischenwerte.insert(QString::fromUtf8(name(g).data(), qsizetype(name(g).size())), *w);
    }
    const Urteil u = f.urteil();
    QJsonObject json{
        {QStringLiteral("datei"), datei},
        {QStringLiteral("status"), QString::fromStdString(meldung(u))},
        {QStringLiteral("statusfarbe"), farbname(statusfarbe(u.ausgang))},
        {QStringLiteral("berechnet"), lauf.berechnet()},
        {QStringLiteral("eingaben"), eingaben},
        {QStringLiteral("ergebnisse"), ergebnisse},
        {QStringLiteral("schritt"), schrittname(lauf.schritt)},
        {QStringLiteral("zwischenwerte"), zwischenwerte},
    };
    if (const Angaben& a = f.angaben(); a != Angaben{}) {
        const auto text = [](const std::string& t) { return QString::fromStdString(t); };
        json.insert(QStringLiteral("angaben"),
                    QJsonObject{{QStringLiteral("temperatur"), a.temperatur ? QJsonValue(*a.temperatur) : QJsonValue()},
                                {QStringLiteral("werkstoffe"),
                                 QJsonObject{{QStringLiteral("grundkoerper"), text(a.werkstoffGrundkoerper)},
                                             {QStringLiteral("stutzen"), text(a.werkstoffStutzen)},
                                             {QStringLiteral("scheibe"), text(a.werkstoffScheibe)}}}});
    }
    if (const std::optional<Rechenstand> r = f.rechenstand(); r && r->pruefung) {
        const Pruefzustand& p = *r->pruefung;
        QJsonObject werte;
        for (Groesse g : {Groesse::sG, Groesse::rG, Groesse::pmaxG, Groesse::sS, Groesse::rS, Groesse::pmaxS,
                          Groesse::b, Groesse::lsm, Groesse::As0, Groesse::As1, Groesse::As2, Groesse::Ap,
                          Groesse::rFV, Groesse::pmaxFV})
            if (p.lauf.gezeigt[static_cast<std::size_t>(g)])
                werte.insert(QString::fromUtf8(info(g).name.data(), qsizetype(info(g).name.size())), wert(p.lauf.daten, g));
        json.insert(QStringLiteral("pruefung"),
                    QJsonObject{{QStringLiteral("pT"), p.pT},
                                {QStringLiteral("pTMindest"), p.pTMindest},
                                {QStringLiteral("status"), QString::fromUtf8(meldung(p.lauf.ausgang))},
                                {QStringLiteral("ergebnisse"), werte}});
    }
    return json;
}

int alsJson(const QStringList& dateien, std::ostream& aus, std::ostream& fehler,
            const std::string& dezimaltrenner)
{
    int hoechster = ausgang::ausreichend;
    QJsonArray liste;
    for (const QString& datei : dateien) {
        const Geladen g = lade(datei, dezimaltrenner);
        if (!g.formular) {
            melde(fehler, datei, g.fehler);
            liste.append(QJsonObject{{QStringLiteral("datei"), datei},
                                     {QStringLiteral("fehler"), QString::fromStdString(g.fehler)}});
            hoechster = std::max(hoechster, ausgang::dateifehler);
            continue;
        }
        liste.append(alsJson(datei, *g.formular, g.lauf));
        hoechster = std::max(hoechster, ausgangVon(g.formular->urteil()));
    }
    aus << QJsonDocument(liste).toJson(QJsonDocument::Indented).toStdString();
    return hoechster;
}

// Also through a link: printing over the project file would destroy it.
bool dieselbeDatei(const QString& a, const QString& b)
{
    std::error_code fehler;
    return std::filesystem::equivalent(QFile::encodeName(a).toStdString(), QFile::encodeName(b).toStdString(),
                                       fehler);
}

struct Optionen {
    QCommandLineOption hilfe{QStringList{QStringLiteral("h"), QStringLiteral("hilfe"), QStringLiteral("help")}};
    QCommandLineOption bericht{QStringLiteral("bericht")};
    QCommandLineOption speichernAls{QStringLiteral("speichern-als"), QString(), QStringLiteral("AUS")};
    QCommandLineOption json{QStringLiteral("json")};
    QCommandLineOption alsPdf{QStringLiteral("pdf"), QString(), QStringLiteral("AUS")};
    QCommandLineOption alsSkizze{QStringLiteral("skizze"), QString(), QStringLiteral("AUS")};
    QCommandLineOption rechengang{QStringLiteral("rechengang")}; // goes with --bericht and --pdf

    bool zerlege(QCommandLineParser& parser, const QStringList& argumente) const
    {
        parser.addOptions({hilfe, bericht, speichernAls, json, alsPdf, alsSkizze, rechengang});
        // "-platform" is one unknown option, not the letters p, l, a, …
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        // QCommandLineParser expects the program name first.
        return parser.parse(QStringList{QStringLiteral("velkor")} + argumente);
    }
    int befehle(const QCommandLineParser& parser) const
    {
        return int(parser.isSet(bericht)) + int(parser.isSet(speichernAls)) + int(parser.isSet(json))
               + int(parser.isSet(alsPdf)) + int(parser.isSet(alsSkizze));
    }
};

int falscherAufruf(std::ostream& fehler, std::string_view grund)
{
    fehler << "velkor: " << grund << "\n\n" << benutzung();
    return ausgang::falscherAufruf;
}

} // namespace

std::string benutzung()
{
    return "Aufruf:\n"
           "  velkor --bericht DATEI.vlk\n"
           "      gibt den Rechenbericht der Datei aus (UTF-8, Zeilenende CR LF)\n"
           "  velkor --speichern-als AUS.vlk DATEI.vlk\n"
           "      lädt die Datei, rechnet neu und speichert sie als AUS.vlk\n"
           "  velkor --json DATEI.vlk [DATEI.vlk ...]\n"
           "      Status, Eingaben, ungerundete Ergebnisse und Zwischenwerte aller Dateien\n"
           "      als JSON\n"
           "  velkor --pdf AUS.pdf DATEI.vlk [DATEI.vlk ...]\n"
           "      druckt Rechenbericht, Skizze und Zusammenfassung jeder Datei in AUS.pdf, wie\n"
           "      \"Drucken\" sie setzt; bei mehreren Dateien zuerst eine Übersicht, Seiten durchgezählt\n"
           "  velkor --skizze AUS.svg DATEI.vlk   (oder AUS.png)\n"
           "      zeichnet die Skizze des Ausschnitts mit den angerechneten Flächen allein\n"
           "  --rechengang (zu --bericht oder --pdf)\n"
           "      hängt den Rechengang an: jede Größe mit Formel, Werten und Ergebnis;\n"
           "      bei abgebrochener Berechnung bis zum Abbruch (Rückgabewert 3)\n"
           "\n"
           "Rückgabewert (der höchste zählt):\n"
           "  0  alle Auslegungen ausreichend\n"
           "  1  eine Auslegung nicht ausreichend dimensioniert\n"
           "  2  Eingaben überprüfen\n"
           "  3  Berechnung abgebrochen\n"
           "  4  Datei fehlt, ist nicht lesbar oder nicht schreibbar\n"
           "  64 falscher Aufruf\n";
}

namespace {

bool istUtf8(QByteArrayView bytes) { return QString::fromUtf8(bytes).toUtf8() == bytes; }

// Valid characters as they are, every other byte as "\xE9".
std::string sichtbar(std::string_view bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t laenge = 4;
        while (laenge > 0 && (i + laenge > bytes.size() || !istUtf8(QByteArrayView(bytes.substr(i, laenge)))))
            --laenge;
        if (laenge > 0) {
            text.append(bytes.substr(i, laenge));
            i += laenge;
        } else {
            constexpr char hex[] = "0123456789ABCDEF";
            const auto b = static_cast<unsigned char>(bytes[i++]);
            text += std::string("\\x") + hex[b >> 4] + hex[b & 15];
        }
    }
    return text;
}

} // namespace

std::optional<QStringList> argumenteAlsText(int argc, const char* const* argv, std::ostream& fehler)
{
    QStringList argumente;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        if (!istUtf8(bytes)) {
            falscherAufruf(fehler, "Das Argument „" + sichtbar(argv[i])
                                       + "“ ist kein gültiges UTF-8; Dateinamen müssen in UTF-8 geschrieben sein.");
            return std::nullopt;
        }
        argumente << QString::fromUtf8(bytes);
    }
    return argumente;
}

std::optional<QStringList> fensterdateien(const QStringList& argumente)
{
    const Optionen o;
    QCommandLineParser parser;
    if (!o.zerlege(parser, argumente) || o.befehle(parser) > 0 || parser.isSet(o.hilfe)
        || parser.isSet(o.rechengang))
        return std::nullopt;
    return parser.positionalArguments();
}

namespace {

std::optional<int> befehl(const QStringList& argumente, std::ostream& aus, std::ostream& fehler,
                          const std::string& dezimaltrenner, const PdfAusgabe& pdf, const SkizzenAusgabe& skizze)
{
    const Optionen o;
    const auto& [hilfe, bericht, speichernAls, json, alsPdf, alsSkizze, rechengang] = o;
    QCommandLineParser parser;
    if (!o.zerlege(parser, argumente)) {
        const QStringList unbekannt = parser.unknownOptionNames();
        if (!unbekannt.isEmpty()) {
            // Named as it was typed, with one dash or two.
            const QString& name = unbekannt.front();
            QString getippt = "--" + name;
            for (const QString& a : argumente)
                if (a == "-" + name || a.startsWith("-" + name + "="))
                    getippt = "-" + name;
            return falscherAufruf(fehler, "Unbekannte Option: " + utf8(getippt));
        }
        // An option with a value came last, without it.
        const QString zuletzt = argumente.isEmpty() ? QString() : argumente.last();
        const bool mitWert = zuletzt == QStringLiteral("--pdf") || zuletzt == QStringLiteral("--skizze");
        return falscherAufruf(fehler, "Nach " + (mitWert ? utf8(zuletzt) : std::string("--speichern-als"))
                                          + " fehlt der Name der Zieldatei.");
    }
    if (parser.isSet(hilfe)) {
        aus << benutzung();
        return ausgang::ausreichend;
    }

    const QStringList dateien = parser.positionalArguments();
    const int befehle = o.befehle(parser);
    const bool mitAbschnitt = parser.isSet(rechengang);
    if (mitAbschnitt && befehle == 1 && !parser.isSet(bericht) && !parser.isSet(alsPdf))
        return falscherAufruf(fehler, "--rechengang geht nur mit --bericht oder --pdf.");
    if (mitAbschnitt && befehle == 0)
        return falscherAufruf(fehler, "--rechengang braucht --bericht oder --pdf.");
    if (befehle == 0)
        return std::nullopt;
    if (befehle > 1)
        return falscherAufruf(fehler,
                              "Nur einer der Befehle --bericht, --speichern-als, --json, --pdf und --skizze ist möglich.");

    if (parser.isSet(json) || parser.isSet(alsPdf)) {
        const char* befehl = parser.isSet(json) ? "--json" : "--pdf";
        if (dateien.isEmpty())
            return falscherAufruf(fehler, std::string(befehl) + " braucht mindestens eine Datei.");
        if (parser.isSet(json))
            return alsJson(dateien, aus, fehler, dezimaltrenner);
    }
    const char* befehl = parser.isSet(bericht)     ? "--bericht"
                         : parser.isSet(alsPdf)    ? "--pdf"
                         : parser.isSet(alsSkizze) ? "--skizze"
                                                   : "--speichern-als";
    if (dateien.size() != 1 && !parser.isSet(alsPdf))
        return falscherAufruf(fehler, std::string(befehl) + " braucht genau eine Datei.");
    if (parser.isSet(bericht))
        return berichte(dateien.front(), aus, fehler, dezimaltrenner, mitAbschnitt);
    // The other three write one target file.
    const QStringList ziele = parser.values(parser.isSet(alsPdf)      ? alsPdf
                                            : parser.isSet(alsSkizze) ? alsSkizze
                                                                      : speichernAls);
    if (ziele.size() != 1 || ziele.front().isEmpty())
        return falscherAufruf(fehler, std::string(befehl) + " braucht genau eine Zieldatei.");
    const QString& ziel = ziele.front();
    if (parser.isSet(speichernAls))
        return speichereAls(ziel, dateien.front(), fehler, dezimaltrenner);
    if (parser.isSet(alsPdf) ? !pdf : !skizze)
        return falscherAufruf(fehler, std::string(befehl) + " ist in diesem Programm nicht verfügbar.");
    if (std::ranges::any_of(dateien, [&](const QString& datei) { return dieselbeDatei(ziel, datei); }))
        return falscherAufruf(fehler, "Die Zieldatei von " + std::string(befehl)
                                          + (dateien.size() == 1 ? " ist die Projektdatei selbst."
                                                                 : " ist eine der Projektdateien."));
    if (parser.isSet(alsPdf))
        return druckeAlsPdf(ziel, dateien, fehler, dezimaltrenner, mitAbschnitt, pdf);
    const QString endung = QFileInfo(ziel).suffix().toLower();
    if (endung != QStringLiteral("svg") && endung != QStringLiteral("png"))
        return falscherAufruf(fehler, "Die Zieldatei von --skizze muss auf .svg oder .png enden.");
    return zeichne(ziel, dateien.front(), fehler, dezimaltrenner, skizze);
}

} // namespace

std::optional<int> kommandozeile(const QStringList& argumente, std::ostream& aus,
                                 std::ostream& fehler, const std::string& dezimaltrenner,
                                 const PdfAusgabe& pdf, const SkizzenAusgabe& skizze)
{
    std::optional<int> status = befehl(argumente, aus, fehler, dezimaltrenner, pdf, skizze);
    // A report or a list that did not reach its reader (a full disk, a closed
    // pipe) must not end as if it had.
    if (status && !aus.flush()) {
        fehler << "velkor: Die Ausgabe kann nicht geschrieben werden.\n";
        status = std::max(*status, ausgang::dateifehler);
    }
    return status;
}

} // namespace velkor
