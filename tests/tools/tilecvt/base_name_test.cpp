#include "tools/tilecvt/base_name.h"

#include <gtest/gtest.h>

namespace {

TEST(BaseName, DropsDirectoryAndExtensionAndReplacesSymbols) {
  EXPECT_EQ(tilecvt::MakeBaseName("my sprite#1.pcx"), "my_sprite_1");
  EXPECT_EQ(tilecvt::MakeBaseName("gfx/levels\\title.screen.bmp"), "title.screen");
  EXPECT_EQ(tilecvt::MakeBaseName("a@b&c*d!e(f)g[h]i{j}k^l+m=n-o<p>q?r~s\xC2\xA3t.tga"),
            "a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s_t");
  EXPECT_EQ(tilecvt::MakeBaseName("noextension"), "noextension");
  const std::string longName(300, 'x');
  EXPECT_EQ(tilecvt::MakeBaseName("dir/" + longName + ".bmp"), longName);
}

TEST(ArrayName, IsASymbolEveryCompilerTakes) {
  EXPECT_EQ(tilecvt::ArrayName("title", "_Tiles"), "title_Tiles");
  EXPECT_EQ(tilecvt::ArrayName("pal/master.pal", "_Palette"), "master_Palette");
  EXPECT_EQ(tilecvt::ArrayName("title.screen", "_Map"), "title_Map");
  EXPECT_EQ(tilecvt::ArrayName("1up", "_Bitmap"), "_1up_Bitmap");
  EXPECT_EQ(tilecvt::ArrayName("caf\xC3\xA9%", "_Map"), "caf____Map");
}

}  // namespace
