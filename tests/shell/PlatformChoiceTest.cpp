#include "shell/PlatformChoice.h"

#include <gtest/gtest.h>

namespace tavro::testing {
namespace {

TEST(PlatformChoice, X11WhereAnXServerIsAtHandAndNothingWasChosen) {
  struct Case {
    const char* display;
    const char* chosen;
    const char* expected;  // null: left alone
  };
  const Case cases[] = {
      {":0", nullptr, "xcb;wayland"},  // a GNOME or KDE session: XWayland
      {":0", "", "xcb;wayland"},      {":0", "wayland", nullptr},   // the user's choice holds
      {":0", "offscreen", nullptr},   {nullptr, nullptr, nullptr},  // no X server: Qt chooses
      {"", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const char* got = platformFor(c.display, c.chosen);
    if (c.expected == nullptr) {
      EXPECT_EQ(got, nullptr) << (c.display ? c.display : "(unset)");
    } else {
      ASSERT_NE(got, nullptr);
      EXPECT_STREQ(got, c.expected);
    }
  }
}

}  // namespace
}  // namespace tavro::testing
