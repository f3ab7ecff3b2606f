#include "toolkit/ownedwindow.h"

#include <QWidget>
#include <QWindow>

namespace qv::toolkit {

void showOwned(QWidget& window, QWidget& owner) {
    window.winId();
    owner.winId();
    if (window.windowHandle() && owner.windowHandle())
        window.windowHandle()->setTransientParent(owner.windowHandle());
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace qv::toolkit
