#include "autocapture/jobsaver.h"

#include <QDir>
#include <QFileInfo>

#include "autocapture/jobrecords.h"
#include "output/imagesaver.h"
#include "output/numberedname.h"
#include "output/saveformat.h"
#include "platform/services.h"

namespace qv::autocapture {

std::variant<QString, output::SaveError> jobTarget(const JobRow& job) {
    const QString extension = output::saveFormatFor(job.imgFormat).extension;
    if (const QString refusal = refusedSavePath(job.saveDir, job.saveName, job.savingType);
        !refusal.isEmpty())
        return output::SaveError{output::errornumber::BadFileName, refusal};
    if (job.saveDir.isEmpty() || !QFileInfo(job.saveDir).isDir())
        return output::SaveError{output::errornumber::PathNotFound,
                                 QStringLiteral("Path not found")};
    if (job.savingType == kOverwrite)
        return QDir(job.saveDir).filePath(job.saveName + extension);
    if (auto free =
            output::firstFreeNumberedName(job.saveDir, job.saveName, job.saveName, extension))
        return *free;
    return output::SaveError{output::errornumber::NoFreeName,
                             QStringLiteral("Every numbered file name is taken")};
}

std::optional<output::SaveError> saveJobCapture(const QImage& image, const JobRow& job,
                                                const QString& programFolder) {
    const auto target = jobTarget(job);
    if (const auto* error = std::get_if<output::SaveError>(&target))
        return *error;
    const output::SaveFormat& format = output::saveFormatFor(job.imgFormat);
    if (auto error = output::saveImage(image, std::get<QString>(target), format, programFolder))
        return error;
    platform::clock().sleep(500);
    return std::nullopt;
}

}  // namespace qv::autocapture
