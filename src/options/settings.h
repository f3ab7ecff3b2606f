#pragma once

#include <QString>
#include <QtGlobal>

namespace qv::options {

// How "Save to Default Directory" finds a name.
enum class SaveNaming { Prompt, Increment };
// The saving format, in the order the format boxes list it.
enum class ImageFormat { Bmp, Png, Jpg, Tif };
inline constexpr ImageFormat kImageFormats[] = {ImageFormat::Bmp, ImageFormat::Png,
                                                ImageFormat::Jpg, ImageFormat::Tif};
// What starting the pasting application does when it already runs.
enum class PastingLaunch { NewInstance, RestoreExisting };
// The line style of the selection outline.
enum class FrameOutline { Dotted, Solid };

// ".bmp", ".png", ".jpg", ".tif": how a format is stored and shown.
QString extensionOf(ImageFormat format);

// Every stored option of the program. The member initialisers are the first-run defaults that
// do not depend on where the program runs; firstRunSettings() adds the others.
struct Settings {
    // Saving
    QString saveFolder;
    QString fileNamePrefix = QStringLiteral("Quorvalline_");
    ImageFormat format = ImageFormat::Bmp;
    SaveNaming naming = SaveNaming::Prompt;
    // Container application
    QString pastingAppPath = QStringLiteral("lowriter");  // path or command
    QString pastingAppName = QStringLiteral("lowriter");  // shown in the menu caption
    PastingLaunch pastingLaunch = PastingLaunch::RestoreExisting;
    // Frame
    FrameOutline outline = FrameOutline::Solid;
    qint64 frameColor = 255;  // 0x00BBGGRR
    bool includeOutline = false;
    // Automation
    bool autoCopy = true;
    bool releaseAfterCapture = false;
    bool autoPopupMenu = false;
    bool showCurrentSize = false;
    QString soundFile;
    // Kept outside the program's key, as the desktop's autostart entry.
    bool startAtLogin = false;

    bool operator==(const Settings&) const = default;
};

// The defaults of a first run: the user's pictures folder and the sound beside the program.
Settings firstRunSettings();

// Brings the options that depend on each other into line: numbered names always have a
// prefix, and releasing after a capture leaves the capture on the clipboard.
void keepConsistent(Settings& settings);

}  // namespace qv::options
