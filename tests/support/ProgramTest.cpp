#include "support/ProgramTest.h"

#include <QTest>

namespace testing {

TestProgram& ProgramTest::start(const QList<Film>& films, bool run)
{
    program.reset();
    program = std::make_unique<TestProgram>();
    for (const Film& film : films)
        program->insert(film);
    if (run)
        QTest::qVerify(startProgram(), "startProgram()", "the program did not start", __FILE__, __LINE__);
    return *program;
}

}  // namespace testing
