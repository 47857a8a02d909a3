#pragma once

// A file chosen by its path, as the save dialogs and korvel-cli take it: the
// program enters the chosen folder and opens the bare name there, so that the
// completion message names the file as the user knows it and the next save
// dialog starts in that folder.

#include <string>

namespace korvel {

struct EnteredFolder {
  std::string name;  // what to open now: the bare name, or the path as given
  int error = 0;     // the system's error code when the folder could not be entered
};

// Makes the folder of `path` the process's current directory and gives the
// file's bare name. A path without a folder comes back as it is, and so does
// one whose folder the system cannot make current (on Windows a folder longer
// than 258 characters: the file is opened by its whole path). When the folder
// cannot be entered, the path comes back with the error: the open will then not
// land in whatever folder happens to be current.
EnteredFolder enterFolderOf(const std::string& path);

}  // namespace korvel
