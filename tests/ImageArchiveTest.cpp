// Card pictures: entries found and copied out of zip archives, and JPEG decoding.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ImageFixtures.h"
#include "TestFiles.h"
#include "cards/ImageArchive.h"
#include "cards/JpegPicture.h"
#include "common/CodePage.h"
#include "common/Text.h"

namespace {

using Archives = std::vector<std::u16string>;

// The copied content, or none when the lookup answered false.
std::optional<std::string> Extract(const TempFolder& folder, const Archives& archives, std::u16string_view name) {
  if (!ExtractImageEntry(archives, name, folder.Path("copy"))) return std::nullopt;
  return folder.Read("copy");
}

// The zip with the bytes of its only stored entry changed, which its checksum then contradicts.
void DamageStoredEntry(const TempFolder& folder, const std::string& zipName, const std::string& content) {
  std::string bytes = folder.Read(zipName);
  const std::size_t at = bytes.find(content);
  ASSERT_NE(at, std::string::npos);
  bytes[at] ^= 1;
  folder.Write(zipName, bytes);
}

void ExpectNear(const TJpegPicture& picture, std::size_t pixel, TRgb colour) {
  SCOPED_TRACE(pixel);
  EXPECT_NEAR(picture.rgb[pixel * 3], colour.r, 4);
  EXPECT_NEAR(picture.rgb[pixel * 3 + 1], colour.g, 4);
  EXPECT_NEAR(picture.rgb[pixel * 3 + 2], colour.b, 4);
}

}  // namespace

TEST(ImageArchive, NamesMatchWholeWithLettersIgnoringCase) {
  TempFolder folder;
  // Names in code page 932, and names in UTF-8 flagged as such (as Linux archivers write them).
  WriteZip(folder.NativePath("a.zip"), {{"foo.jpg", "foo"},
                                        {"pics/bar.jpg", "bar", true},
                                        {ToCp932(u"カード.jpg"), "card"},
                                        {ToUtf8(u"絵/魔法.jpg"), "magic", false, true},
                                        {ToUtf8(u"Éclair.jpg"), "eclair", false, true},
                                        {ToUtf8(u"龍.jpg"), "unflagged"},  // UTF-8 bytes without the flag
                                        {ToUtf8(u"剣.jpg"), "sword in UTF-8"},
                                        {ToCp932(u"剣.jpg"), "sword in code page 932"},
                                        {std::string(255, 'n'), "255"},
                                        {std::string(300, 'm'), "300"}});
  struct Case {
    std::u16string name;
    std::optional<std::string> content;
  };
  const Case cases[] = {
      {u"foo.jpg", "foo"},
      {u"Foo.JPG", "foo"},
      {u"pics/bar.jpg", "bar"},          // stored without compression
      {u"PICS/Bar.jpg", "bar"},
      {u"bar.jpg", std::nullopt},        // the folder part counts
      {u"pics\\bar.jpg", std::nullopt},
      {u"foo.jpg ", std::nullopt},
      {std::u16string(u"foo.jpg\0x", 9), std::nullopt},
      {u"カード.jpg", "card"},
      {u"カード.JPG", "card"},
      {u"ＦＯＯ.jpg", std::nullopt},  // only a to z are folded
      {u"絵/魔法.jpg", "magic"},
      {u"絵/魔法.JPG", "magic"},
      {u"Éclair.JPG", "eclair"},
      {u"éclair.jpg", std::nullopt},  // only a to z are folded, in UTF-8 too
      {u"龍.jpg", "unflagged"},       // as Info-ZIP's zip writes it on Linux
      {u"剣.jpg", "sword in code page 932"},  // an entry without the flag is code page 932 first
      {std::u16string(255, u'N'), "255"},
      {std::u16string(255, u'm'), std::nullopt},  // a prefix of a longer name
      {std::u16string(300, u'm'), std::nullopt},  // longer than any name looked up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.name));
    EXPECT_EQ(Extract(folder, {folder.Path("a.zip")}, c.name), c.content);
  }
}

