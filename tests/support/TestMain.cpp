// Every test program runs with one QApplication on Qt's offscreen platform (unless a display
// platform is chosen in the environment), so model, view and drawing tests share one set-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
