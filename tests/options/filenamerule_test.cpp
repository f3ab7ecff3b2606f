#include <gtest/gtest.h>

#include "options/filenamerule.h"

namespace qv::options {
namespace {

TEST(FileNameRule, ForbiddenCharactersBeforeEmptiness) {
    EXPECT_EQ(checkFileName(""), FileNameProblem::Empty);
    EXPECT_EQ(checkFileName("   "), FileNameProblem::None);
    for (const char* name : {"a:b", ":", "a/b", "a\\b", "*", "x|y", "<>", "why?"})
        EXPECT_EQ(checkFileName(name), FileNameProblem::ForbiddenCharacter) << name;
}

// Names are bytes to the file system: a name passes while its longest file, with the highest
// number and any format's extension, fits in 255 bytes of UTF-8.
TEST(FileNameRule, ANameMustFitInAFileNameWithItsNumberAndExtension) {
    const QString numbered =
        "Filename too long :   at most 248 bytes (255 with number and extension)  ";
    const QString single = "Filename too long :   at most 251 bytes (255 with extension)  ";
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");  // 4 bytes, 2 UTF-16 units
    const struct {
        QString name;
        NameEnding ending;
        QString refusal;
    } cases[] = {
        {QString(248, u'a'), NameEnding::NumberAndExtension, {}},
        {QString(249, u'a'), NameEnding::NumberAndExtension, numbered},
        {QString(124, u'\u00e9'), NameEnding::NumberAndExtension, {}},  // 248 bytes
        {QString(124, u'\u00e9') + "a", NameEnding::NumberAndExtension, numbered},
        {emoji.repeated(62), NameEnding::NumberAndExtension, {}},
        {emoji.repeated(62) + "a", NameEnding::NumberAndExtension, numbered},
        {QString(251, u'a'), NameEnding::Extension, {}},
        {QString(252, u'a'), NameEnding::Extension, single},
        {QString(83, u'\u20ac') + "ab", NameEnding::Extension, {}},  // 251 bytes
        {QString(83, u'\u20ac') + "abc", NameEnding::Extension, single},
        {QString(300, u'a') + ":", NameEnding::Extension, forbiddenCharactersMessage()},
        {"", NameEnding::NumberAndExtension, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileNameRefusal(c.name, c.ending), c.refusal)
            << c.name.size() << " characters, " << c.name.toUtf8().size() << " bytes";
    }
}

}  // namespace
}  // namespace qv::options
