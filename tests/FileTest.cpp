#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "common/FilePath.h"
#include "common/SafeFile.h"
#include "common/TextLines.h"

namespace {

std::vector<std::string> Pieces(std::string_view contents, std::size_t maxPiece) {
  std::vector<std::string> pieces;
  TextLines lines(contents, maxPiece);
  std::string_view piece;
  while (lines.Next(piece)) pieces.emplace_back(piece);
  return pieces;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(TextLines, CutsLikeTextModeLineReading) {
  struct Case {
    std::string contents;
    Strings pieces;
  };
  // Pieces of at most 4 bytes, the line feed counted.
  const Case cases[] = {
      {"", {}},
      {"ab\ncd", {"ab", "cd"}},
      {"ab\r\ncd\r\n", {"ab", "cd"}},
      {"a\rb\n", {"a\rb"}},                  // a lone CR stays
      {"ab\r\r\n", {"ab\r"}},
      {"\n\n", {"", ""}},
      {"abcdefg\n", {"abcd", "efg"}},          // 4 bytes, then the rest with its line feed
      {"abcd\n", {"abcd", ""}},                // the line feed no longer fits: an empty piece
      {"abc\n", {"abc"}},
      {"abc\r\n", {"abc"}},                    // CR LF counts as one byte
      {"abcd\r\n", {"abcd", ""}},
      {"abcdefgh", {"abcd", "efgh"}},
      {std::string("a\0b\nc", 5), {"a", "c"}},  // a NUL ends the piece's text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Pieces(c.contents, 4), c.pieces);
  }
}

TEST(ReadWholeFile, ReadsRegularFilesOnly) {
  TempFolder folder;
  std::string contents = "old";
  EXPECT_TRUE(ReadWholeFile(folder.Write("a.txt", "hello"), contents, 100));
  EXPECT_EQ(contents, "hello");
  EXPECT_FALSE(ReadWholeFile(folder.Path("missing.txt"), contents, 100));
  EXPECT_EQ(contents, "");
  EXPECT_FALSE(ReadWholeFile(folder.Path(""), contents, 100));  // a folder
  EXPECT_FALSE(ReadWholeFile(folder.Write("big.txt", "123456"), contents, 5));
  ASSERT_EQ(mkfifo(folder.NativePath("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(folder.Path("pipe"), contents, 100));  // does not block
}

TEST(ReplaceFileContents, ReplacesWholeAndKeepsPermissions) {
  TempFolder folder;
  const std::u16string path = folder.Write("deck.txt", "old contents");
  chmod(folder.NativePath("deck.txt").c_str(), 0640);
  ASSERT_TRUE(ReplaceFileContents(path, "new"));
  EXPECT_EQ(folder.Read("deck.txt"), "new");
  struct stat info {};
  stat(folder.NativePath("deck.txt").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  ASSERT_TRUE(ReplaceFileContents(folder.Path("fresh.txt"), "made"));
  EXPECT_EQ(folder.Read("fresh.txt"), "made");
}

TEST(ReplaceFileContents, FollowsASymbolicLink) {
  TempFolder folder;
  folder.Write("real.txt", "old");
  ASSERT_EQ(symlink(folder.NativePath("real.txt").c_str(), folder.NativePath("link.txt").c_str()), 0);
  ASSERT_TRUE(ReplaceFileContents(folder.Path("link.txt"), "new"));
  EXPECT_EQ(folder.Read("real.txt"), "new");
  struct stat info {};
  lstat(folder.NativePath("link.txt").c_str(), &info);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST(ReplaceFileContents, AFailedWriteLeavesTheOldFileIntact) {
  TempFolder folder;
  const std::u16string path = folder.Write("ro/deck.txt", "precious\r\n");
  chmod(folder.NativePath("ro").c_str(), 0555);
  HonourFilePermissions honour;
  EXPECT_FALSE(ReplaceFileContents(path, "lost"));
  EXPECT_EQ(folder.Read("ro/deck.txt"), "precious\r\n");
  EXPECT_FALSE(ReplaceFileContents(folder.Path("missing/deck.txt"), "x"));
  EXPECT_FALSE(ReplaceFileContents(folder.Path(""), "x"));  // a folder is not replaced
}

TEST(ReplaceFileContents, RefusesAReadOnlyFileInAWritableFolder) {
  TempFolder folder;
  const std::u16string path = folder.Write("deck.txt", "precious\r\n");
  chmod(folder.NativePath("deck.txt").c_str(), 0444);
  ASSERT_EQ(symlink(folder.NativePath("deck.txt").c_str(), folder.NativePath("link.txt").c_str()), 0);
  HonourFilePermissions honour;
  EXPECT_FALSE(ReplaceFileContents(path, "lost"));
  EXPECT_FALSE(ReplaceFileContents(folder.Path("link.txt"), "lost"));
  EXPECT_EQ(folder.Read("deck.txt"), "precious\r\n");
  struct stat info {};
  lstat(folder.NativePath("link.txt").c_str(), &info);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_TRUE(ReplaceFileContents(folder.Path("new.txt"), "made"));  // the folder itself is writable
}
