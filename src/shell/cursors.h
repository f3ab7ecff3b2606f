#pragma once

#include <QCursor>

// The program's own pointers, each a picture under :/shell/cursors/. Every call makes a new
// cursor; whoever sets one at every pointer move keeps it.
namespace qv::shell::cursors {

QCursor rectangleMode();  // marking a rectangular area
QCursor circleMode();     // marking a circular area
QCursor copied();         // for a moment after a capture went to the clipboard
QCursor link();           // over the labels that act as links

}  // namespace qv::shell::cursors
