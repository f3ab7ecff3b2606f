// The capture handed to the real converter program in memory: read back exactly, and nothing
// left anywhere when the converter fails or is killed, or when the program itself is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "fakes/fakeplatform.h"
#include "output/imagesaver.h"
#include "output/saveformat.h"
#include "platform/linux/qtprocess.h"
#include "support/environment.h"

namespace qv::output {
namespace {

// The real process service, telling which source each converter was given; without memory
// files it is a system that has none.
class WatchedProcess : public platform::QtProcess {
public:
    explicit WatchedProcess(bool memoryFiles) : memoryFiles_(memoryFiles) {}
    using platform::Process::run;
    platform::ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs,
                                const platform::MemoryFile* handedOver) override {
        sources.push_back(arguments.value(0));
        return QtProcess::run(program, arguments, timeoutMs, handedOver);
    }
    std::unique_ptr<platform::MemoryFile> memoryFile(const QString& name) override {
        return memoryFiles_ ? QtProcess::memoryFile(name) : nullptr;
    }
    QStringList sources;

private:
    bool memoryFiles_;
};

// Memory files this program still has open.
int openMemoryFiles() {
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        count += QFile::symLinkTarget(fds.filePath(fd)).contains(QLatin1String("memfd:"));
    return count;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7, y * 3, (x * y) & 0xFF));
    }
    return image;
}

QStringList entriesOf(const QTemporaryDir& folder) {
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A converter of the given script in folder; the folder's path.
QString converterIn(const QTemporaryDir& folder, const QByteArray& script) {
    QFile file(folder.filePath(QStringLiteral("Quorvalline32")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + script + "\n");
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder.path();
}

class BitmapHandoverTest : public ::testing::Test {
protected:
    void SetUp() override { environment_.set("TMPDIR", temp_.path()); }
    WatchedProcess& use(bool memoryFiles) {
        auto process = std::make_unique<WatchedProcess>(memoryFiles);
        WatchedProcess& installed = *process;
        fake_.services().process = std::move(process);
        return installed;
    }
    QStringList leftInTemp() const { return entriesOf(temp_); }
    QString converterFolder(const QByteArray& script) { return converterIn(targets_, script); }

    fakes::FakePlatform fake_;
    QTemporaryDir temp_, targets_;
    testsupport::Environment environment_;
};

TEST_F(BitmapHandoverTest, TheConverterReadsTheCaptureExactlyFromMemoryOrElseFromTheDisk) {
    // PNG on the converter's own road, TIFF (lossless too) on the toolkit's.
    const std::pair<QImage, QString> saves[] = {{gradient(1921, 1081), ".png"},
                                                {gradient(1, 1), ".png"},
                                                {gradient(3, 5), ".png"},
                                                {gradient(97, 61), ".tif"}};
    for (const bool memoryFiles : {true, false}) {
        for (const auto& [capture, extension] : saves) {
            SCOPED_TRACE(testing::Message() << capture.width() << "x" << capture.height() << " "
                                            << extension.toStdString()
                                            << (memoryFiles ? " in memory" : " on the disk"));
            WatchedProcess& process = use(memoryFiles);
            const QString target = targets_.filePath("my shot" + extension);
            ASSERT_EQ(saveImage(capture, target, saveFormatFor(extension), QV_BIN_DIR),
                      std::nullopt);
            EXPECT_EQ(QImage(target).convertToFormat(QImage::Format_RGB32), capture);
            ASSERT_EQ(process.sources.size(), 1);
            EXPECT_TRUE(process.sources[0].startsWith(memoryFiles ? QStringLiteral("/dev/fd/")
                                                                  : temp_.path()))
                << process.sources[0].toStdString();
            EXPECT_EQ(leftInTemp(), QStringList());
            EXPECT_EQ(openMemoryFiles(), 0);
        }
    }
}

TEST_F(BitmapHandoverTest, AFailedOrKilledConverterLeavesNothingBehind) {
    const struct {
        const char* what;
        QByteArray script;
        const char* says;
    } cases[] = {
        // Only a converter that read the bitmap's start ends with 5.
        {"fails", "test \"$(head -c 2 \"$1\")\" = BM || exit 9\nexit 5", "exit code 5"},
        {"killed", "kill -KILL $$", "stopped unexpectedly"},
        // As a failing library might: the box shows the first line, at once.
        {"floods stderr",
         "echo 'cannot write shot.png' >&2\nhead -c 20000000 /dev/zero | tr '\\0' x >&2\nexit 1",
         "failed: cannot write shot.png"},
    };
    for (const bool memoryFiles : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << c.what << (memoryFiles ? ", in memory" : ", on the disk"));
            use(memoryFiles);
            const QString target = targets_.filePath(QStringLiteral("shot.png"));
            const auto error = saveImage(gradient(40, 30), target, saveFormatFor(".png"),
                                         converterFolder(c.script));
            ASSERT_TRUE(error.has_value());
            EXPECT_TRUE(error->description.endsWith(QLatin1String(c.says)))
                << error->description.left(200).toStdString();
            EXPECT_FALSE(QFileInfo::exists(target));
            EXPECT_EQ(leftInTemp(), QStringList());
            EXPECT_EQ(openMemoryFiles(), 0);
        }
    }
}

