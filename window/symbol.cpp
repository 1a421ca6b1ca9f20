#include "window/symbol.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velkor {

QIcon programmsymbol()
{
    // Large enough for a title bar at twice the usual pixel density.
    constexpr int seite = 64;
    QSvgRenderer zeichnung(QStringLiteral(":/velkor/velkor.svg"));
    QImage bild(seite, seite, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    zeichnung.render(&maler);
    maler.end();
    return QIcon(QPixmap::fromImage(bild));
}

} // namespace velkor
