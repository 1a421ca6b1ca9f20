#include "window/formvelkor.h"

#include "window/angabendialog.h"
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

struct Rahmenort {
    const char* name;
    QRect ort;
};

// Positions in pixels at 96 dpi, relative to the window's client area, in the order of Rahmen.
const std::array<Rahmenort, anzahlRahmen> rahmenorte{{
    {"FrameMantel", {8, 8, 161, 201}},
    {"FrameBetrieb", {8, 216, 161, 41}},
    {"FrameProjekt", {8, 256, 161, 73}},
    {"FrameStutzen", {184, 8, 163, 225}},
    {"FrameScheibe", {184, 240, 163, 89}},
    {"FrameErgebnis", {360, 8, 177, 129}},
    {"FrameFlaechenvergleich", {360, 144, 177, 153}},
}};

constexpr int kastenhoehe = 19;

// A box and its label, in pixels relative to the box's frame. The label stands
// on the box's row and is as high as a box, so their texts line up; a box
// without a label of its own shares the one of its row.
struct Kastenort {
    Kasten kasten;
    int x, y, breite;
    int beschriftungX = 0, beschriftungBreite = 0;
    const char* tooltip = nullptr; // of the label
};

// Every box, frame by frame; boxes overlap by a few pixels and the later one lies on top.
const std::array<Kastenort, anzahlKaesten> kastenorte{{
    {Kasten::TextDa, 79, 24, 60, 16, 50},
    {Kasten::Texts, 79, 40, 60, 16, 50},
    {Kasten::Textc1, 79, 56, 60, 16, 50},
    {Kasten::Textc2, 79, 75, 60, 16, 50},
    {Kasten::Textv, 79, 93, 60, 16, 50},
    {Kasten::TextK, 79, 112, 60, 16, 50},
    {Kasten::TextSi, 79, 128, 60, 16, 50},
    {Kasten::TextDruck, 80, 16, 60, 8, 70},
    {Kasten::TextBez, 55, 16, 100, 8, 46},
    {Kasten::TextNummer, 55, 32, 100, 8, 46},
    {Kasten::TextBearb, 55, 48, 100, 8, 46},
    {Kasten::TextDas, 79, 24, 60, 16, 50},
    {Kasten::Textss, 79, 40, 60, 16, 50},
    {Kasten::Textc1s, 79, 56, 60, 16, 50},
    {Kasten::Textc2s, 79, 75, 60, 16, 50},
    {Kasten::TextKs, 79, 96, 60, 16, 50},
    {Kasten::TextSis, 79, 112, 60, 16, 50},
    {Kasten::Textls, 79, 128, 60, 24, 42},
    {Kasten::Textlsstrich, 79, 144, 60, 24, 42},
    {Kasten::Textx, 79, 160, 60, 24, 42},
    {Kasten::Textphi, 79, 176, 60, 24, 42},
    {Kasten::Textb, 79, 16, 60, 24, 42},
    {Kasten::Texth, 79, 32, 60, 24, 42},
    {Kasten::TextKScheibe, 79, 48, 60, 16, 50},
    {Kasten::TextSiScheibe, 79, 67, 60, 16, 50},
    {Kasten::TextErgebnisgk, 64, 32, 50, 8, 56},
    {Kasten::TextErgebnisstutzen, 120, 32, 50},
    {Kasten::TextErgebnisgkprozent, 64, 48, 50, 8, 56},
    {Kasten::TextErgebnisstutzenprozent, 120, 48, 50},
    {Kasten::TextErgebnisb, 64, 64, 50, 8, 56},
    {Kasten::TextErgebnisls, 120, 83, 50, 8, 56},
    {Kasten::Textpmaxgk, 64, 104, 50, 3, 61},
    {Kasten::Textpmaxs, 120, 104, 50},
    {Kasten::TextAs0, 80, 24, 89, 16, 64},
    {Kasten::TextAs1, 80, 40, 89, 16, 64},
    {Kasten::TextAs2, 80, 56, 89, 16, 64},
    {Kasten::TextAp, 80, 72, 89, 16, 64},
    {Kasten::TextFVprozent, 96, 90, 73, 27, 69},
    {Kasten::Textpmaxfv, 96, 108, 73, 13, 83},
    {Kasten::Textdmax, 96, 125, 73, 13, 83, "Maximaler unverstärkter Ausschnitt [mm]"},
}};

