// What the clipboard offers, asked of other programs that hold it on a real X server.
#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include "platform/linux/qtclipboard.h"
#include "support/xvfbtest.h"

namespace qv::platform {

void PrintTo(const ClipboardFormats& f, std::ostream* out) {
    *out << "{text " << f.text << ", image " << f.image << ", rich text " << f.richText << "}";
}

namespace {

using testsupport::XServer;
using testsupport::XvfbTest;

class ClipboardX : public XvfbTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(files.isValid());
        startServer();
    }
    xcb_window_t owner() const {
        xcb_connection_t* c = server->connection();
        x11::Reply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
            c, xcb_get_selection_owner(c, server->x().atom("CLIPBOARD")), nullptr));
        return reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    }
    // xclip holds the clipboard in the background until another program takes it.
    void offerWithXclip(const QString& type, const QByteArray& content) {
        const QString path = files.filePath(QStringLiteral("content"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const xcb_window_t before = owner();
        ASSERT_EQ(server->run(QStringLiteral("xclip"),
                              {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                               QStringLiteral("-t"), type, QStringLiteral("-i"), path}),
                  0);
        ASSERT_TRUE(XServer::waitFor([&] { return owner() != before; }))
            << "xclip never took the clipboard";
    }
    // A client that takes the clipboard and then never reads a request, as a hung program.
    void offerAndNeverAnswer() {
        xcb_connection_t* c = server->connection();
        const xcb_window_t window = createWindow(QRect(0, 0, 1, 1), 0, true);
        xcb_set_selection_owner(c, window, server->x().atom("CLIPBOARD"), XCB_CURRENT_TIME);
        ASSERT_EQ(owner(), window);
    }

    QTemporaryDir files;
    QtClipboard clipboard;
};

TEST_F(ClipboardX, AnOwnerThatNeverAnswersOffersNothingAtOnce) {
    offerAndNeverAnswer();
    // Each opening of a menu asks again: every one must come back within the moment.
    for (int opening = 0; opening < 3; ++opening) {
        QElapsedTimer took;
        took.start();
        const ClipboardFormats offered = clipboard.formats();
        EXPECT_LT(took.elapsed(), 2000) << "opening " << opening;
        EXPECT_EQ(offered, ClipboardFormats{}) << "opening " << opening;
    }
}

TEST_F(ClipboardX, WhatAnAnsweringOwnerOffersIsReadAsTheToolkitReadsIt) {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(picture.save(&buffer, "PNG"));
    }
    const struct {
        const char* type;
        QByteArray content;
        ClipboardFormats expected;
    } cases[] = {
        {"UTF8_STRING", "some text", {true, false, false}},
        {"STRING", "latin text", {true, false, false}},
        {"image/png", png, {false, true, false}},
        {"text/rtf", "{\\rtf1 bold}", {false, false, true}},
        {"application/x-unknown", "stuff", {}},
    };
    for (const auto& c : cases) {
        offerWithXclip(QString::fromLatin1(c.type), c.content);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(clipboard.formats(), c.expected) << c.type;
    }
    // What the program put there itself is answered without asking the server.
    clipboard.setImage(picture);
    ASSERT_TRUE(QGuiApplication::clipboard()->ownsClipboard());
    EXPECT_EQ(clipboard.formats(), (ClipboardFormats{false, true, false}));
    EXPECT_EQ(clipboard.image().convertToFormat(QImage::Format_RGB32), picture);

    // Nobody holds the clipboard once its owner has gone.
    offerAndNeverAnswer();
    xcb_set_selection_owner(server->connection(), XCB_WINDOW_NONE, server->x().atom("CLIPBOARD"),
                            XCB_CURRENT_TIME);
    ASSERT_EQ(owner(), xcb_window_t(XCB_WINDOW_NONE));
    EXPECT_EQ(clipboard.formats(), ClipboardFormats{});
}

}  // namespace
}  // namespace qv::platform
