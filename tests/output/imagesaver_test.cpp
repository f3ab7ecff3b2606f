#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "converter/converter.h"
#include "fakes/fakeplatform.h"
#include "output/imagesaver.h"
#include "output/saveformat.h"
#include "support/inprocessconverter.h"

namespace qv::output {
namespace {

using platform::ProcessResult;
using Status = ProcessResult::Status;

class ImageSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_.filePath(QStringLiteral("my \"shots\""));
        ASSERT_TRUE(QDir().mkpath(folder_));
        image_ = QImage(37, 23, QImage::Format_RGB32);
        image_.fill(Qt::darkCyan);
        testsupport::runConverterInProcess(fake_.process());
    }
    QString path(const QString& name) const { return QDir(folder_).filePath(name); }

    fakes::FakePlatform fake_;
    QTemporaryDir dir_;
    QString folder_;
    QImage image_;
};

TEST_F(ImageSaverTest, ConverterGetsItsArgumentsAndTheTemporaryBitmapGoes) {
    for (const SaveFormat& format : saveFormats())
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

TEST_F(ImageSaverTest, ConverterFailuresAreReportedAndLeaveNoTemporaryFile) {
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
        const auto error = saveImage(image_, path("x.png"), saveFormatFor(".png"), "/opt/q");
        ASSERT_TRUE(error.has_value()) << c.why;
        EXPECT_EQ(error->number, c.number) << c.why;
        EXPECT_TRUE(error->message().startsWith(QStringLiteral("Error: %1  ").arg(c.number)));
        ASSERT_EQ(fake_.process().calls.size(), 1u);
        EXPECT_FALSE(QFile::exists(fake_.process().calls[0].arguments[0])) << c.why;
        EXPECT_FALSE(QFile::exists(path("x.png"))) << c.why;
    }
}

TEST_F(ImageSaverTest, TheBitmapGoesThroughMemoryAndThroughTheDiskWhenMemoryFails) {
    const struct {
        const char* why;
        bool memoryFiles, memoryFull, inMemory;
    } cases[] = {
        {"memory files", true, false, true},
        {"no memory files", false, false, false},
        {"memory too small for the bitmap", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fake_.process().calls.clear();
        fake_.process().memoryFilesMade.clear();
        fake_.process().memoryFiles = c.memoryFiles;
        fake_.process().memoryFull = c.memoryFull;
        ASSERT_EQ(saveImage(image_, path("x.png"), saveFormatFor(".png"), "/opt/q"), std::nullopt);
        EXPECT_EQ(QImage(path("x.png")).convertToFormat(QImage::Format_RGB32), image_);
        ASSERT_EQ(fake_.process().calls.size(), 1u);
        const auto& call = fake_.process().calls[0];
        EXPECT_EQ(call.handedOver, c.inMemory ? call.arguments[0] : QString());
        EXPECT_EQ(!fake_.process().memoryFilesMade.empty() &&
                      call.arguments[0] == fake_.process().memoryFilesMade[0],
                  c.inMemory);
        EXPECT_FALSE(QFile::exists(call.arguments[0]));
        for (const QString& made : fake_.process().memoryFilesMade)
            EXPECT_FALSE(QFile::exists(made));
    }
}

}  // namespace
}  // namespace qv::output
