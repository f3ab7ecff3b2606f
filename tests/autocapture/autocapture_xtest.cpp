// Jobs fire on a real X server with a window manager: the program started as a user would,
// another client's window brought to the front.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/linux/fileregistry.h"
#include "support/programwindows.h"
#include "support/xserver.h"
#include "support/xwd.h"

namespace qv::testsupport {
namespace {

const QString kTitle = QStringLiteral("QvAutoTarget");

class AutoCaptureOnX : public ::testing::Test {
protected:
    // A job that captures the screen as a PNG when the target window comes to the front.
    void seedJob(const QString& folder) {
        platform::FileRegistry registry(dir.filePath("config/quorvalline/registry"));
        const QString key = QStringLiteral("Software\\Quorvalline\\AutoCapture\\Target");
        const std::pair<const char*, QString> values[] = {
            {"JobType", "Window Title"}, {"CaptureType", "Screen"},
            {"Trigger", kTitle},         {"SaveDir", folder},
            {"SaveName", "shot"},        {"ImgFormat", ".png"},
            {"SavingType", "1"},         {"FullPath", folder + "/shot.png"},
            {"JobStatus", "1"},
        };
        for (const auto& [name, text] : values) {
            registry.setValue(platform::Registry::Root::CurrentUser, key, name,
                              text.toUtf8() + QByteArray(1, '\0'));
        }
    }
    void start() {
        server = std::make_unique<XServer>(
            XServer::Options{.size = {1024, 700}, .windowManager = true, .trayHost = false});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        env.insert("DISPLAY", server->display());
        qputenv("DISPLAY", server->display().toUtf8());  // for xwd
        auto programEnv = programEnvironment(env, dir);
        programEnv.remove("QT_QPA_PLATFORM");
        ASSERT_TRUE(startBuiltProgram(program, programEnv));
        // The program is up once its main window shows.
        ASSERT_TRUE(XServer::waitFor([&] {
            return !xdotool({"search", "--onlyvisible", "--class", "quorvalline"}).isEmpty();
        }));
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
        if (target) {
            target->kill();
            target->waitForFinished(3000);
        }
    }
    // The target window, in front.
    QString showTarget() {
        target = std::make_unique<QProcess>();
        target->setProcessEnvironment(env);
        target->start("xlogo", {"-title", kTitle, "-geometry", "240x160+720+480"});
        QString id;
        XServer::waitFor([&] {
            id = xdotool({"search", "--onlyvisible", "--name", kTitle}).trimmed();
            return !id.isEmpty();
        });
        XServer::waitFor([&] {
            xdotool({"windowactivate", "--sync", id});
            return xdotool({"getactivewindow"}).trimmed() == id;
        });
        return id;
    }
    QRect geometry(const QString& id) const {
        static const QRegularExpression shell(
            "X=(-?\\d+)\\nY=(-?\\d+)\\nWIDTH=(\\d+)\\nHEIGHT=(\\d+)");
        const auto m = shell.match(xdotool({"getwindowgeometry", "--shell", id}));
        return m.hasMatch() ? QRect(m.captured(1).toInt(), m.captured(2).toInt(),
                                    m.captured(3).toInt(), m.captured(4).toInt())
                            : QRect();
    }
    bool frozenScreenMapped() const {
        return !xdotool({"search", "--onlyvisible", "--name", "^Frozen Screen$"})
                    .trimmed()
                    .isEmpty();
    }
    QString xdotool(const QStringList& arguments) const {
        return testsupport::xdotool(env, arguments);
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<XServer> server;
    QProcess program;
    std::unique_ptr<QProcess> target;
    QTemporaryDir dir;
};

TEST_F(AutoCaptureOnX, ATitleJobSavesTheScreenAndReleasesTheDesktop) {
    const QString shots = dir.filePath("shots");
    ASSERT_TRUE(QDir().mkpath(shots));
    seedJob(shots);
    start();
    const QString id = showTarget();
    ASSERT_FALSE(id.isEmpty());

    const QString saved = shots + "/shot.png";
    ASSERT_TRUE(XServer::waitFor([&] { return !QImage(saved).isNull(); }, 20000))
        << program.readAll().toStdString();
    const QImage shot = QImage(saved).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.size(), QSize(1024, 700));
    EXPECT_TRUE(XServer::waitFor([&] { return !frozenScreenMapped(); }));
    const QRect window = geometry(id);
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(shot.copy(window), xwdRoot().copy(window)) << "the window as the screen shows it";
    EXPECT_EQ(QDir(shots).entryList(QDir::Files), QStringList{"shot.png"});
}

// The failure is told in a window that takes nothing from the user: the desktop comes back
// and the window in front keeps the focus.
TEST_F(AutoCaptureOnX, AMissingFolderReleasesTheDesktopAndSaysWhyWithoutTakingTheFocus) {
    seedJob(dir.filePath("missing"));
    start();
    const QString id = showTarget();
    ASSERT_FALSE(id.isEmpty());

    QByteArray said;
    ASSERT_TRUE(XServer::waitFor(
        [&] {
            program.waitForReadyRead(50);
            said += program.readAll();
            return said.contains("AutoCapture job \"Target\": Error: 76  Path not found !!");
        },
        20000))
        << said.toStdString();
    EXPECT_TRUE(XServer::waitFor([&] {
        return !xdotool({"search", "--onlyvisible", "--name", "^ Quorvalline $"})
                    .trimmed()
                    .isEmpty();
    })) << "the notice shows";
    EXPECT_TRUE(XServer::waitFor([&] { return !frozenScreenMapped(); })) << "released";
    EXPECT_EQ(xdotool({"getactivewindow"}).trimmed(), id);
    EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
}

}  // namespace
}  // namespace qv::testsupport
