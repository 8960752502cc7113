#pragma once
// Folder preparation for the exports that take a path. File mode splits the
// path into folder and file, creates the folder (one level) and makes it the
// process's current folder; folder mode makes the given folder current. Later
// file names of the transaction are relative to that folder. Both '/' and
// '\' separate folders; a path starting with '/' is absolute.
namespace dlr {

enum class FolderMode { File, Folder };

// Fills the saved folder, file part and folder part of the library state.
bool prepare_folder(const char* path, FolderMode mode);

// Makes the folder saved by the last preparation current again.
void restore_saved_folder();

}  // namespace dlr
