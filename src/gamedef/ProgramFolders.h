#pragma once
// Where the program keeps its game definitions and its settings file.
//
// Portable: when the executable's folder holds a Plugin folder (the build
// tree, an unpacked archive), both lie beside the executable. Installed
// otherwise: the game definitions lie in the user's data folder
// ($XDG_DATA_HOME/velqorandis/Plugin), filled at the first start with the
// game definitions that come with the program (<prefix>/share/velqorandis/
// Plugin), and the settings in the user's configuration folder
// ($XDG_CONFIG_HOME/velqorandis/Velqorandis.ini). Nothing is ever written
// under the installation's prefix.

#include <string>
#include <string_view>

struct TProgramFolders {
  std::u16string plugin;    // the game definitions and image archives, ending with "/"
  std::u16string settings;  // the settings file
  std::u16string bundled;   // installed: the game definitions that come with the program, ending with "/"; empty when portable
};

// Everything beside the executable (or in any folder that holds a Plugin folder).
TProgramFolders PortableFolders(std::u16string_view folder);

// The folders in use for the program in executableFolder (ending with "/"),
// given the user's data and configuration folders.
TProgramFolders FindProgramFolders(std::u16string_view executableFolder, std::u16string_view dataHome,
                                   std::u16string_view configHome);

// The user's data and configuration folders by the XDG base directory rules
// ($XDG_DATA_HOME, $XDG_CONFIG_HOME when absolute, else ~/.local/share and
// ~/.config), for the command-line tool; the window asks its toolkit, which
// follows the same rules.
std::u16string XdgDataHome();
std::u16string XdgConfigHome();

// Installed: makes the user's folders and copies into the game definition
// folder every bundled file that it does not hold yet; a file the user has is
// never replaced. Nothing to do when portable. False when a folder cannot be
// made; a file that cannot be copied is left out.
bool PrepareUserFolders(const TProgramFolders& folders);
