#include "window/formvelkor.h"

#include "window/formergebnisausgabe.h"
#include "window/schrift.h"
#include "window/symbol.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace velkor {

namespace {

enum Rahmen { Mantel, Betrieb, ProjektRahmen, Stutzen, Scheibe, Ergebnis, Flaechenvergleich };

struct Rahmenort {
    const char* name;
    const char* titel;
    QRect ort;
};

// Positions in pixels at 96 dpi, relative to the window's client area.
const std::array<Rahmenort, 7> rahmenorte{{
    {"FrameMantel", "Grundkörper", {8, 8, 161, 201}},
    {"FrameBetrieb", "Betriebsdaten", {8, 216, 161, 41}},
    {"FrameProjekt", "Projekt", {8, 256, 161, 73}},
    // The leading blanks leave room for the check box on the frame's corner.
    {"FrameStutzen", "   Stutzen", {184, 8, 163, 225}},
    {"FrameScheibe", "   Verstärkungsscheibe", {184, 240, 163, 89}},
    {"FrameErgebnis", "Ergebnisse Innendruck", {360, 8, 177, 129}},
    {"FrameFlaechenvergleich", "Flächenvergleich", {360, 144, 177, 153}},
}};

constexpr int kastenhoehe = 19;

struct Kastenort {
    Kasten kasten;
    Rahmen rahmen;
    int x, y, breite;
};

// Every box, in no particular order; positions relative to its frame.
const std::array<Kastenort, anzahlKaesten> kastenorte{{
    {Kasten::TextDa, Mantel, 79, 24, 60},
    {Kasten::Texts, Mantel, 79, 40, 60},
    {Kasten::Textc1, Mantel, 79, 56, 60},
    {Kasten::Textc2, Mantel, 79, 75, 60},
    {Kasten::Textv, Mantel, 79, 93, 60},
    {Kasten::TextK, Mantel, 79, 112, 60},
    {Kasten::TextSi, Mantel, 79, 128, 60},
    {Kasten::TextDruck, Betrieb, 80, 16, 60},
    {Kasten::TextBez, ProjektRahmen, 55, 16, 100},
    {Kasten::TextNummer, ProjektRahmen, 55, 32, 100},
    {Kasten::TextBearb, ProjektRahmen, 55, 48, 100},
    {Kasten::TextDas, Stutzen, 79, 24, 60},
    {Kasten::Textss, Stutzen, 79, 40, 60},
    {Kasten::Textc1s, Stutzen, 79, 56, 60},
    {Kasten::Textc2s, Stutzen, 79, 75, 60},
    {Kasten::TextKs, Stutzen, 79, 96, 60},
    {Kasten::TextSis, Stutzen, 79, 112, 60},
    {Kasten::Textls, Stutzen, 79, 128, 60},
    {Kasten::Textlsstrich, Stutzen, 79, 144, 60},
    {Kasten::Textx, Stutzen, 79, 160, 60},
    {Kasten::Textphi, Stutzen, 79, 176, 60},
    {Kasten::Textb, Scheibe, 79, 16, 60},
    {Kasten::Texth, Scheibe, 79, 32, 60},
    {Kasten::TextKScheibe, Scheibe, 79, 48, 60},
    {Kasten::TextSiScheibe, Scheibe, 79, 67, 60},
    {Kasten::TextErgebnisgk, Ergebnis, 64, 32, 50},
    {Kasten::TextErgebnisstutzen, Ergebnis, 120, 32, 50},
    {Kasten::TextErgebnisgkprozent, Ergebnis, 64, 48, 50},
    {Kasten::TextErgebnisstutzenprozent, Ergebnis, 120, 48, 50},
    {Kasten::TextErgebnisb, Ergebnis, 64, 64, 50},
    {Kasten::TextErgebnisls, Ergebnis, 120, 83, 50},
    {Kasten::Textpmaxgk, Ergebnis, 64, 104, 50},
    {Kasten::Textpmaxs, Ergebnis, 120, 104, 50},
    {Kasten::TextAs0, Flaechenvergleich, 80, 24, 89},
    {Kasten::TextAs1, Flaechenvergleich, 80, 40, 89},
    {Kasten::TextAs2, Flaechenvergleich, 80, 56, 89},
    {Kasten::TextAp, Flaechenvergleich, 80, 72, 89},
    {Kasten::TextFVprozent, Flaechenvergleich, 96, 90, 73},
    {Kasten::Textpmaxfv, Flaechenvergleich, 96, 108, 73},
    {Kasten::Textdmax, Flaechenvergleich, 96, 125, 73},
}};

struct Beschriftung {
    Rahmen rahmen;
    const char* text;
    int x, y, breite;
    const char* tooltip = nullptr;
};

// Labels stand on their row and are as high as a box, so their text lines up with the box's.
const Beschriftung beschriftungen[] = {
    {Mantel, "Da [mm]", 16, 24, 50},
    {Mantel, "s [mm]", 16, 40, 50},
    {Mantel, "c1 [mm]", 16, 56, 50},
    {Mantel, "c2 [mm]", 16, 75, 50},
    {Mantel, "v [-]", 16, 93, 50},
    {Mantel, "K [N/mm²]", 16, 112, 50},
    {Mantel, "S [-]", 16, 128, 50},
    {Betrieb, "Druck [bar]", 8, 16, 70},
    {ProjektRahmen, "Bez.:", 8, 16, 46},
    {ProjektRahmen, "Nummer:", 8, 32, 46},
    {ProjektRahmen, "Bearb.:", 8, 48, 46},
    {Stutzen, "Da [mm]", 16, 24, 50},
    {Stutzen, "s [mm]", 16, 40, 50},
    {Stutzen, "c1 [mm]", 16, 56, 50},
    {Stutzen, "c2 [mm]", 16, 75, 50},
    {Stutzen, "K [N/mm²]", 16, 96, 50},
    {Stutzen, "S [-]", 16, 112, 50},
    {Stutzen, "ls [mm]", 24, 128, 42},
    {Stutzen, "ls' [mm]", 24, 144, 42},
    {Stutzen, "x [mm]", 24, 160, 42},
    {Stutzen, "phi [°]", 24, 176, 42},
    {Scheibe, "b [mm]", 24, 16, 42},
    {Scheibe, "h [mm]", 24, 32, 42},
    {Scheibe, "K [N/mm²]", 16, 48, 50},
    {Scheibe, "S [-]", 16, 67, 50},
    {Ergebnis, "Grundk.", 64, 13, 50},
    {Ergebnis, "Stutzen", 124, 13, 46},
    {Ergebnis, "s [mm]", 8, 32, 56},
    {Ergebnis, "[%]", 8, 48, 56},
    {Ergebnis, "b [mm]", 8, 64, 56},
    {Ergebnis, "ls [mm]", 8, 83, 56},
    {Ergebnis, "pmax [bar]", 3, 104, 61},
    {Flaechenvergleich, "As0 [mm²]", 16, 24, 64},
    {Flaechenvergleich, "As1 [mm²]", 16, 40, 64},
    {Flaechenvergleich, "As2 [mm²]", 16, 56, 64},
    {Flaechenvergleich, "Ap  [mm²]", 16, 72, 64},
    {Flaechenvergleich, "[%]", 27, 90, 69},
    {Flaechenvergleich, "pmax [bar]", 13, 108, 83},
    {Flaechenvergleich, "dmax [mm]", 13, 125, 83, "Maximaler unverstärkter Ausschnitt [mm]"},
};

// The order of Tab; disabled controls are skipped by the toolkit.
constexpr std::array eingabenVorDenSchaltern{
    Kasten::TextDa, Kasten::Texts, Kasten::Textc1, Kasten::Textc2,
    Kasten::Textv, Kasten::TextK, Kasten::TextSi,
};
constexpr std::array ergebnisfolge{
    Kasten::TextErgebnisgk, Kasten::TextErgebnisstutzen, Kasten::TextErgebnisgkprozent,
    Kasten::TextErgebnisstutzenprozent, Kasten::TextErgebnisls, Kasten::TextErgebnisb,
    Kasten::Textpmaxs, Kasten::Textpmaxgk, Kasten::TextAs0, Kasten::TextAs1, Kasten::TextAs2,
    Kasten::TextAp, Kasten::Textpmaxfv, Kasten::TextFVprozent, Kasten::Textdmax,
};

const QColor ergebnisblau(0, 0, 255);
const QColor reservegruen(0, 192, 0);
const QColor reserverot(192, 0, 0);

QColor farbe(Reservefarbe f) { return f == Reservefarbe::rot ? reserverot : reservegruen; }

QColor farbe(Statusfarbe f)
{
    switch (f) {
    case Statusfarbe::rot: return QColor(192, 0, 0);
    case Statusfarbe::gelb: return QColor(255, 255, 0);
    case Statusfarbe::normal: break;
    }
    return QApplication::palette().color(QPalette::Button);
}

void setzeTextfarbe(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    if (p.color(QPalette::Text) == c)
        return;
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

QString qt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Frame captions start a little way in, as the layout expects: the check boxes on
// the nozzle and pad frames cover only the captions' leading blanks.
class Rahmenstil : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* option, SubControl sc,
                         const QWidget* widget) const override
    {
        QRect r = QProxyStyle::subControlRect(cc, option, sc, widget);
        if (cc == CC_GroupBox && sc == SC_GroupBoxLabel)
            r.translate(8, 0);
        return r;
    }
};

