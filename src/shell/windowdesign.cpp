#include "shell/windowdesign.h"

#include <QLabel>
#include <QPalette>
#include <algorithm>

#include "toolkit/colors.h"
#include "toolkit/twips.h"

// The pictures live in the core library; a static library's resources must be asked for.
static void initShellResources() {
    Q_INIT_RESOURCE(shell);
}

namespace qv::shell {

void loadResources() {
    static const bool loaded = (initShellResources(), true);
    Q_UNUSED(loaded);
}

namespace {
constexpr double kDesignTwipsPerPixel = 15;

int designPixels(int twips) {
    return toolkit::twipsToPixels(twips, kDesignTwipsPerPixel);
}
}  // namespace

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(designPixels(left), designPixels(top), designPixels(width), designPixels(height));
}

QFont boldArial(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void fitText(QLabel* label) {
    const QSize needed = label->sizeHint();
    QRect box = label->geometry();
    const int extra = std::max(0, needed.width() - box.width());
    if (label->alignment() & Qt::AlignHCenter)
        box.adjust(-extra / 2, 0, extra - extra / 2, 0);
    else if (label->alignment() & Qt::AlignRight)
        box.adjust(-extra, 0, 0, 0);
    else
        box.adjust(0, 0, extra, 0);
    box.setHeight(std::max(box.height(), needed.height()));
    // Grown past the lower edge of what it lies on, the label would lose the bottoms of its
    // letters: it moves up instead.
    if (const QWidget* parent = label->parentWidget()) {
        const int below = box.bottom() - (parent->height() - 1);
        if (below > 0)
            box.translate(0, -std::min(below, box.top()));
    }
    label->setGeometry(box);
}

void setTextColor(QLabel* label, qint64 bgr) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toolkit::colorFromValue(bgr));
    label->setPalette(palette);
}

}  // namespace qv::shell
