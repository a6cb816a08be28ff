#pragma once
// Facts about the running program file: where it stands and the version it was built with.
#include <QString>

#include <optional>

namespace lumoria::platform {

// The four numbers of a file version, most significant first.
struct FileVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned release = 0;
    unsigned build = 0;
};

// The version the build gave the program, or nothing when the build gave none.
std::optional<FileVersion> programFileVersion();

// The full path of the running program file, letter case as on disk.
QString programFilePath();

// The folder of the running program file, ending in "/".
QString programFolder();

} // namespace lumoria::platform
