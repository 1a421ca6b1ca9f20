#include "report/druck.h"

#include "report/skizzenmaler.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
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

bool drucke(QPrinter& drucker, const QString& text, const Skizzenquelle* skizze)
{
    drucker.setPageOrientation(QPageLayout::Portrait);
    drucker.setFullPage(false);
    QPainter maler;
    if (!maler.begin(&drucker))
        return false;

    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(10);
    maler.setFont(schrift);
    const QFontMetricsF masse(maler.font(), &drucker);

    const double proMm = drucker.resolution() / 25.4;
    const QRectF flaeche = drucker.pageLayout().paintRectPixels(drucker.resolution());
    const double links = druckRandLinksMm * proMm;
    const double oben = druckRandObenMm * proMm;
    const double nutzhoehe = flaeche.height() - oben - druckRandUntenMm * proMm;
    const int zeilenProSeite = std::max(1, static_cast<int>(nutzhoehe / masse.lineSpacing()));

    const QList<QStringList> seiten = druckseiten(text, zeilenProSeite);
    for (qsizetype s = 0; s < seiten.size(); ++s) {
        if (s > 0)
            drucker.newPage();
        double grundlinie = oben + masse.ascent();
        for (const QString& zeile : seiten[s]) {
            maler.drawText(QPointF(links, grundlinie), zeile);
            grundlinie += masse.lineSpacing();
        }
    }
    if (skizze) {
        // The drawing is wider than high: its page lies across.
        constexpr double randMm = 10;
        drucker.setPageOrientation(QPageLayout::Landscape);
        drucker.newPage();
        const QRectF mm = drucker.pageLayout().paintRect(QPageLayout::Millimeter);
        const double breite = mm.width() - 2 * randMm, hoehe = mm.height() - 2 * randMm;
        maleSkizze(maler, velkor::skizze(*skizze, breite, hoehe),
                   QRectF(randMm * proMm, randMm * proMm, breite * proMm, hoehe * proMm));
    }
    return maler.end();
}

std::optional<std::string> druckeInPdf(const std::string& pfad, const QString& text, const Skizzenquelle* skizze)
{
    // Found out here rather than by the painter, which would also complain on stderr.
    QFile probe(QString::fromStdString(pfad));
    if (!probe.open(QIODevice::WriteOnly))
        return "Die Datei kann nicht geschrieben werden.";
    probe.close();

    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(QString::fromStdString(pfad));
    drucker.setPageSize(QPageSize(QPageSize::A4));
    if (!drucke(drucker, text, skizze))
        return "Die Datei kann nicht geschrieben werden.";
    return std::nullopt;
}

std::unique_ptr<QPrinter> standarddrucker()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace velkor
