#include "window/skizzenansicht.h"

#include "report/skizzenmaler.h"

#include <QPainter>

namespace velkor {

namespace {

// Screen pixels per sheet millimetre: the sheet's 2.5 mm text then stands 9 pixels high.
constexpr double pixelProMm = 3.6;

} // namespace

Skizzenansicht::Skizzenansicht(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette farben = palette();
    farben.setColor(QPalette::Window, Qt::white);
    setPalette(farben);
}

void Skizzenansicht::setzeQuelle(std::optional<Rechenstand> quelle)
{
    quelle_ = std::move(quelle);
    update();
}

std::optional<Skizze> Skizzenansicht::skizze() const
{
    if (!quelle_)
        return std::nullopt;
    return velkor::skizze(*quelle_, width() / pixelProMm, height() / pixelProMm);
}

void Skizzenansicht::paintEvent(QPaintEvent*)
{
    QPainter maler(this);
    if (const std::optional<Skizze> s = skizze())
        maleSkizze(maler, *s, QRectF(rect()));
    else
        maler.drawText(rect(), Qt::AlignCenter, QStringLiteral("Keine Skizze"));
}

} // namespace velkor