// One for the whole program; it outlives every window.
QStyle* rahmenstil()
{
    static QPointer<QStyle> stil;
    if (!stil) {
        stil = new Rahmenstil;
        stil->setParent(QCoreApplication::instance());
    }
    return stil;
}

constexpr int fensterbreite = 544;
constexpr int statuszeileY = 368;
constexpr int fensterhoehe = 388;

} // namespace

FormVelkor::FormVelkor(Dialoge& dialoge, const QString& dezimaltrenner, QWidget* parent)
    : QWidget(parent)
    , formular_(dezimaltrenner.toStdString())
    , dialoge_(dialoge)
    , befehle_(formular_, dialoge)
{
    setObjectName("FormVelkor");
    setWindowTitle("Velkor");
    setWindowIcon(programmsymbol());
    setFixedSize(fensterbreite, fensterhoehe);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(oberflaechenschrift());

    erzeugeRahmen();
    erzeugeEingabefelder();
    erzeugeSchalter();
    erzeugeKnoepfe();
    erzeugeStatuszeile();
    setzeTabfolge();
    verbindeSignale();

    // The first box holds the focus at start; its focus behaviour runs at once.
    formular_.fokusErhalten(Kasten::TextDa);
    zeigeModell();
    QLineEdit* erster = kaesten_[static_cast<std::size_t>(Kasten::TextDa)];
    erster->setFocus(Qt::OtherFocusReason);
    erster->selectAll();
}

