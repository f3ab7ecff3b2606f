#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <thread>

#include "platform/linux/fileregistry.h"
#include "support/testfiles.h"

namespace qv::platform {
namespace {

using Root = Registry::Root;

class FileRegistryTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("quorvalline/registry")); }
    static QByteArray fileText(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& file, const QByteArray& text) {
        testsupport::writeTestFile(file, text);
    }
    QTemporaryDir dir_;
};

TEST_F(FileRegistryTest, ValuesSurviveARestartByteForByte) {
    const QString save = "Software\\Quorvalline\\Save";
    const QString job = u"Software\\Quorvalline\\AutoCapture\\Jöb 1"_qs;
    const QString odd = QStringLiteral("Software\\Quorvalline\\50%") + QChar(u'\n') + "x";
    const std::pair<const char*, QByteArray> values[] = {
        {"SaveDir", QByteArray("/home/ann/Pictures\0", 19)},
        {"ImgFormat", ".png"},
        {"Awkward", QByteArray("C:\\odd \"quoted\" path\n\ttab\0end\x01\xff", 31)},
        {"Blank", QByteArray(1, 0)},
        {"Long", QByteArray(600, 'p') + '\0'},
    };
    {
        FileRegistry reg(path());
        for (const auto& [name, value] : values)
            reg.setValue(Root::CurrentUser, save, name, value);
        reg.setValue(Root::CurrentUser, job, "Name", u"Jöb 1"_qs.toUtf8());
        reg.setValue(Root::CurrentUser, odd, "v", "1");
    }
    FileRegistry again(path());
    for (const auto& [name, value] : values)
        EXPECT_EQ(again.value(Root::CurrentUser, save, name), value) << name;
    EXPECT_EQ(again.value(Root::CurrentUser, job.toUpper(), "name"), u"Jöb 1"_qs.toUtf8());
    EXPECT_EQ(again.value(Root::CurrentUser, odd, "v"), QByteArray("1"));
    // A person can find a path in the stored text.
    EXPECT_TRUE(fileText(path()).contains("\"SaveDir\"=\"/home/ann/Pictures\\0\""));
}

// A file that is no settings file at all (here saved as UTF-16 by an editor) is kept aside
// whole; a file with a few bad lines is read, see the hardening tests.
TEST_F(FileRegistryTest, DamagedFileIsMovedAsideAndDefaultsApply) {
    const QString lines =
        u"[HKEY_CURRENT_USER\\Software\\Quorvalline\\Save]\n\"SaveName\"=\"a\"\n"_qs;
    const QByteArray damaged(reinterpret_cast<const char*>(lines.utf16()), lines.size() * 2);
    write(path(), damaged);
    {
        FileRegistry reg(path());
        EXPECT_FALSE(reg.keyExists(Root::CurrentUser, "Software\\Quorvalline\\Save"));
        reg.setValue(Root::CurrentUser, "Software\\Quorvalline\\Save", "SaveName", "a");
    }
    EXPECT_EQ(fileText(path() + ".damaged"), damaged);
    EXPECT_TRUE(FileRegistry(path()).keyExists(Root::CurrentUser, "Software\\Quorvalline\\Save"));

    // A second damage does not replace the first copy.
    write(path(), damaged + "more");
    FileRegistry third(path());
    EXPECT_TRUE(QFile::exists(path() + ".damaged.1"));
}

