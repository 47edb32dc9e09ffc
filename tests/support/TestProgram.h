#pragma once

#include "support/TestCatalogue.h"

#include <memory>

namespace testing {

class ScriptedPlatform;

// A test catalogue with BD/codec.cnb beside it (the lists of tests/data/codec/windows.cnb), made
// the program's folder for the test's lifetime, with a scripted platform installed.
class TestProgram : public TestCatalogue {
public:
    TestProgram();
    ~TestProgram() override;

    ScriptedPlatform& platform() { return *platform_; }
    // True once the last loaded window was unloaded.
    bool programEnded() const { return ended_; }

private:
    std::unique_ptr<ScriptedPlatform> platform_;
    bool ended_ = false;
};

// Starts the program the way main() does; returns Main's result.
bool startProgram();
// Unloads every window and ends the session.
void stopProgram();

}  // namespace testing
