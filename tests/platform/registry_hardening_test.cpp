#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "platform/linux/fileregistry.h"
#include "support/filesizelimit.h"
#include "support/testfiles.h"

namespace qv::platform {
namespace {

using Root = Registry::Root;

class RegistryHardeningTest : public ::testing::Test {
protected:
    QString path(const char* name = "registry") const {
        return dir_.filePath(QString::fromLatin1(name));
    }
    static void write(const QString& file, const QByteArray& text) {
        testsupport::writeTestFile(file, text);
    }
    bool anythingMovedAside() const {
        return !QDir(dir_.path()).entryList({QStringLiteral("*.damaged*")}).isEmpty();
    }
    QTemporaryDir dir_;
};

// Many keys with many values each, and one key with a great many: a file of a few megabytes
// must come back whole, in its order, whatever the case of the names asked for.
TEST_F(RegistryHardeningTest, ALargeFileLoadsWhole) {
    constexpr int kKeys = 400, kValuesPerKey = 40, kWideValues = 30000;
    QByteArray text = "; generated\n";
    for (int k = 0; k < kKeys; ++k) {
        text += "\n[HKEY_CURRENT_USER\\Software\\Big\\Key" + QByteArray::number(k) + "]\n";
        for (int v = 0; v < kValuesPerKey; ++v) {
            text += "\"Value" + QByteArray::number(v) + "\"=\"" +
                    QByteArray(100, char('a' + v % 26)) + QByteArray::number(k) + "\"\n";
        }
    }
    text += "\n[HKEY_CURRENT_USER\\Software\\Wide]\n";
    for (int v = 0; v < kWideValues; ++v)
        text += "\"W" + QByteArray::number(v) + "\"=\"" + QByteArray::number(v * 7) + "\"\n";
    ASSERT_GT(text.size(), 2'000'000);
    write(path(), text);

    const FileRegistry registry(path());
    const QStringList keys = registry.subKeys(Root::CurrentUser, "Software\\Big");
    ASSERT_EQ(keys.size(), kKeys);
    for (int k = 0; k < kKeys; ++k) {
        ASSERT_EQ(keys[k], QStringLiteral("Key%1").arg(k));
        for (int v : {0, 17, kValuesPerKey - 1}) {
            EXPECT_EQ(
                registry.value(Root::CurrentUser, QStringLiteral("SOFTWARE\\big\\key%1").arg(k),
                               QStringLiteral("value%1").arg(v)),
                QByteArray(100, char('a' + v % 26)) + QByteArray::number(k));
        }
    }
    for (int v : {0, 1, kWideValues / 2, kWideValues - 1}) {
        EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Wide", QStringLiteral("w%1").arg(v)),
                  QByteArray::number(v * 7));
    }
}

// Values deleted out of the middle: the others keep their data and new ones find their place.
TEST(MemoryRegistryIndexTest, DeletingValuesKeepsTheOthersFound) {
    MemoryRegistry registry;
    const QString key = QStringLiteral("Software\\Q");
    for (const char* name : {"A", "B", "C", "D"})
        registry.setValue(Root::CurrentUser, key, name, QByteArray(name) + "!");
    EXPECT_TRUE(registry.deleteValue(Root::CurrentUser, key, "b"));
    EXPECT_FALSE(registry.deleteValue(Root::CurrentUser, key, "B"));
    registry.setValue(Root::CurrentUser, key, "E", "E!");
    EXPECT_TRUE(registry.deleteValue(Root::CurrentUser, key, "A"));
    registry.setValue(Root::CurrentUser, key, "c", "c2");
    const std::pair<const char*, std::optional<QByteArray>> expected[] = {
        {"a", std::nullopt}, {"b", std::nullopt}, {"C", "c2"}, {"d", "D!"}, {"e", "E!"}};
    for (const auto& [name, data] : expected)
        EXPECT_EQ(registry.value(Root::CurrentUser, key, name), data) << name;

    registry.createKey(Root::CurrentUser, "Software\\Q\\Sub");
    EXPECT_TRUE(registry.deleteKey(Root::CurrentUser, "software\\q"));
    EXPECT_FALSE(registry.keyExists(Root::CurrentUser, "Software\\Q\\Sub"));
    registry.createKey(Root::CurrentUser, "Software\\Q");
    EXPECT_EQ(registry.value(Root::CurrentUser, key, "C"), std::nullopt);
}

TEST_F(RegistryHardeningTest, AByteOrderMarkIsReadNotTakenForDamage) {
    write(path(),
          "\xEF\xBB\xBF; saved by an editor\n[HKEY_CURRENT_USER\\Software\\Q]\n"
          "\"Name\"=\"kept\"\n");
    FileRegistry registry(path());
    EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", "Name"), "kept");
    EXPECT_FALSE(anythingMovedAside());
}

// A folder where the file should be cannot be read: it is neither moved aside nor written
// over; that it could not be read reaches the handler set later, and each change that is not
// stored is reported.
TEST_F(RegistryHardeningTest, AnUnreadableFileIsLeftAloneAndChangesAreReported) {
    ASSERT_TRUE(QDir().mkpath(path() + "/inside"));
    FileRegistry registry(path());
    QStringList reported;
    registry.onStoreFailed([&](const QString& message) { reported << message; });
    ASSERT_EQ(reported.size(), 1) << "the failed read was not passed on";
    EXPECT_TRUE(reported[0].startsWith("cannot read settings file " + path()))
        << reported[0].toStdString();
    // Told once: a handler set again does not hear it again.
    registry.onStoreFailed([&](const QString& message) { reported << message; });
    registry.setValue(Root::CurrentUser, "Software\\Q", "Name", "lost");
    registry.setValue(Root::CurrentUser, "Software\\Q", "Other", "lost");

    EXPECT_TRUE(QFileInfo(path() + "/inside").isDir());
    EXPECT_FALSE(anythingMovedAside());
    ASSERT_EQ(reported.size(), 3);
    EXPECT_TRUE(reported[1].contains(path())) << reported[1].toStdString();
    // The program goes on with what it holds.
    EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", "Name"), "lost");
}

TEST_F(RegistryHardeningTest, ASettingThatCannotBeStoredIsReportedEachTime) {
    write(path("blocker"), "a file where the folder should be");
    FileRegistry registry(path("blocker") + "/quorvalline/registry");
    QStringList reported;
    registry.onStoreFailed([&](const QString& message) { reported << message; });
    {
        const RegistryBatch batch(registry);
        registry.setValue(Root::CurrentUser, "Software\\Q", "A", "1");
        registry.setValue(Root::CurrentUser, "Software\\Q", "B", "2");
    }
    registry.deleteValue(Root::CurrentUser, "Software\\Q", "A");
    EXPECT_EQ(reported.size(), 2);
    EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", "B"), "2");
}

// A disk that fills up while the settings are written (here a cap on file sizes): the file
// keeps what it held, no half-written copy is left beside it, and the failure is reported,
// whether the new text would have fitted in Qt's write buffer or not.
TEST_F(RegistryHardeningTest, AFullDiskKeepsTheOldFileWholeAndSaysSo) {
    for (const qsizetype size : {qsizetype(2'000), qsizetype(100'000)}) {
        SCOPED_TRACE(size);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("registry"));
        {
            FileRegistry first(file);
            first.setValue(Root::CurrentUser, "Software\\Q", "Kept", "old");
        }
        QFile stored(file);
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        const QByteArray before = stored.readAll();
        stored.close();

        FileRegistry registry(file);
        QStringList reported;
        registry.onStoreFailed([&](const QString& message) { reported << message; });
        {
            const testsupport::FileSizeLimit full(before.size() + 10);
            registry.setValue(Root::CurrentUser, "Software\\Q", "Big", QByteArray(size, 'b'));
        }
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        EXPECT_EQ(stored.readAll(), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList({"registry", "registry.lock"}));
        ASSERT_EQ(reported.size(), 1);
        EXPECT_TRUE(reported[0].startsWith("settings not stored in " + file))
            << reported[0].toStdString();
    }
}