// The result frame's columns.
struct Spaltenkopf {
    const char* text;
    int x, breite;
};
const Spaltenkopf spaltenkoepfe[] = {{"Grundk.", 64, 50}, {"Stutzen", 124, 46}};
constexpr int spaltenkopfY = 13;

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
        const auto r = static_cast<Rahmen>(i);
        // The leading blanks leave room for the check box on the frame's corner.
        const bool mitSchalter = r == Rahmen::stutzen || r == Rahmen::scheibe;
        auto* g = new QGroupBox(QString(mitSchalter ? "   " : "") + qt(rahmenname(r)), this);
        g->setObjectName(rahmenorte[i].name);
        g->setGeometry(rahmenorte[i].ort);
        g->setStyle(rahmenstil());
        rahmen_[i] = g;
    }
    auto beschrifte = [](QWidget* rahmen, const QString& text, int x, int y, int breite) {
        auto* l = new QLabel(text, rahmen);
        l->setGeometry(x, y, breite, kastenhoehe);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    for (const Kastenort& o : kastenorte) {
        if (o.beschriftungBreite == 0)
            continue;
        const Kasteninfo& k = info(o.kasten);
        QLabel* l = beschrifte(rahmen(o.kasten), QString::fromStdString(k.beschriftung), o.beschriftungX, o.y,
                               o.beschriftungBreite);
        if (o.tooltip)
            l->setToolTip(QString::fromUtf8(o.tooltip));
    }
    for (const Spaltenkopf& s : spaltenkoepfe)
        beschrifte(rahmen_[static_cast<std::size_t>(Rahmen::ergebnisse)], s.text, s.x, spaltenkopfY, s.breite);
}

void FormVelkor::erzeugeEingabefelder()
{
    for (const Kastenort& o : kastenorte) {
        const Kasteninfo& k = info(o.kasten);
        auto* box = new QLineEdit(qt(k.starttext), rahmen(o.kasten));
        box->setObjectName(qt(k.name));
        box->setGeometry(o.x, o.y, o.breite, kastenhoehe);
        box->setToolTip(qt(k.tooltip));
        box->installEventFilter(this);
        if (k.art == Kastenart::ergebnis)
            setzeTextfarbe(box, ergebnisblau);
        kaesten_[static_cast<std::size_t>(o.kasten)] = box;
    }
}

QWidget* FormVelkor::rahmen(Kasten k) const { return rahmen_[static_cast<std::size_t>(info(k).rahmen)]; }

void FormVelkor::erzeugeSchalter()
{
    QWidget* mantel = rahmen_[static_cast<std::size_t>(Rahmen::grundkoerper)];
    optionZylinder_ = new QRadioButton("Zylinder", mantel);
    optionZylinder_->setObjectName("OptionZylinder");
    optionZylinder_->setGeometry(80, 160, 65, 13);
    optionKugel_ = new QRadioButton("Kugel", mantel);
    optionKugel_->setObjectName("OptionKugel");
    optionKugel_->setGeometry(80, 176, 65, 13);
    optionZylinder_->setChecked(true);

    QWidget* stutzen = rahmen_[static_cast<std::size_t>(Rahmen::stutzen)];
    checkStutzen_ = new QCheckBox(stutzen);
    checkStutzen_->setObjectName("CheckStutzen");
    checkStutzen_->setGeometry(0, 0, 17, 17);

    checkAusgehalst_ = new QCheckBox("ausgehalst", stutzen);
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
    commandAngaben_ = knopf("CommandAngaben", "&Angaben…", "Auslegungstemperatur, Werkstoffe und Prüfzustand",
                            {8, 336, 81, 25});
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
    for (std::size_t i = 0; i < anzahlRahmen; ++i) {
        const auto r = static_cast<Rahmen>(i);
        // The switches and buttons take their turn between the frames' boxes.
        switch (r) {
        case Rahmen::betriebsdaten:
            // The option group is one stop; the toolkit moves Tab to its selected button.
            folge.insert(folge.end(), {optionZylinder_, optionKugel_});
            break;
        case Rahmen::stutzen:
            folge.insert(folge.end(), {commandAngaben_, checkStutzen_});
            break;
        case Rahmen::scheibe:
            folge.insert(folge.end(), {checkAusgehalst_, checkScheibe_});
            break;
        case Rahmen::ergebnisse:
            // The result boxes take part so that their values can be reached and copied by keyboard.
            folge.insert(folge.end(), {commandTextdatei_, commandLaden_, commandSpeichern_, commandLoeschen_,
                                       commandBerechnen_});
            break;
        default:
            break;
        }
        for (Kasten k : kaestenIn(r))
            folge.push_back(kaesten_[static_cast<std::size_t>(k)]);
    }
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
    connect(commandAngaben_, &QPushButton::clicked, this, [this] { fuehreAus([this] { zeigeAngaben(); }); });
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

void FormVelkor::zeigeAngaben()
{
    auto* dialog = new AngabenDialog(formular_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // OK takes the values over and calculates as "=" does; Abbrechen keeps the old ones.
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        formular_.setzeAngaben(dialog->modell().angaben());
        formular_.setzePruefangaben(dialog->modell().pruefangaben());
        fuehreAus([this] { formular_.berechne(); });
    });
    dialog->open();
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
    for (Groesse g : {Groesse::rG, Groesse::rS, Groesse::rFV})
        setzeTextfarbe(kaesten_[static_cast<std::size_t>(kastenVon(g))], farbe(formular_.reservefarbe(g)));

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
