#include "output/numberedname.h"

#include <QDir>
#include <QFileInfo>

namespace qv::output {

namespace {

bool taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();  // a dangling link still holds the name
}

}  // namespace

std::optional<QString> firstFreeNumberedName(const QString& folder, const QString& shownPrefix,
                                             const QString& storedPrefix,
                                             const QString& extension) {
    const QDir dir(folder);
    const QString first = dir.filePath(shownPrefix + extension);
    if (!taken(first))
        return first;
    for (int n = 0; n < kNumberedNames; ++n) {
        const QString candidate = dir.filePath(storedPrefix + QString::number(n) + extension);
        if (!taken(candidate))
            return candidate;
    }
    return std::nullopt;
}

}  // namespace qv::output
