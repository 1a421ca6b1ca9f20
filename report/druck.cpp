#include "report/druck.h"

#include "project/dateiersatz.h"
#include "report/skizzenmaler.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace velkor {

QList<QStringList> druckseiten(const QString& text, int zeilenProSeite)
{
    QString einheitlich = text;
    einheitlich.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList zeilen;
    if (!einheitlich.isEmpty()) {
        zeilen = einheitlich.split(QLatin1Char('\n'));
        if (einheitlich.endsWith(QLatin1Char('\n')))
            zeilen.removeLast();
    }

    const qsizetype proSeite = std::max(1, zeilenProSeite);
    QList<QStringList> seiten;
    for (qsizetype i = 0; i < zeilen.size(); i += proSeite)
        seiten.append(zeilen.mid(i, proSeite));
    if (seiten.isEmpty())
        seiten.append(QStringList());
    return seiten;
}

void maleBerichtsseiten(QPainter& maler, QPagedPaintDevice& geraet, const QString& text)
{
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(10);
    maler.setFont(schrift);
    const QFontMetricsF masse(maler.font(), &geraet);

    const int aufloesung = geraet.logicalDpiY();
    const double proMm = aufloesung / 25.4;
    const QRectF flaeche = geraet.pageLayout().paintRectPixels(aufloesung);
    const double links = druckRandLinksMm * proMm;
    const double oben = druckRandObenMm * proMm;
    const double nutzhoehe = flaeche.height() - oben - druckRandUntenMm * proMm;
    const int zeilenProSeite = std::max(1, static_cast<int>(nutzhoehe / masse.lineSpacing()));

    const QList<QStringList> seiten = druckseiten(text, zeilenProSeite);
    for (qsizetype s = 0; s < seiten.size(); ++s) {
        if (s > 0)
            geraet.newPage();
        double grundlinie = oben + masse.ascent();
        for (const QString& zeile : seiten[s]) {
            maler.drawText(QPointF(links, grundlinie), zeile);
            grundlinie += masse.lineSpacing();
        }
    }
}

bool drucke(QPagedPaintDevice& geraet, const QString& text, const Rechenstand* skizze)
{
    geraet.setPageOrientation(QPageLayout::Portrait);
    QPainter maler;
    if (!maler.begin(&geraet))
        return false;
    maleBerichtsseiten(maler, geraet, text);
    if (skizze) {
        // The drawing is wider than high: its page lies across.
        constexpr double randMm = 10;
        const double proMm = geraet.logicalDpiX() / 25.4;
        geraet.setPageOrientation(QPageLayout::Landscape);
        geraet.newPage();
        const QRectF mm = geraet.pageLayout().paintRect(QPageLayout::Millimeter);
        const double breite = mm.width() - 2 * randMm, hoehe = mm.height() - 2 * randMm;
        maleSkizze(maler, velkor::skizze(*skizze, breite, hoehe),
                   QRectF(randMm * proMm, randMm * proMm, breite * proMm, hoehe * proMm));
    }
    return maler.end();
}

namespace {

std::optional<std::string> schreibePdf(const std::string& pfad, const QString& text, const Rechenstand* skizze,
                                       const QPageLayout& seite, int aufloesung)
{
    return ersetzeDatei(pfad, [&](QIODevice& ziel) {
        QPdfWriter pdf(&ziel);
        pdf.setResolution(aufloesung);
        pdf.setPageLayout(seite);
        return drucke(pdf, text, skizze);
    });
}

} // namespace

std::optional<std::string> druckeAufDrucker(QPrinter& drucker, const QString& text, const Rechenstand* skizze)
{
    // The print engine would truncate the file first and never tell of a failed write.
    if (drucker.outputFormat() == QPrinter::PdfFormat && !drucker.outputFileName().isEmpty())
        return schreibePdf(drucker.outputFileName().toStdString(), text, skizze, drucker.pageLayout(),
                           drucker.resolution());
    drucker.setFullPage(false);
    if (!drucke(drucker, text, skizze))
        return "Der Drucker hat den Auftrag nicht angenommen.";
    if (drucker.printerState() == QPrinter::Error)
        return "Der Drucker meldet einen Fehler.";
    return std::nullopt;
}

std::optional<std::string> druckeInPdf(const std::string& pfad, const QString& text, const Rechenstand* skizze)
{
    // The page a high-resolution PDF printer sets up (A4, 10 pt margins, 1200 dpi),
    // so that paper and file keep one layout.
    const QPageLayout seite(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                            QPageLayout::Point);
    return schreibePdf(pfad, text, skizze, seite, 1200);
}

std::unique_ptr<QPrinter> standarddrucker()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace velkor
