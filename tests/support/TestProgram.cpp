#include "support/TestProgram.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "support/ScriptedPlatform.h"
#include "ui/Form.h"
#include "ui/main/Main.h"

#include <QCoreApplication>
#include <QFile>
#include <optional>

namespace testing {

namespace {

// The session of the program the test started, as main() holds it.
std::optional<Connection>& session()
{
    static std::optional<Connection> held;
    return held;
}

}  // namespace

TestProgram::TestProgram() : platform_(std::make_unique<ScriptedPlatform>())
{
    QFile::copy(QStringLiteral(CINABREL_DEFAULT_LISTS), path(QStringLiteral("BD/codec.cnb")));
    QFile::setPermissions(path(QStringLiteral("BD/codec.cnb")), QFile::ReadOwner | QFile::WriteOwner);
    files::setProgramFolder(folder());
    ui::forms::setOnLastUnload([this] { ended_ = true; });
}

TestProgram::~TestProgram()
{
    stopProgram();
    closeDb();
    ui::forms::setOnLastUnload([] { QCoreApplication::quit(); });
    files::setProgramFolder(QString());
}

bool startProgram()
{
    session().emplace();
    return Main(*session());
}

void stopProgram()
{
    // Unloading a window may show the main window again, which loads it anew.
    while (ui::forms::loadedCount() > 0)
        ui::forms::unloadAll();
    session().reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace testing
