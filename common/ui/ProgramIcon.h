#pragma once
// The programs' icon: the installed theme icon "trevolin" where the desktop has it, else the
// same pictures built into the program, so that an uninstalled build shows its own icon in the
// window frames instead of the toolkit's.
#include <QIcon>

QIcon ProgramIcon();
