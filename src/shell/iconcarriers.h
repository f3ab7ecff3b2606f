#pragma once

#include <QCursor>
#include <QWidget>

namespace qv::shell {

// A window that is never shown and only carries the icon of a custom pointer: the picture
// :/shell/cursors/<name>.svg.
class IconCarrier : public QWidget {
public:
    explicit IconCarrier(const QString& name);
    // The pointer made of the window's icon, its hot spot where the pictures' crosses meet.
    QCursor pointer() const;
};

}  // namespace qv::shell
