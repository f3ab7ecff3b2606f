#pragma once

#include "converter/converter.h"
#include "fakes/fakeplatform.h"

namespace qv::testsupport {

// The fake process runs the converter in this process, as the converter program would.
inline void runConverterInProcess(fakes::FakeProcess& process) {
    process.behaviour = [](const fakes::FakeProcess::Call& call) {
        const converter::Result r = converter::convert(call.arguments);
        return platform::ProcessResult{platform::ProcessResult::Status::Finished, r.exitCode,
                                       r.message};
    };
}

}  // namespace qv::testsupport
