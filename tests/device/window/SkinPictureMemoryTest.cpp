// Pictures that decode but find no memory left to be drawn: under an
// address-space limit the loader leaves such a @2x variant out, and stops at
// such a picture as at one that does not decode, instead of writing through
// a failed allocation.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "FakeSkinTarget.h"
#include "TestSkin.h"
#include "skin/PictureFiles.h"
#include "skin/gfxinit.h"

#if defined(__SANITIZE_ADDRESS__)
#define TAVRO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRO_ASAN 1
#endif
#endif

namespace tavro::testing {
namespace {

class ScaledTarget : public FakeSkinTarget {
 public:
  qreal screenPixelRatio() const override { return 2.0; }
};

QByteArray bytes(const Bytes& data) {
  return QByteArray(reinterpret_cast<const char*>(data.data()),
                    static_cast<qsizetype>(data.size()));
}

uint64_t addressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
}

// In the death test's child: one load with a 64-Mpixel picture (256 MB
// decoded) as the body or as its @2x variant, with room for decoding it but
// not for the keyed copy that drawing needs. Exits 0 when the load went as
// expected.
[[noreturn]] void loadUnderLimit(bool largeBody) {
  TestSkin skin;
  const QByteArray large = bytes(makeLargeBmp(16384, 4096));
  skin.writeBytes("Graphics/Skin/body.bmp", largeBody ? large : bytes(makeLargeBmp(8, 4)));
  skin.writeBytes("Graphics/Skin/body@2x.bmp", large);
  skin.writeConfig("[Common]\nSkinDir=Graphics\\Skin\n" + imageSection(1, "body.bmp", 0, 0, 8, 4));
  ScaledTarget target;
  rlimit limit{};
  ::getrlimit(RLIMIT_AS, &limit);
  limit.rlim_cur = addressSpaceInUse() + (uint64_t{384} << 20);
  if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(2);
  std::string error;
  try {
    Gfx_Load_Skin(target);
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  const bool asExpected =
      largeBody ? error == pictureOutOfMemoryMessage("Graphics/Skin/body.bmp") &&
                      !target.skin[1].hasPicture()
                : error.empty() && target.skin[1].hasPicture() &&
                      !target.skin[1].hasHiResPicture() && target.menuBackground.width() == 36;
  std::_Exit(asExpected ? 0 : 1);
}

TEST(SkinPictureMemory, APictureWithoutMemoryToBeDrawnIsTreatedAsOneThatDoesNotLoad) {
#ifdef TAVRO_ASAN
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(loadUnderLimit(false), ::testing::ExitedWithCode(0), "") << "a @2x variant";
  EXPECT_EXIT(loadUnderLimit(true), ::testing::ExitedWithCode(0), "") << "the picture itself";
}

}  // namespace
}  // namespace tavro::testing
