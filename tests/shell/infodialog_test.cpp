#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "fakes/fakeprogram.h"
#include "shell/infodialog.h"
#include "shell/windows.h"

namespace qv::shell {
namespace {

// Relative luminance and contrast ratio by the WCAG 2 formulas.
double luminance(QColor c) {
    auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class InfoDialogTest : public fakes::ProgramTest {
protected:
    static void pointAt(QLabel* label) {
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), label->mapToGlobal(QPointF(1, 1)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &move);
    }
    static QColor color(const QLabel* label) {
        return label->palette().color(QPalette::WindowText);
    }
    // A move delivered as the window system does: to the widget under the pointer, and from
    // there to the parents that track the mouse.
    static void moveOver(QWidget& window, QPoint at) {
        QWidget* under = window.childAt(at);
        if (!under)
            under = &window;
        const QPointF local = under->mapFrom(&window, QPointF(at));
        QMouseEvent move(QEvent::MouseMove, local, window.mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(under, &move);
    }
    // The poorest contrast of the label's text on the picture anywhere under the label.
    static double worstContrast(const InfoDialog& dialog, const QLabel* label) {
        const QImage picture = dialog.background->pixmap().toImage();
        const QRect under = label->geometry().intersected(picture.rect());
        const QColor text = label->palette().color(QPalette::WindowText);
        double worst = 21;
        for (int y = under.top(); y <= under.bottom(); ++y) {
            for (int x = under.left(); x <= under.right(); ++x)
                worst = std::min(worst, contrast(text, picture.pixelColor(x, y)));
        }
        return worst;
    }
};

TEST_F(InfoDialogTest, EveryLinkIsReadableAtRestAndUnderThePointer) {
    InfoDialog& dialog = prog.shellWindows().infoDialog.get();
    for (QLabel* link : {dialog.webSiteLink, dialog.supportLink, dialog.closeLink}) {
        SCOPED_TRACE(link->text().toStdString());
        pointAt(dialog.background);
        EXPECT_GE(worstContrast(dialog, link), 3.0) << "at rest";
        const QColor resting = link->palette().color(QPalette::WindowText);
        pointAt(link);
        EXPECT_NE(link->palette().color(QPalette::WindowText), resting) << "no highlight";
        EXPECT_GE(worstContrast(dialog, link), 3.0) << "under the pointer";
    }
}

// A move anywhere on the picture, inside the frame too, puts every link back at rest.
TEST_F(InfoDialogTest, AMoveOverThePictureResetsTheHighlight) {
    InfoDialog& dialog = prog.shellWindows().infoDialog.get();
    dialog.show();
    QLabel* const links[] = {dialog.webSiteLink, dialog.supportLink, dialog.closeLink};
    auto onALink = [&](QPoint at) {
        return std::any_of(std::begin(links), std::end(links),
                           [&](QLabel* link) { return link->geometry().contains(at); });
    };
    pointAt(dialog.background);
    const QColor resting[] = {color(dialog.webSiteLink), color(dialog.supportLink),
                              color(dialog.closeLink)};
    const QRect frame = dialog.border->geometry();
    int tried = 0;
    for (int y = frame.top() + 2; y < frame.bottom(); y += 9) {
        for (int x = frame.left() + 2; x < frame.right(); x += 23) {
            const QPoint at(x, y);
            if (onALink(at))
                continue;
            ++tried;
            for (size_t i = 0; i < std::size(links); ++i) {
                pointAt(links[i]);
                moveOver(dialog, at);
                ASSERT_EQ(color(links[i]), resting[i]) << x << "," << y;
            }
        }
    }
    EXPECT_GT(tried, 100);
}

}  // namespace
}  // namespace qv::shell
