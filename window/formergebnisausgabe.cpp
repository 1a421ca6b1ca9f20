#include "window/formergebnisausgabe.h"

#include "formular/dialoge.h"
#include "report/druck.h"
#include "window/schrift.h"
#include "window/skizzenansicht.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QIcon>
#include <QPushButton>
#include <QTabBar>
#include <QTextDocument>

namespace velkor {

namespace {

// Positions were drawn in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) { return twips / 15; }

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
    setWindowIcon(QIcon(QStringLiteral(":/velkor/velkor.svg")));
    setMinimumSize(px(7530), px(5565));
    resize(px(7530), px(5565));
    setFont(oberflaechenschrift());

    textErgebnisAusgabe_ = new QPlainTextEdit(QStringLiteral("Ergebnisausgabe"), this);
    textErgebnisAusgabe_->setObjectName("TextErgebnisAusgabe");
    textErgebnisAusgabe_->setGeometry(0, 0, px(7455), px(4695));
    textErgebnisAusgabe_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textErgebnisAusgabe_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(8.25);
    textErgebnisAusgabe_->setFont(schrift);

    commandClipboard_ = knopf(this, "CommandClipboard", "Zwischenablage", 2880);
    commandDrucken_ = knopf(this, "CommandDrucken", "Drucken", 4560);
    commandOK_ = knopf(this, "CommandOK", "Zurück", 6120);

    // The drawing lies where the report lies; the tabs left of the buttons switch.
    skizze_ = new Skizzenansicht(this);
    skizze_->setObjectName("Skizze");
    skizze_->setGeometry(textErgebnisAusgabe_->geometry());
    skizze_->hide();
    ansichten_ = new QTabBar(this);
    ansichten_->setObjectName("Ansichten");
    ansichten_->setShape(QTabBar::RoundedSouth);
    ansichten_->setFocusPolicy(Qt::NoFocus);
    ansichten_->addTab(QStringLiteral("Bericht"));
    ansichten_->addTab(QStringLiteral("Skizze"));
    ansichten_->setTabEnabled(1, false);
    ansichten_->setGeometry(0, px(4800) - 3, px(2880) - 8, px(375) + 3);

    statusBar_ = new QLabel(QStringLiteral("Ergebnisausgabe"), this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setGeometry(0, px(5280), px(7440), px(255));

    setTabOrder(textErgebnisAusgabe_, commandClipboard_);
    setTabOrder(commandClipboard_, commandDrucken_);
    setTabOrder(commandDrucken_, commandOK_);

    connect(commandClipboard_, &QPushButton::clicked, this, &FormErgebnisausgabe::kopiere);
    connect(commandDrucken_, &QPushButton::clicked, this, &FormErgebnisausgabe::druckeText);
    connect(commandOK_, &QPushButton::clicked, this, &QWidget::hide);
    connect(ansichten_, &QTabBar::currentChanged, this, &FormErgebnisausgabe::zeigeAnsicht);
}

void FormErgebnisausgabe::zeigeAnsicht(int tab)
{
    skizze_->setVisible(tab == 1);
    textErgebnisAusgabe_->setVisible(tab != 1);
}

// The fixed layout at its own size; a larger window gives the box and the
// drawing the room, the buttons keep to the lower right.
void FormErgebnisausgabe::resizeEvent(QResizeEvent* ereignis)
{
    QWidget::resizeEvent(ereignis);
    const int mehrBreit = width() - px(7530), mehrHoch = height() - px(5565);
    const QRect kasten(0, 0, px(7455) + mehrBreit, px(4695) + mehrHoch);
    textErgebnisAusgabe_->setGeometry(kasten);
    skizze_->setGeometry(kasten);
    for (auto [knopf, links] : {std::pair{commandClipboard_, 2880}, {commandDrucken_, 4560}, {commandOK_, 6120}})
        knopf->setGeometry(px(links) + mehrBreit, px(4800) + mehrHoch, px(1335), px(375));
    ansichten_->setGeometry(0, px(4800) - 3 + mehrHoch, px(2880) - 8 + mehrBreit, px(375) + 3);
    statusBar_->setGeometry(0, px(5280) + mehrHoch, px(7440) + mehrBreit, px(255));
}

FormErgebnisausgabe::~FormErgebnisausgabe() { hide(); }

void FormErgebnisausgabe::zeigeBericht(const QString& bericht, std::optional<Skizzenquelle> skizze)
{
    textErgebnisAusgabe_->setPlainText(bericht);
    quelle_ = std::move(skizze);
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

void FormErgebnisausgabe::druckeText()
{
    const std::unique_ptr<QPrinter> drucker = druckerwahl_();
    if (!drucker) {
        dialoge_.meldung("Es ist kein Drucker eingerichtet. Der Bericht wurde nicht gedruckt.", "Drucken");
        return;
    }
    if (!drucke(*drucker, text(), quelle_ ? &*quelle_ : nullptr))
        dialoge_.meldung("Der Drucker hat den Auftrag nicht angenommen. Der Bericht wurde nicht gedruckt.",
                         "Drucken");
}

} // namespace velkor
