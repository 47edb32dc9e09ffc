#pragma once

#include "support/TestProgram.h"

#include <QList>
#include <QObject>
#include <memory>

namespace testing {

// The base of a test class whose cases each run the program on a catalogue of their own.
class ProgramTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<TestProgram> program;
    // A fresh program folder holding these films; the program is started on it unless told not to.
    TestProgram& start(const QList<Film>& films = {}, bool run = true);

private slots:
    void cleanup() { program.reset(); }
};

}  // namespace testing
