#include "output/imagesaver.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryFile>
#include <QtEndian>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/exitcleanup.h"
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

// Qt keeps only the text of a failed write (its own, untranslated, or the system's); that
// text is how a full disk shows.
bool diskFull(const QFileDevice& file) {
    if (file.error() == QFileDevice::NoError)
        return false;
    const QString why = file.errorString();
    return why == QLatin1String("No space left on device") ||
           why == QString::fromLocal8Bit(std::strerror(ENOSPC));
}

SaveError writeError(const QFileDevice& file, const QString& path, const QString& why) {
    if (diskFull(file))
        return {errornumber::DiskFull, QStringLiteral("No space left on device")};
    return fileError(path, why);
}

// What any program's new file gets: read and write for all, less the user's mask.
QFileDevice::Permissions permissionsOfANewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QFileDevice::Permissions permissions;
    const struct {
        mode_t bit;
        QFileDevice::Permission permission;
    } bits[] = {{S_IRUSR, QFileDevice::ReadOwner}, {S_IWUSR, QFileDevice::WriteOwner},
                {S_IRGRP, QFileDevice::ReadGroup}, {S_IWGRP, QFileDevice::WriteGroup},
                {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther}};
    for (const auto& b : bits) {
        if ((mask & b.bit) == 0)
            permissions |= b.permission;
    }
    return permissions;
}

// Writes image into file, buffered writes included: the writer alone misses a write that
// fails only when the buffer reaches the disk.
bool writeWhole(const QImage& image, QFileDevice& file, QString& why) {
    QImageWriter writer(&file, "bmp");
    const bool written = writer.write(image);
    const bool flushed = file.flush();
    if (written && flushed && file.error() == QFileDevice::NoError)
        return true;
    why = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    return false;
}

// The converter's own bitmap: 32-bit rows, top row first, which is how the picture lies in
// memory, so the rows go out in one write without a converted copy. Only a capture's format
// is written so; the converter reads this layout straight into its picture.
bool writeCaptureBitmap(const QImage& image, QFileDevice& file, QString& why) {
    constexpr int kHeaders = 14 + 40;
    const qint64 pixels = qint64(image.bytesPerLine()) * image.height();
    uchar header[kHeaders] = {'B', 'M'};
    qToLittleEndian(quint32(kHeaders + pixels), header + 2);
    qToLittleEndian(quint32(kHeaders), header + 10);
    qToLittleEndian(quint32(40), header + 14);
    qToLittleEndian(qint32(image.width()), header + 18);
    qToLittleEndian(qint32(-image.height()), header + 22);  // negative: top row first
    qToLittleEndian(quint16(1), header + 26);
    qToLittleEndian(quint16(32), header + 28);
    qToLittleEndian(quint32(pixels), header + 34);
    qToLittleEndian(qint32(image.dotsPerMeterX()), header + 38);
    qToLittleEndian(qint32(image.dotsPerMeterY()), header + 42);
    const bool written =
        file.write(reinterpret_cast<const char*>(header), kHeaders) == kHeaders &&
        file.write(reinterpret_cast<const char*>(image.constBits()), pixels) == pixels &&
        file.flush();
    if (written && file.error() == QFileDevice::NoError)
        return true;
    why = file.errorString();
    return false;
}

}  // namespace

bool writeConverterBitmap(const QImage& image, QFileDevice& file, QString& why) {
    // Rows of a 32-bit picture have no padding, so its memory is the bitmap's pixel data.
    if (image.format() == QImage::Format_RGB32 && image.bytesPerLine() == image.width() * 4)
        return writeCaptureBitmap(image, file, why);
    return writeWhole(image, file, why);
}

QString converterPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("Quorvalline32"));
}

std::optional<SaveError> writeBitmap(const QImage& image, const QString& path) {
    // A link is followed: its target is the file the user sees by that name.
    const QFileInfo named(path);
    const QString target = named.isSymLink() ? named.symLinkTarget() : path;
    // The new bitmap is written under a short name of its own beside the target: a name made by
    // adding to the target's could pass the file system's limit where the target's does not.
    QTemporaryFile file(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".qv-XXXXXX")));
    if (!file.open())
        return fileError(path, file.errorString());
    QString why;
    // The rename comes only after every byte and the sync to the disk were checked; on any
    // failure the temporary file goes and the file there stays as it was.
    if (!writeWhole(image, file, why))
        return writeError(file, path, why);
    if (::fsync(file.handle()) != 0)
        return writeError(file, path, QString::fromLocal8Bit(std::strerror(errno)));
    file.setPermissions(QFileInfo::exists(target) ? QFile::permissions(target)
                                                  : permissionsOfANewFile());
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0)
        return fileError(path, QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);
    return std::nullopt;
}

std::optional<SaveError> runImageConverter(const QString& programFolder, const QString& source,
                                           const QString& mimeType, const QString& target,
                                           const platform::MemoryFile* handedOver) {
    using Status = platform::ProcessResult::Status;
    const QString program = converterPath(programFolder);
    const platform::ProcessResult r = platform::process().run(
        program,
        {source, mimeType, target, QStringLiteral("80"), QStringLiteral("comingfromMirelda")},
        kConverterTimeoutMs, handedOver);
    switch (r.status) {
        case Status::FailedToStart: {
            QString text = QStringLiteral("Cannot start the image converter %1").arg(program);
            if (!r.errorText.isEmpty())
                text += QStringLiteral(" (%1)").arg(r.errorText);
            return SaveError{errornumber::FileNotFound, text};
        }
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
        // One line for the box, the first: what follows, up to a library's flood, would bury it.
        QString why = r.errorText.section(QLatin1Char('\n'), 0, 0).trimmed();
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

namespace {

// The bitmap on the disk: a file of our own in the temporary folder, never a name the user
// could own, removed on every path.
std::optional<SaveError> convertThroughTemporaryFile(const QImage& image, const QString& target,
                                                     const SaveFormat& format,
                                                     const QString& programFolder) {
    QTemporaryFile temp(QDir(QDir::tempPath()).filePath(QStringLiteral("quorvalline-XXXXXX.bmp")));
    if (!temp.open())
        return fileError(temp.fileTemplate(), temp.errorString());
    // Also when the program ends during the conversion without leaving this scope.
    const platform::ExitCleanup removeTemp([&temp] { temp.remove(); });
    QString why;
    if (!writeConverterBitmap(image, temp, why))
        return writeError(temp, temp.fileName(), why);
    temp.close();
    return runImageConverter(programFolder, temp.fileName(), format.converterType, target);
}

}  // namespace

std::optional<SaveError> saveImage(const QImage& image, const QString& target,
                                   const SaveFormat& format, const QString& programFolder) {
    if (format.direct())
        return writeBitmap(image, target);
    if (!QFileInfo(target).absoluteDir().exists()) {
        return SaveError{errornumber::PathNotFound, QStringLiteral("Path not found")};
    }
    // The bitmap goes to the converter through memory where the system has memory files. A
    // file on the disk is held up while the disk is busy with other programs' writes (95 of the
    // 134 ms of a 3840x2160 save were seen so); memory never waits for the disk, and nothing of
    // the bitmap is left anywhere, however the save or the program ends.
    if (const auto memory =
            platform::process().memoryFile(QStringLiteral("quorvalline-capture.bmp"))) {
        QString why;
        if (writeConverterBitmap(image, memory->device(), why))
            return runImageConverter(programFolder, memory->path(), format.converterType, target,
                                     memory.get());
        // Memory short of the bitmap: the disk may still have room for it.
    }
    return convertThroughTemporaryFile(image, target, format, programFolder);
}

}  // namespace qv::output
