#include "window/symbol.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velkor {

namespace {

// Draws the SVG only when a size is asked for: on the offscreen platform never,
// on a desktop after the window has been created.
class Symbolzeichner : public QIconEngine {
public:
    void paint(QPainter* maler, const QRect& rechteck, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer(QStringLiteral(":/velkor/velkor.svg")).render(maler, rechteck);
    }
    QPixmap pixmap(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) override
    {
        QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
        bild.fill(Qt::transparent);
        QPainter maler(&bild);
        paint(&maler, bild.rect(), modus, zustand);
        maler.end();
        return QPixmap::fromImage(bild);
    }
    QIconEngine* clone() const override { return new Symbolzeichner; }
};

} // namespace

QIcon programmsymbol() { return QIcon(new Symbolzeichner); }

} // namespace velkor
