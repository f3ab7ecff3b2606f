#pragma once

#include <QString>

namespace qv::options {

// What is wrong with a name the user typed for a file or a job.
enum class FileNameProblem { None, ForbiddenCharacter, Empty };

// A name must not contain any of | > < ? * : / \ nor a control character (a line break, a
// tab), must not be "." or "..", and must not be empty; blanks alone pass. All of these but
// emptiness are forbidden characters, and they are reported before emptiness.
FileNameProblem checkFileName(const QString& name);

// A folder typed or stored for saving: any path, except one with a control character or a ".."
// step, which would lead somewhere other than the folder it reads as. Empty is reported last.
FileNameProblem checkFolderPath(const QString& path);

// The message for a name with a forbidden character, as every window shows it.
QString forbiddenCharactersMessage();

}  // namespace qv::options
