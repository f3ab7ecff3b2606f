// Stand-in until the desktop layer is built.
#include "platform/linux/standins.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace qv::platform {

QSize QtDesktop::screenSize() const {
    return QGuiApplication::primaryScreen()->geometry().size();
}

int QtDesktop::logicalDpiX() const {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
}

int QtDesktop::logicalDpiY() const {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
}

QImage QtDesktop::grab(const QRect& rect) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage();
}

QPoint QtDesktop::cursorPos() const {
    return QCursor::pos();
}

bool QtDesktop::leftButtonDown() const {
    return QGuiApplication::mouseButtons() & Qt::LeftButton;
}

namespace {
class OverrideCursor : public BusyPointer {
public:
    OverrideCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~OverrideCursor() override { QGuiApplication::restoreOverrideCursor(); }
};
}  // namespace

std::unique_ptr<BusyPointer> QtDesktop::busyPointer() {
    return std::make_unique<OverrideCursor>();
}

QString QtLocale::measurementSystem() const {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QStringLiteral("1")
                                                                              : QStringLiteral("0");
}

QString QtLocale::decimalSeparator() const {
    return QLocale::system().decimalPoint();
}

int DesktopServicesShell::open(const QString& target) {
    const bool url = target.contains(QStringLiteral(":")) && !QFileInfo(target).isAbsolute();
    if (!url && !QFileInfo::exists(target))
        return shellresult::FileNotFound;
    const QUrl where = url ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(where) ? shellresult::LaunchOk : shellresult::NoAssociation;
}

int DesktopServicesShell::start(const QString& program, const QStringList& arguments) {
    if (!QFileInfo::exists(program))
        return shellresult::FileNotFound;
    return QProcess::startDetached(program, arguments) ? shellresult::LaunchOk
                                                       : shellresult::AccessDenied;
}

}  // namespace qv::platform
