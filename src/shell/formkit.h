#pragma once

#include <QFont>
#include <QObject>
#include <QRect>
#include <QtGlobal>
#include <functional>

class QLabel;
class QWidget;

namespace qv::shell {

// Colours of the labels on the picture windows, as 0x00BBGGRR values.
inline constexpr qint64 kLabelGrey = 0xE0E0E0;
inline constexpr qint64 kLabelHover = 0xFFFF80;
inline constexpr qint64 kLinkBlue = 0x800000;
inline constexpr qint64 kLabelWhite = 0xFFFFFF;

// Makes the program's pictures reachable under ":/shell/".
void loadResources();

// Design geometry in twips at the design's 15 twips per pixel.
QRect twipsRect(int left, int top, int width, int height);
// The bold Arial the picture windows write with.
QFont boldArial(double points);

// Grows a label that its text overflows, keeping the side its alignment holds to.
void fitText(QLabel* label);

void setForeColor(QLabel* label, qint64 bgr);
qint64 foreColor(const QLabel* label);

// Delivers a widget's pointer movement and left clicks to handlers, the way a picture
// window's labels report them. Lives as long as the widget.
class PointerEvents : public QObject {
public:
    PointerEvents(QWidget* widget, std::function<void()> onMove,
                  std::function<void()> onClick = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onMove_;
    std::function<void()> onClick_;
};

}  // namespace qv::shell
