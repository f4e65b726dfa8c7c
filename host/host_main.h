#pragma once
#include <string>

// The first and only code that runs at the host's start: refuses to run
// beside a show or an open settings dialog, then hands over by mode letter.
void HostMain(const std::string& arguments);

// Ends the process at once: no further handler runs and nothing is saved.
[[noreturn]] void EndProgram();
