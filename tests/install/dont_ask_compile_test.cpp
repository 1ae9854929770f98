#include <gtest/gtest.h>

#include "support/main_window_fixture.h"

namespace varokin::install_tests {
namespace {

class DontAskCompile : public fixtures::MainWindowTest {};

TEST_F(DontAskCompile, TheMenuItemTogglesTheOfferInTheSettings) {
  ta.Game();
  Remember("Varokin", "Compile Monolithic", "0");
  Start();
  ui::MenuItem& item = Window().menuDontAskCompile;
  EXPECT_TRUE(item.IsChecked());
  Dlg().OnDontAskCompile();
  EXPECT_FALSE(item.IsChecked());
  EXPECT_EQ(Setting("Varokin", "Compile Monolithic"), "1");
  Dlg().OnDontAskCompile();
  EXPECT_TRUE(item.IsChecked());
  EXPECT_EQ(Setting("Varokin", "Compile Monolithic"), "0");
}

}  // namespace
}  // namespace varokin::install_tests
