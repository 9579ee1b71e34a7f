#include <gtest/gtest.h>

#include "TestFiles.h"
#include "gamedef/PluginList.h"

TEST(PluginList, ListsIniFilesWithANameInFileNameOrder) {
  TempFolder folder;
  folder.Write("Plugin/b.ini", "[System]\nName=Beta\n");
  folder.Write("Plugin/a.ini", "[System]\nName=Alpha\n");
  folder.Write("Plugin/c.INI", "[System]\nName=Capitals\n");    // the extension must be ".ini" exactly
  folder.Write("Plugin/d.ini.txt", "[System]\nName=Text\n");
  folder.Write("Plugin/e.ini", "[System]\nVersion=1\n");          // no name: no game definition
  folder.Write("Plugin/f.ini", "[System]\nName=Alpha\n");         // a second game of the same name
  folder.Write("Plugin/sub/g.ini", "[System]\nName=Nested\n");    // subfolders are not looked at
  TPluginList list;
  ASSERT_TRUE(list.Scan(folder.Path("Plugin/")));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(0).Name, u"Alpha");
  EXPECT_EQ(list.Item(0).FileName, folder.Path("Plugin/a.ini"));
  EXPECT_EQ(list.Item(1).Name, u"Beta");
  EXPECT_EQ(list.Item(2).FileName, folder.Path("Plugin/f.ini"));
  EXPECT_EQ(list.FindByName(u"Alpha")->FileName, folder.Path("Plugin/a.ini"));  // the first of two
  EXPECT_EQ(list.FindByName(u"alpha"), nullptr);
  EXPECT_EQ(list.FindByName(u"Nested"), nullptr);
}

TEST(PluginList, AMissingFolderIsAnError) {
  TempFolder folder;
  TPluginList list;
  folder.Write("Plugin/a.ini", "[System]\nName=Alpha\n");
  ASSERT_TRUE(list.Scan(folder.Path("Plugin")));  // without the final separator too
  EXPECT_EQ(list.Count(), 1);
  EXPECT_FALSE(list.Scan(folder.Path("Missing/")));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Scan(folder.Path("")));  // a folder without game definitions
  EXPECT_EQ(list.Count(), 0);
}
