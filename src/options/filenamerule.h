#pragma once

#include <QString>

namespace qv::options {

// What is wrong with a name the user typed for a file or a job.
enum class FileNameProblem { None, ForbiddenCharacter, Empty };

// A name must not contain any of | > < ? * : / \ nor a control character (a line break, a
// tab), must not be "." or "..", and must not be empty; blanks alone pass. All of these but
// emptiness are forbidden characters, and they are reported before emptiness.
FileNameProblem checkFileName(const QString& name);

// The message for a name with a forbidden character, as every window shows it.
QString forbiddenCharactersMessage();

}  // namespace qv::options
