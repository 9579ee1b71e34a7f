#pragma once
// What the application object must carry before any window opens.

#include <string>
#include <vector>

#include "common/UiLanguage.h"

// The application's name and version.
void NameApplication();

// Once the application object exists: the application's name, version,
// desktop file name and icon, and the windows in Japanese. No display name is
// set: the toolkit would append it to every window title on X11, and the
// titles are exactly the program's own.
void ConfigureApplication();

// The windows' texts, the program's and the toolkit's own (standard buttons,
// file and font dialogs), in the language given from now on.
void SpeakLanguage(TUiLanguage spoken);

// The user's preferred languages for the windows, the most preferred first.
std::vector<std::u16string> PreferredLanguages();
