// Opening documents and starting programs with xdg-open in its generic mode.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/xdgshell.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

using testsupport::XvfbTest;

class ShellX : public XvfbTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        // A bare desktop: xdg-open looks up handlers the freedesktop way, in our folders.
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "BROWSER"})
            qunsetenv(name);
        qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
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

TEST_F(ShellX, OpensDocumentWithItsHandlerAndNamesMissingHandler) {
    const QString marker = installHandler("text/plain");
    const QString document = home.filePath("a \"quoted\" name's $HOME; file.txt");
    write(document, "plain text\n");

    XdgShell shell;
    ASSERT_EQ(shell.open(document), shellresult::LaunchOk);
    EXPECT_EQ(opened(marker), document);

    // A file type nothing on this desktop opens.
    const QString picture = home.filePath("picture.png");
    write(picture, QByteArray::fromHex("89504e470d0a1a0a"));
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

TEST_F(ShellX, HtmlPageUnderAnotherNameOpensAsHtml) {
    const QString marker = installHandler("text/html");
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toLocal8Bit());
    const QString help = home.filePath("QuorvallineHelp.chm");
    write(help, "<!DOCTYPE html>\n<html><head><title>Help</title></head><body>x</body></html>\n");

    XdgShell shell;
    ASSERT_EQ(shell.open(help), shellresult::LaunchOk);
    const QFileInfo page(opened(marker));
    EXPECT_EQ(page.suffix(), "html");
    EXPECT_EQ(page.canonicalFilePath(), QFileInfo(help).canonicalFilePath());
}

}  // namespace
}  // namespace qv::platform