TEST(ImageArchive, FirstArchiveHoldingTheEntryAnswers) {
  TempFolder folder;
  WriteZip(folder.NativePath("one.zip"), {{"a.jpg", "one"}});
  WriteZip(folder.NativePath("two.zip"), {{"A.JPG", "second"}, {"b.jpg", "b"}});
  WriteZip(folder.NativePath("damaged.zip"), {{"a.jpg", "damaged", true}});
  DamageStoredEntry(folder, "damaged.zip", "damaged");
  folder.Write("text.zip", "not a zip archive");
  ASSERT_EQ(mkfifo(folder.NativePath("pipe.zip").c_str(), 0600), 0);
  const std::u16string one = folder.Path("one.zip"), two = folder.Path("two.zip");
  struct Case {
    Archives archives;
    std::u16string name;
    std::optional<std::string> content;
  };
  // In this order, each copy shorter than the one before: the copy replaces the file.
  const Case cases[] = {
      {{two, one}, u"a.jpg", "second"},
      {{one, two}, u"a.jpg", "one"},
      {{one, two}, u"b.jpg", "b"},
      {{folder.Path("missing.zip"), two}, u"b.jpg", "b"},
      {{folder.Path("text.zip"), two}, u"b.jpg", "b"},
      {{folder.Path(""), two}, u"b.jpg", "b"},          // a folder
      {{folder.Path("pipe.zip"), two}, u"b.jpg", "b"},  // not waited for
      {{folder.Path("damaged.zip"), one}, u"a.jpg", std::nullopt},  // its copy fails; one is not tried
      {{one, two}, u"c.jpg", std::nullopt},
      {{}, u"a.jpg", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.archives) + " " + ToUtf8(c.name));
    EXPECT_EQ(Extract(folder, c.archives, c.name), c.content);
  }
}

TEST(ImageArchive, CopyStopsAtTheSizeLimit) {
  TempFolder folder;
  WriteZip(folder.NativePath("bomb.zip"), {{"full.jpg", std::string(kMaxImageEntryBytes, '\0')},
                                           {"bomb.jpg", std::string(kMaxImageEntryBytes + 1, '\0')}});
  const Archives archives{folder.Path("bomb.zip")};
  EXPECT_TRUE(ExtractImageEntry(archives, u"full.jpg", folder.Path("copy")));
  EXPECT_EQ(std::filesystem::file_size(folder.NativePath("copy")), kMaxImageEntryBytes);
  EXPECT_FALSE(ExtractImageEntry(archives, u"bomb.jpg", folder.Path("copy")));
  EXPECT_LE(std::filesystem::file_size(folder.NativePath("copy")), kMaxImageEntryBytes);
}

TEST(ImageArchive, TempFileLivesInTheTemporaryFolderWhileItsOwnerDoes) {
  TempFolder folder;
  const char* saved = std::getenv("TMPDIR");
  const std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", folder.Folder().c_str(), 1);
  std::filesystem::path path;
  {
    const TImageTempFile file;
    path = ToUtf8(file.Path());
    EXPECT_TRUE(std::filesystem::equivalent(path.parent_path(), folder.Folder()));
    EXPECT_TRUE(path.filename().string().starts_with("ini"));
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  saved ? setenv("TMPDIR", savedValue.c_str(), 1) : unsetenv("TMPDIR");
}

TEST(JpegPicture, DecodesColourGrayAndCmykIntoRgb) {
  struct Case {
    TJpegKind kind;
    TRgb written, read;
  };
  const Case cases[] = {
      {TJpegKind::kColour, {200, 40, 90}, {200, 40, 90}},
      {TJpegKind::kProgressive, {30, 160, 220}, {30, 160, 220}},
      {TJpegKind::kGray, {120, 0, 0}, {120, 120, 120}},
      {TJpegKind::kCmyk, {250, 100, 20}, {196, 78, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    const std::optional<TJpegPicture> picture = DecodeJpeg(MakeJpeg(24, 17, c.written, c.kind));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 24);
    EXPECT_EQ(picture->height, 17);
    ASSERT_EQ(picture->rgb.size(), 24u * 17u * 3u);
    ExpectNear(*picture, 0, c.read);
    ExpectNear(*picture, 24 * 17 - 1, c.read);
  }
}

TEST(JpegPicture, RefusesDamagedAndOversizedPictures) {
  const std::string valid = MakeJpeg(64, 64, {10, 20, 30});
  const std::size_t scan = valid.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  std::string damagedScan = valid;
  damagedScan.replace(scan + 20, 8, 8, '\xFF');
  const std::string refused[] = {
      "",
      "not a picture",
      "\xFF\xD8",                          // the start marker only
      valid.substr(0, scan),                // cut before its scan
      valid.substr(0, valid.size() - 8),    // cut in its scan
      damagedScan,
      MakeJpeg(8, 8, {0, 0, 0}, TJpegKind::kManyScans),
      MakeJpeg(16385, 1, {0, 0, 0}),
      MakeJpeg(1, 16385, {0, 0, 0}),
  };
  for (const std::string& bytes : refused) {
    SCOPED_TRACE(bytes.size());
    EXPECT_FALSE(DecodeJpeg(bytes));
  }
  EXPECT_TRUE(DecodeJpeg(valid));
  EXPECT_TRUE(DecodeJpeg(MakeJpeg(16384, 1, {0, 0, 0})));
}

TEST(JpegPicture, DecodesAFile) {
  TempFolder folder;
  const std::optional<TJpegPicture> picture = DecodeJpegFile(folder.Write("a.jpg", MakeJpeg(5, 3, {0, 0, 255})));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 5);
  EXPECT_FALSE(DecodeJpegFile(folder.Path("missing.jpg")));
}
