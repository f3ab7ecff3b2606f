#pragma once

#include <QPointer>
#include <QWidget>

#include "objects/state.h"

namespace qv::objects {

class ObjectLayer;

// What the Shape and Line Options windows share: a tool window over the frozen screen that
// restyles the layer's current object on a preview. It is loaded on its first opening; later
// openings show it as it was left and only its activation refills it, unless a colour dialog
// of its own has been open since, so that what the user picked stays.
class StyleOptionsWindow : public QWidget {
protected:
    // The window's flags in the freeze state: whether it is up, and whether its colour dialog
    // has been opened; closeLeavesColorFlag is what the close box leaves in the second.
    struct Flags {
        bool FreezeFlags::*open;
        bool FreezeFlags::*colorDialogOpen;
        bool closeLeavesColorFlag;
    };

    StyleOptionsWindow(const QString& title, Flags flags);

    // Loads the window on its first opening, shows it over the stage and focuses focusWidget.
    void showFor(ObjectLayer& layer, QWidget& focusWidget);
    // Marks the colour dialog open and gives the window it is to be modal to.
    QWidget* colorDialogOwner();
    // Marks the window down. OK clears the colour dialog flag; Cancel and the close box leave
    // it as closeLeavesColorFlag says.
    void markClosed(bool accepted);

    // Copies the current object into the window; loading is true on the first opening only.
    virtual void fill(bool loading) = 0;
    // Takes the window out of the subsystem's windows if it is the one held there.
    virtual void unload() = 0;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    QPointer<ObjectLayer> layer_;

private:
    Flags flags_;
    bool loaded_ = false;
};

}  // namespace qv::objects
