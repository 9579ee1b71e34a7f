#pragma once
// Writes that never leave a half-written file: the new contents go to a
// temporary file in the same folder, which is flushed and then renamed over
// the target. The target keeps its permissions; a symbolic link is followed,
// so the file it names is replaced and the link stays. An existing file that
// the user may not write is never replaced, even though its folder allows it.

#include <string>
#include <string_view>

// False when any step fails; the previous file is then untouched.
bool ReplaceFileContents(std::u16string_view path, std::string_view contents);
