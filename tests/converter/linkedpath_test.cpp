// Links anywhere on the way to the converter's target, not only at its last part: another
// user's link in the middle of a chain or in place of a folder could send the write onto any of
// our files, so the whole path is refused; our own links and the system's still lead where they
// lead.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <vector>

#include "converter/runconverter.h"
#include "output/imagesaver.h"

namespace {

using namespace qv::convertertests;

// The converter runs as kUser, the tests' own root being able to hand files to anyone.
constexpr uid_t kUser = 65534, kOther = 65533;

QByteArray local(const QString& path) {
    return QFile::encodeName(path);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every entry under folder with its owner, links as where they lead and files as what they
// hold; and gives them all to owner when one is given.
QMap<QString, QByteArray> entries(const QString& folder, uid_t owner = uid_t(-1)) {
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (owner != uid_t(-1))
            ::lchown(local(entry.filePath()).constData(), owner, owner);
        QByteArray& what = found[QDir(folder).relativeFilePath(entry.filePath())];
        what = QByteArray::number(entry.ownerId()) + ' ';
        if (entry.isSymLink())
            what += "-> " + local(entry.symLinkTarget());
        else if (!entry.isDir())
            what += readAll(entry.filePath());
    }
    return found;
}

enum Owner : uid_t { Ours = kUser, Theirs = kOther, Roots = 0 };

struct Link {
    const char* at;
    const char* to;  // @ stands for the case's folder
    Owner owner;
};

TEST(LinkedPathTest, EveryLinkOnTheWayToTheTargetIsOursOrRootsOrTheWriteIsRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "links of several users need root";
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(local(dir.path()).constData(), 0755), 0);
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString capture = dir.filePath(QStringLiteral("capture.bmp"));
    QFile file(capture);
    QString why;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                qv::output::writeConverterBitmap(picture, file, why));
    file.close();
    const QString plain = dir.filePath(QStringLiteral("plain.bmp"));
    ASSERT_TRUE(picture.save(plain, "BMP"));

    // Each case and road has a folder of its own holding out/ and elsewhere/ (ours), theirfolder/
    // (another user's, open to all) and victim.png and elsewhere/x.png with something in them.
    const struct {
        const char* why;
        std::vector<Link> links;
        const char* target;
        const char* written;  // where the picture lands; nullptr: refused, nothing changes
    } cases[] = {
        {"a chain through their link",
         {{"out/chain.png", "hop", Ours}, {"out/hop", "../victim.png", Theirs}},
         "out/chain.png",
         nullptr},
        {"their link as a folder",
         {{"out/theirdir", "../elsewhere", Theirs}},
         "out/theirdir/x.png",
         nullptr},
        {"their link behind our folder link",
         {{"out/mine", "hop", Ours}, {"out/hop", "../elsewhere", Theirs}},
         "out/mine/x.png",
         nullptr},
        {"our link to their folder",
         {{"out/theirs", "../theirfolder", Ours}},
         "out/theirs/x.png",
         nullptr},
        {"our chain",
         {{"out/chain.png", "hop", Ours}, {"out/hop", "../victim.png", Ours}},
         "out/chain.png",
         "victim.png"},
        {"our folder link",
         {{"out/mydir", "../elsewhere", Ours}},
         "out/mydir/x.png",
         "elsewhere/x.png"},
        {"our chain of folder links, one absolute",
         {{"out/a", "b/", Ours}, {"out/b", "@/elsewhere", Ours}},
         "out/a/x.png",
         "elsewhere/x.png"},
        {"up from where our folder link leads",
         {{"out/mydir", "../elsewhere", Ours}},
         "out/mydir/../victim.png",
         "victim.png"},
        {"root's link at the last part",
         {{"out/last.png", "../victim.png", Roots}},
         "out/last.png",
         "victim.png"},
        {"root's folder link",
         {{"out/sys", "../elsewhere", Roots}},
         "out/sys/x.png",
         "elsewhere/x.png"},
        {"our link that leads nowhere is replaced",
         {{"out/gone.png", "../missing.png", Ours}},
         "out/gone.png",
         "out/gone.png"},
    };
    int number = 0;
    for (const auto& c : cases) {
        for (const QString& source : {capture, plain}) {
            SCOPED_TRACE(testing::Message() << c.why << ", " << qPrintable(source));
            const QString root = dir.filePath(QString::number(++number));
            for (const char* folder : {"out", "elsewhere", "theirfolder"})
                ASSERT_TRUE(QDir().mkpath(root + '/' + folder));
            for (const char* name : {"victim.png", "elsewhere/x.png"}) {
                QFile before(root + '/' + name);
                ASSERT_TRUE(before.open(QIODevice::WriteOnly) && before.write("before") == 6);
            }
            entries(root, kUser);
            ASSERT_EQ(::lchown(local(root).constData(), kUser, kUser), 0);
            ASSERT_EQ(::lchown(local(root + "/theirfolder").constData(), kOther, kOther), 0);
            ASSERT_EQ(::chmod(local(root + "/theirfolder").constData(), 0777), 0);
            for (const Link& link : c.links) {
                const QString to = QString::fromUtf8(link.to).replace(u'@', root);
                const QByteArray at = local(root + '/' + link.at);
                ASSERT_EQ(::symlink(local(to).constData(), at.constData()), 0) << link.at;
                ASSERT_EQ(::lchown(at.constData(), link.owner, link.owner), 0);
            }
            const auto before = entries(root);
            const RunResult r = runConverter(
                {source, "image/png", root + '/' + c.target, "80", "comingfromMirelda"}, kUser);
            if (!c.written) {
                EXPECT_EQ(r.exitCode, 5) << qPrintable(r.stderrText);
                EXPECT_TRUE(r.stderrText.contains(QLatin1String("another user")) &&
                            r.stderrText.count(u'\n') == 1)
                    << qPrintable(r.stderrText);
                EXPECT_TRUE(entries(root) == before);
                continue;
            }
            EXPECT_EQ(r.exitCode, 0) << qPrintable(r.stderrText);
            EXPECT_EQ(QImage(root + '/' + c.written).size(), picture.size());
            for (const Link& link : c.links) {  // the one that led nowhere alone is replaced
                EXPECT_EQ(QFileInfo(root + '/' + link.at).isSymLink(),
                          QLatin1String(link.at) != QLatin1String(c.written))
                    << link.at;
            }
        }
    }
}

}  // namespace
