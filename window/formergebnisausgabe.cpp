#include "window/formergebnisausgabe.h"

#include "formular/dialoge.h"
#include "report/druck.h"
#include "report/rechengang.h"
#include "window/schrift.h"
#include "window/skizzenansicht.h"
#include "window/symbol.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTabBar>
#include <QTextDocument>

#include <algorithm>

namespace velkor {

namespace {

// Positions were drawn in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) { return twips / 15; }

constexpr auto einstellungRechengang = "Ergebnisausgabe/Rechengang";
constexpr std::string_view titelPdf = "Als PDF speichern";

QPushButton* knopf(QWidget* fenster, const char* name, const char* text)
{
    auto* b = new QPushButton(QString::fromUtf8(text), fenster);
    b->setObjectName(name);
    // Enter and Escape press no button here.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

FormErgebnisausgabe::FormErgebnisausgabe(Dialoge& dialoge, Druckerwahl druckerwahl, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , dialoge_(dialoge)
    , druckerwahl_(druckerwahl ? std::move(druckerwahl) : Druckerwahl(standarddrucker))
{
    setObjectName("FormErgebnisausgabe");
    setWindowTitle("Ergebnisausgabe");
    setWindowIcon(programmsymbol());
    setFont(oberflaechenschrift());

    // The report and the drawing share the place of the report box; the tabs above switch.
    ansichten_ = new QTabBar(this);
    ansichten_->setObjectName("Ansichten");
    // Reachable by Tab too; the arrow keys then switch.
    ansichten_->setFocusPolicy(Qt::TabFocus);
    ansichten_->addTab(QStringLiteral("Bericht"));
    ansichten_->addTab(QStringLiteral("Skizze"));

    textErgebnisAusgabe_ = new QPlainTextEdit(QStringLiteral("Ergebnisausgabe"), this);
    textErgebnisAusgabe_->setObjectName("TextErgebnisAusgabe");
    textErgebnisAusgabe_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textErgebnisAusgabe_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // For reading, selecting and copying: typed or pasted text would be copied and
    // printed as the report, and a paste from a clipboard never filled crashes the toolkit.
    textErgebnisAusgabe_->setReadOnly(true);
    textErgebnisAusgabe_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab goes on to the buttons, so that keyboard users can leave the box.
    textErgebnisAusgabe_->setTabChangesFocus(true);
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(8.25);
    textErgebnisAusgabe_->setFont(schrift);
    skizze_ = new Skizzenansicht(this);
    skizze_->setObjectName("Skizze");
    skizze_->hide();

    commandClipboard_ = knopf(this, "CommandClipboard", "Zwischenablage");
    commandDrucken_ = knopf(this, "CommandDrucken", "Drucken");
    commandPdf_ = knopf(this, "CommandPdf", "Als PDF");
    commandPdf_->setToolTip(QStringLiteral("Den Ausdruck als PDF-Datei speichern, auch ohne Drucker"));
    commandOK_ = knopf(this, "CommandOK", "Zurück");

    statusBar_ = new QLabel(QStringLiteral("Ergebnisausgabe"), this);
    statusBar_->setObjectName("StatusBar");

    // Left of the buttons, where the row has room.
    checkRechengang_ = new QCheckBox(QStringLiteral("Rechengang"), this);
    checkRechengang_->setObjectName("CheckRechengang");
    checkRechengang_->setToolTip(
        QStringLiteral("Jede Größe mit Formel, eingesetzten Werten und Ergebnis an den Bericht anhängen"));
    checkRechengang_->setChecked(rechengangGewaehlt());

    setTabOrder(ansichten_, textErgebnisAusgabe_);
    setTabOrder(textErgebnisAusgabe_, checkRechengang_);
    setTabOrder(checkRechengang_, commandClipboard_);
    setTabOrder(commandClipboard_, commandDrucken_);
    setTabOrder(commandDrucken_, commandPdf_);
    setTabOrder(commandPdf_, commandOK_);

    connect(commandClipboard_, &QPushButton::clicked, this, &FormErgebnisausgabe::kopiere);
    connect(commandDrucken_, &QPushButton::clicked, this, &FormErgebnisausgabe::druckeText);
    connect(commandPdf_, &QPushButton::clicked, this, &FormErgebnisausgabe::speicherePdf);
    connect(commandOK_, &QPushButton::clicked, this, &QWidget::hide);
    connect(checkRechengang_, &QCheckBox::toggled, this, &FormErgebnisausgabe::rechengangUmgeschaltet);
    connect(ansichten_, &QTabBar::currentChanged, this, &FormErgebnisausgabe::zeigeAnsicht);
    // The usual keys for the next and the previous tab, wherever the focus is.
    for (auto [taste, schritt] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                  {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                  {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}})
        connect(new QShortcut(taste, this), &QShortcut::activated, this, [this, schritt] { wechsleAnsicht(schritt); });

    // The fixed layout, drawn in twips, below the row of tabs.
    const int tabs = ansichten_->sizeHint().height();
    setMinimumSize(px(7530), px(5565) + tabs);
    resize(minimumSize());
}

FormErgebnisausgabe::~FormErgebnisausgabe() { hide(); }

// The fixed layout at its own size; a larger window gives the box and the
// drawing the room, the buttons keep to the lower right.
void FormErgebnisausgabe::resizeEvent(QResizeEvent* ereignis)
{
    QWidget::resizeEvent(ereignis);
    const int tabs = ansichten_->sizeHint().height();
    const int mehrBreit = width() - px(7530), mehrHoch = height() - px(5565) - tabs;
    ansichten_->setGeometry(0, 0, px(7455) + mehrBreit, tabs);
    const QRect kasten(0, tabs, px(7455) + mehrBreit, px(4695) + mehrHoch);
    textErgebnisAusgabe_->setGeometry(kasten);
    skizze_->setGeometry(kasten);
    const int zeile = tabs + px(4800) + mehrHoch;
    for (auto [knopf, links] : {std::pair{commandClipboard_, 1440}, {commandDrucken_, 3000}, {commandPdf_, 4560},
                                {commandOK_, 6120}})
        knopf->setGeometry(px(links) + mehrBreit, zeile, px(1335), px(375));
    checkRechengang_->setGeometry(px(120), zeile, px(1320), px(375));
    statusBar_->setGeometry(0, tabs + px(5280) + mehrHoch, px(7440) + mehrBreit, px(255));
}

bool FormErgebnisausgabe::rechengangGewaehlt()
{
    return QSettings(QStringLiteral("Velkor"), QStringLiteral("Velkor")).value(einstellungRechengang, false).toBool();
}

void FormErgebnisausgabe::zeigeBericht(const QString& bericht, const QString& rechengang,
                                       std::optional<Rechenstand> skizze, const QString& datei)
{
    gefuellt_ = true;
    bericht_ = bericht.toStdString();
    rechengang_ = rechengang.toStdString();
    zeigeText();
    zeigeFenster(std::move(skizze), datei);
}

void FormErgebnisausgabe::zeigeAbbruch(const QString& rechengang, std::optional<Rechenstand> skizze,
                                       const QString& datei)
{
    gefuellt_ = true;
    bericht_.reset();
    rechengang_ = rechengang.toStdString();
    zeigeText();
    zeigeFenster(std::move(skizze), datei);
}

void FormErgebnisausgabe::zeigeText()
{
    const std::string text = checkRechengang_->isChecked()
                                 ? mitRechengang(bericht_, rechengang_)
                                 : bericht_.value_or(std::string(berichtVerweigert) + "\r\n");
    textErgebnisAusgabe_->setPlainText(QString::fromStdString(text));
}

void FormErgebnisausgabe::rechengangUmgeschaltet(bool an)
{
    QSettings(QStringLiteral("Velkor"), QStringLiteral("Velkor")).setValue(einstellungRechengang, an);
    if (!gefuellt_)
        return;
    zeigeText();
    // The reader asked for the section: it starts on the line after the report.
    if (an && bericht_)
        textErgebnisAusgabe_->verticalScrollBar()->setValue(
            static_cast<int>(std::count(bericht_->begin(), bericht_->end(), '\n')));
}

void FormErgebnisausgabe::zeigeAnsicht(int tab)
{
    skizze_->setVisible(tab == 1);
    textErgebnisAusgabe_->setVisible(tab != 1);
}

void FormErgebnisausgabe::wechsleAnsicht(int schritt)
{
    const int anzahl = ansichten_->count();
    for (int tab = ansichten_->currentIndex() + schritt, n = 1; n < anzahl; tab += schritt, ++n) {
        const int ziel = (tab % anzahl + anzahl) % anzahl; // round the end; a drawing-less run disables its tab
        if (ansichten_->isTabEnabled(ziel)) {
            ansichten_->setCurrentIndex(ziel);
            return;
        }
    }
}

void FormErgebnisausgabe::zeigeFenster(std::optional<Rechenstand> skizze, const QString& datei)
{
    quelle_ = std::move(skizze);
    datei_ = datei;
    statusBar_->setText(QStringLiteral("Ergebnisausgabe"));
    skizze_->setzeQuelle(quelle_);
    ansichten_->setTabEnabled(1, quelle_.has_value());
    if (!quelle_)
        ansichten_->setCurrentIndex(0);
    // A minimised window would take the new report out of sight.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QString FormErgebnisausgabe::text() const
{
    // The box keeps paragraphs, not line-end characters; the raw text keeps
    // every other character (toPlainText would turn no-break spaces into blanks).
    QString t = textErgebnisAusgabe_->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    t.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return t;
}

void FormErgebnisausgabe::kopiere()
{
    QClipboard* ablage = QApplication::clipboard();
    ablage->clear();
    ablage->setText(text());
}

Druckwerk FormErgebnisausgabe::druckwerk() const
{
    return Druckwerk{{}, {Druckteil{datei_, text(), quelle_}}};
}

void FormErgebnisausgabe::druckeText()
{
    const std::unique_ptr<QPrinter> drucker = druckerwahl_();
    if (!drucker) {
        dialoge_.meldung("Es ist kein Drucker eingerichtet. Der Bericht wurde nicht gedruckt; "
                         "„Als PDF“ speichert ihn als Datei.",
                         "Drucken");
        return;
    }
    if (const std::optional<std::string> grund = druckeAufDrucker(*drucker, druckwerk()))
        dialoge_.meldung(*grund + " Der Bericht wurde nicht gedruckt.", "Drucken");
}

void FormErgebnisausgabe::speicherePdf()
{
    // Proposed beside the project file, under its name.
    const QFileInfo projekt(datei_);
    const std::string vorschlag =
        projekt.suffix() == QStringLiteral("vlk") ? projekt.dir().filePath(projekt.completeBaseName()).toStdString() : "";
    const std::optional<std::string> pfad = dialoge_.dateiZumSpeichern(titelPdf, "PDF-Dateien|*.pdf", vorschlag);
    if (!pfad || pfad->empty())
        return;
    if (const std::optional<std::string> grund = druckeInPdf(*pfad, druckwerk())) {
        dialoge_.meldung(*grund + " Das PDF wurde nicht geschrieben.", titelPdf);
        return;
    }
    statusBar_->setText(QStringLiteral("PDF gespeichert: ") + QString::fromStdString(*pfad));
}

} // namespace velkor
