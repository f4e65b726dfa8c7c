#pragma once
// Stands in for the host's platform side in the native tests: an in-memory
// settings file, a set of readable files, a fixed program folder and the
// code page's lead bytes (settings/profile_file.h, program_files.h, lead_byte.h).

#include <map>
#include <tuple>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct FakeHostPlatform {
    std::string programFolder = "C:\\Saver";
    // (file, section, key) → value
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::set<std::string> readableFiles;
    // Files that are there but cannot be read (held open by another program).
    std::set<std::string> unreadableFiles;
    // Every PutIni call in order: key and value.
    std::vector<std::pair<std::string, std::string>> writes;
    // PutIni refuses these keys and leaves their stored values alone.
    std::set<std::string> refusedKeys;
    // Bytes that start a two-byte character; none, as in a one-byte code page.
    std::set<unsigned char> leadBytes;
};

FakeHostPlatform& fakeHost();
void resetFakeHost();
// A fresh fake and the four settings globals as at start-up.
void resetFakeHostAndSettings();
