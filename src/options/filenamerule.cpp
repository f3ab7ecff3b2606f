#include "options/filenamerule.h"

namespace qv::options {

FileNameProblem checkFileName(const QString& name) {
    for (QChar c : QStringLiteral("|><?*:/\\")) {
        if (name.contains(c))
            return FileNameProblem::ForbiddenCharacter;
    }
    if (name.isEmpty())
        return FileNameProblem::Empty;
    return FileNameProblem::None;
}

QString forbiddenCharactersMessage() {
    return QStringLiteral("Not allowed characters in Filename :   \\ / : * ? < > |  ");
}

}  // namespace qv::options