TEST_F(FileRegistryTest, TwoCopiesOnOneFileKeepEachOthersChanges) {
    const QString save = "Software\\Quorvalline\\Save";
    const QString hotkeys = "Software\\Quorvalline\\Hotkeys";
    const QString job = "Software\\Quorvalline\\AutoCapture\\Job";
    {
        FileRegistry start(path());
        start.setValue(Root::CurrentUser, save, "SaveName", "old");
        start.setValue(Root::CurrentUser, job, "Name", "Job");
    }
    FileRegistry first(path());
    FileRegistry second(path());
    first.setValue(Root::CurrentUser, save, "SaveDir", "/first");
    first.deleteKey(Root::CurrentUser, job);
    {
        const RegistryBatch batch(second);
        second.setValue(Root::CurrentUser, hotkeys, "Exit", "ALT+X");
        second.setValue(Root::CurrentUser, save, "SaveName", "second");
    }
    first.setValue(Root::CurrentUser, hotkeys, "DisableHotkeys", "1");

    FileRegistry later(path());
    const struct {
        const QString& key;
        const char* name;
        const char* value;
    } expected[] = {
        {save, "SaveDir", "/first"},
        {save, "SaveName", "second"},
        {hotkeys, "Exit", "ALT+X"},
        {hotkeys, "DisableHotkeys", "1"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(later.value(Root::CurrentUser, e.key, e.name), QByteArray(e.value)) << e.name;
        // The copy that wrote last also reads what the other one stored.
        EXPECT_EQ(first.value(Root::CurrentUser, e.key, e.name), QByteArray(e.value)) << e.name;
    }
    EXPECT_FALSE(later.keyExists(Root::CurrentUser, job)) << "the other copy brought it back";
}

// Two copies change the file as fast as they can; without the lock one overwrites the other's
// values between its read and its write.
TEST_F(FileRegistryTest, CopiesWritingAtOnceLoseNothing) {
    constexpr int kChanges = 100;
    const QString key = "Software\\Quorvalline\\Race";
    auto changeMany = [&](QString who) {
        FileRegistry reg(path());
        for (int i = 0; i < kChanges; ++i)
            reg.setValue(Root::CurrentUser, key, who + QString::number(i), "1");
    };
    std::thread other(changeMany, QStringLiteral("other"));
    changeMany(QStringLiteral("this"));
    other.join();
    FileRegistry after(path());
    int found = 0;
    for (const char* who : {"other", "this"}) {
        for (int i = 0; i < kChanges; ++i)
            found += after.value(Root::CurrentUser, key, who + QString::number(i)).has_value();
    }
    EXPECT_EQ(found, 2 * kChanges);
}

TEST_F(FileRegistryTest, ABatchReachesTheFileInOneWriteAtItsEnd) {
    const QString save = "Software\\Quorvalline\\Save";
    FileRegistry reg(path());
    reg.setValue(Root::CurrentUser, save, "SaveName", "a");
    const QByteArray before = fileText(path());
    {
        const RegistryBatch outer(reg);
        reg.setValue(Root::CurrentUser, save, "SaveDir", "/shots");
        {
            const RegistryBatch inner(reg);
            reg.setValue(Root::CurrentUser, save, "ImgFormat", ".png");
        }
        reg.deleteValue(Root::CurrentUser, save, "SaveName");
        EXPECT_EQ(fileText(path()), before);
    }
    FileRegistry again(path());
    EXPECT_EQ(again.value(Root::CurrentUser, save, "SaveDir"), QByteArray("/shots"));
    EXPECT_EQ(again.value(Root::CurrentUser, save, "ImgFormat"), QByteArray(".png"));
    EXPECT_FALSE(again.value(Root::CurrentUser, save, "SaveName"));
}

TEST_F(FileRegistryTest, ParseRejectsMalformedLines) {
    const char* bad[] = {
        "\"v\"=\"x\"\n",                                    // value before a key
        "[HKEY_CURRENT_USER\\Software\n",                   // header not closed
        "[HKEY_NOWHERE\\Software]\n",                       // unknown hive
        "[HKEY_CURRENT_USER\\Software]\n\"v\"=\"open\n",    // unterminated text
        "[HKEY_CURRENT_USER\\Software]\n\"v\"=\"a\\q\"\n",  // unknown escape
        "[HKEY_CURRENT_USER\\So%zzftware]\n",               // bad percent escape
    };
    for (const char* text : bad) {
        MemoryRegistry reg;
        QString error;
        EXPECT_FALSE(FileRegistry::parse(text, reg, &error)) << text;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST_F(FileRegistryTest, TheRunValueIsTheAutostartEntryAndSurvivesARestart) {
    const Autostart entry(dir_.filePath(QStringLiteral("autostart/quorvalline.desktop")));
    const QString run = kRunKey + QStringLiteral("\\");  // a trailing separator names it too
    const QByteArray program("/opt/my apps/quorvalline\0", 25);
    {
        FileRegistry reg(path(), entry);
        EXPECT_FALSE(reg.value(Root::CurrentUser, run, kRunValue));
        reg.setValue(Root::CurrentUser, run, kRunValue, program);
        EXPECT_TRUE(entry.isEnabled());
        EXPECT_TRUE(fileText(entry.entryPath()).contains("\nExec=\"/opt/my apps/quorvalline\"\n"));
    }
    {
        FileRegistry again(path(), entry);
        EXPECT_EQ(again.value(Root::CurrentUser, kRunKey.toUpper(), "quorvalline"), program);
        // Removed on the desktop's own settings page: no longer stored.
        entry.disable();
        EXPECT_FALSE(again.value(Root::CurrentUser, kRunKey, kRunValue));
        again.setValue(Root::CurrentUser, kRunKey, kRunValue, program);
        EXPECT_TRUE(again.deleteValue(Root::CurrentUser, kRunKey, kRunValue));
        EXPECT_FALSE(entry.isEnabled());
        // Other values of the key are plain values.
        again.setValue(Root::CurrentUser, kRunKey, "Other", "x");
        EXPECT_FALSE(entry.isEnabled());
    }
}

class AutostartTest : public FileRegistryTest {
protected:
    QString userEntry() const { return dir_.filePath(QStringLiteral("user/quorvalline.desktop")); }
    QString systemEntry() const {
        return dir_.filePath(QStringLiteral("system/quorvalline.desktop"));
    }
    Autostart autostart() const { return Autostart(userEntry(), {systemEntry()}); }
};

constexpr char kOn[] = "[Desktop Entry]\nType=Application\nExec=/usr/bin/quorvalline\n";

// The user's entry wins over the system-wide one; either may be switched off on the desktop.
TEST_F(AutostartTest, AnEntrySwitchedOffOnTheDesktopCountsAsOff) {
    const struct {
        const char* user;
        const char* system;
        bool enabled;
    } cases[] = {
        {nullptr, nullptr, false},
        {kOn, nullptr, true},
        {"[Desktop Entry]\nExec=q\nHidden=true\n", nullptr, false},
        {"[Desktop Entry]\nExec=q\nHidden = true\n", nullptr, false},
        {"[Desktop Entry]\nExec=q\nX-GNOME-Autostart-enabled=false\n", nullptr, false},
        {"[Desktop Entry]\nExec=q\nHidden=false\nX-GNOME-Autostart-enabled=true\n", nullptr, true},
        {"[Desktop Entry]\nExec=q\n[Desktop Action x]\nHidden=true\n", nullptr, true},
        {nullptr, kOn, true},
        {nullptr, "[Desktop Entry]\nHidden=true\n", false},
        {"[Desktop Entry]\nHidden=true\n", kOn, false},
        {kOn, "[Desktop Entry]\nHidden=true\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user ? c.user : "-") + " / " + (c.system ? c.system : "-"));
        QFile::remove(userEntry());
        QFile::remove(systemEntry());
        if (c.user)
            write(userEntry(), c.user);
        if (c.system)
            write(systemEntry(), c.system);
        EXPECT_EQ(autostart().isEnabled(), c.enabled);
        FileRegistry reg(path(), autostart());
        EXPECT_EQ(reg.value(Root::CurrentUser, kRunKey, kRunValue).has_value(), c.enabled);
    }
}

TEST_F(AutostartTest, SwitchingOffLeavesAHiddenEntryThatAlsoHidesTheSystemOne) {
    const char* userEntries[] = {
        nullptr,
        "[Desktop Entry]\nType=Application\nExec=q\nHidden=false\nX-Mine=kept\n",
    };
    for (const char* user : userEntries) {
        SCOPED_TRACE(user ? user : "no entry of the user's");
        QFile::remove(userEntry());
        if (user)
            write(userEntry(), user);
        write(systemEntry(), kOn);
        FileRegistry reg(path(), autostart());
        ASSERT_TRUE(reg.value(Root::CurrentUser, kRunKey, kRunValue));
        EXPECT_TRUE(reg.deleteValue(Root::CurrentUser, kRunKey, kRunValue));
        EXPECT_FALSE(autostart().isEnabled());
        const QByteArray left = fileText(userEntry());
        EXPECT_TRUE(left.contains("\nHidden=true\n")) << left.toStdString();
        EXPECT_EQ(left.contains("X-Mine=kept"), user != nullptr);
        EXPECT_EQ(left.count("Hidden="), 1);
        EXPECT_EQ(fileText(systemEntry()), kOn);

        reg.setValue(Root::CurrentUser, kRunKey, kRunValue, "/opt/q");
        EXPECT_TRUE(autostart().isEnabled()) << "switched on again in the program";
    }
}

TEST(AutostartPaths, ExecLineQuotesByTheDesktopEntryRulesUnderTheConfigFolder) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/opt/my apps/quorvalline", R"("/opt/my apps/quorvalline")"},
        {R"(/opt/a"b$c`d/q)", R"("/opt/a\\"b\\$c\\`d/q")"},
        {R"(/opt/back\slash/q)", R"("/opt/back\\\\slash/q")"},
        {"/opt/100%/q", R"("/opt/100%%/q")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Autostart::execLine(c.path), c.exec) << c.path;

    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/config");
    EXPECT_EQ(FileRegistry::defaultPath(), "/config/quorvalline/registry");
    qputenv("XDG_CONFIG_HOME", "relative/dir");
    EXPECT_EQ(Autostart::defaultEntryPath(),
              QDir::homePath() + "/.config/autostart/quorvalline.desktop");
    qputenv("XDG_CONFIG_HOME", previous);

    const QByteArray previousDirs = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_CONFIG_DIRS", "/a:relative:/b/");
    EXPECT_EQ(
        Autostart::defaultSystemEntryPaths(),
        QStringList({"/a/autostart/quorvalline.desktop", "/b/autostart/quorvalline.desktop"}));
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(Autostart::defaultSystemEntryPaths(),
              QStringList{"/etc/xdg/autostart/quorvalline.desktop"});
    qputenv("XDG_CONFIG_DIRS", previousDirs);
}

}  // namespace
}  // namespace qv::platform
