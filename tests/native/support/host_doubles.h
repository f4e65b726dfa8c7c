#pragma once
// Stands in for the host's platform side in the native tests: an in-memory
// settings file, a set of readable files and a fixed program folder.

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
    // Every PutIni call in order: key and value.
    std::vector<std::pair<std::string, std::string>> writes;
};

FakeHostPlatform& fakeHost();
void resetFakeHost();
