#include "window/angabendialog.h"

#include "window/schrift.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velkor {

namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kastenbreite = 80;

} // namespace

AngabenDialog::AngabenDialog(const Formular& formular, QWidget* parent)
    : QDialog(parent)
    , modell_(formular.angaben(), formular.pruefangaben(), formular.dezimaltrenner())
{
    setObjectName("FormAngaben");
    setWindowTitle("Angaben");
    setFont(oberflaechenschrift());
    const std::optional<Rechenstand> stand = formular.rechenstand();
    const Pruefanzeige anzeige = pruefanzeige(stand ? stand->pruefung : std::nullopt, formular.dezimaltrenner());

    // Created in the order of Tab: the temperature first, the buttons last.
    auto* spalten = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    links->addWidget(erzeugeAuslegung());
    links->addWidget(erzeugePruefung(anzeige));
    spalten->addLayout(links);
    spalten->addWidget(erzeugeErgebnisse(anzeige), 0, Qt::AlignTop);
    statusBar_ = new QLabel(this);
    statusBar_->setObjectName("StatusBar");
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->button(QDialogButtonBox::Ok)->setText("OK");
    knoepfe->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* ganz = new QVBoxLayout(this);
    ganz->addLayout(spalten);
    ganz->addWidget(statusBar_);
    ganz->addWidget(knoepfe);
    ganz->setSizeConstraint(QLayout::SetFixedSize);

    connect(checkPruefung_, &QCheckBox::toggled, this, [this](bool an) { modell_.setzePruefung(an); });
    connect(checkC2_, &QCheckBox::toggled, this, [this](bool an) { modell_.setzeC2Abziehen(an); });
    zeigeModell();
}

QLineEdit* AngabenDialog::kasten(Angabenfeld f)
{
    auto* box = new QLineEdit(this);
    const Angabenfeldinfo& i = info(f);
    box->setObjectName(qt(i.name));
    box->setMinimumWidth(i.zahl ? kastenbreite : 2 * kastenbreite);
    if (i.zahl)
        box->setMaximumWidth(kastenbreite);
    kaesten_[static_cast<std::size_t>(f)] = box;
    connect(box, &QLineEdit::textChanged, this, [this, f](const QString& text) { modell_.tippe(f, text.toStdString()); });
    connect(box, &QLineEdit::editingFinished, this, [this, f] {
        modell_.fokusVerloren(f);
        zeigeModell();
    });
    return box;
}

QWidget* AngabenDialog::erzeugeAuslegung()
{
    auto* rahmen = new QGroupBox("Auslegung", this);
    auto* form = new QFormLayout(rahmen);
    form->addRow(qt(info(Angabenfeld::temperatur).beschriftung), kasten(Angabenfeld::temperatur));
    for (Angabenfeld f : {Angabenfeld::werkstoffGrundkoerper, Angabenfeld::werkstoffStutzen, Angabenfeld::werkstoffScheibe})
        form->addRow("Werkstoff " + qt(info(f).beschriftung), kasten(f));
    return rahmen;
}

QWidget* AngabenDialog::erzeugePruefung(const Pruefanzeige& anzeige)
{
    auto* rahmen = new QGroupBox("Prüfzustand", this);
    auto* gitter = new QGridLayout(rahmen);
    checkPruefung_ = new QCheckBox("Prüfzustand rechnen", rahmen);
    checkPruefung_->setObjectName("CheckPruefung");
    gitter->addWidget(checkPruefung_, 0, 0, 1, 3);
    gitter->addWidget(new QLabel(qt(info(Angabenfeld::pT).beschriftung), rahmen), 1, 0);
    gitter->addWidget(kasten(Angabenfeld::pT), 1, 1);
    auto* mindest = new QLabel(qt(anzeige.pTMindest), rahmen);
    mindest->setObjectName("LabelpTMindest");
    gitter->addWidget(mindest, 1, 2);
    // Per part: K20 and S′ in two columns under their headings.
    gitter->addWidget(new QLabel(qt(info(Angabenfeld::K20).beschriftung), rahmen), 2, 1);
    gitter->addWidget(new QLabel(qt(info(Angabenfeld::SPruef).beschriftung), rahmen), 2, 2);
    const std::array<std::array<Angabenfeld, 3>, 3> teile{{
        {Angabenfeld::werkstoffGrundkoerper, Angabenfeld::K20, Angabenfeld::SPruef},
        {Angabenfeld::werkstoffStutzen, Angabenfeld::K20s, Angabenfeld::SPruefs},
        {Angabenfeld::werkstoffScheibe, Angabenfeld::K20Scheibe, Angabenfeld::SPruefScheibe},
    }};
    for (int zeile = 0; zeile < 3; ++zeile) {
        const auto& [teil, K20, S] = teile[static_cast<std::size_t>(zeile)];
        gitter->addWidget(new QLabel(qt(info(teil).beschriftung), rahmen), 3 + zeile, 0);
        gitter->addWidget(kasten(K20), 3 + zeile, 1);
        gitter->addWidget(kasten(S), 3 + zeile, 2);
    }
    checkC2_ = new QCheckBox("c2 im Prüfzustand abziehen", rahmen);
    checkC2_->setObjectName("CheckC2");
    gitter->addWidget(checkC2_, 6, 0, 1, 3);
    return rahmen;
}

QWidget* AngabenDialog::erzeugeErgebnisse(const Pruefanzeige& anzeige)
{
    auto* rahmen = new QGroupBox("Ergebnisse im Prüfzustand", this);
    auto* gitter = new QGridLayout(rahmen);
    auto* status = new QLabel(anzeige.status.empty() ? QStringLiteral("Nicht gerechnet") : qt(anzeige.status), rahmen);
    status->setObjectName("LabelPruefstatus");
    gitter->addWidget(status, 0, 0, 1, 4);
    // Two columns of seven: the walls and b, then the area comparison.
    constexpr int proSpalte = 7;
    for (std::size_t i = 0; i < pruefgroessen.size(); ++i) {
        const int zeile = 1 + static_cast<int>(i) % proSpalte;
        const int spalte = 2 * (static_cast<int>(i) / proSpalte);
        auto* wert = new QLineEdit(qt(anzeige.werte[i]), rahmen);
        wert->setObjectName("Pruef" + qt(velkor::info(pruefgroessen[i]).name));
        wert->setReadOnly(true);
        wert->setMaximumWidth(kastenbreite);
        wert->setAlignment(Qt::AlignRight);
        gitter->addWidget(new QLabel(QString::fromStdString(pruefbeschriftung(pruefgroessen[i])), rahmen), zeile, spalte);
        gitter->addWidget(wert, zeile, spalte + 1);
    }
    return rahmen;
}

void AngabenDialog::zeigeModell()
{
    for (std::size_t i = 0; i < kaesten_.size(); ++i) {
        const QString text = QString::fromStdString(modell_.text(static_cast<Angabenfeld>(i)));
        if (kaesten_[i]->text() != text)
            kaesten_[i]->setText(text);
    }
    const QSignalBlocker still1(checkPruefung_), still2(checkC2_);
    checkPruefung_->setChecked(modell_.pruefung());
    checkC2_->setChecked(modell_.c2Abziehen());
    statusBar_->setText(QString::fromStdString(modell_.statustext()));
}

} // namespace velkor
