// The interface unit must be plain C: this file compiles it as C++ and InterfaceLayoutC.c
// compiles it as C, so both languages agree on the layout asserted inside the header.
#include <gtest/gtest.h>

#include "UBConstantes.h"

extern "C" size_t zv_c_sizeof_infos();
extern "C" size_t zv_c_offsetof_dircalibracao();

TEST(InterfaceLayout, CAndCppAgree) {
  EXPECT_EQ(zv_c_sizeof_infos(), sizeof(TInfosZV));
  EXPECT_EQ(zv_c_offsetof_dircalibracao(), offsetof(TPathsZV, DirCalibracao));
  // One ring table row is 33 doubles; meridian r is row r - 1.
  TMatrizAngAnel t{};
  EXPECT_EQ(reinterpret_cast<char*>(&t[1][0]) - reinterpret_cast<char*>(&t[0][0]), 33 * 8);
}
