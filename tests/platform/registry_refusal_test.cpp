// What stands at the settings file's place, or holds its lock, never stops a start: it is named
// with the reason, the program runs on, and nothing of it is written over.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "fakes/fakeclock.h"
#include "platform/linux/fileregistry.h"
#include "support/linkedfolders.h"
#include "support/testfiles.h"

namespace qv::platform {
namespace {

using Root = Registry::Root;

class RegistryRefusalTest : public ::testing::Test {
protected:
    QString path(const char* name = "registry") const {
        return dir_.filePath(QString::fromLatin1(name));
    }
    // A registry whose waits go through the fake clock, with what it reports gathered.
    std::unique_ptr<FileRegistry> open() {
        auto registry =
            std::make_unique<FileRegistry>(path(), Autostart(path("quorvalline.desktop")), &clock_);
        registry->onReadProblem([this](const QString& m) { problems_ << m; });
        registry->onStoreFailed([this](const QString& m) { storeFailures_ << m; });
        return registry;
    }
    static QByteArray fileText(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList asideCopies() const {
        return QDir(dir_.path()).entryList({QStringLiteral("*.damaged*")}, QDir::AllEntries);
    }

    QTemporaryDir dir_;
    fakes::FakeClock clock_;
    QStringList problems_;
    QStringList storeFailures_;
};

// A FIFO would block the start in open() for ever, /dev/zero or a huge file would be read until
// memory runs out. Each is named with why, the program runs on defaults, and neither the start
// nor a later save writes over it or moves it.
TEST_F(RegistryRefusalTest, WhatIsNoFileToReadIsNamedAndNeverWrittenOver) {
    const QString huge = dir_.filePath(QStringLiteral("huge"));
    const auto makeHuge = [&](const QString& at) {
        QFile file(at);
        return file.open(QIODevice::WriteOnly) && file.resize(qint64(65) << 20);
    };
    const struct {
        const char* what;
        std::function<bool(const QString&)> make;
        const char* why;
    } cases[] = {
        {"a FIFO",
         [](const QString& at) { return ::mkfifo(QFile::encodeName(at).constData(), 0600) == 0; },
         "named pipe"},
        {"a link to /dev/zero", [](const QString& at) { return QFile::link("/dev/zero", at); },
         "device"},
        {"a file of 65 MB", makeHuge, "larger than 64 MB"},
        {"a link to a file of 65 MB",
         [&](const QString& at) { return makeHuge(huge) && QFile::link(huge, at); },
         "larger than 64 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path());
        QFile::remove(huge);
        problems_.clear();
        storeFailures_.clear();
        ASSERT_TRUE(c.make(path()));
        struct stat before {};
        ASSERT_EQ(::lstat(QFile::encodeName(path()).constData(), &before), 0);
        {
            const auto registry = open();
            ASSERT_EQ(problems_.size(), 1);
            EXPECT_TRUE(problems_[0].contains(path())) << problems_[0].toStdString();
            EXPECT_TRUE(problems_[0].contains(QLatin1String(c.why))) << problems_[0].toStdString();
            EXPECT_FALSE(registry->keyExists(Root::CurrentUser, "Software\\Quorvalline"));

            registry->setValue(Root::CurrentUser, "Software\\Quorvalline\\Save", "SaveDir", "x");
            ASSERT_EQ(storeFailures_.size(), 1);
            EXPECT_TRUE(storeFailures_[0].startsWith("settings not stored in " + path()))
                << storeFailures_[0].toStdString();
            EXPECT_EQ(registry->value(Root::CurrentUser, "Software\\Quorvalline\\Save", "SaveDir"),
                      "x");
        }
        struct stat after {};
        ASSERT_EQ(::lstat(QFile::encodeName(path()).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_TRUE(asideCopies().isEmpty());
    }
}

// A settings file that turns into a FIFO while the program runs is not written over either.
TEST_F(RegistryRefusalTest, AFifoPutInPlaceLaterIsNotWrittenOver) {
    const auto registry = open();
    registry->setValue(Root::CurrentUser, "Software\\Q", "A", "1");
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    registry->setValue(Root::CurrentUser, "Software\\Q", "B", "2");
    ASSERT_EQ(storeFailures_.size(), 1);
    EXPECT_TRUE(storeFailures_[0].contains("named pipe")) << storeFailures_[0].toStdString();
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(path()).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// The start-at-login entry is read at every start: a FIFO or /dev/zero in its place reads as
// no entry, at once.
TEST_F(RegistryRefusalTest, AnAutostartEntryThatIsNoFileReadsAsOff) {
    const auto registry = open();
    const std::pair<const char*, std::function<bool(const QString&)>> cases[] = {
        {"a FIFO",
         [](const QString& at) { return ::mkfifo(QFile::encodeName(at).constData(), 0600) == 0; }},
        {"a link to /dev/zero", [](const QString& at) { return QFile::link("/dev/zero", at); }},
    };
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        QFile::remove(path("quorvalline.desktop"));
        ASSERT_TRUE(make(path("quorvalline.desktop")));
        EXPECT_EQ(registry->value(Root::CurrentUser, kRunKey, kRunValue), std::nullopt);
    }
}

// Another program holds the settings lock (`flock registry.lock sleep 40`): the start waits a
// few seconds on the clock, reads the file without the lock and says so; saves wait as long,
// say that they could not store, and the settings reach the file once the lock is free. A
// file that has to be kept aside before it is replaced is left as it was until then.
TEST_F(RegistryRefusalTest, ALockHeldElsewhereCostsAFewSecondsAndIsNamed) {
    const QByteArray whole = "[HKEY_CURRENT_USER\\Software\\Q]\n\"Kept\"=\"old\"\n";
    for (const QByteArray& text : {whole, whole + "garbage\n", QByteArray("garbage\n")}) {
        SCOPED_TRACE(text.toStdString());
        const bool bad = text.endsWith("garbage\n"), kept = text.startsWith('[');
        QFile::remove(path("registry.damaged"));
        problems_.clear();
        storeFailures_.clear();
        testsupport::writeTestFile(path(), text);
        const int holder =
            ::open(QFile::encodeName(path("registry.lock")).constData(), O_RDWR | O_CREAT, 0600);
        ASSERT_GE(holder, 0);
        ASSERT_EQ(::flock(holder, LOCK_EX), 0);

        const qint64 started = clock_.steadyMs();
        const auto registry = open();
        const qint64 waited = clock_.steadyMs() - started;
        EXPECT_GT(waited, 0);
        EXPECT_LE(waited, 10'000);
        EXPECT_EQ(registry->value(Root::CurrentUser, "Software\\Q", "Kept").has_value(), kept);
        ASSERT_EQ(problems_.size(), 1);
        EXPECT_TRUE(problems_[0].contains(path("registry.lock"))) << problems_[0].toStdString();

        registry->setValue(Root::CurrentUser, "Software\\Q", "New", "1");
        ASSERT_EQ(storeFailures_.size(), 1);
        EXPECT_EQ(fileText(path()), text);
        EXPECT_TRUE(asideCopies().isEmpty());

        ::close(holder);
        registry->setValue(Root::CurrentUser, "Software\\Q", "Later", "2");
        // What could not be read lives in that file only: it is kept beside first.
        EXPECT_EQ(asideCopies().size(), bad ? 1 : 0);
        EXPECT_EQ(fileText(path("registry.damaged")), bad ? text : QByteArray());
        FileRegistry reread(path(), Autostart(path("quorvalline.desktop")), &clock_);
        EXPECT_EQ(reread.value(Root::CurrentUser, "Software\\Q", "New"), "1");
        EXPECT_EQ(reread.value(Root::CurrentUser, "Software\\Q", "Later"), "2");
        EXPECT_EQ(reread.value(Root::CurrentUser, "Software\\Q", "Kept").has_value(), kept);
        QFile::remove(path());
    }
}

// A link of another user at the settings file's place, or one to another user's file, could send
// us onto someone else's file: it is named and nothing is written through it. The user's own link
// to the user's own file keeps working. (Run as root, the other user is nobody.)
TEST_F(RegistryRefusalTest, ALinkOfOrToAnotherUserIsNotFollowed) {
    const uid_t self = ::geteuid(), other = 65534;
    const struct {
        uid_t linkOwner, fileOwner;
        bool followed;
    } cases[] = {{self, self, true}, {self, other, false}, {other, self, false}};
    const QString target = path("elsewhere");
    for (const auto& [linkOwner, fileOwner, followed] : cases) {
        SCOPED_TRACE(testing::Message() << linkOwner << " " << fileOwner);
        QFile::remove(path());
        problems_.clear();
        testsupport::writeTestFile(target, "[HKEY_CURRENT_USER\\Software\\Q]\n\"Kept\"=\"old\"\n");
        ASSERT_TRUE(QFile::link(target, path()));
        if (::lchown(QFile::encodeName(target).constData(), fileOwner, gid_t(-1)) != 0 ||
            ::lchown(QFile::encodeName(path()).constData(), linkOwner, gid_t(-1)) != 0)
            GTEST_SKIP() << "cannot give a file to another user";
        open()->setValue(Root::CurrentUser, "Software\\Q", "New", "1");
        EXPECT_EQ(problems_.isEmpty(), followed);
        EXPECT_EQ(problems_.filter("another user"), problems_);
        EXPECT_EQ(fileText(target).contains("New"), followed);
    }
}

// A settings folder that is, or lies under, a link of another user, or a link to another user's
// folder, is theirs: their file is neither read nor written, and nothing is made beside it. The
// user's own link to the user's own folder is followed. (Run as root, the other user is nobody.)
TEST_F(RegistryRefusalTest, ASettingsFolderOfOrThroughAnotherUsersLinkIsNotUsed) {
    const QByteArray text = "[HKEY_CURRENT_USER\\Software\\Q]\n\"Kept\"=\"old\"\n";
    for (const auto& c : testsupport::linkedSettingsFolders()) {
        SCOPED_TRACE(testing::Message() << c.linked << " " << c.linkOwner << " " << c.folderOwner);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target"));
        const QString link = dir.filePath(QString::fromLatin1(c.linked));
        const QString file = dir.filePath(QStringLiteral("config/quorvalline/registry"));
        const QString inTarget = u'/' + QDir(link).relativeFilePath(file);
        testsupport::writeTestFile(target + inTarget, text);
        ASSERT_NO_FATAL_FAILURE(testsupport::makeLink(link, target));
        if (!testsupport::giveLinkAndTarget(link, c.linkOwner, target, c.folderOwner))
            GTEST_SKIP() << "cannot give a file to another user";
        const QStringList before =
            QDir(QFileInfo(target + inTarget).path()).entryList(QDir::AllEntries | QDir::Hidden);
        problems_.clear();
        {
            FileRegistry registry(file, Autostart(path("quorvalline.desktop")), &clock_);
            registry.onReadProblem([this](const QString& m) { problems_ << m; });
            EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", "Kept").has_value(), c.used);
            registry.setValue(Root::CurrentUser, "Software\\Q", "New", "1");
        }
        EXPECT_EQ(problems_.isEmpty(), c.used) << problems_.join('\n').toStdString();
        EXPECT_EQ(problems_.filter("another user"), problems_);
        EXPECT_EQ(fileText(target + inTarget).contains("New"), c.used);
        if (!c.used) {
            EXPECT_EQ(QDir(QFileInfo(target + inTarget).path())
                          .entryList(QDir::AllEntries | QDir::Hidden),
                      before);
        }
    }
}

// Another user's file in the settings file's place holds what they chose (the program to paste
// into among it): it is named, neither read nor written over.
TEST_F(RegistryRefusalTest, AnotherUsersFileIsNotTakenForTheSettings) {
    const QByteArray text = "[HKEY_CURRENT_USER\\Software\\Q]\n\"Kept\"=\"theirs\"\n";
    testsupport::writeTestFile(path(), text);
    if (::chown(QFile::encodeName(path()).constData(), 65534, gid_t(-1)) != 0)
        GTEST_SKIP() << "cannot give a file to another user";
    const auto registry = open();
    EXPECT_FALSE(registry->keyExists(Root::CurrentUser, "Software\\Q"));
    registry->setValue(Root::CurrentUser, "Software\\Q", "New", "1");
    ASSERT_EQ(problems_.size(), 1);
    EXPECT_TRUE(problems_[0].contains("belongs to another user")) << problems_[0].toStdString();
    EXPECT_EQ(fileText(path()), text);
    EXPECT_EQ(QFileInfo(path()).ownerId(), 65534u);
}

// What was read is what is replaced: a link put in the settings file's place after the read (here
// while the user is told what was wrong with it) is replaced by the new file, never followed onto
// the file it leads to.
TEST_F(RegistryRefusalTest, ALinkPutInPlaceAfterTheReadIsReplacedNotFollowed) {
    const QString secret = path("secret");
    for (const QByteArray& text :
         {QByteArray("[HKEY_CURRENT_USER\\Software\\Q]\n\"B\"=\"2\"\ngarbage\n"),
          QByteArray("garbage only\n")}) {
        SCOPED_TRACE(text.toStdString());
        QFile::remove(path());
        QFile::remove(path("registry.damaged"));
        testsupport::writeTestFile(secret, "private words\n");
        const auto registry = open();
        registry->setValue(Root::CurrentUser, "Software\\Q", "A", "1");
        // Another copy, or the user, writes the file meanwhile.
        testsupport::writeTestFile(path(), text);
        registry->onReadProblem([&](const QString&) {
            QFile::remove(path());
            QFile::link(secret, path());
        });
        registry->setValue(Root::CurrentUser, "Software\\Q", "C", "3");
        EXPECT_EQ(fileText(secret), "private words\n");
        EXPECT_FALSE(QFileInfo(path()).isSymLink());
        EXPECT_TRUE(fileText(path()).contains("\"C\"=\"3\"")) << fileText(path()).toStdString();
    }
}

// The settings lock at the end of a link (to a user's file, or to nowhere) is not followed:
// the file keeps its bytes, nothing is made where the link leads, and settings are stored.
TEST_F(RegistryRefusalTest, ALinkInTheLockFilesPlaceIsNotFollowed) {
    const QString precious = path("precious");
    testsupport::writeTestFile(precious, "the user's words\n");
    for (const QString& target : {precious, path("nowhere")}) {
        SCOPED_TRACE(target.toStdString());
        QFile::remove(path("registry.lock"));
        ASSERT_TRUE(QFile::link(target, path("registry.lock")));
        open()->setValue(Root::CurrentUser, "Software\\Q", "A", target.toUtf8());
        EXPECT_TRUE(fileText(path()).contains(target.toUtf8()));
        EXPECT_EQ(fileText(precious), "the user's words\n");
        EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    }
}

// Changes refused while another program held the lock stay pending: the next store takes them
// along, and so does the end of the run, whether the holder wrote the file meanwhile or there
// was none yet.
TEST_F(RegistryRefusalTest, ChangesRefusedWhileTheLockWasHeldAreStoredLater) {
    const std::pair<bool, bool> cases[] = {{true, true}, {true, false}, {false, false}};
    for (const auto& [holderWrites, laterChange] : cases) {
        SCOPED_TRACE(testing::Message() << holderWrites << laterChange);
        QFile::remove(path());
        if (holderWrites)
            testsupport::writeTestFile(path(), "[HKEY_CURRENT_USER\\Software\\Q]\n");
        const int holder =
            ::open(QFile::encodeName(path("registry.lock")).constData(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(::flock(holder, LOCK_EX), 0);
        {
            const auto registry = open();
            registry->setValue(Root::CurrentUser, "Software\\Q", "Refused", "r");
            if (holderWrites)
                testsupport::writeTestFile(path(), "[HKEY_CURRENT_USER\\Software\\Theirs]\n");
            ::close(holder);
            if (laterChange)
                registry->setValue(Root::CurrentUser, "Software\\Q", "Later", "l");
        }
        const FileRegistry reread(path(), Autostart(path("quorvalline.desktop")), &clock_);
        EXPECT_EQ(reread.value(Root::CurrentUser, "Software\\Q", "Refused"), "r");
        EXPECT_EQ(reread.keyExists(Root::CurrentUser, "Software\\Theirs"), holderWrites);
    }
}

}  // namespace
}  // namespace qv::platform
