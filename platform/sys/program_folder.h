// Where the program and its modules live. The program folder holds the
// settings file and the default data folders, as the Windows version keeps them
// beside the program file.
#pragma once

#include <string>

namespace orvilo::sys {

// Folder of the running executable (from /proc/self/exe), no trailing "/".
std::string ProgramFolder();

// Folder of the shared object (or executable) that contains `address`, no
// trailing "/"; empty when the address belongs to no loaded file.
std::string ModuleFolder(const void* address);

// The folder part of a path: before its last "/" ("/" for a file in the
// root, "." for a bare name).
std::string ParentFolder(const std::string& path);

// Joins a folder and a name with "/" (the "%s\%s" of the Windows version).
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace orvilo::sys
