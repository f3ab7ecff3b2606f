#pragma once

#include <gtest/gtest.h>

#include "app/program.h"
#include "fakes/fakeplatform.h"

namespace qv::fakes {

// Base of tests that run parts of the program: a platform of fakes and a fresh program on
// it, gone after each test.
class ProgramTest : public ::testing::Test {
protected:
    FakePlatform fake;
    Program prog;
};

}  // namespace qv::fakes
