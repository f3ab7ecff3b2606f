#include "shell/iconcarriers.h"

#include <QIcon>
#include <QPixmap>

#include "shell/formkit.h"

namespace qv::shell {

namespace {
constexpr int kSize = 32;
constexpr int kHotSpot = 15;
}  // namespace

IconCarrier::IconCarrier(const QString& name) {
    loadResources();
    setWindowTitle(QStringLiteral("Quorvalline"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/cursors/%1.svg").arg(name)));
}

QCursor IconCarrier::pointer() const {
    return QCursor(windowIcon().pixmap(kSize, kSize), kHotSpot, kHotSpot);
}

}  // namespace qv::shell
