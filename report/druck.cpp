#include "report/druck.h"

#include "project/dateiersatz.h"
#include "report/skizzenmaler.h"
#include "report/zusammenfassung.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace velkor {

namespace {

QStringList zeilenVon(const QString& text)
{
    QString einheitlich = text;
    einheitlich.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList zeilen;
    if (!einheitlich.isEmpty()) {
        zeilen = einheitlich.split(QLatin1Char('\n'));
        if (einheitlich.endsWith(QLatin1Char('\n')))
            zeilen.removeLast();
    }
    return zeilen;
}

// The blocks that must stand on one page, in order (see druckseiten).
QList<QStringList> bloecke(const QStringList& zeilen)
{
    QList<QStringList> gruppen;
    bool anhaengen = false;
    for (qsizetype i = 0; i < zeilen.size();) {
        qsizetype ende = i + 1;
        if (!zeilen[i].isEmpty())
            while (ende < zeilen.size() && zeilen[ende].startsWith(QLatin1Char(' ')))
                ++ende;
        const QStringList block = zeilen.mid(i, ende - i);
        if (anhaengen)
            gruppen.last() += block;
        else
            gruppen.append(block);
        const bool zeigtWert =
            std::ranges::any_of(block, [](const QString& z) { return z.contains(QLatin1String(" = ")); });
        anhaengen = !zeilen[i].isEmpty() && !zeigtWert && ende < zeilen.size() && !zeilen[ende].isEmpty();
        i = ende;
    }
    return gruppen;
}

} // namespace

QList<QStringList> druckseiten(const QString& text, int zeilenProSeite)
{
    const qsizetype proSeite = std::max(1, zeilenProSeite);
    QList<QStringList> seiten;
    QStringList seite;
    for (const QStringList& block : bloecke(zeilenVon(text))) {
        if (!seite.isEmpty() && seite.size() + block.size() > proSeite) {
            seiten.append(seite);
            seite.clear();
        }
        for (const QString& zeile : block) {
            if (seite.size() == proSeite) {
                seiten.append(seite);
                seite.clear();
            }
            // An empty line opens no page after the first.
            if (!seite.isEmpty() || seiten.isEmpty() || !zeile.isEmpty())
                seite.append(zeile);
        }
    }
    if (!seite.isEmpty() || seiten.isEmpty())
        seiten.append(seite);
    return seiten;
}

namespace {

QFont druckschrift(double punkt)
{
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(punkt);
    return schrift;
}

// One sheet of the document, planned before the first is painted so that each
// page's foot can say how many there are.
struct Seite {
    QPageLayout::Orientation lage = QPageLayout::Portrait;
    qsizetype teil = -1;     // the design, -1 for the list
    QStringList zeilen;      // lines from the top
    bool skizze = false;     // the design's drawing, with `zeilen` below it
};

class Setzer {
public:
    Setzer(QPagedPaintDevice& geraet, QPainter& maler)
        : geraet_(geraet), maler_(maler), masse_(druckschrift(10), &geraet),
          kleinMasse_(druckschrift(8), &geraet), proMm_(geraet.logicalDpiY() / 25.4)
    {
    }

    QList<Seite> plane(const Druckwerk& werk) const
    {
        QList<Seite> plan;
        if (!werk.uebersicht.isEmpty())
            for (const QStringList& z : druckseiten(werk.uebersicht, zeilenProSeite(QPageLayout::Landscape)))
                plan.append({QPageLayout::Landscape, -1, z, false});
        for (qsizetype t = 0; t < werk.teile.size(); ++t) {
            const Druckteil& teil = werk.teile[t];
            for (const QStringList& z : druckseiten(teil.text, zeilenProSeite(QPageLayout::Portrait)))
                plan.append({QPageLayout::Portrait, t, z, false});
            if (!teil.stand)
                continue;
            const QString schluss = QString::fromStdString(zusammenfassung(*teil.stand));
            // Below the drawing while that leaves it three fifths of the page.
            if (zeilenVon(schluss).size() <= 0.4 * zeilenProSeite(QPageLayout::Landscape)) {
                plan.append({QPageLayout::Landscape, t, zeilenVon(schluss), true});
                continue;
            }
            plan.append({QPageLayout::Landscape, t, {}, true});
            for (const QStringList& z : druckseiten(schluss, zeilenProSeite(QPageLayout::Portrait)))
                plan.append({QPageLayout::Portrait, t, z, false});
        }
        return plan;
    }

    void male(const Druckwerk& werk, const Seite& seite, int nummer, int anzahl)
    {
        const QRectF flaeche = bereich(seite.lage);
        const double oben = druckRandObenMm * proMm_;
        double zeilenOben = oben;
        if (seite.skizze) {
            const Druckteil& teil = werk.teile[seite.teil];
            const double unten = flaeche.height() - druckRandUntenMm * proMm_;
            const double band = seite.zeilen.isEmpty() ? 0 : seite.zeilen.size() * masse_.lineSpacing() + 5 * proMm_;
            const QRectF ziel(10 * proMm_, oben, flaeche.width() - 20 * proMm_, unten - oben - band);
            maleSkizze(maler_, skizze(*teil.stand, ziel.width() / proMm_, ziel.height() / proMm_), ziel);
            zeilenOben = unten - band + 5 * proMm_;
        }
        maler_.setFont(druckschrift(10));
        const double links = (seite.lage == QPageLayout::Portrait ? druckRandLinksMm : 10) * proMm_;
        double grundlinie = zeilenOben + masse_.ascent();
        for (const QString& zeile : seite.zeilen) {
            maler_.drawText(QPointF(links, grundlinie), zeile);
            grundlinie += masse_.lineSpacing();
        }
        maleRahmen(werk, seite, flaeche, nummer, anzahl);
    }

private:
    QRectF bereich(QPageLayout::Orientation lage) const
    {
        QPageLayout seite = geraet_.pageLayout();
        seite.setOrientation(lage);
        return seite.paintRectPixels(geraet_.logicalDpiY());
    }

