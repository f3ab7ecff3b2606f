#include "options/filenamerule.h"

#include <QStringList>
#include <algorithm>

namespace qv::options {

namespace {

bool hasControlCharacter(const QString& text) {
    // A pasted line break or tab would end up inside the file name.
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool hasForbiddenCharacter(const QString& name) {
    for (QChar c : QStringLiteral("|><?*:/\\")) {
        if (name.contains(c))
            return true;
    }
    return hasControlCharacter(name);
}

}  // namespace

FileNameProblem checkFileName(const QString& name) {
    // "." and ".." name folders, never a file of their own; like a slash they lead out of the
    // name into the folder tree, so they count as forbidden characters.
    if (hasForbiddenCharacter(name) || name == u"." || name == u"..")
        return FileNameProblem::ForbiddenCharacter;
    if (name.isEmpty())
        return FileNameProblem::Empty;
    return FileNameProblem::None;
}

FileNameProblem checkFolderPath(const QString& path) {
    if (hasControlCharacter(path) || path.split(u'/').contains(QStringLiteral("..")))
        return FileNameProblem::ForbiddenCharacter;
    return path.isEmpty() ? FileNameProblem::Empty : FileNameProblem::None;
}

QString forbiddenCharactersMessage() {
    return QStringLiteral("Not allowed characters in Filename :   \\ / : * ? < > |  ");
}

}  // namespace qv::options
