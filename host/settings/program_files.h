#pragma once
// Platform seam: where the host lives, and whether a file can be read.
// Windows: program_files_win32.cpp, on GetModuleFileNameW, CreateFileA and GetFileAttributesA.
// Native tests: tests/native/support/host_doubles.cpp, a fixed folder and a set of readable files.

#include <string>

// The folder that holds the host program, without a trailing backslash.
std::string ProgramFolder();
// True when the file can be opened for reading; one trailing backslash ignored.
bool FileExists(const std::string& path);
// True when a file (not a folder) is at the path, whether or not it can be read.
bool FileIsThere(const std::string& path);
