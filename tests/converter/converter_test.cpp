#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include "converter/runconverter.h"

namespace {

using namespace qv::convertertests;

QImage testPicture() {
    QImage img(97, 61, QImage::Format_RGB32);  // odd sizes catch row padding faults
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 2, y * 4, (x ^ y) & 0xFF));
    }
    return img;
}

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_.filePath(QStringLiteral("my \"shots\" 'here'"));
        ASSERT_TRUE(QDir().mkpath(folder_));
        source_ = folder_ + QStringLiteral("/temp image.bmp");
        ASSERT_TRUE(testPicture().save(source_, "BMP"));
    }
    QStringList entries() const { return QDir(folder_).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir dir_;
    QString folder_;
    QString source_;
};

TEST_F(ConverterTest, EachTypeHoldsThePictureAndReplacesAnOldFile) {
    // The mean difference a colour channel may show.
    const std::tuple<const char*, const char*, double> cases[] = {
        {"image/png", ".png", 0}, {"image/tiff", ".tif", 0}, {"image/jpeg", ".jpg", 12}};
    const QImage want = testPicture();
    QFile old(folder_ + QStringLiteral("/out \"1\".png"));  // replaced whole
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    for (const auto& [mime, ext, tolerance] : cases) {
        const QString target = folder_ + QStringLiteral("/out \"1\"") + ext;
        const RunResult r = runConverter({source_, mime, target, "80", "comingfromMirelda"});
        ASSERT_EQ(r.exitCode, 0) << mime << ": " << r.stderrText.toStdString();
        const QImage back = QImage(target).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), want.size()) << mime;
        double error = 0;
        for (int y = 0; y < want.height(); ++y) {
            for (int x = 0; x < want.width(); ++x) {
                const QRgb a = back.pixel(x, y), b = want.pixel(x, y);
                error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                         std::abs(qBlue(a) - qBlue(b));
            }
        }
        EXPECT_LE(error / (want.width() * want.height() * 3), tolerance) << mime;
    }
    EXPECT_EQ(entries(),
              (QStringList{"out \"1\".jpg", "out \"1\".png", "out \"1\".tif", "temp image.bmp"}));
}

TEST_F(ConverterTest, BadInputFailsWithOneLineAndLeavesNoFile) {
    QFile notBmp(folder_ + QStringLiteral("/not.bmp"));
    ASSERT_TRUE(notBmp.open(QIODevice::WriteOnly));
    notBmp.write("this is not a bitmap");
    notBmp.close();
    // The temporary file is written beside the target, so this one is left if renaming fails.
    ASSERT_TRUE(QDir(folder_).mkdir("a folder.png"));
    const QString target = folder_ + QStringLiteral("/out.png");
    struct Case {
        const char* why;
        QStringList args;
    };
    const Case cases[] = {
        {"too few arguments", {source_, "image/png", target, "80"}},
        {"unknown type", {source_, "image/gif", target, "80", "comingfromMirelda"}},
        {"missing source", {folder_ + "/nope.bmp", "image/png", target, "80", "comingfromMirelda"}},
        {"not a bitmap", {notBmp.fileName(), "image/png", target, "80", "comingfromMirelda"}},
        {"bad quality", {source_, "image/jpeg", target, "eighty", "comingfromMirelda"}},
        {"missing folder",
         {source_, "image/png", folder_ + "/no/such/out.png", "80", "comingfromMirelda"}},
        {"target is a folder",
         {source_, "image/png", folder_ + "/a folder.png", "80", "comingfromMirelda"}},
    };
    const QStringList before = entries();
    for (const Case& c : cases) {
        const RunResult r = runConverter(c.args);
        EXPECT_NE(r.exitCode, 0) << c.why;
        const QString line = r.stderrText.trimmed();
        EXPECT_TRUE(!line.isEmpty() && !line.contains(u'\n')) << c.why << qPrintable(line);
        EXPECT_EQ(entries(), before) << c.why;
    }
}

}  // namespace