// Hiding sends a focus-out to the focused box; it must arrive while the model still exists.
FormVelkor::~FormVelkor() { hide(); }

void FormVelkor::erzeugeRahmen()
{
    for (std::size_t i = 0; i < rahmenorte.size(); ++i) {
        auto* r = new QGroupBox(QString::fromUtf8(rahmenorte[i].titel), this);
        r->setObjectName(rahmenorte[i].name);
        r->setGeometry(rahmenorte[i].ort);
        r->setStyle(rahmenstil());
        rahmen_[i] = r;
    }
    for (const Beschriftung& b : beschriftungen) {
        auto* l = new QLabel(QString::fromUtf8(b.text), rahmen_[b.rahmen]);
        l->setGeometry(b.x, b.y, b.breite, kastenhoehe);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (b.tooltip)
            l->setToolTip(QString::fromUtf8(b.tooltip));
    }
}

void FormVelkor::erzeugeEingabefelder()
{
    for (const Kastenort& o : kastenorte) {
        const Kasteninfo& k = info(o.kasten);
        auto* box = new QLineEdit(qt(k.starttext), rahmen_[o.rahmen]);
        box->setObjectName(qt(k.name));
        box->setGeometry(o.x, o.y, o.breite, kastenhoehe);
        box->setToolTip(qt(k.tooltip));
        box->installEventFilter(this);
        if (k.art == Kastenart::ergebnis)
            setzeTextfarbe(box, ergebnisblau);
        kaesten_[static_cast<std::size_t>(o.kasten)] = box;
    }
}