    int zeilenProSeite(QPageLayout::Orientation lage) const
    {
        const double nutzhoehe = bereich(lage).height() - (druckRandObenMm + druckRandUntenMm) * proMm_;
        return std::max(1, static_cast<int>(nutzhoehe / masse_.lineSpacing()));
    }

    // Head: the design and its file; foot: the date, the program, the page.
    void maleRahmen(const Druckwerk& werk, const Seite& seite, const QRectF& flaeche, int nummer, int anzahl)
    {
        QString projekt = QStringLiteral("Übersicht");
        QString datei;
        if (seite.teil >= 0) {
            const Druckteil& teil = werk.teile[seite.teil];
            datei = QStringLiteral("Datei: ") + teil.datei;
            projekt = QStringLiteral("Projekt: ");
            if (teil.stand) {
                projekt += QString::fromStdString(teil.stand->daten.bezeichnung);
                if (!teil.stand->daten.nummer.empty())
                    projekt += QStringLiteral(", Nummer: ") + QString::fromStdString(teil.stand->daten.nummer);
            }
        }
        const double links = 10 * proMm_, rechts = flaeche.width() - 10 * proMm_;
        const double kopflinie = (druckRandObenMm - 5) * proMm_, fusslinie = flaeche.height() - kopflinie;
        maler_.setFont(druckschrift(8));
        maler_.setPen(QPen(Qt::black, 0.2 * proMm_));
        maler_.drawLine(QPointF(links, kopflinie), QPointF(rechts, kopflinie));
        maler_.drawLine(QPointF(links, fusslinie), QPointF(rechts, fusslinie));
        const double abstand = 1.5 * proMm_;
        const double kopf = kopflinie - abstand - kleinMasse_.descent();
        const double fuss = fusslinie + abstand + kleinMasse_.ascent();
        // The file name is never cut; a long designation yields to it.
        const double rechtsBreite = kleinMasse_.horizontalAdvance(datei);
        maler_.drawText(QPointF(rechts - rechtsBreite, kopf), datei);
        maler_.drawText(QPointF(links, kopf), kleinMasse_.elidedText(projekt, Qt::ElideRight,
                                                                     rechts - links - rechtsBreite - 5 * proMm_));
        const QString seitenangabe = QStringLiteral("Seite %1 von %2").arg(nummer).arg(anzahl);
        const QString programm = QStringLiteral("Velkor " VELKOR_VERSION);
        maler_.drawText(QPointF(links, fuss),
                        QStringLiteral("Gedruckt am ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        maler_.drawText(QPointF((links + rechts - kleinMasse_.horizontalAdvance(programm)) / 2, fuss), programm);
        maler_.drawText(QPointF(rechts - kleinMasse_.horizontalAdvance(seitenangabe), fuss), seitenangabe);
    }

    QPagedPaintDevice& geraet_;
    QPainter& maler_;
    QFontMetricsF masse_;
    QFontMetricsF kleinMasse_;
    double proMm_;
};

} // namespace

bool drucke(QPagedPaintDevice& geraet, const Druckwerk& werk)
{
    QPainter maler;
    Setzer setzer(geraet, maler);
    const QList<Seite> plan = setzer.plane(werk);
    geraet.setPageOrientation(plan.isEmpty() ? QPageLayout::Portrait : plan.front().lage);
    if (!maler.begin(&geraet))
        return false;
    for (qsizetype i = 0; i < plan.size(); ++i) {
        if (i > 0) {
            geraet.setPageOrientation(plan[i].lage);
            geraet.newPage();
        }
        setzer.male(werk, plan[i], int(i + 1), int(plan.size()));
    }
    return maler.end();
}

namespace {

std::optional<std::string> schreibePdf(const std::string& pfad, const Druckwerk& werk, const QPageLayout& seite,
                                       int aufloesung)
{
    return ersetzeDatei(pfad, [&](QIODevice& ziel) {
        QPdfWriter pdf(&ziel);
        pdf.setResolution(aufloesung);
        pdf.setPageLayout(seite);
        pdf.setCreator(QStringLiteral("Velkor " VELKOR_VERSION));
        return drucke(pdf, werk);
    });
}

} // namespace

std::optional<std::string> druckeAufDrucker(QPrinter& drucker, const Druckwerk& werk)
{
    // The print engine would truncate the file first and never tell of a failed write.
    if (drucker.outputFormat() == QPrinter::PdfFormat && !drucker.outputFileName().isEmpty())
        return schreibePdf(drucker.outputFileName().toStdString(), werk, drucker.pageLayout(), drucker.resolution());
    drucker.setFullPage(false);
    if (!drucke(drucker, werk))
        return "Der Drucker hat den Auftrag nicht angenommen.";
    if (drucker.printerState() == QPrinter::Error)
        return "Der Drucker meldet einen Fehler.";
    return std::nullopt;
}

std::optional<std::string> druckeInPdf(const std::string& pfad, const Druckwerk& werk)
{
    // The page a high-resolution PDF printer sets up (A4, 10 pt margins, 1200 dpi),
    // so that paper and file keep one layout.
    const QPageLayout seite(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                            QPageLayout::Point);
    return schreibePdf(pfad, werk, seite, 1200);
}

std::unique_ptr<QPrinter> standarddrucker()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace velkor
