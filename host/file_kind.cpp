#include "file_kind.h"

#include <cctype>

std::string FileKind(const std::string& path)
{
    std::string kind = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    for (char& c : kind) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return kind;
}
