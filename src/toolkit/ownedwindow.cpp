#include "toolkit/ownedwindow.h"

#include <QRect>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace qv::toolkit {

void showOwned(QWidget& window, QWidget& owner) {
    window.winId();
    owner.winId();
    if (window.windowHandle() && owner.windowHandle())
        window.windowHandle()->setTransientParent(owner.windowHandle());
    // A window shown for the first time comes up over its owner's middle, as a dialog would;
    // later showings keep where the user moved it.
    if (!window.property("qvPlaced").toBool() && owner.isVisible()) {
        window.adjustSize();
        QRect placed = window.frameGeometry();
        placed.moveCenter(owner.frameGeometry().center());
        window.move(std::max(0, placed.left()), std::max(0, placed.top()));
        window.setProperty("qvPlaced", true);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace qv::toolkit
