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

}  // namespace
}  // namespace qv::options
