#pragma once

#include "report/skizze.h"

#include <QWidget>

#include <optional>

namespace velkor {

// The drawing of the last report on screen, laid out anew for the widget's size.
class Skizzenansicht : public QWidget {
    Q_OBJECT
public:
    explicit Skizzenansicht(QWidget* parent = nullptr);

    void setzeQuelle(std::optional<Rechenstand> quelle);
    bool hatSkizze() const { return quelle_.has_value(); }
    // The sheet as it is painted at the current size.
    std::optional<Skizze> skizze() const;

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    std::optional<Rechenstand> quelle_;
};

} // namespace velkor
