#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <variant>

#include "autocapture/jobtable.h"
#include "output/saveerror.h"

namespace qv::autocapture {

// Where a job's capture goes: numbered (the first free of name, name0 ... name998) unless the
// job overwrites; a naming mode that is neither numbers too, so no file is replaced by
// surprise. Fails when the folder is missing or every numbered name is taken.
std::variant<QString, output::SaveError> jobTarget(const JobRow& job);

// Saves image where the job says, in its format (an unknown format saves a bitmap with
// ".bmp"), without any dialog; waits 500 ms after a save so that the file settles before the
// desktop comes back. The error says why nothing was saved.
std::optional<output::SaveError> saveJobCapture(const QImage& image, const JobRow& job,
                                                const QString& programFolder);

}  // namespace qv::autocapture
