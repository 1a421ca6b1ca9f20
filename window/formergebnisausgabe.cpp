#include "window/formergebnisausgabe.h"

#include "formular/dialoge.h"
#include "report/druck.h"
#include "report/rechengang.h"
#include "window/schrift.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTextDocument>

#include <algorithm>

namespace velkor {

namespace {

// Positions were drawn in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) { return twips / 15; }

constexpr auto einstellungRechengang = "Ergebnisausgabe/Rechengang";

QPushButton* knopf(QWidget* fenster, const char* name, const char* text, int links)
{
    auto* b = new QPushButton(QString::fromUtf8(text), fenster);
    b->setObjectName(name);
    b->setGeometry(px(links), px(4800), px(1335), px(375));
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
    setFixedSize(px(7530), px(5565));
    setFont(oberflaechenschrift());

    textErgebnisAusgabe_ = new QPlainTextEdit(QStringLiteral("Ergebnisausgabe"), this);
    textErgebnisAusgabe_->setObjectName("TextErgebnisAusgabe");
    textErgebnisAusgabe_->setGeometry(0, 0, px(7455), px(4695));
    textErgebnisAusgabe_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textErgebnisAusgabe_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab goes on to the buttons: a tab character typed by mistake would change
    // what is copied and printed, and keyboard users could not leave the box.
    textErgebnisAusgabe_->setTabChangesFocus(true);
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(8.25);
    textErgebnisAusgabe_->setFont(schrift);

    commandClipboard_ = knopf(this, "CommandClipboard", "Zwischenablage", 2880);
    commandDrucken_ = knopf(this, "CommandDrucken", "Drucken", 4560);
    commandOK_ = knopf(this, "CommandOK", "Zurück", 6120);

    statusBar_ = new QLabel(QStringLiteral("Ergebnisausgabe"), this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setGeometry(0, px(5280), px(7440), px(255));

    // Left of the buttons, where the row has room.
    checkRechengang_ = new QCheckBox(QStringLiteral("Rechengang"), this);
    checkRechengang_->setObjectName("CheckRechengang");
    checkRechengang_->setGeometry(px(120), px(4800), px(2640), px(375));
    checkRechengang_->setToolTip(
        QStringLiteral("Jede Größe mit Formel, eingesetzten Werten und Ergebnis an den Bericht anhängen"));
    checkRechengang_->setChecked(rechengangGewaehlt());

    setTabOrder(textErgebnisAusgabe_, checkRechengang_);
    setTabOrder(checkRechengang_, commandClipboard_);
    setTabOrder(commandClipboard_, commandDrucken_);
    setTabOrder(commandDrucken_, commandOK_);

    connect(commandClipboard_, &QPushButton::clicked, this, &FormErgebnisausgabe::kopiere);
    connect(commandDrucken_, &QPushButton::clicked, this, &FormErgebnisausgabe::druckeText);
    connect(commandOK_, &QPushButton::clicked, this, &QWidget::hide);
    connect(checkRechengang_, &QCheckBox::toggled, this, &FormErgebnisausgabe::rechengangUmgeschaltet);
}

FormErgebnisausgabe::~FormErgebnisausgabe() { hide(); }

bool FormErgebnisausgabe::rechengangGewaehlt()
{
    return QSettings(QStringLiteral("Velkor"), QStringLiteral("Velkor")).value(einstellungRechengang, false).toBool();
}

void FormErgebnisausgabe::zeigeBericht(const QString& bericht, const QString& rechengang)
{
    gefuellt_ = true;
    bericht_ = bericht.toStdString();
    rechengang_ = rechengang.toStdString();
    zeigeText();
    zeigeFenster();
}

void FormErgebnisausgabe::zeigeAbbruch(const QString& rechengang)
{
    gefuellt_ = true;
    bericht_.reset();
    rechengang_ = rechengang.toStdString();
    zeigeText();
    zeigeFenster();
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

void FormErgebnisausgabe::zeigeFenster()
{
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

void FormErgebnisausgabe::druckeText()
{
    const std::unique_ptr<QPrinter> drucker = druckerwahl_();
    if (!drucker) {
        dialoge_.meldung("Es ist kein Drucker eingerichtet. Der Bericht wurde nicht gedruckt.", "Drucken");
        return;
    }
    if (const std::optional<std::string> grund = druckeAufDrucker(*drucker, text()))
        dialoge_.meldung(*grund + " Der Bericht wurde nicht gedruckt.", "Drucken");
}

} // namespace velkor
