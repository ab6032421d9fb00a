// Where the program writes. Like the Windows version it keeps its settings
// and data beside the program file; installed in a folder the user may not
// write (/opt/orvilo of the package), it keeps them in the user's own
// folders instead, as the XDG base-directory rules name them:
//
//   settings   $XDG_CONFIG_HOME/orvilo   (default ~/.config/orvilo)
//   data       $XDG_DATA_HOME/orvilo     (default ~/.local/share/orvilo)
#pragma once

#include <string>

namespace orvilo::sys {

// Whether this process may create and replace files in `folder` (an
// existing folder only).
bool IsWritableFolder(const std::string& folder);

// The folders of the XDG rules for this program, no trailing "/": the
// variable when it holds an absolute path (relative ones are to be ignored),
// else under $HOME, else under the home folder of the user's account.
std::string UserConfigFolder();
std::string UserDataFolder();

struct WriteFolders {
  std::string settings;  // holds the settings file
  std::string data;      // holds the default data folders and scratch files
};

// Both the program folder when `programFolderWritable`, else the user's.
WriteFolders ChooseWriteFolders(const std::string& programFolder, bool programFolderWritable);
// The same for this process: asks whether the program folder is writable
// (one that does not exist counts as writable: the caller creates it).
WriteFolders WriteFoldersOf(const std::string& programFolder);

}  // namespace orvilo::sys
