#pragma once

#include <QFont>

namespace velkor {

// The face both windows' fixed layouts were drawn for: a small sans-serif of 11 pixels
// ("Arial", metric-compatible Liberation Sans where Arial is missing).
inline QFont oberflaechenschrift()
{
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPixelSize(11);
    return schrift;
}

} // namespace velkor
