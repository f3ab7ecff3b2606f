#pragma once

#include <QString>

namespace qv::options {

// The most bytes the file systems take for one name (NAME_MAX), in their encoding, UTF-8.
inline constexpr int kFileNameBytes = 255;
// "Increment File Name" puts a number from 0 to kNumberedNames - 1 behind the prefix.
inline constexpr int kNumberedNames = 999;

// What follows a typed name in the files made from it.
enum class NameEnding { Extension, NumberAndExtension };

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

// The message for a name that, with the longest number and extension it may get, passes
// kFileNameBytes; empty when it fits.
QString tooLongRefusal(const QString& name, NameEnding ending);

// Why name cannot be used, as every window says it: a forbidden character, or too long.
// Empty when it can be used, and for an empty name, which each window answers in its own way.
QString fileNameRefusal(const QString& name, NameEnding ending);

}  // namespace qv::options
