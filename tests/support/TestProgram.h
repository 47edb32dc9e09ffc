#pragma once

#include "support/TestCatalogue.h"

#include <QObject>
#include <memory>

namespace testing {

class ScriptedPlatform;

// A test catalogue with the default BD/codec.cnb beside it, made the program's folder for the
// test's lifetime, with a scripted platform installed.
class TestProgram : public TestCatalogue {
public:
    explicit TestProgram(bool withCatalogue = true);
    ~TestProgram() override;

    ScriptedPlatform& platform() { return *platform_; }
    // Every message shown, as "flags|title|prompt".
    QStringList messages() const;

    // True once the last loaded window was unloaded.
    bool programEnded() const { return ended_; }

private:
    std::unique_ptr<ScriptedPlatform> platform_;
    bool ended_ = false;
};

// Starts the program the way main() does; returns Main's result.
bool startProgram();
// Unloads every window and forgets the shared state.
void stopProgram();

// The base of a test class whose cases each run the program on a catalogue of their own.
class ProgramTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<TestProgram> program;
    // A fresh program folder holding films of these titles, keyed from 1; the program is started on
    // it unless told not to.
    TestProgram& start(const QStringList& titles = {}, bool run = true);
    // Every message shown, as "flags|title|prompt".
    QStringList messages() const { return program->messages(); }

private slots:
    void cleanup() { program.reset(); }
};

}  // namespace testing
