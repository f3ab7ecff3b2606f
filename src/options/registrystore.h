#pragma once

#include <QString>

namespace qv::options {

// The program's own key under the current user; the settings' sub-keys hang below it.
inline const QString kProgramKey = QStringLiteral("Software\\Quorvalline");

// Texts are stored followed by a NUL that is counted in the stored length; one value keeps
// only its text (the saving format).
enum class Nul { Counted, Omitted };

// Writes one text value, creating its key when it is missing.
void writeText(const QString& key, const QString& name, const QString& text,
               Nul nul = Nul::Counted);

// Readers create the key they read, as the program always has. A missing value reads as the
// empty text.
// Keep rule: the stored text whole, with its terminating NUL as the last character.
QString readKeep(const QString& key, const QString& name);
// Drop rule: the stored text without its last character (the terminating NUL).
QString readDrop(const QString& key, const QString& name);

// A plain open: does the key exist? Creates nothing.
bool keyExists(const QString& key);
void createKey(const QString& key);
bool deleteValue(const QString& key, const QString& name);

// What a text box shows of a text read by the keep rule: everything before the first NUL.
QString shownText(const QString& keepText);
// "1" or "0" as read back by the keep rule, with the NUL.
QString keepFlag(bool on);

}  // namespace qv::options
