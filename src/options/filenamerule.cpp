#include "options/filenamerule.h"

#include <QStringList>
#include <algorithm>

#include "options/settings.h"

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

// What the longest file made from a name adds to it. Every format counts, not only the chosen
// one, so that a change of format never turns a name in force into one that cannot be saved.
int endingBytes(NameEnding ending) {
    qsizetype extension = 0;
    for (ImageFormat format : kImageFormats)
        extension = std::max(extension, extensionOf(format).toUtf8().size());
    const qsizetype number =
        ending == NameEnding::NumberAndExtension ? QString::number(kNumberedNames - 1).size() : 0;
    return int(extension + number);
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

QString tooLongRefusal(const QString& name, NameEnding ending) {
    const int ends = endingBytes(ending);
    if (name.toUtf8().size() + ends <= kFileNameBytes)
        return {};
    const QString after = ending == NameEnding::NumberAndExtension
                              ? QStringLiteral("with number and extension")
                              : QStringLiteral("with extension");
    return QStringLiteral("Filename too long :   at most %1 bytes (%2 %3)  ")
        .arg(kFileNameBytes - ends)
        .arg(kFileNameBytes)
        .arg(after);
}

QString fileNameRefusal(const QString& name, NameEnding ending) {
    if (checkFileName(name) == FileNameProblem::ForbiddenCharacter)
        return forbiddenCharactersMessage();
    return tooLongRefusal(name, ending);
}

}  // namespace qv::options
