// Where the game definitions and the settings lie: beside a portable program,
// or in the user's folders of an installed one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "TestFiles.h"
#include "common/Text.h"
#include "gamedef/ProgramFolders.h"

TEST(ProgramFolders, PortableWhenTheExecutableHasAPluginFolderBesideIt) {
  TempFolder folder;
  folder.Write("portable/bin/Plugin/game.ini", "[System]\n");
  std::filesystem::create_directories(folder.NativePath("installed/bin"));
  struct Case {
    const char* executable;
    TProgramFolders expected;
  };
  const Case cases[] = {
      {"portable/bin/", {folder.Path("portable/bin/Plugin/"), folder.Path("portable/bin/Velqorandis.ini"), u""}},
      {"installed/bin/",
       {u"/home/u/.local/share/velqorandis/Plugin/", u"/home/u/.config/velqorandis/Velqorandis.ini",
        folder.Path("installed/bin/../share/velqorandis/Plugin/")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.executable);
    const TProgramFolders found = FindProgramFolders(folder.Path(c.executable), u"/home/u/.local/share", u"/home/u/.config");
    EXPECT_EQ(found.plugin, c.expected.plugin);
    EXPECT_EQ(found.settings, c.expected.settings);
    EXPECT_EQ(found.bundled, c.expected.bundled);
  }
}

TEST(ProgramFolders, UserFoldersFollowTheXdgRules) {
  struct Case {
    const char* data;    // nullptr: unset
    const char* config;
    std::u16string dataHome;
    std::u16string configHome;
  };
  const Case cases[] = {
      {nullptr, nullptr, u"/home/u/.local/share", u"/home/u/.config"},
      {"/data", "/config", u"/data", u"/config"},
      {"relative", "", u"/home/u/.local/share", u"/home/u/.config"},  // only absolute paths count
  };
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("HOME", "/home/u", 1);
  for (const Case& c : cases) {
    c.data != nullptr ? setenv("XDG_DATA_HOME", c.data, 1) : unsetenv("XDG_DATA_HOME");
    c.config != nullptr ? setenv("XDG_CONFIG_HOME", c.config, 1) : unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgDataHome(), c.dataHome);
    EXPECT_EQ(XdgConfigHome(), c.configHome);
  }
  unsetenv("XDG_DATA_HOME");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", home.c_str(), 1);
}

TEST(ProgramFolders, TheFirstStartCopiesTheBundledGamesWithoutReplacingTheUsers) {
  TempFolder folder;
  folder.Write("share/Plugin/sample.ini", "bundled sample");
  folder.Write("share/Plugin/cards.txt", "bundled cards");
  std::filesystem::create_directories(folder.NativePath("share/Plugin/subfolder"));
  folder.Write("data/velqorandis/Plugin/sample.ini", "the user's own, changed");
  const TProgramFolders folders{folder.Path("data/velqorandis/Plugin/"), folder.Path("config/velqorandis/Velqorandis.ini"),
                                folder.Path("share/Plugin/")};
  ASSERT_TRUE(PrepareUserFolders(folders));
  EXPECT_EQ(folder.Read("data/velqorandis/Plugin/sample.ini"), "the user's own, changed");
  EXPECT_EQ(folder.Read("data/velqorandis/Plugin/cards.txt"), "bundled cards");
  EXPECT_FALSE(std::filesystem::exists(folder.NativePath("data/velqorandis/Plugin/subfolder")));
  EXPECT_TRUE(std::filesystem::is_directory(folder.NativePath("config/velqorandis")));
  ASSERT_TRUE(PrepareUserFolders(folders));  // a second start changes nothing
  EXPECT_EQ(folder.Read("data/velqorandis/Plugin/cards.txt"), "bundled cards");

  // Portable: nothing is made.
  EXPECT_TRUE(PrepareUserFolders(PortableFolders(folder.Path("portable/"))));
  EXPECT_FALSE(std::filesystem::exists(folder.NativePath("portable")));
  // A folder that cannot be made.
  folder.Write("file", "");
  EXPECT_FALSE(PrepareUserFolders({folder.Path("file/Plugin/"), folder.Path("config/x.ini"), folder.Path("share/Plugin/")}));
}
