#pragma once

#include <QPointer>
#include <QWidget>

#include "objects/objectlayer.h"

class QFrame;
class QToolButton;

namespace qv::objects {

// Tells the user that the automatic context menu is off while objects are added, and notes
// that it was told.
void informUser(QWidget* owner);

// "Objects": a small tool window over the frozen screen whose buttons add objects below it.
// Closing it drops it, so that the next showing places it afresh; the capture and release
// commands only hide it.
class ObjectsPalette : public QWidget {
public:
    ObjectsPalette();

    // Shows the palette over the frozen screen whose objects its buttons add to.
    void showFor(ObjectLayer& layer);
    ObjectLayer* layer() const { return layer_; }

    // Tells the user, once per showing of the palette, that the automatic menu is off.
    void informUser();

    QFrame* buttonFrame;
    QToolButton* textButton;
    QToolButton* rectangleButton;
    QToolButton* roundedRectangleButton;
    QToolButton* ellipseButton;
    QToolButton* circleButton;
    QToolButton* lineButton;
    QToolButton* arrowButton;
    QToolButton* imageButton;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Puts the frame 100 pixels from the screen's right edge and from its top.
    void placeOnScreen();
    // Sets where the next object goes, from where the palette is now.
    void placeNewObject();
    void addShapeOf(int figure);
    void addLineOf(bool arrow);
    // Opens Text Options, whose OK adds the text.
    void addText();
    void addImageFromFile();
    // What every add ends with.
    void noticeAddedObject();

    QPointer<ObjectLayer> layer_;
    bool frameKnown_ = false;
};

}  // namespace qv::objects
