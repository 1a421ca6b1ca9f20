#include "window/qtdialoge.h"

#include "project/dateiname.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace velkor {

namespace {

QString qt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// "VLK-Dateien|*.vlk": description and pattern, as Qt writes it "VLK-Dateien (*.vlk)".
struct Filter {
    QString qtFilter;
    QString endung; // ".vlk", empty when the pattern names no single extension
};

Filter zerlege(std::string_view filter)
{
    const auto strich = filter.find('|');
    if (strich == std::string_view::npos)
        return {qt(filter), {}};
    const QString muster = qt(filter.substr(strich + 1));
    const QString endung = muster.startsWith(u"*.") && !muster.contains(u';') ? muster.mid(1) : QString();
    return {qt(filter.substr(0, strich)) + QStringLiteral(" (") + muster + QLatin1Char(')'), endung};
}

void richteEin(QMessageBox& box, std::string_view text, std::string_view titel)
{
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(qt(titel));
    box.setTextFormat(Qt::PlainText);
    box.setText(qt(text));
}

// Ja, Nein and (with `abbrechen`) Abbrechen; closing the box counts as the last button.
QMessageBox::StandardButton fragen(QWidget* eltern, std::string_view text, std::string_view titel, bool abbrechen,
                                   QMessageBox::StandardButton vorgabe)
{
    QMessageBox box(eltern);
    richteEin(box, text, titel);
    box.setStandardButtons(abbrechen ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                     : QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    if (abbrechen)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(vorgabe);
    box.setEscapeButton(abbrechen ? QMessageBox::Cancel : QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<std::string> waehle(QFileDialog& dialog, const QString& vorschlag)
{
    if (!vorschlag.isEmpty())
        dialog.selectFile(vorschlag);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

Antwort QtDialoge::frage(std::string_view text, std::string_view titel)
{
    switch (fragen(QApplication::activeWindow(), text, titel, true, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Antwort::ja;
    case QMessageBox::No: return Antwort::nein;
    default: return Antwort::abbrechen;
    }
}

void QtDialoge::meldung(std::string_view text, std::string_view titel)
{
    QMessageBox box(QApplication::activeWindow());
    richteEin(box, text, titel);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::optional<std::string> QtDialoge::dateiZumSpeichern(std::string_view titel, std::string_view filter,
                                                        const std::string& vorschlag)
{
    const Filter f = zerlege(filter);
    QString start = QString::fromStdString(vorschlag);
    // Fixed before the first dialog: the question below belongs over the window, not the closed dialog.
    QWidget* const eltern = QApplication::activeWindow();
    for (;;) {
        QFileDialog dialog(eltern, qt(titel));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(f.qtFilter);
        // The question below names the file that will really be written, with
        // its extension; the dialog's own question would name the typed one.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        std::optional<std::string> pfad = waehle(dialog, start);
        if (!pfad || pfad->empty())
            return pfad;
        if (!f.endung.isEmpty())
            pfad = mitEndung(std::move(*pfad), f.endung.toStdString());
        const QFileInfo ziel(QString::fromStdString(*pfad));
        if (!ziel.exists())
            return pfad;
        const std::string frage = "„" + ziel.fileName().toStdString()
                                  + "“ gibt es bereits.\nSoll die Datei ersetzt werden?";
        if (fragen(eltern, frage, titel, false, QMessageBox::No) == QMessageBox::Yes)
            return pfad;
        start = ziel.absoluteFilePath();
    }
}

std::optional<std::string> QtDialoge::dateiZumOeffnen(std::string_view titel, std::string_view filter,
                                                      const std::string& vorschlag)
{
    QFileDialog dialog(QApplication::activeWindow(), qt(titel));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(zerlege(filter).qtFilter);
    return waehle(dialog, QString::fromStdString(vorschlag));
}

} // namespace velkor
