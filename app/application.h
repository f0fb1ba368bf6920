// application.h: what the program sets on its application object before the window opens: its
// names, version, icon and fonts.
#pragma once

#include <QIcon>

class QApplication;

namespace vennaloop {

/// The program icon, at every size it comes in.
QIcon ProgramIcon();

/// Names the program "Vennaloop" with the project's version, lets a desktop find its entry and
/// icon, gives it the icon and maps its faces to installed ones.
void ConfigureApplication(QApplication& app);

}  // namespace vennaloop
