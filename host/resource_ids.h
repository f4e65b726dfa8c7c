#pragma once
// Resource ids of the host program, shared by its code and its .rc file.

#define IDS_SCREENSAVER_NAME 1   // the name shown in the system's screensaver list
#define IDI_HOST 100
#define IDB_PREVIEW 201