// One line a person got wrong costs that line only: the rest is read, the file as it was is
// kept beside it, the file is written again without the line, and the user hears once which
// line it was and where the copy is.
TEST_F(RegistryHardeningTest, AnUnreadableLineIsLeftOutAndTheRestIsKept) {
    const struct {
        const char* line;
        const char* skipped;  // the lines named; a value below a refused header goes with it
    } cases[] = {
        {"\"Name\"=\"v\" and more", "line 4 "},
        {"\"Name\"=\"a\\q\"", "line 4 "},
        {"\"Name\"=\"\\xZZ\"", "line 4 "},
        {"\"Name\"=\"open", "line 4 "},
        {"garbage", "line 4 "},
        {"[HKEY_NOWHERE\\Software\\Q]", "lines 4-5 "},
        {"[HKEY_CURRENT_USER\\Software\\Q", "lines 4-5 "},
        {"[HKEY_CURRENT_USER\\So%zzftware]", "lines 4-5 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("registry"));
        const QByteArray text = "; by hand\n[HKEY_CURRENT_USER\\Software\\A]\n\"Kept\"=\"a\"\n" +
                                QByteArray(c.line) +
                                "\n\"After\"=\"b\"\n[HKEY_CURRENT_USER\\Software\\B]\n"
                                "\"Kept\"=\"c\"\n";
        write(file, text);
        QStringList problems;
        {
            FileRegistry registry(file);
            registry.onReadProblem([&](const QString& message) { problems << message; });
            EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\A", "Kept"), "a");
            EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\B", "Kept"), "c");
            EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\A", "After").has_value(),
                      QByteArray(c.skipped) == "line 4 ");
        }
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].contains(QLatin1String(c.skipped) + "of settings file " + file))
            << problems[0].toStdString();
        EXPECT_TRUE(problems[0].endsWith("kept in " + file + ".damaged"))
            << problems[0].toStdString();
        QFile copy(file + ".damaged");
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), text);

        // Told once: the file no longer holds the line.
        FileRegistry again(file);
        again.onReadProblem([&](const QString& message) { problems << message; });
        EXPECT_EQ(problems.size(), 1);
        EXPECT_EQ(again.value(Root::CurrentUser, "Software\\B", "Kept"), "c");
        EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.damaged*")}).size(), 1);
    }
}

