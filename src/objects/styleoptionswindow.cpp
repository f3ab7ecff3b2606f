#include "objects/styleoptionswindow.h"

#include <QCloseEvent>

#include "objects/objectlayer.h"
#include "objects/toolwindow.h"

namespace qv::objects {

StyleOptionsWindow::StyleOptionsWindow(const QString& title, Flags flags) : flags_(flags) {
    makeToolWindow(*this, title);
}

void StyleOptionsWindow::showFor(ObjectLayer& layer, QWidget& focusWidget) {
    layer_ = &layer;
    if (!loaded_) {
        loaded_ = true;
        fill(true);
    }
    showOnStage(*this, layer, focusWidget);
}

QWidget* StyleOptionsWindow::colorDialogOwner() {
    state().freeze.*flags_.colorDialogOpen = true;
    if (layer_)
        return layer_->stage().stageWindow();
    return this;
}

void StyleOptionsWindow::markClosed(bool accepted) {
    auto& freeze = state().freeze;
    freeze.*flags_.colorDialogOpen = !accepted && flags_.closeLeavesColorFlag;
    freeze.*flags_.open = false;
}

bool StyleOptionsWindow::event(QEvent* event) {
    // An activation that comes in after the window was hidden (OK lets events through) is
    // not the user's coming back to it.
    if (event->type() == QEvent::WindowActivate && isVisible()) {
        auto& freeze = state().freeze;
        freeze.*flags_.open = true;
        if (!(freeze.*flags_.colorDialogOpen))
            fill(false);
    }
    return QWidget::event(event);
}

void StyleOptionsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window manager may not activate the window at once; it is up all the same.
    state().freeze.*flags_.open = true;
}

void StyleOptionsWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    markClosed(false);
    unload();
}

}  // namespace qv::objects
