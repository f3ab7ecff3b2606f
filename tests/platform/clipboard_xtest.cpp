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

QByteArray encoded(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// The check sum of a PNG chunk.
quint32 pngCrc(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// png with another width and height in its header, check sum and all.
QByteArray claimingSize(QByteArray png, quint32 side) {
    constexpr int kHeader = 12;  // signature and chunk length; then "IHDR", width, height
    const auto bigEndian = [](quint32 value) {
        const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
        return QByteArray(bytes, 4);
    };
    png.replace(kHeader + 4, 4, bigEndian(side));
    png.replace(kHeader + 8, 4, bigEndian(side));
    png.replace(kHeader + 17, 4, bigEndian(pngCrc(png.mid(kHeader, 17))));
    return png;
}

// Another program's picture is read whole however big, while the memory for it is to be had;
// what cannot be read says why.
TEST_F(ClipboardX, AnotherProgramsPictureIsReadWholeOrSaysWhyNot) {
    // 5800 x 5800 takes more than the toolkit's own 128 MB limit, compressed it is small.
    const QSize big(5800, 5800);
    QByteArray bigPng;
    {
        QImage picture(big, QImage::Format_RGB32);
        picture.fill(qRgb(250, 250, 240));
        picture.setPixel(big.width() - 1, big.height() - 1, qRgb(10, 20, 30));
        bigPng = encoded(picture, "PNG");
    }
    offerWithXclip(QStringLiteral("image/png"), bigPng);
    if (HasFatalFailure())
        return;
    const ClipboardPicture whole = clipboard.picture();
    EXPECT_EQ(whole.problem, ClipboardPicture::Problem::None);
    ASSERT_EQ(whole.image.size(), big);
    EXPECT_EQ(whole.image.pixel(big.width() - 1, big.height() - 1), qRgb(10, 20, 30));
    EXPECT_EQ(whole.image.pixel(0, 0), qRgb(250, 250, 240));

    QImage small(64, 48, QImage::Format_RGB32);
    small.fill(Qt::blue);
    const QByteArray smallPng = encoded(small, "PNG");
    // The pixel data breaks off.
    const QByteArray damaged = smallPng.left(smallPng.size() - 20);
    // A header that claims 100000 x 100000 pixels (40 GB decoded) for a few bytes of data.
    const int side = 100000;
    const QByteArray huge = claimingSize(smallPng, side);
    const struct {
        const char* what;
        QByteArray content;
        ClipboardPicture::Problem problem;
        QSize size;
    } unpastable[] = {
        {"damaged", damaged, ClipboardPicture::Problem::Unreadable, QSize(64, 48)},
        {"no picture", "not a picture", ClipboardPicture::Problem::Unreadable, QSize()},
        {"too big", huge, ClipboardPicture::Problem::TooBig, QSize(side, side)},
    };
    for (const auto& c : unpastable) {
        SCOPED_TRACE(c.what);
        offerWithXclip(QStringLiteral("image/png"), c.content);
        if (HasFatalFailure())
            return;
        const ClipboardPicture read = clipboard.picture();
        EXPECT_TRUE(read.image.isNull());
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.size, c.size);
    }
}

}  // namespace
}  // namespace qv::platform
