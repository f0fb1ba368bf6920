// app_test_main.cpp: runs the shell's tests inside one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "app/application.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  vennaloop::ConfigureApplication(app);  // names, icon and fonts, as the program has them
  return RUN_ALL_TESTS();
}