void FormVelkor::erzeugeSchalter()
{
    QWidget* mantel = rahmen_[Mantel];
    optionZylinder_ = new QRadioButton("Zylinder", mantel);
    optionZylinder_->setObjectName("OptionZylinder");
    optionZylinder_->setGeometry(80, 160, 65, 13);
    optionKugel_ = new QRadioButton("Kugel", mantel);
    optionKugel_->setObjectName("OptionKugel");
    optionKugel_->setGeometry(80, 176, 65, 13);
    optionZylinder_->setChecked(true);

    checkStutzen_ = new QCheckBox(rahmen_[Stutzen]);
    checkStutzen_->setObjectName("CheckStutzen");
    checkStutzen_->setGeometry(0, 0, 17, 17);

    checkAusgehalst_ = new QCheckBox("ausgehalst", rahmen_[Stutzen]);
    checkAusgehalst_->setObjectName("Checkausgehalst");
    checkAusgehalst_->setGeometry(80, 200, 73, 17);
    checkAusgehalst_->setToolTip(qt(ausgehalstText));

    // A child of the window that sits on the pad frame's corner, above the frame.
    checkScheibe_ = new QCheckBox(this);
    checkScheibe_->setObjectName("CheckScheibe");
    checkScheibe_->setGeometry(184, 240, 17, 17);
    checkScheibe_->raise();

    checkDateiname_ = new QCheckBox("Dateinamen automatisch generieren", this);
    checkDateiname_->setObjectName("Checkdateiname");
    checkDateiname_->setGeometry(256, 344, 209, 17);
    checkDateiname_->setChecked(true);
}

void FormVelkor::erzeugeKnoepfe()
{
    auto knopf = [this](const char* name, const char* text, const char* tooltip, QRect ort, QKeySequence taste = {}) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setToolTip(QString::fromUtf8(tooltip));
        b->setGeometry(ort);
        // Enter on a focused button presses that button, as everywhere on this desktop.
        b->setAutoDefault(true);
        // The desktop's usual key, named in the tooltip; the one-letter caption stays as it is.
        if (!taste.isEmpty()) {
            b->setToolTip(b->toolTip() + QStringLiteral(" (")
                          + taste.toString(QKeySequence::PortableText).replace(QStringLiteral("Ctrl+"), QStringLiteral("Strg+"))
                          + QLatin1Char(')'));
            connect(new QShortcut(taste, this), &QShortcut::activated, b, &QAbstractButton::click);
        }
        return b;
    };
    commandTextdatei_ = knopf("CommandTextdatei", "P", "Print: Ergebnisausgabe", {384, 304, 25, 25}, QKeySequence::Print);
    commandLaden_ = knopf("CommandLaden", "L", "Laden", {416, 304, 25, 25}, QKeySequence::Open);
    commandSpeichern_ = knopf("CommandSpeichern", "S", "Speichern", {448, 304, 25, 25}, QKeySequence::Save);
    commandLoeschen_ = knopf("CommandLoeschen", "C", "Clear: Sämtliche Eingaben löschen", {480, 304, 25, 25});
    commandBerechnen_ = knopf("CommandBerechnen", "=", "Berechnung", {512, 304, 25, 25}, Qt::Key_F9);
    commandOK_ = knopf("CommandOK", "Beenden", "Zurück zum Hauptmenü", {480, 336, 57, 25});
    // Enter anywhere else presses "=" (see keyPressEvent).
    commandBerechnen_->setDefault(true);
}

