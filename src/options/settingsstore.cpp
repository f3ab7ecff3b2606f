#include "options/settingsstore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <array>
#include <limits>
#include <utility>

#include "options/filenamerule.h"
#include "options/registrystore.h"
#include "options/state.h"
#include "platform/services.h"
#include "toolkit/numbers.h"

namespace qv::options {

namespace {

const QString kSave = kProgramKey + QStringLiteral("\\Save");
const QString kApps = kProgramKey + QStringLiteral("\\Apps");
const QString kFrame = kProgramKey + QStringLiteral("\\Frame");
const QString kAuto = kProgramKey + QStringLiteral("\\Auto");

QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A flag as readTextWithNul gives it; nothing for any other text.
std::optional<bool> readFlag(const QString& storedText) {
    if (storedText == flagWithNul(false))
        return false;
    if (storedText == flagWithNul(true))
        return true;
    return std::nullopt;
}

// One stored value: where it lives, how it is written from the Settings and read into them.
// A reader gets the text with its NUL and leaves the Settings alone for a damaged text.
struct Row {
    const QString& key;
    const char* name;
    QString (*text)(const Settings&);
    void (*read)(Settings&, const QString& storedText);
    Nul nul = Nul::Counted;
};

template <QString Settings::*member>
Row textRow(const QString& key, const char* name) {
    return {key, name, [](const Settings& s) { return s.*member; },
            [](Settings& s, const QString& stored) { s.*member = textBeforeNul(stored); }};
}

template <bool Settings::*member>
Row flagRow(const QString& key, const char* name) {
    return {key, name, [](const Settings& s) { return flagText(s.*member); },
            [](Settings& s, const QString& stored) {
                if (const auto on = readFlag(stored))
                    s.*member = *on;
            }};
}

// An option of two choices stored as a flag: "1" stands for whenOne.
template <typename Enum, Enum Settings::*member, Enum whenOne, Enum whenZero>
Row choiceRow(const QString& key, const char* name) {
    return {key, name, [](const Settings& s) { return flagText(s.*member == whenOne); },
            [](Settings& s, const QString& stored) {
                if (const auto one = readFlag(stored))
                    s.*member = *one ? whenOne : whenZero;
            }};
}

// In the order they are written.
const std::array<Row, 15>& rows() {
    static const std::array<Row, 15> table = {
        textRow<&Settings::saveFolder>(kSave, "SaveDir"),
        textRow<&Settings::fileNamePrefix>(kSave, "SaveName"),
        Row{kSave, "ImgFormat", [](const Settings& s) { return extensionOf(s.format); },
            [](Settings& s, const QString& stored) {
                for (ImageFormat f : kImageFormats) {
                    if (extensionOf(f) == textBeforeNul(stored))
                        s.format = f;
                }
            },
            Nul::Omitted},
        choiceRow<SaveNaming, &Settings::naming, SaveNaming::Increment, SaveNaming::Prompt>(
            kSave, "PrompOrIncrement"),
        textRow<&Settings::pastingAppPath>(kApps, "AppPath"),
        choiceRow<PastingLaunch, &Settings::pastingLaunch, PastingLaunch::NewInstance,
                  PastingLaunch::RestoreExisting>(kApps, "NewInstance"),
        textRow<&Settings::pastingAppName>(kApps, "ConAppName"),
        Row{kFrame, "Color", [](const Settings& s) { return QString::number(s.frameColor); },
            [](Settings& s, const QString& stored) {
                // A number outside the stored range is a damaged value.
                const double color = toolkit::leadingNumber(textBeforeNul(stored));
                if (color >= std::numeric_limits<qint32>::min() &&
                    color <= std::numeric_limits<qint32>::max())
                    s.frameColor = toolkit::toInt(color);
            }},
        choiceRow<FrameOutline, &Settings::outline, FrameOutline::Solid, FrameOutline::Dotted>(
            kFrame, "Outline"),
        flagRow<&Settings::includeOutline>(kFrame, "IncludeOutline"),
        flagRow<&Settings::autoCopy>(kAuto, "AutoCopyToClibrd"),
        flagRow<&Settings::releaseAfterCapture>(kAuto, "AutoReleaseDesktop"),
        flagRow<&Settings::autoPopupMenu>(kAuto, "AutoPopupMenu"),
        flagRow<&Settings::showCurrentSize>(kAuto, "ShowCurrentSize"),
        textRow<&Settings::soundFile>(kAuto, "SoundPath"),
    };
    return table;
}

// Says once a run why the stored prefix is not used: the Options window reads the settings
// again whenever it is closed, and a box each time would tell nothing new.
void nameRefusedPrefix(const QString& prefix, const QString& refusal) {
    QSet<QString>& named = state().refusedPrefixesNamed;
    if (named.contains(prefix))
        return;
    named.insert(prefix);
    const QString instead = Settings().fileNamePrefix;
    QTextStream(stderr) << "quorvalline: the stored file name prefix \"" << onOneLine(prefix)
                        << "\" cannot be used (" << refusal.simplified() << "); using \"" << instead
                        << "\" instead\n";
    // A prefix the file could hold is far longer than any box can show.
    constexpr qsizetype kShown = 300;
    QString shown = onOneLine(prefix);
    if (shown.size() > kShown)
        shown = shown.left(kShown) + QChar(0x2026);
    platform::dialogs().message(
        QStringLiteral("The file name prefix stored in the settings cannot be used:\n\"%1\"\n\n"
                       "%2\n\nSaving uses \"%3\" until another prefix is applied in Options.")
            .arg(shown, refusal.trimmed(), instead),
        platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, QStringLiteral(" Quorvalline "));
}

}  // namespace

bool SettingsStore::stored() {
    return keyExists(kSave);
}

Settings SettingsStore::load() const {
    Settings settings = firstRunSettings();
    if (!stored())
        return settings;
    for (const Row& row : rows())
        row.read(settings, readTextWithNul(row.key, QString::fromLatin1(row.name)));
    // An edited file, or a copy of the program that knew other rules, could hand us a prefix
    // the Options window never lets through: "../x" would save outside the default folder,
    // and one too long for the numbered names would fail every save.
    const QString refusal =
        fileNameRefusal(settings.fileNamePrefix, NameEnding::NumberAndExtension);
    if (!refusal.isEmpty()) {
        nameRefusedPrefix(settings.fileNamePrefix, refusal);
        settings.fileNamePrefix = Settings().fileNamePrefix;
    }
    keepConsistent(settings);
    return settings;
}

void SettingsStore::save(const Settings& settings) const {
    const platform::RegistryBatch oneWrite(platform::registry());
    createKey(kProgramKey);
    for (const Row& row : rows())
        writeText(row.key, QString::fromLatin1(row.name), row.text(settings), row.nul);
}

bool SettingsStore::readStartAtLogin() {
    using Root = platform::Registry::Root;
    auto& registry = platform::registry();
    registry.createKey(Root::CurrentUser, platform::kRunKey);
    return registry.value(Root::CurrentUser, platform::kRunKey, platform::kRunValue).has_value();
}

void SettingsStore::writeStartAtLogin(bool on) {
    if (on)
        writeText(platform::kRunKey, platform::kRunValue, QCoreApplication::applicationFilePath());
    else
        deleteValue(platform::kRunKey, platform::kRunValue);
}

void SettingsStore::reportStoreFailures() {
    // Each change that fails would bring another box; one of each kind is enough to be told.
    const auto showOnce = [](const QString& what) {
        return [what, shown = false](const QString& message) mutable {
            if (std::exchange(shown, true))
                return;
            platform::dialogs().message(what.arg(message), platform::MsgButtons::Ok,
                                        platform::MsgIcon::Exclamation,
                                        QStringLiteral(" Quorvalline "));
        };
    };
    platform::registry().onStoreFailed(
        showOnce(QStringLiteral("Quorvalline could not store its settings: %1\n\nChanges made "
                                "now will be lost when the program ends.")));
    platform::registry().onReadProblem(
        showOnce(QStringLiteral("Quorvalline could not read all of its settings: %1")));
}

}  // namespace qv::options
