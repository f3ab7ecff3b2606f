#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <optional>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "support/environment.h"

namespace qv::testsupport {

// The program over the fake platform services on an offscreen application of the test's own,
// scaled by the test's parameter (QT_SCALE_FACTOR), as on a display of 96 times that DPI. The
// program goes first, then the fakes, then the application.
class ScaledProgramTest : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override {
        environment_.set("QT_SCALE_FACTOR", QString::number(GetParam()));
        app_ = std::make_unique<QApplication>(argc_, argv_);
        fake.emplace();
        prog = std::make_unique<Program>();
    }
    void TearDown() override {
        prog.reset();
        fake.reset();
        app_.reset();
    }
    qreal ratio() const { return GetParam(); }

    std::optional<fakes::FakePlatform> fake;
    std::unique_ptr<Program> prog;

private:
    Environment environment_;
    int argc_ = 1;
    char name_[8] = "scaled";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// The name of a scale as a test parameter: "1", "1_5", "2".
inline std::string scaleName(const ::testing::TestParamInfo<double>& info) {
    std::string name = QString::number(info.param).toStdString();
    for (char& c : name)
        if (c == '.')
            c = '_';
    return name;
}

}  // namespace qv::testsupport