void FormVelkor::erzeugeStatuszeile()
{
    statusBar_ = new QLabel(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setGeometry(8, statuszeileY, 528, 17);
    statusBar_->setAutoFillBackground(true);
    statusBar_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FormVelkor::setzeTabfolge()
{
    std::vector<QWidget*> folge;
    auto box = [this](Kasten k) { return kaesten_[static_cast<std::size_t>(k)]; };
    for (Kasten k : eingabenVorDenSchaltern)
        folge.push_back(box(k));
    // The option group is one stop; the toolkit moves Tab to its selected button.
    folge.push_back(optionZylinder_);
    folge.push_back(optionKugel_);
    for (Kasten k : {Kasten::TextDruck, Kasten::TextBez, Kasten::TextNummer, Kasten::TextBearb})
        folge.push_back(box(k));
    folge.push_back(checkStutzen_);
    for (Kasten k : stutzenKaesten)
        folge.push_back(box(k));
    folge.push_back(checkAusgehalst_);
    folge.push_back(checkScheibe_);
    for (Kasten k : scheibenKaesten)
        folge.push_back(box(k));
    for (QPushButton* b : {commandTextdatei_, commandLaden_, commandSpeichern_, commandLoeschen_,
                           commandBerechnen_})
        folge.push_back(b);
    // The result boxes take part so that their values can be reached and copied by keyboard.
    for (Kasten k : ergebnisfolge)
        folge.push_back(box(k));
    folge.push_back(commandOK_);
    folge.push_back(checkDateiname_);
    for (std::size_t i = 1; i < folge.size(); ++i)
        setTabOrder(folge[i - 1], folge[i]);
}

void FormVelkor::verbindeSignale()
{
    for (const Kasteninfo& k : kaesten()) {
        QLineEdit* box = kaesten_[static_cast<std::size_t>(k.kasten)];
        const Kasten kasten = k.kasten;
        connect(box, &QLineEdit::textChanged, this, [this, kasten](const QString& text) {
            if (zeigt_ > 0)
                return;
            // Typing after a command left the box makes its next leaving count again.
            if (schonVerlassen_ == kasten)
                schonVerlassen_.reset();
            formular_.tippe(kasten, text.toStdString());
            zeigeModell();
        });
    }
    auto schalter = [this](QAbstractButton* knopf, void (Formular::*setze)(bool)) {
        connect(knopf, &QAbstractButton::toggled, this, [this, setze](bool an) {
            if (zeigt_ > 0)
                return;
            (formular_.*setze)(an);
            zeigeModell();
        });
    };
    schalter(checkStutzen_, &Formular::setzeStutzen);
    schalter(checkScheibe_, &Formular::setzeScheibe);
    schalter(checkAusgehalst_, &Formular::setzeAusgehalst);
    schalter(checkDateiname_, &Formular::setzeDateinameAutomatisch);
    // Deselecting an option runs nothing; selecting one sets the shape.
    connect(optionZylinder_, &QRadioButton::toggled, this, [this](bool an) {
        if (an && zeigt_ == 0) {
            formular_.setzeZylinder(true);
            zeigeModell();
        }
    });
    connect(optionKugel_, &QRadioButton::toggled, this, [this](bool an) {
        if (an && zeigt_ == 0) {
            formular_.setzeZylinder(false);
            zeigeModell();
        }
    });

    connect(commandBerechnen_, &QPushButton::clicked, this, [this] { fuehreAus([this] { formular_.berechne(); }); });
    connect(commandTextdatei_, &QPushButton::clicked, this, [this] { fuehreAus([this] { ausgeben(); }); });
    connect(commandLaden_, &QPushButton::clicked, this, [this] { fuehreAus([this] { befehle_.laden(); }); });
    connect(commandSpeichern_, &QPushButton::clicked, this,
            [this] { fuehreAus([this] { befehle_.speichern(); }); });
    connect(commandLoeschen_, &QPushButton::clicked, this,
            [this] { fuehreAus([this] { befehle_.loeschen(); }); });
    connect(commandOK_, &QPushButton::clicked, this, &QWidget::close);
}

template <typename Befehl> void FormVelkor::fuehreAus(Befehl befehl)
{
    verlasseFokuskasten();
    befehl();
    zeigeModell();
}

void FormVelkor::verlasseFokuskasten()
{
    // Also while another window is the active one (the window closed from the
    // task bar, or a button clicked, while the report window has the focus).
    if (!offen_)
        return;
    verlasse(*offen_);
    schonVerlassen_ = offen_;
}

void FormVelkor::verlasse(Kasten k)
{
    if (schonVerlassen_ == k)
        return;
    formular_.fokusVerloren(k);
    zeigeModell();
}

void FormVelkor::ausgeben()
{
    const std::optional<std::string> text = formular_.bericht();
    // Without the section a stopped run leaves the report window as it is.
    if (!text && !FormErgebnisausgabe::rechengangGewaehlt())
        return;
    if (!ergebnisausgabe_)
        ergebnisausgabe_ = std::make_unique<FormErgebnisausgabe>(dialoge_);
    const QString abschnitt = QString::fromStdString(formular_.rechengang().value_or(std::string()));
    // Every printed page names the file; a printout of changed or unsaved work says so.
    const std::string datei = befehle_.datei().empty() ? "nicht gespeichert"
                              : formular_.geaendert() ? befehle_.datei() + " (geändert)"
                                                      : befehle_.datei();
    if (text)
        ergebnisausgabe_->zeigeBericht(QString::fromStdString(*text), abschnitt, formular_.rechenstand(),
                                       QString::fromStdString(datei));
    else
        ergebnisausgabe_->zeigeAbbruch(abschnitt, formular_.rechenstand(), QString::fromStdString(datei));
}

bool FormVelkor::lade(const std::string& pfad)
{
    const bool ok = befehle_.laden(pfad);
    zeigeModell();
    return ok;
}

std::optional<Kasten> FormVelkor::kastenDes(const QObject* objekt) const
{
    for (std::size_t i = 0; i < kaesten_.size(); ++i)
        if (kaesten_[i] == objekt)
            return static_cast<Kasten>(i);
    return std::nullopt;
}

bool FormVelkor::eventFilter(QObject* objekt, QEvent* ereignis)
{
    const bool hinein = ereignis->type() == QEvent::FocusIn;
    if (!hinein && ereignis->type() != QEvent::FocusOut)
        return QWidget::eventFilter(objekt, ereignis);
    const auto k = kastenDes(objekt);
    if (!k)
        return QWidget::eventFilter(objekt, ereignis);
    // A context menu or another window taking the focus for a while is no leaving.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
    const bool voruebergehend = grund == Qt::PopupFocusReason || grund == Qt::ActiveWindowFocusReason;

    auto* box = static_cast<QLineEdit*>(objekt);
    if (hinein) {
        const std::optional<Kasten> vorher = std::exchange(offen_, k);
        // A click while another window was active moved the focus here without
        // a focus-out for the box before: that box is left now.
        if (vorher && vorher != k)
            verlasse(*vorher);
        // Coming back to the box that had the focus is no entering.
        if (voruebergehend && (!vorher || vorher == k))
            return QWidget::eventFilter(objekt, ereignis);
        // Boxes overlap by a few pixels; the focused one shows its whole frame.
        box->raise();
        schonVerlassen_.reset();
        formular_.fokusErhalten(*k);
        zeigeModell();
        if (info(*k).art != Kastenart::ergebnis) {
            box->selectAll();
            // The click that brought the focus would place the cursor after us.
            if (grund == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, &QLineEdit::selectAll);
        }
    } else if (!voruebergehend) {
        offen_.reset();
        verlasse(*k);
        schonVerlassen_.reset();
        // A long heading left unchanged would go on showing its end.
        box->setCursorPosition(0);
    }
    return QWidget::eventFilter(objekt, ereignis);
}

void FormVelkor::keyPressEvent(QKeyEvent* ereignis)
{
    // Enter that no focused button took presses "=", without any focus change.
    if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter) {
        if (commandBerechnen_->isEnabled())
            commandBerechnen_->click();
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

void FormVelkor::closeEvent(QCloseEvent* ereignis)
{
    verlasseFokuskasten();
    const bool schliessen = befehle_.beendenBestaetigt();
    zeigeModell();
    if (!schliessen) {
        ereignis->ignore();
        return;
    }
    if (ergebnisausgabe_)
        ergebnisausgabe_->close();
    ereignis->accept();
}

void FormVelkor::zeigeModell()
{
    ++zeigt_;
    for (std::size_t i = 0; i < kaesten_.size(); ++i) {
        QLineEdit* box = kaesten_[i];
        const Kasten k = static_cast<Kasten>(i);
        const QString text = QString::fromStdString(formular_.text(k));
        if (box->text() != text) {
            const QSignalBlocker still(box);
            box->setText(text);
            // A long text shows its beginning; a focused box stays ready to be typed over,
            // also before its window is active (a file loaded at start).
            if (box == focusWidget())
                box->selectAll();
            else
                box->setCursorPosition(0);
        }
        box->setEnabled(formular_.freigegeben(k));
    }
    const std::pair<Kasten, Groesse> reserven[] = {
        {Kasten::TextErgebnisgkprozent, Groesse::rG},
        {Kasten::TextErgebnisstutzenprozent, Groesse::rS},
        {Kasten::TextFVprozent, Groesse::rFV},
    };
    for (auto [k, g] : reserven)
        setzeTextfarbe(kaesten_[static_cast<std::size_t>(k)], farbe(formular_.reservefarbe(g)));

    auto setze = [](QAbstractButton* b, bool an) {
        if (b->isChecked() != an) {
            const QSignalBlocker still(b);
            b->setChecked(an);
        }
    };
    setze(checkStutzen_, formular_.stutzen());
    setze(checkScheibe_, formular_.scheibe());
    setze(checkAusgehalst_, formular_.ausgehalst());
    checkAusgehalst_->setEnabled(formular_.ausgehalstFreigegeben());
    setze(checkDateiname_, formular_.dateinameAutomatisch());
    {
        const QSignalBlocker still1(optionZylinder_);
        const QSignalBlocker still2(optionKugel_);
        setze(formular_.zylinder() ? optionZylinder_ : static_cast<QAbstractButton*>(optionKugel_), true);
    }

    const QString status = QString::fromStdString(formular_.statustext());
    // The line shows what fits; the tooltip holds the whole message.
    if (statusBar_->text() != status) {
        statusBar_->setText(status);
        statusBar_->setToolTip(status);
    }
    QPalette p = statusBar_->palette();
    const QColor hintergrund = farbe(formular_.statusfarbe());
    // Dark text on the dark red of an insufficient design is hard to read.
    const QColor schrift = formular_.statusfarbe() == Statusfarbe::rot
        ? QColor(Qt::white)
        : QApplication::palette().color(QPalette::WindowText);
    if (p.color(QPalette::Window) != hintergrund || p.color(QPalette::WindowText) != schrift) {
        p.setColor(QPalette::Window, hintergrund);
        p.setColor(QPalette::WindowText, schrift);
        statusBar_->setPalette(p);
    }
    --zeigt_;
}

} // namespace velkor
