#pragma once

#include "support/engine/switching_fixture.h"
#include "support/install/recording_processes.h"

namespace varokin::install_tests {

// The engine's context, with outside programs that only record what they are asked to run.
class InstallTest : public engine_tests::EngineTest {
 protected:
  RecordingProcesses processes;
};

}  // namespace varokin::install_tests
