#include "output/savingcursor.h"

#include <QIcon>
#include <QPixmap>

// The picture lives in this static library; its resources must be asked for.
static void initOutputResources() {
    Q_INIT_RESOURCE(output);
}

namespace qv::output::cursors {

QCursor saving() {
    static const bool loaded = (initOutputResources(), true);
    Q_UNUSED(loaded);
    constexpr int kSize = 32;
    constexpr int kCross = 15;
    const QIcon picture(QStringLiteral(":/output/saving.svg"));
    return QCursor(picture.pixmap(kSize, kSize), kCross, kCross);
}

}  // namespace qv::output::cursors
