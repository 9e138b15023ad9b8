#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "support/TestSupport.h"

// Installs the build into a temporary prefix and starts the installed game (tools/install_test.sh).
// It takes seconds and needs a complete build, so it runs only on request:
//   KELVANE_INSTALL_TEST=1      the build this test binary belongs to
//   KELVANE_INSTALL_TEST=deb    the same, and the Debian package too (slow: cpack)
//   KELVANE_INSTALL_TEST=DIR    another build folder
TEST(Install, TheInstalledGameStartsAndKeepsItsTreeUntouched) {
  const char* request = std::getenv("KELVANE_INSTALL_TEST");
  if (request == nullptr || *request == '\0') {
    GTEST_SKIP() << "set KELVANE_INSTALL_TEST to run the install test";
  }
  const std::string value = request;
  std::string build = value;
  if (value == "1" || value == "deb") {
    // The test binaries live in BUILD/tests/.
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    ASSERT_FALSE(error) << error.message();
    build = exe.parent_path().parent_path().string();
  }
  const std::string command = std::string("\"") + KELVANE_SOURCE_DIR +
                              "/tools/install_test.sh\" \"" + build + "\"" +
                              (value == "deb" ? " --deb" : "");
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}
