#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
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

// Three jobs due every minute, the first failing: the others still save, the desktop comes
// back, and the failure is told without anything that waits for an answer.
TEST_F(AutoSaveTest, AFailedSaveReleasesTheDesktopAndCostsNoOtherJob) {
    const struct {
        const char* name;
        std::function<void(Job&)> prepare;
        QString says;
    } cases[] = {
        {"missing folder", [this](Job& j) { j.saveDir = dir.filePath("gone"); },
         "Error: 76  Path not found !!"},
        {"all names taken",
         [this](Job&) {
             touch(dir.filePath("a.bmp"));
             for (int n = 0; n < 999; ++n)
                 touch(dir.filePath(QStringLiteral("a%1.bmp").arg(n)));
         },
         "Error: 1002  Every numbered file name is taken !!"},
        {"converter fails",
         [this](Job& j) {
             j.imgFormat = ".png";
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return platform::ProcessResult{Status::Finished, 3, "disk on fire"};
             };
         },
         "Error: 1001  The image converter failed: disk on fire !!"},
        {"converter hangs",
         [this](Job& j) {
             j.imgFormat = ".png";
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return platform::ProcessResult{Status::TimedOut, -1, {}};
             };
         },
         "Error: 1001  The image converter did not finish in time !!"},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Job failing = job("a", kInterval, "1");
        c.prepare(failing);
        store(failing);
        store(job("b", kInterval, "1"));
        store(job("c", kInterval, "1"));
        mainWindow().loadJobTable();
        testing::internal::CaptureStderr();
        pollIntoNextMinute();
        pollIntoNextMinute();  // failing again tells nothing new
        const QString told = QString::fromStdString(testing::internal::GetCapturedStderr());

        for (const char* good : {"b", "c"}) {
            EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("%1.bmp").arg(good))));
            EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("%10.bmp").arg(good))));
        }
        EXPECT_FALSE(captureState().freeze.desktopFrozen);
        EXPECT_TRUE(session().buffer.isNull());
        EXPECT_FALSE(prog.autocapture.autoCaptureRunning);
        EXPECT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText().toStdString();
        EXPECT_EQ(told.count("AutoCapture job \"a\": " + c.says), 1) << told.toStdString();
        const FailureNotice* notice = prog.autocaptureWindows().failureNotice.peek();
        ASSERT_TRUE(notice);
        EXPECT_TRUE(notice->isVisible());
        EXPECT_FALSE(notice->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        ASSERT_EQ(notice->failures().size(), 1);
        EXPECT_TRUE(notice->failures().front().endsWith("AutoCapture job \"a\": " + c.says))
            << notice->failures().front().toStdString();

        prog.autocaptureWindows().failureNotice->okButton->click();
        EXPECT_FALSE(notice->isVisible());
        fake.process().behaviour = nullptr;
        for (const char* name : {"a", "b", "c"})
            removeJob(name);
        mainWindow().loadJobTable();
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(f));
    }
}

TEST_F(AutoSaveTest, AJobIsToldAgainWhenItFailsAfterASaveAndTheNoticeStaysOutOfCaptures) {
    const QString folder = dir.filePath("sometimes");
    Job j = job("job", kInterval, "1");
    j.saveDir = folder;
    store(j);
    start();
    // The notice stays out of the captures that follow.
    int grabsWithNotice = 0;
    fake.desktop().onGrab = [&] {
        const FailureNotice* notice = prog.autocaptureWindows().failureNotice.peek();
        grabsWithNotice += notice && notice->isVisible();
    };
    testing::internal::CaptureStderr();
    const bool saves[] = {false, false, true, true, false, false, true, false};
    for (bool folderThere : saves) {
        if (folderThere)
            QDir().mkpath(folder);
        else
            QDir(folder).removeRecursively();
        pollIntoNextMinute();
    }
    const QString told = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(told.count("AutoCapture job \"job\": Error: 76  Path not found !!"), 3)
        << told.toStdString();
    EXPECT_EQ(prog.autocaptureWindows().failureNotice->failures().size(), 3);
    EXPECT_TRUE(prog.autocaptureWindows().failureNotice->isVisible());
    EXPECT_EQ(grabsWithNotice, 0);
    EXPECT_TRUE(fake.dialogs().messages.empty());
}

}  // namespace
}  // namespace qv::autocapture::schedulertests
