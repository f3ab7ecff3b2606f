// Opening documents and starting programs with xdg-open in its generic mode.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "platform/linux/xdgshell.h"
#include "support/environment.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

using testsupport::XvfbTest;

using testsupport::Environment;

class ShellX : public XvfbTest {
protected:
    // xdg-open gets a desktop of its own: the handlers, mailcap and browser installed on this
    // machine (an image viewer taking every PNG, say) must not decide what the tests see.
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        // The file types still come from the system's MIME database, found before the data
        // folders are swapped.
        const QString mimeTypes =
            QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("mime"),
                                   QStandardPaths::LocateDirectory);
        QDir().mkpath(home.filePath("system"));
        if (!mimeTypes.isEmpty()) {
            ASSERT_TRUE(QFile::link(mimeTypes, home.filePath("system/mime")));
        }
        write(home.filePath("mailcap"), {});

        // A named desktop of the generic kind: xdg-open looks for no running desktop then.
        environment.set("XDG_CURRENT_DESKTOP", QStringLiteral("X-Generic"));
        environment.set("HOME", home.path());
        environment.set("XDG_DATA_HOME", home.filePath("data"));
        environment.set("XDG_DATA_DIRS", home.filePath("system"));
        environment.set("XDG_CONFIG_HOME", home.filePath("config"));
        environment.set("XDG_CONFIG_DIRS", home.filePath("system"));
        environment.set("XDG_CACHE_HOME", home.filePath("cache"));
        environment.set("MAILCAPS", home.filePath("mailcap"));
        // Without a browser named, xdg-open tries the well-known ones on the PATH.
        environment.set("BROWSER", QStringLiteral("false"));
        startServer();
    }
    static void write(const QString& path, const QByteArray& content, bool executable = false) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    // Makes a script that notes the file it opens the default for mime; returns the note.
    QString installHandler(const QByteArray& mime) {
        const QString marker = home.filePath("opened");
        const QString handler = home.filePath("handler.sh");
        write(handler, "#!/bin/sh\nprintf '%s' \"$1\" > '" + marker.toLocal8Bit() + "'\n", true);
        write(home.filePath("data/applications/qvtest.desktop"),
              "[Desktop Entry]\nType=Application\nName=Test\nExec=" + handler.toLocal8Bit() +
                  " %f\nMimeType=" + mime + ";\n");
        write(home.filePath("config/mimeapps.list"),
              "[Default Applications]\n" + mime + "=qvtest.desktop\n");
        return marker;
    }
    static QString opened(const QString& marker) {
        QFile file(marker);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    QTemporaryDir home;
    Environment environment;
};

TEST_F(ShellX, MissingTargetsMapToNotFound) {
    XdgShell shell;
    const QString missing = home.filePath("missing.txt");
    EXPECT_EQ(shell.open(missing), shellresult::FileNotFound);
    EXPECT_EQ(shell.open(home.filePath("no folder/missing.txt")), shellresult::PathNotFound);
    EXPECT_EQ(shell.start(home.filePath("no folder/program"), {}), shellresult::PathNotFound);
    EXPECT_EQ(shell.start(QStringLiteral("no-such-program-anywhere"), {}),
              shellresult::FileNotFound);
    if (geteuid() != 0) {
        const QString locked = home.filePath("locked.txt");
        write(locked, "x");
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        EXPECT_EQ(shell.open(locked), shellresult::AccessDenied);
    }
}

// A document opens with its handler, an HTML page under another name as HTML; nothing on this
// desktop opens a picture.
TEST_F(ShellX, OpensDocumentsWithTheirHandlerAndNamesAMissingOne) {
    XdgShell shell;
    QString marker = installHandler("text/plain");
    const QString document = home.filePath("a \"quoted\" name's $HOME; file.txt");
    write(document, "plain text\n");
    ASSERT_EQ(shell.open(document), shellresult::LaunchOk);
    EXPECT_EQ(opened(marker), document);

    QFile::remove(marker);
    marker = installHandler("text/html");
    const QString help = home.filePath("QuorvallineHelp.chm");
    write(help, "<!DOCTYPE html>\n<html><head><title>Help</title></head><body>x</body></html>\n");
    ASSERT_EQ(shell.open(help), shellresult::LaunchOk);
    const QFileInfo page(opened(marker));
    EXPECT_EQ(page.suffix(), "html");
    EXPECT_EQ(page.canonicalFilePath(), QFileInfo(help).canonicalFilePath());

    const QString picture = home.filePath("picture.png");
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    EXPECT_EQ(shell.open(picture), shellresult::NoAssociation);
}

TEST_F(ShellX, StartsProgramWithArgumentsAndRestoresWindows) {
    const QString out = home.filePath("args");
    const QString program = home.filePath("dir with \"quotes\"/prog 'x'.sh");
    write(program,
          QByteArray("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '") +
              out.toLocal8Bit() + "'\n",
          true);
    XdgShell shell;
    const QStringList arguments{QStringLiteral("two words"), QStringLiteral("\"q\" 'a' $HOME;")};
    ASSERT_EQ(shell.start(program, arguments), shellresult::LaunchOk);
    ASSERT_TRUE(XvfbTest::processUntil([&] { return QFileInfo(out).size() > 0; }));
    EXPECT_EQ(opened(out), arguments.join('\n') + '\n');

    const xcb_window_t window = createWindow(QRect(10, 10, 50, 50), 0x112233, false);
    server->x().sync();
    EXPECT_TRUE(shell.restoreWindow(window));
    x11::Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        server->connection(), xcb_get_window_attributes(server->connection(), window), nullptr));
    EXPECT_EQ(attributes->map_state, XCB_MAP_STATE_VIEWABLE);
    xcb_destroy_window(server->connection(), window);
    server->x().sync();
    EXPECT_FALSE(shell.restoreWindow(window));
}

}  // namespace
}  // namespace qv::platform
