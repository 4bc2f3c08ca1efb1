// A picture that decodes but finds no memory left to be drawn (under an
// address-space limit): its @2x variant is left out, the picture itself stops
// the load as one that does not decode; nothing writes through a failed
// allocation.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "FakeSkinTarget.h"
#include "TestSkin.h"
#include "skin/PictureFiles.h"
#include "skin/gfxinit.h"

namespace tavro::testing {
namespace {

class ScaledTarget : public FakeSkinTarget {
  qreal screenPixelRatio() const override { return 2.0; }
};

// In the death test's child: the body or its variant has 64 Mpixels (256 MB
// decoded), with room to decode it but not for the keyed copy drawing needs.
// Exits 0 when the load went as it should.
[[noreturn]] void loadUnderLimit(bool largeBody) {
  TestSkin skin;
  const QByteArray large = bytes(makeLargeBmp(16384, 4096));
  skin.writeBytes("Graphics/Skin/body.bmp", largeBody ? large : bytes(makeLargeBmp(8, 4)));
  skin.writeBytes("Graphics/Skin/body@2x.bmp", large);
  skin.writeConfig("[Common]\nSkinDir=Graphics\\Skin\n" + imageSection(1, "body.bmp", 0, 0, 8, 4));
  ScaledTarget target;
  uint64_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  rlimit limit{};
  ::getrlimit(RLIMIT_AS, &limit);
  limit.rlim_cur = pages * ::sysconf(_SC_PAGESIZE) + (uint64_t{384} << 20);
  if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(2);
  std::string error;
  try {
    Gfx_Load_Skin(target);
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  const PictureControl& body = target.skin[1];
  std::_Exit(largeBody ? !(error == pictureOutOfMemoryMessage("Graphics/Skin/body.bmp") &&
                           !body.hasPicture())
                       : !(error.empty() && body.hasPicture() && !body.hasHiResPicture() &&
                           target.menuBackground.width() == 36));
}

TEST(SkinPictureMemory, APictureWithoutMemoryToBeDrawnIsTreatedAsOneThatDoesNotLoad) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(loadUnderLimit(false), ::testing::ExitedWithCode(0), "") << "a @2x variant";
  EXPECT_EXIT(loadUnderLimit(true), ::testing::ExitedWithCode(0), "") << "the picture itself";
}

}  // namespace
}  // namespace tavro::testing
