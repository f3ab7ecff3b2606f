#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <variant>

#include "autocapture/jobsaver.h"
#include "autocapture/scheduler_fixture.h"

namespace qv::autocapture::schedulertests {
namespace {

using Status = platform::ProcessResult::Status;

void touch(const QString& path, const QByteArray& content = "x") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST(JobTarget, NumbersOrOverwritesAndNeverTakesAnExistingEntry) {
    QTemporaryDir dir;
    touch(dir.filePath("shot.png"));
    touch(dir.filePath("shot0.png"));
    QDir(dir.path()).mkdir("shot1.png");  // a folder holds its name too
    touch(dir.filePath("full.bmp"));
    for (int n = 0; n < 999; ++n)
        touch(dir.filePath(QStringLiteral("full%1.bmp").arg(n)));

    const struct {
        const char* name;
        QString format;
        QString mode;
        QString folder;
        QString target;  // empty: the save fails with number
        int number;
    } cases[] = {
        {"fresh", ".png", kIncrement, dir.path(), "fresh.png", 0},
        {"shot", ".png", kIncrement, dir.path(), "shot2.png", 0},
        {"shot", ".png", kOverwrite, dir.path(), "shot.png", 0},
        {"shot", ".png", "2", dir.path(), "shot2.png", 0},  // an unknown mode never overwrites
        {"shot", ".gif", kOverwrite, dir.path(), "shot.bmp", 0},
        {"full", ".bmp", kIncrement, dir.path(), "", output::errornumber::NoFreeName},
        {"shot", ".png", kOverwrite, dir.filePath("missing"), "",
         output::errornumber::PathNotFound},
        {"shot", ".png", kIncrement, "", "", output::errornumber::PathNotFound},
    };
    for (const auto& c : cases) {
        JobRow job;
        job.saveDir = c.folder;
        job.saveName = c.name;
        job.imgFormat = c.format;
        job.savingType = c.mode;
        const auto target = jobTarget(job);
        if (c.target.isEmpty()) {
            ASSERT_TRUE(std::holds_alternative<output::SaveError>(target)) << c.name;
            EXPECT_EQ(std::get<output::SaveError>(target).number, c.number) << c.name;
        } else {
            ASSERT_TRUE(std::holds_alternative<QString>(target)) << c.name;
            EXPECT_EQ(std::get<QString>(target), QDir(c.folder).filePath(c.target)) << c.name;
        }
    }
}

// A stored record can say anything; only a plain file name in a folder without ".." steps
// is saved, and both naming modes check it.
TEST(JobTarget, RefusesNamesAndFoldersThatLeadOutOfTheFolder) {
    QTemporaryDir dir;
    const QString inner = dir.filePath("jobs/inner");
    ASSERT_TRUE(QDir().mkpath(inner));
    const struct {
        QString folder;
        QString name;
        bool refused;
    } cases[] = {
        {inner, "../../escaped", true},
        {inner, "..", true},
        {inner, ".", true},
        {inner, "", true},
        {inner, dir.filePath("abs"), true},
        {inner, "sub/name", true},
        {inner, "back\\slash", true},
        {inner, "line\nbreak", true},
        {inner + "/../..", "up", true},
        {dir.path() + "/jobs/../jobs/inner", "stepped", true},
        {inner + "\n", "folder line break", true},
        {inner, "..dotted", false},
        {inner, "  ", false},
        {inner + "/./", "dot step", false},
    };
    for (const auto& c : cases) {
        for (const QString& mode : {kIncrement, kOverwrite}) {
            JobRow job;
            job.saveDir = c.folder;
            job.saveName = c.name;
            job.imgFormat = ".bmp";
            job.savingType = mode;
            const auto target = jobTarget(job);
            const auto* error = std::get_if<output::SaveError>(&target);
            EXPECT_EQ(error != nullptr, c.refused) << qPrintable(c.folder + " | " + c.name);
            if (error)
                EXPECT_EQ(error->number, output::errornumber::BadFileName);
            else
                EXPECT_EQ(QDir::cleanPath(QFileInfo(std::get<QString>(target)).path()), inner);
        }
    }
}

class AutoSaveTest : public SchedulerTest {
protected:
    // A converter that writes its target, as the real one does.
    void convertingWorks() {
        fake.process().behaviour = [](const fakes::FakeProcess::Call& call) {
            QFile target(call.arguments.at(2));
            target.open(QIODevice::WriteOnly);
            target.write("PNG");
            return platform::ProcessResult{Status::Finished, 0, {}};
        };
    }
};

TEST_F(AutoSaveTest, PngGoesThroughTheConverterAndTheDesktopComesBack) {
    Job png = job("shot", kInterval, "1");
    png.imgFormat = ".png";
    store(png);
    convertingWorks();
    start();
    fake.clock().sleeps.clear();
    pollUntil(QTime(10, 3));

    ASSERT_EQ(fake.process().calls.size(), 1u);
    const auto& call = fake.process().calls.front();
    EXPECT_TRUE(call.program.endsWith("/Quorvalline32"));
    const QString temporary = call.arguments.at(0);
    EXPECT_EQ(call.arguments.mid(1),
              (QStringList{"image/png", dir.filePath("shot.png"), "80", "comingfromMirelda"}));
    EXPECT_FALSE(QFile::exists(temporary));
    EXPECT_EQ(saved(), QStringList{"shot.png"});
    EXPECT_EQ(std::count(fake.clock().sleeps.begin(), fake.clock().sleeps.end(), 500), 1);
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
    EXPECT_FALSE(prog.shellWindows().frozenScreen.exists());
    EXPECT_TRUE(session().buffer.isNull());
}

TEST_F(AutoSaveTest, OverwriteReplacesTheFileWhole) {
    Job same = job("same", kInterval, "1");
    same.savingType = kOverwrite;
    store(same);
    touch(dir.filePath("same.bmp"), "old");
    start();
    pollUntil(QTime(10, 3));
    EXPECT_EQ(saved(), QStringList{"same.bmp"});
    EXPECT_EQ(QImage(dir.filePath("same.bmp")).size(), QSize(1280, 800));
}

TEST_F(AutoSaveTest, AFailedSaveSaysWhyAndKeepsTheCaptureFrozen) {
    const QString full = "Every numbered file name is taken";
    const struct {
        const char* name;
        std::function<void(Job&)> prepare;
        QString says;
    } cases[] = {
        {"missing folder", [this](Job& j) { j.saveDir = dir.filePath("gone"); }, "Path not found"},
        {"all names taken",
         [this](Job&) {
             touch(dir.filePath("job.bmp"));
             for (int n = 0; n < 999; ++n)
                 touch(dir.filePath(QStringLiteral("job%1.bmp").arg(n)));
         },
         full},
        {"converter fails",
         [this](Job& j) {
             j.imgFormat = ".png";
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return platform::ProcessResult{Status::Finished, 3, "disk on fire"};
             };
         },
         "The image converter failed: disk on fire"},
        {"converter hangs",
         [this](Job& j) {
             j.imgFormat = ".png";
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return platform::ProcessResult{Status::TimedOut, -1, {}};
             };
         },
         "The image converter did not finish in time"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Job failing = job("job", kInterval, "1");
        c.prepare(failing);
        store(failing);
        store(job("later", kInterval, "1"));
        fake.dialogs().messages.clear();
        mainWindow().loadJobTable();
        pollIntoNextMinute();

        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        const auto& shown = fake.dialogs().messages.front();
        EXPECT_TRUE(shown.text.startsWith("AutoCapture job \"job\": Error: "))
            << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(c.says)) << shown.text.toStdString();
        EXPECT_EQ(shown.icon, platform::MsgIcon::Critical);
        EXPECT_EQ(shown.title, " Quorvalline ");
        EXPECT_TRUE(captureState().freeze.desktopFrozen);
        EXPECT_EQ(session().buffer, fake.desktop().screen);
        EXPECT_FALSE(prog.autocapture.autoCaptureRunning);
        EXPECT_FALSE(QFile::exists(dir.filePath("later.bmp"))) << "fired over the kept capture";

        // Nothing fires until the user releases; then the jobs go on.
        poll(20);
        EXPECT_EQ(fake.dialogs().messages.size(), 1u);
        mainWindow().releaseItem->trigger();
        flushDrops();
        removeJob("job");
        mainWindow().loadJobTable();
        pollIntoNextMinute();
        EXPECT_TRUE(QFile::remove(dir.filePath("later.bmp")));
        removeJob("later");
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(f));
    }
}

}  // namespace
}  // namespace qv::autocapture::schedulertests
