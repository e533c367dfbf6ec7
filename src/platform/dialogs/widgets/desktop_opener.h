#pragma once
// The desktop opener of the running application: QDesktopServices (xdg-open).

#include <string>

// An address with a scheme opens as it is; anything else is a local path.
bool OpenOnDesktop(const std::string& target);

// Installs OpenOnDesktop as the process's shell opener (platform/dialogs/shell_open.h).
void InstallDesktopOpener();
