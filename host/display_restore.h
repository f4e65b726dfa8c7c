#pragma once
// Puts the display back to the mode the system keeps for it when the current
// mode differs (display_mode.h decides). Provided on Windows by
// display_restore_win32.cpp; the native tests need no double: the decision
// is tested on its own.
void RestoreStoredDisplayMode();