// A file that is no settings file at all is kept aside whole, and the user is told where.
TEST_F(RegistryHardeningTest, AFileDamagedAsAWholeIsMovedAsideAndSaysWhere) {
    const QString text = u"[HKEY_CURRENT_USER\\Software\\Q]\n\"Name\"=\"v\"\n"_qs;
    const QByteArray damaged[] = {
        QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
        QByteArray("\x7f"
                   "ELF\x02\x01\x01\0\0\0garbage\n",
                   19),
        "no settings here\nat all\n",
    };
    for (const QByteArray& bytes : damaged) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("registry"));
        write(file, bytes);
        FileRegistry registry(file);
        QStringList problems;
        registry.onReadProblem([&](const QString& message) { problems << message; });
        EXPECT_FALSE(registry.keyExists(Root::CurrentUser, "Software\\Q"));
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].contains("moved to " + file + ".damaged"))
            << problems[0].toStdString();
        EXPECT_FALSE(QFile::exists(file));
    }
}

// The copy of a damaged file is kept under a name where nothing at all stands, a link to
// nowhere included, and it is never written through a link: what a link there leads to stays
// as it was.
TEST_F(RegistryHardeningTest, TheKeptCopyGoesWhereNothingStandsNeverThroughALink) {
    const auto text = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("none");
    };
    const struct {
        const char* what;
        std::function<bool(const QString& aside, const QString& elsewhere)> make;
        const char* keptIn;
    } standing[] = {
        {"nothing", [](const QString&, const QString&) { return true; }, ".damaged"},
        {"a link to nowhere",
         [](const QString& aside, const QString& elsewhere) {
             return QFile::link(elsewhere, aside);
         },
         ".damaged.1"},
        {"a link to a file",
         [](const QString& aside, const QString& elsewhere) {
             testsupport::writeTestFile(elsewhere, "the user's words\n");
             return QFile::link(elsewhere, aside);
         },
         ".damaged.1"},
        {"a file",
         [](const QString& aside, const QString&) {
             testsupport::writeTestFile(aside, "an older copy\n");
             return true;
         },
         ".damaged.1"},
    };
    const QByteArray damaged[] = {"no settings here\n",
                                  "[HKEY_CURRENT_USER\\Software\\Q]\n\"A\"=\"1\"\ngarbage\n"};
    for (const QByteArray& bytes : damaged) {
        for (const auto& s : standing) {
            SCOPED_TRACE(testing::Message() << s.what << " " << bytes.toStdString());
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("registry"));
            const QString aside = file + QStringLiteral(".damaged");
            const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
            write(file, bytes);
            ASSERT_TRUE(s.make(aside, elsewhere));
            const QByteArray atAside = text(aside), atElsewhere = text(elsewhere);
            const bool link = QFileInfo(aside).isSymLink();
            { FileRegistry registry(file); }
            EXPECT_EQ(text(file + QLatin1String(s.keptIn)), bytes);
            EXPECT_EQ(text(elsewhere), atElsewhere);
            EXPECT_EQ(QFileInfo(aside).isSymLink(), link);
            if (!link && QByteArray(s.keptIn) != ".damaged") {
                EXPECT_EQ(text(aside), atAside);
            }
        }
    }
}

