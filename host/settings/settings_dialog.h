#pragma once
// The settings dialog Velmorani_P, shown modally; returns when it closes.
void ShowSettingsDialog();
