#include "output/imagesaver.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include "platform/services.h"

namespace qv::output {

namespace {

SaveError fileError(const QString& path, const QString& why) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        return {errornumber::PathNotFound, QStringLiteral("Path not found")};
    }
    if (info.isDir()) {
        return {errornumber::FileAccess,
                QStringLiteral("Path/File access error: %1 is a folder").arg(path)};
    }
    if (!QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable())) {
        return {errornumber::PermissionDenied, QStringLiteral("Permission denied")};
    }
    return {errornumber::FileAccess, QStringLiteral("Path/File access error (%1)").arg(why)};
}

}  // namespace

QString converterPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("Quorvalline32"));
}

std::optional<SaveError> writeBitmap(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(path, file.errorString());
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image)) {
        file.cancelWriting();
        return fileError(path, writer.errorString());
    }
    if (!file.commit())
        return fileError(path, file.errorString());
    return std::nullopt;
}

std::optional<SaveError> runImageConverter(const QString& programFolder, const QString& source,
                                           const QString& mimeType, const QString& target) {
    using Status = platform::ProcessResult::Status;
    const QString program = converterPath(programFolder);
    const platform::ProcessResult r = platform::process().run(
        program,
        {source, mimeType, target, QStringLiteral("80"), QStringLiteral("comingfromMirelda")},
        kConverterTimeoutMs);
    switch (r.status) {
        case Status::FailedToStart:
            return SaveError{errornumber::FileNotFound,
                             QStringLiteral("Cannot start the image converter %1").arg(program)};
        case Status::TimedOut:
            return SaveError{errornumber::ConverterFailed,
                             QStringLiteral("The image converter did not finish in time")};
        case Status::Crashed:
            return SaveError{errornumber::ConverterFailed,
                             QStringLiteral("The image converter stopped unexpectedly")};
        case Status::Finished:
            break;
    }
    if (r.exitCode != 0) {
        QString why = r.errorText.trimmed();
        if (why.isEmpty())
            why = QStringLiteral("exit code %1").arg(r.exitCode);
        return SaveError{errornumber::ConverterFailed,
                         QStringLiteral("The image converter failed: %1").arg(why)};
    }
    if (!QFileInfo(target).isFile()) {
        return SaveError{errornumber::ConverterFailed,
                         QStringLiteral("The image converter wrote no file %1").arg(target)};
    }
    return std::nullopt;
}

std::optional<SaveError> saveImage(const QImage& image, const QString& target,
                                   const SaveFormat& format, const QString& programFolder) {
    if (format.direct())
        return writeBitmap(image, target);
    if (!QFileInfo(target).absoluteDir().exists()) {
        return SaveError{errornumber::PathNotFound, QStringLiteral("Path not found")};
    }
    // A bitmap of our own for the converter to read, never a name the user could own.
    QTemporaryFile temp(QDir(QDir::tempPath()).filePath(QStringLiteral("quorvalline-XXXXXX.bmp")));
    if (!temp.open())
        return fileError(temp.fileTemplate(), temp.errorString());
    QImageWriter writer(&temp, "bmp");
    if (!writer.write(image) || !temp.flush())
        return fileError(temp.fileName(), writer.errorString());
    temp.close();
    return runImageConverter(programFolder, temp.fileName(), format.converterType, target);
}

}  // namespace qv::output
