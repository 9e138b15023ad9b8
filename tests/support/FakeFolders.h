#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/UserFolders.h"

namespace testsupport {

// A scripted environment for the folder rules: the variables given, and a tree that is
// writable or not. Tests run as root, where permission bits never stop a write, so
// writability is decided here.
struct FakeFolders {
  std::string tree = "/opt/kelvane/";
  std::map<std::string, std::string> variables{{"HOME", "/home/ann"}};
  bool treeWritable = true;
  bool installed = false;
  std::set<std::string> readOnly;  // further folders the game may not write to

  platform::UserFolders folders() const {
    platform::FolderEnvironment env;
    env.programFolder = tree;
    env.installedTree = installed;
    const auto vars = variables;
    env.variable = [vars](const std::string& name) -> std::optional<std::string> {
      auto it = vars.find(name);
      if (it == vars.end()) return std::nullopt;
      return it->second;
    };
    const std::string root = tree;
    const bool writable = treeWritable;
    const auto locked = readOnly;
    env.writable = [root, writable, locked](const std::string& path) {
      if (path.compare(0, root.size(), root) == 0) return writable;
      for (const std::string& folder : locked) {
        if (path.compare(0, folder.size(), folder) == 0) return false;
      }
      return true;
    };
    return platform::UserFolders(env);
  }
};

}  // namespace testsupport
