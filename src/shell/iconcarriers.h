#pragma once

#include <QCursor>
#include <QIcon>
#include <QWidget>

namespace qv::shell {

// The pictures the pointer takes over the frozen image.
enum class CarrierIcon { RectangleArea, CircleArea, Clipboard, Saving };
QIcon carrierIcon(CarrierIcon which);

// A window that is never shown and only carries the icon of a custom pointer.
class IconCarrier : public QWidget {
public:
    explicit IconCarrier(CarrierIcon which) {
        setWindowTitle(QStringLiteral("Quorvalline"));
        setWindowIcon(carrierIcon(which));
    }
    // The pointer made of the window's icon, its hot spot in the middle.
    QCursor pointer() const;
};

}  // namespace qv::shell
