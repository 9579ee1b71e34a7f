#pragma once
// File names and whole-file reading. Paths are UTF-16 texts in the model; the
// game definition files may spell folders with "\" as well as "/".

#include <cstddef>
#include <string>
#include <string_view>

// The folder of a path: its text up to and including the last "\", "/" or ":".
// Paths are joined by plain concatenation of such a folder and a name.
std::u16string FolderOf(std::u16string_view path);

// The part of a path after its folder.
std::u16string FileNameOf(std::u16string_view path);

// The path as the file system takes it: UTF-8, with "\" read as "/".
std::string NativePath(std::u16string_view path);

// The path with "\" read as "/" and, where a part of it does not exist, the
// first entry of that folder (in name order) whose name matches it ignoring
// letter case, as the file system that game definitions were written for
// would find it. Parts that match nothing stay as written.
std::u16string ResolveIgnoringCase(std::u16string_view path);

// The folder of the running program, ending with "/".
std::u16string ExecutableFolder();

// Reads a regular file whole. False when it cannot be opened, is not a regular
// file (a folder, or a pipe that would block) or is larger than maxBytes.
bool ReadWholeFile(std::u16string_view path, std::string& contents, std::size_t maxBytes);