// Takes every file descriptor but the spare ones below a lowered limit, as a process at its limit
// of open files, until it goes.
class DescriptorLimit {
public:
    explicit DescriptorLimit(int spare) {
        ::getrlimit(RLIMIT_NOFILE, &old_);
        const rlimit lowered{std::min<rlim_t>(old_.rlim_cur, 256), old_.rlim_max};
        ::setrlimit(RLIMIT_NOFILE, &lowered);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            taken_.push_back(fd);
        for (; spare > 0 && !taken_.empty(); --spare, taken_.pop_back())
            ::close(taken_.back());
    }
    ~DescriptorLimit() {
        for (const int fd : taken_)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &old_);
    }

private:
    rlimit old_{};
    std::vector<int> taken_;
};

TEST_F(BitmapHandoverTest, WithNoDescriptorLeftASaveSaysWhyAndLeavesNothingBehind) {
    const QString target = targets_.filePath(QStringLiteral("shot.png"));
    const auto saveWith = [&](int spare) {
        const DescriptorLimit limit(spare);
        return saveImage(gradient(40, 30), target, saveFormatFor(".png"), QV_BIN_DIR);
    };
    for (const bool memoryFiles : {true, false}) {
        use(memoryFiles);
        int refused = 0;
        // From none spare, where no bitmap can be made, up to enough for the converter.
        for (int spare = 0; spare <= 10; ++spare) {
            SCOPED_TRACE(testing::Message() << spare << " spare, memory files " << memoryFiles);
            if (const auto error = saveWith(spare)) {
                ++refused;
                EXPECT_TRUE(error->description.contains(QLatin1String("Too many open files")))
                    << error->description.toStdString();
                EXPECT_FALSE(QFileInfo::exists(target));
            }
            QFile::remove(target);
            EXPECT_EQ(leftInTemp(), QStringList());
            EXPECT_EQ(openMemoryFiles(), 0);
        }
        EXPECT_GT(refused, 1);
    }
}

TEST(BitmapHandoverKilled, AProgramKilledDuringItsSaveLeavesNoFile) {
    // Started again by itself as the program to be killed: it saves until it is.
    if (const QString folder = qEnvironmentVariable("QV_KILLED_SAVE_CONVERTER");
        !folder.isEmpty()) {
        fakes::FakePlatform fake;
        fake.services().process = std::make_unique<platform::QtProcess>();
        saveImage(gradient(64, 48), QDir(folder).filePath(QStringLiteral("shot.png")),
                  saveFormatFor(".png"), folder);
        return;
    }
    QTemporaryDir temp, targets;
    testsupport::Environment environment;
    environment.set("TMPDIR", temp.path());
    // The converter tells it has started (and what its source is) through a pipe, then waits
    // on its input, which the program holds open: the converter ends when the program does.
    const QString started = targets.filePath(QStringLiteral("started"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(started).constData(), 0600), 0);
    const QString folder =
        converterIn(targets, "readlink \"$1\" > '" + QFile::encodeName(started) + "'\nexec cat");
    const int fromConverter =
        ::open(QFile::encodeName(started).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fromConverter, 0);

    QProcess program;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("QV_KILLED_SAVE_CONVERTER"), folder);
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), targets.path());
    program.setProcessEnvironment(variables);
    program.setProgram(QCoreApplication::applicationFilePath());
    program.setArguments({QStringLiteral(
        "--gtest_filter=BitmapHandoverKilled.AProgramKilledDuringItsSaveLeavesNoFile")});
    program.start();
    pollfd ready = {fromConverter, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 60000), 1) << "the converter did not start";
    char source[256] = {};
    ASSERT_GT(::read(fromConverter, source, sizeof source - 1), 0);
    ::close(fromConverter);
    EXPECT_TRUE(QByteArray(source).startsWith("/memfd:")) << source;

    ::kill(pid_t(program.processId()), SIGKILL);
    program.waitForFinished();
    EXPECT_EQ(entriesOf(temp), QStringList());
    EXPECT_FALSE(QFileInfo::exists(targets.filePath(QStringLiteral("shot.png"))));
}

}  // namespace
}  // namespace qv::output
