#pragma once
// Platform seam: one key of a profile (INI) file.
// Windows: profile_file_win32.cpp, on GetPrivateProfileStringA / WritePrivateProfileStringA.
// Native tests: tests/native/support/host_doubles.cpp, an in-memory file that can refuse writes.

#include <string>

// The value of one key; empty when the file, the section or the key is missing.
std::string GetIni(const std::string& section, const std::string& key, const std::string& file);
// Writes one key, creating the file and section as needed. False when the
// platform could not write it (read-only file, a folder in its place, no rights).
bool PutIni(const std::string& section, const std::string& key, const std::string& value, const std::string& file);
