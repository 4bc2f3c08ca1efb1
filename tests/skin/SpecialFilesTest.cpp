// Config.ini, pictures and manual pages that are not regular files, or are
// huge: each is refused without being read (a pipe would hang the program,
// /dev/zero would fill its memory) and counts as a missing file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "skin/IniFile.h"
#include "skin/ManualLoader.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

// What a path holds, made fresh for each case (the reader's own tests cover
// folders and dangling links too).
enum class Kind { Regular, LinkToRegular, Pipe, LinkToZero };

const char* kindName(Kind kind) {
  switch (kind) {
    case Kind::Regular:
      return "regular file";
    case Kind::LinkToRegular:
      return "link to a regular file";
    case Kind::Pipe:
      return "named pipe";
    case Kind::LinkToZero:
      return "link to /dev/zero";
  }
  return "?";
}

constexpr Kind kAllKinds[] = {Kind::Regular, Kind::LinkToRegular, Kind::Pipe, Kind::LinkToZero};

bool readable(Kind kind) {
  return kind == Kind::Regular || kind == Kind::LinkToRegular;
}

class SpecialFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  std::string path(const std::string& relative) const {
    return dir_.filePath(QString::fromStdString(relative)).toStdString();
  }
  // Makes `relative` a thing of `kind`; a regular file (or the link's target)
  // holds `bytes`.
  void make(const std::string& relative, Kind kind, const std::string& bytes) const {
    const std::string where = path(relative);
    fs::create_directories(fs::path(where).parent_path());
    fs::remove_all(where);
    const std::string target = where + ".target";
    switch (kind) {
      case Kind::Regular:
        std::ofstream(where, std::ios::binary) << bytes;
        break;
      case Kind::LinkToRegular:
        std::ofstream(target, std::ios::binary) << bytes;
        fs::create_symlink(target, where);
        break;
      case Kind::Pipe:
        ASSERT_EQ(::mkfifo(where.c_str(), 0600), 0);
        break;
      case Kind::LinkToZero:
        fs::create_symlink("/dev/zero", where);
        break;
    }
  }
  void makeSparse(const std::string& relative, std::uint64_t size) const {
    std::ofstream(path(relative), std::ios::binary).flush();
    fs::resize_file(path(relative), size);
  }

  QTemporaryDir dir_;
  QString previous_;
};

std::string pngBytes() {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::blue);
  const QString file = QDir::temp().filePath("tavro-special-files.png");
  image.save(file, "PNG");
  std::ifstream in(file.toStdString(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  QFile::remove(file);
  return bytes;
}

std::string loadError(const std::string& file) {
  try {
    loadPicture(file);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST_F(SpecialFiles, OnlyRegularFilesExistAndOpen) {
  const std::string png = pngBytes();
  for (Kind kind : kAllKinds) {
    SCOPED_TRACE(kindName(kind));
    make("Config.ini", kind, "[Common]\nGameWidth=300\n");
    EXPECT_EQ(fileExists(path("Config.ini")), readable(kind));
    const std::optional<IniFile> ini = IniFile::open(path("Config.ini"));
    ASSERT_EQ(ini.has_value(), readable(kind));
    if (ini) {
      EXPECT_EQ(ini->readInteger("Common", "GameWidth", 561), 300);
    }

    make("skin.png", kind, png);
    EXPECT_EQ(fileExists(path("skin.png")), readable(kind));
    // Opened directly (as if swapped in after the existence test), a special
    // file gives an error naming it, never a hang.
    const std::string error = loadError(path("skin.png"));
    if (readable(kind)) {
      EXPECT_EQ(error, "");
    } else {
      EXPECT_EQ(error, "Cannot open file \"" + path("skin.png") + "\". Not a regular file");
    }
  }
}

TEST_F(SpecialFiles, ConfigSizeBoundIsFourMegabytes) {
  struct Case {
    std::uint64_t size;
    bool opens;
  };
  const Case cases[] = {
      {kMaxConfigFileSize, true},
      {kMaxConfigFileSize + 1, false},
      {std::uint64_t{94} << 20, false},  // refused at once, not read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    // A real section at the start; the rest is blank lines.
    const std::string head = "[Common]\nGameWidth=300\n";
    makeSparse("Config.ini", c.size);
    std::fstream(path("Config.ini"), std::ios::in | std::ios::out | std::ios::binary) << head;
    const std::optional<IniFile> ini = IniFile::open(path("Config.ini"));
    ASSERT_EQ(ini.has_value(), c.opens);
    if (ini) {
      EXPECT_EQ(ini->readInteger("Common", "GameWidth", 561), 300);
    }
  }
}

TEST_F(SpecialFiles, PictureFilesAboveHalfAGigabyteAreRefusedUnread) {
  makeSparse("huge.bmp", (std::uint64_t{512} << 20) + 1);
  EXPECT_TRUE(fileExists(path("huge.bmp")));
  EXPECT_EQ(loadError(path("huge.bmp")), "Picture file \"" + path("huge.bmp") + "\" is too large");
}

class PageTarget : public ManualTarget {
 public:
  void setClientHeight(int h) override { height = h; }
  void setClientWidth(int w) override { width = w; }
  void placePageTop(int, int) override {}
  void setPage(int n, Picture p) override { pages[n] = std::move(p); }
  void sizePage(int, int, int) override {}
  int width = 0;
  int height = 0;
  Picture pages[kManualPageCount + 1];
};

TEST_F(SpecialFiles, ManualPagesThatAreNoRegularFilesGetTheMarker) {
  QImage page(20, 20, QImage::Format_RGB32);
  page.fill(Qt::white);
  for (Kind kind : kAllKinds) {
    SCOPED_TRACE(kindName(kind));
    QDir().mkpath("Graphics/Manual");
    for (int n = 1; n <= kManualPageCount; ++n) {
      if (n == 3) continue;
      ASSERT_TRUE(page.save(QString("Graphics/Manual/%1.bmp").arg(n), "BMP"));
    }
    if (readable(kind)) {
      ASSERT_TRUE(page.save("page.bmp", "BMP"));
      std::ifstream in(path("page.bmp"), std::ios::binary);
      make("Graphics/Manual/3.bmp", kind,
           std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    } else {
      make("Graphics/Manual/3.bmp", kind, "");
    }
    // Config.ini of the same kind: a pipe or device gives the defaults.
    make("Config.ini", kind, "[Manual]\nManualWidth=300\nManualHeight=200\n");

    PageTarget target;
    Gfx_Load_Manual(target, path("Config.ini"));
    EXPECT_EQ(target.width, readable(kind) ? 300 : kManualDefaultWidth);
    EXPECT_EQ(target.height, readable(kind) ? 200 : kManualDefaultHeight);
    EXPECT_EQ(target.pages[3].image.size(), readable(kind) ? QSize(20, 20) : QSize(10, 10));
    EXPECT_EQ(target.pages[4].image.size(), QSize(20, 20));  // the load went on
  }
}

}  // namespace
}  // namespace tavro
