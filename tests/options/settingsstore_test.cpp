#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/fakeprogram.h"
#include "options/registrystore.h"
#include "options/settingsstore.h"
#include "platform/linux/fileregistry.h"
#include "shell/windows.h"

namespace qv::options {
namespace {

using Root = platform::Registry::Root;

// The options part of a settings file as the released program writes it after Apply.
const QByteArray kStoredFile =
    R"(; Quorvalline settings. Values are stored byte for byte: \0 is a NUL that belongs
; to the value, \\ a backslash, \" a quote, \xHH any other byte.

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Quorvalline]

[HKEY_CURRENT_USER\Software\Quorvalline\Save]
"SaveDir"="/home/ann/Bilder/Ärger \"2\"\0"
"SaveName"="Shot_\0"
"ImgFormat"=".jpg"
"PrompOrIncrement"="1\0"

[HKEY_CURRENT_USER\Software\Quorvalline\Apps]
"AppPath"="/usr/bin/gimp\0"
"NewInstance"="1\0"
"ConAppName"="gimp\0"

[HKEY_CURRENT_USER\Software\Quorvalline\Frame]
"Color"="65280\0"
"Outline"="0\0"
"IncludeOutline"="1\0"

[HKEY_CURRENT_USER\Software\Quorvalline\Auto]
"AutoCopyToClibrd"="1\0"
"AutoReleaseDesktop"="1\0"
"AutoPopupMenu"="1\0"
"ShowCurrentSize"="1\0"
"SoundPath"="/home/ann/click.wav\0"
)";

class SettingsStoreTest : public ::testing::Test {
protected:
    void loadFile(const QByteArray& text) {
        QString error;
        ASSERT_TRUE(platform::FileRegistry::parse(text, fake.registry(), &error))
            << error.toStdString();
    }
    void store(const char* key, const char* name, const QByteArray& data) {
        fake.registry().setValue(Root::CurrentUser, kProgramKey + "\\" + key, name, data);
    }
    fakes::FakePlatform fake;
};

TEST_F(SettingsStoreTest, AStoredFileLoadsAndIsWrittenBackByteForByte) {
    loadFile(kStoredFile);
    const Settings loaded = SettingsStore().load();
    Settings expected;
    expected.saveFolder = u"/home/ann/Bilder/Ärger \"2\""_qs;
    expected.fileNamePrefix = "Shot_";
    expected.format = ImageFormat::Jpg;
    expected.naming = SaveNaming::Increment;
    expected.pastingAppPath = "/usr/bin/gimp";
    expected.pastingAppName = "gimp";
    expected.pastingLaunch = PastingLaunch::NewInstance;
    expected.frameColor = 65280;
    expected.outline = FrameOutline::Dotted;
    expected.includeOutline = true;
    expected.releaseAfterCapture = expected.autoPopupMenu = expected.showCurrentSize = true;
    expected.soundFile = "/home/ann/click.wav";
    EXPECT_EQ(loaded, expected);

    fake.registry().clear();
    SettingsStore().save(loaded);
    EXPECT_EQ(platform::FileRegistry::serialize(fake.registry()), kStoredFile);
}

TEST_F(SettingsStoreTest, FirstRunGivesTheDefaultsAndStoresNothing) {
    const Settings loaded = SettingsStore().load();
    EXPECT_EQ(loaded, firstRunSettings());
    EXPECT_TRUE(loaded.soundFile.endsWith("/beep.wav"));
    EXPECT_FALSE(loaded.saveFolder.isEmpty());
    EXPECT_FALSE(SettingsStore::stored());
    EXPECT_FALSE(keyExists(kProgramKey + "\\Auto"));
}

// Each damaged value keeps its default; the reading rules between values still apply.
TEST_F(SettingsStoreTest, DamagedValuesKeepTheirDefaults) {
    const QByteArray nul(1, '\0');
    const struct {
        const char* key;
        const char* name;
        QByteArray data;
        bool (*check)(const Settings&);
    } cases[] = {
        {"Save", "ImgFormat", "png!",
         [](const Settings& s) { return s.format == ImageFormat::Bmp; }},
        {"Save", "ImgFormat", ".png" + nul,
         [](const Settings& s) { return s.format == ImageFormat::Png; }},
        {"Save", "PrompOrIncrement", "2" + nul,
         [](const Settings& s) { return s.naming == SaveNaming::Prompt; }},
        {"Frame", "Color", "99999999999" + nul,
         [](const Settings& s) { return s.frameColor == 255; }},
        {"Frame", "Color", nul, [](const Settings& s) { return s.frameColor == 0; }},
        {"Frame", "IncludeOutline", "1", [](const Settings& s) { return !s.includeOutline; }},
        {"Auto", "AutoReleaseDesktop", "yes" + nul,
         [](const Settings& s) { return !s.releaseAfterCapture; }},
        {"Auto", "ShowCurrentSize", "", [](const Settings& s) { return !s.showCurrentSize; }},
        // An empty prefix stored in increment mode gets the default prefix back.
        {"Save", "SaveName", nul,
         [](const Settings& s) { return s.fileNamePrefix == "Quorvalline_"; }},
        // Releasing after a capture forces autocopy on, whatever was stored for it.
        {"Auto", "AutoCopyToClibrd", "0" + nul, [](const Settings& s) { return s.autoCopy; }},
    };
    for (const auto& c : cases) {
        loadFile(kStoredFile);
        store("Auto", "AutoReleaseDesktop", "1" + nul);
        store(c.key, c.name, c.data);
        EXPECT_TRUE(c.check(SettingsStore().load())) << c.name << " " << c.data.toStdString();
    }
}

// A start reads the desktop's autostart entry and writes it again only while it is on.
TEST(StartAtLogin, AStartLeavesAnEntrySwitchedOffOnTheDesktopOff) {
    const QByteArray on = "[Desktop Entry]\nType=Application\nExec=/old/place/quorvalline\n";
    const struct {
        QByteArray entry;
        bool startsAtLogin;
    } cases[] = {
        {on + "Hidden=true\n", false},
        {on + "X-GNOME-Autostart-enabled=false\n", false},
        {on, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        const QTemporaryDir dir;
        const QString entry = dir.filePath(QStringLiteral("autostart/quorvalline.desktop"));
        QDir().mkpath(dir.filePath(QStringLiteral("autostart")));
        QFile file(entry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.entry);
        file.close();

        fakes::FakePlatform fake;
        fake.services().registry = std::make_unique<platform::FileRegistry>(
            dir.filePath(QStringLiteral("registry")), platform::Autostart(entry));
        Program prog;
        prog.shellWindows().mainWindow.get();
        EXPECT_EQ(prog.options.settings.startAtLogin, c.startsAtLogin);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        // Written again, it names the executable running now.
        EXPECT_EQ(file.readAll().contains("/old/place/"), !c.startsAtLogin);
    }
}

}  // namespace
}  // namespace qv::options
