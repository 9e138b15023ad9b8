#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/ChildProcess.h"
#include "support/TestSupport.h"

namespace {

// Polls until the child has ended (at most a few seconds).
void finish(platform::ChildProcess& child) {
  for (int i = 0; i < 500 && child.poll(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

TEST(ChildProcess, CollectsOutputAndExitStatusWithoutAShellAndStopsWhatStillRuns) {
  testsupport::TempDir dir;
  const std::string script =
      dir.write("tool", "#!/bin/sh\necho \"out: $1\"\necho 'err' >&2\nexit 3\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);

  platform::ChildProcess child;
  std::string error;
  // One argument, however it looks: no shell splits or expands it.
  ASSERT_TRUE(child.start(script, {"a b; $(rm -rf /)"}, &error)) << error;
  EXPECT_TRUE(child.running());
  EXPECT_FALSE(child.start(script, {}, &error));
  finish(child);
  EXPECT_FALSE(child.running());
  EXPECT_EQ(child.exitStatus(), 3);
  EXPECT_NE(child.output().find("out: a b; $(rm -rf /)\n"), std::string::npos) << child.output();
  EXPECT_NE(child.output().find("err\n"), std::string::npos);

  const std::string sleeper = dir.write("sleeper", "#!/bin/sh\nexec sleep 30\n");
  std::filesystem::permissions(sleeper, std::filesystem::perms::owner_all);
  ASSERT_TRUE(child.start(sleeper, {}, &error)) << error;
  const auto before = std::chrono::steady_clock::now();
  child.stop();
  EXPECT_FALSE(child.running());
  EXPECT_EQ(child.exitStatus(), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));

  EXPECT_FALSE(child.start("kelvane-no-such-program", {}, &error));
  EXPECT_NE(error.find("not found"), std::string::npos);
}
