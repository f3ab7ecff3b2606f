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
// The stored text whole, with its terminating NUL as the last character.
QString readTextWithNul(const QString& key, const QString& name);
// The stored text without its last character (the terminating NUL).
QString readTextWithoutNul(const QString& key, const QString& name);

// A plain open: does the key exist? Creates nothing.
bool keyExists(const QString& key);
void createKey(const QString& key);
bool deleteValue(const QString& key, const QString& name);

// What a text box shows of a text read with its NUL: everything before the first NUL.
QString textBeforeNul(const QString& storedText);

// A stored text with its control characters shown as '?', so that a report naming it stays on
// one line.
QString onOneLine(QString storedText);
// "1" or "0" as readTextWithNul gives it back.
QString flagWithNul(bool on);

}  // namespace qv::options
