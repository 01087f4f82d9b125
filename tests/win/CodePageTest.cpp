#include <windows.h>

#include <gtest/gtest.h>

// Every Windows test runs as on a Japanese system: the plug-in names are code page 932 bytes.
TEST(Environment, AnsiCodePageIs932) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(GetOEMCP(), 932u);
}
