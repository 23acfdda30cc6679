// Access to the process and the file system, one implementation file per
// platform (posix/env_posix.cpp, win32/env_win32.cpp).
#pragma once

#include <string>

namespace qxqy::env {

// Full path of the host's executable (the program that loaded the plug-in,
// not the plug-in's own file).
std::string HostExecutablePath();

// Folder of the host's executable with its trailing path separator.
std::string HostExecutableFolder();

// The file name of the host's executable without folder and extension
// ("Logger" for C:\Log\Logger.exe). Names the settings key.
std::string HostExecutableName();

// The platform's path separator ('\\' on Windows, '/' elsewhere).
char PathSeparator();

// True when `path` names a regular file (not a folder) whose modification
// time can be read.
bool FileExists(const std::string& path);

// Reads the whole file as bytes, opened for reading with write access denied
// to others. Throws FileOpenError when it cannot be opened that way.
std::string ReadFileDenyWrite(const std::string& path);

}  // namespace qxqy::env