// The start-at-login entry is a file of its own: a full disk leaves it as it was, and says so.
TEST_F(RegistryHardeningTest, AFullDiskKeepsTheStartAtLoginEntryAndSaysSo) {
    const QString entry = path("quorvalline.desktop");
    const QByteArray before = "[Desktop Entry]\nType=Application\nExec=/usr/bin/old\n";
    write(entry, before);
    FileRegistry registry(path(), Autostart(entry));
    QStringList reported;
    registry.onStoreFailed([&](const QString& message) { reported << message; });
    {
        const testsupport::FileSizeLimit full(before.size() + 10);
        registry.setValue(Root::CurrentUser, kRunKey, kRunValue,
                          "/opt/a/much/longer/path/to/quorvalline" + QByteArray(1, '\0'));
    }
    QFile stored(entry);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), before);
    EXPECT_TRUE(reported.contains("start at login not stored: cannot write " + entry))
        << reported.join('\n').toStdString();
}

// Keys with few values or sub-keys are searched in order, keys with many through an index:
// both find what is left after deletions, whatever the case asked for.
TEST(MemoryRegistryIndexTest, FewAndManyNamesAreFoundAfterDeletions) {
    for (const int count : {4, 40}) {
        SCOPED_TRACE(count);
        MemoryRegistry registry;
        const QString key = QStringLiteral("Software\\Q");
        for (int i = 0; i < count; ++i) {
            registry.setValue(Root::CurrentUser, key, QStringLiteral("Value%1").arg(i),
                              QByteArray::number(i));
            registry.createKey(Root::CurrentUser, key + QStringLiteral("\\Sub%1").arg(i));
        }
        for (int i = 0; i < count; i += 3) {
            EXPECT_TRUE(
                registry.deleteValue(Root::CurrentUser, key, QStringLiteral("VALUE%1").arg(i)));
            EXPECT_TRUE(
                registry.deleteKey(Root::CurrentUser, key + QStringLiteral("\\sub%1").arg(i)));
        }
        registry.setValue(Root::CurrentUser, key, "value1", "again");
        for (int i = 0; i < count; ++i) {
            const auto expected = i % 3 == 0 ? std::nullopt
                                  : i == 1   ? std::optional<QByteArray>("again")
                                             : std::optional(QByteArray::number(i));
            EXPECT_EQ(registry.value(Root::CurrentUser, key, QStringLiteral("value%1").arg(i)),
                      expected)
                << i;
            EXPECT_EQ(registry.keyExists(Root::CurrentUser, key + QStringLiteral("\\SUB%1").arg(i)),
                      i % 3 != 0)
                << i;
        }
    }
}

}  // namespace
}  // namespace qv::platform
