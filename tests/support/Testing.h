#pragma once

// What the tests of the windows share: the program's state and main window, the test program
// folder and its drivers, Qt's widgets and test library.
#include "app/Connection.h"
#include "support/Files.h"
#include "support/MainWindow.h"
#include "support/ProgramTest.h"
#include "support/ScriptedPlatform.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/main/Chargeliste.h"
#include "ui/main/Frm_Accueil.h"

#include <QtTest>
#include <QtWidgets>
