#include "options/settings.h"

#include <QDir>
#include <QStandardPaths>

#include "options/helpfile.h"

namespace qv::options {

namespace {

// The user's pictures folder; the home folder when there is none.
QString defaultSaveFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}

}  // namespace

QString extensionOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Png:
            return QStringLiteral(".png");
        case ImageFormat::Jpg:
            return QStringLiteral(".jpg");
        case ImageFormat::Tif:
            return QStringLiteral(".tif");
        case ImageFormat::Bmp:
            break;
    }
    return QStringLiteral(".bmp");
}

Settings firstRunSettings() {
    Settings settings;
    settings.saveFolder = defaultSaveFolder();
    settings.soundFile = programFolder() + QStringLiteral("/beep.wav");
    return settings;
}

void keepConsistent(Settings& settings) {
    if (settings.naming == SaveNaming::Increment && settings.fileNamePrefix.isEmpty())
        settings.fileNamePrefix = Settings().fileNamePrefix;
    if (settings.releaseAfterCapture)
        settings.autoCopy = true;
}

}  // namespace qv::options
