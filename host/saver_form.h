#pragma once
// The hidden saver form Velmorani_S: starts the renderer and the music,
// keeps the music going and ends the host when the renderer's window is gone.

// Creates the form, never shown; its load starts the show. mode is the
// command line's mode letter ('S', or '\0' for an empty command line).
void LoadSaverForm(char mode);
