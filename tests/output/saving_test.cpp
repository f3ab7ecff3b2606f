#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "converter/converter.h"
#include "fakes/fakeplatform.h"
#include "output/filenamerule.h"
#include "output/imageformat.h"
#include "output/imagesaver.h"
#include "output/numberedname.h"

namespace qv::output {
namespace {

using platform::ProcessResult;
using Status = ProcessResult::Status;

TEST(ImageFormat, ExtensionsCompareExactlyAndUnknownMeansBitmap) {
    for (const char* ext : {".PNG", "", "png"})
        EXPECT_EQ(imageFormatFor(ext).extension, ".bmp") << ext;
    EXPECT_EQ(imageFormatForFilterIndex(3).converterType, "image/jpeg");
    EXPECT_EQ(imageFormatForFilterIndex(5).extension, ".bmp");
    // Qt takes "*.jpg," for a pattern of its own.
    EXPECT_EQ(imageFormatFor(".jpg").qtFilter(),
              "Joint Photographic Experts Group  (*.jpg *.jpeg)");
}

TEST(FileNameRule, ForbiddenCharactersBeforeEmptiness) {
    EXPECT_EQ(checkFileName(""), FileNameProblem::Empty);
    EXPECT_EQ(checkFileName("   "), FileNameProblem::None);
    for (const char* name : {"a:b", ":", "a/b", "a\\b", "*", "x|y", "<>", "why?"})
        EXPECT_EQ(checkFileName(name), FileNameProblem::ForbiddenCharacter) << name;
}

class SavingTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_.filePath(QStringLiteral("my \"shots\""));
        ASSERT_TRUE(QDir().mkpath(folder_));
        image_ = QImage(37, 23, QImage::Format_RGB32);
        image_.fill(Qt::darkCyan);
        fake_.process().behaviour = [](const fakes::FakeProcess::Call& call) {
            const converter::Result r = converter::convert(call.arguments);
            return ProcessResult{Status::Finished, r.exitCode, r.message};
        };
    }
    QString path(const QString& name) const { return QDir(folder_).filePath(name); }
    void touch(const QString& name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    fakes::FakePlatform fake_;
    QTemporaryDir dir_;
    QString folder_;
    QImage image_;
};

TEST_F(SavingTest, ConverterGetsItsArgumentsAndTheTemporaryBitmapGoes) {
    for (const ImageFormat& format : imageFormats())
        ASSERT_EQ(saveImage(image_, path("shot one" + format.extension), format, "/opt/q v"),
                  std::nullopt)
            << format.extension;
    ASSERT_EQ(fake_.process().calls.size(), 3u);
    const auto& call = fake_.process().calls[0];
    EXPECT_EQ(call.program, "/opt/q v/Quorvalline32");
    ASSERT_EQ(call.arguments.size(), 5);
    EXPECT_EQ(call.arguments[1], "image/png");
    EXPECT_EQ(call.arguments[2], path("shot one.png"));
    EXPECT_EQ(call.arguments.mid(3), (QStringList{"80", "comingfromMirelda"}));
    EXPECT_GT(call.timeoutMs, 0);
    for (const auto& c : fake_.process().calls) {
        EXPECT_FALSE(QFile::exists(c.arguments[0])) << "temporary bitmap left behind";
        EXPECT_NE(QFileInfo(c.arguments[0]).absolutePath(), folder_);
    }
}

TEST_F(SavingTest, ConverterFailuresAreReportedAndLeaveNoTemporaryFile) {
    struct Case {
        const char* why;
        ProcessResult result;
        int number;
    };
    const Case cases[] = {
        {"cannot start", {Status::FailedToStart, -1, {}}, errornumber::FileNotFound},
        {"hangs", {Status::TimedOut, -1, {}}, errornumber::ConverterFailed},
        {"fails", {Status::Finished, 5, "cannot write"}, errornumber::ConverterFailed},
        {"writes nothing", {Status::Finished, 0, {}}, errornumber::ConverterFailed},
    };
    for (const Case& c : cases) {
        fake_.process().calls.clear();
        fake_.process().behaviour = [&](const fakes::FakeProcess::Call&) { return c.result; };
        const auto error = saveImage(image_, path("x.png"), imageFormatFor(".png"), "/opt/q");
        ASSERT_TRUE(error.has_value()) << c.why;
        EXPECT_EQ(error->number, c.number) << c.why;
        EXPECT_TRUE(error->message().startsWith(QStringLiteral("Error: %1  ").arg(c.number)));
        ASSERT_EQ(fake_.process().calls.size(), 1u);
        EXPECT_FALSE(QFile::exists(fake_.process().calls[0].arguments[0])) << c.why;
        EXPECT_FALSE(QFile::exists(path("x.png"))) << c.why;
    }
}

TEST_F(SavingTest, NumberedNamesSkipEveryTakenEntry) {
    EXPECT_EQ(firstFreeNumberedName(folder_, "Shot_", "Shot_", ".png"), path("Shot_.png"));
    touch("Shot_.png");
    EXPECT_EQ(firstFreeNumberedName(folder_, "Shot_", "Shot_", ".png"), path("Shot_0.png"));
    touch("Shot_0.png");
    ASSERT_TRUE(QDir(folder_).mkdir("Shot_1.png"));  // a folder holds the name too
    EXPECT_EQ(firstFreeNumberedName(folder_, "Shot_", "Shot_", ".png"), path("Shot_2.png"));
    // The numbered names follow the stored prefix, the first the one shown.
    EXPECT_EQ(firstFreeNumberedName(folder_, "Shot_", "Old", ".png"), path("Old0.png"));
    EXPECT_EQ(firstFreeNumberedName(folder_, "Shot_", "Shot_", ".jpg"), path("Shot_.jpg"));
    // The last numbered name is still used; past it there is none.
    for (int n = 0; n < kNumberedNames - 1; ++n)
        touch(QStringLiteral("a%1.bmp").arg(n));
    touch("a.bmp");
    EXPECT_EQ(firstFreeNumberedName(folder_, "a", "a", ".bmp"), path("a998.bmp"));
    touch("a998.bmp");
    EXPECT_EQ(firstFreeNumberedName(folder_, "a", "a", ".bmp"), std::nullopt);
}

}  // namespace
}  // namespace qv::output
