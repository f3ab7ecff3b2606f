#pragma once

#include <QFont>
#include <QRect>
#include <QtGlobal>

class QLabel;

namespace qv::shell {

// Colours of the labels on the picture windows, as 0x00BBGGRR values.
inline constexpr qint64 kLabelGrey = 0xE0E0E0;
inline constexpr qint64 kLabelHover = 0xFFFF80;
inline constexpr qint64 kLinkBlue = 0x800000;
// The highlight of a link on a light part of a picture, where kLabelHover would not show.
inline constexpr qint64 kLinkHover = 0x997A00;
inline constexpr qint64 kLabelWhite = 0xFFFFFF;

// Makes the program's pictures reachable under ":/shell/".
void loadResources();

// Design geometry in twips at the design's 15 twips per pixel.
QRect twipsRect(int left, int top, int width, int height);
// The bold Arial the picture windows write with.
QFont boldArial(double points);

// Grows a label that its text overflows, keeping the side its alignment holds to and its
// lower edge inside the widget it lies on.
void fitText(QLabel* label);

// The colour of a label's text, as a 0x00BBGGRR value.
void setTextColor(QLabel* label, qint64 bgr);

}  // namespace qv::shell
