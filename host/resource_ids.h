#pragma once
// Resource ids of the host program, shared by its code and its .rc file.

#define IDS_SCREENSAVER_NAME 1   // the name shown in the system's screensaver list
#define IDI_HOST 100
#define IDB_PREVIEW 201

// The Command button's six state images, in the order of enum Face.
#define IDB_BUTTON_NORMAL 210
#define IDB_BUTTON_HIGHLIGHT 211
#define IDB_BUTTON_PRESSED 212
#define IDB_BUTTON_DISABLE 213
#define IDB_BUTTON_SELECTED 214
#define IDB_BUTTON_HIGHLIGHTSELECT 215

// The settings dialog's artwork.
#define IDB_STRIP 220
#define IDB_BOX_EMPTY 221
#define IDB_BOX_MARKED 222
#define IDC_POINTING_HAND 230
