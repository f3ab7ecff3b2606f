#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "output/numberedname.h"

namespace qv::output {
namespace {

class NumberedNameTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    void touch(const QString& name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir_;
    const QString folder_ = dir_.path();
};

TEST_F(NumberedNameTest, SkipsEveryTakenEntry) {
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
