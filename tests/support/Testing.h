#pragma once

// What the tests of the windows share: the program's state and windows, the test program folder,
// Qt's widgets and test library.
#include "app/Connection.h"
#include "editor/Frm_New.h"
#include "editor/Frm_Visu.h"
#include "quickadd/Frm_ajoutquick.h"
#include "reflists/frm_option.h"
#include "support/Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/main/LoanBox.h"
#include "ui/main/Frm_Accueil.h"

#include <QtTest>
#include <QtWidgets>
