// Test helper: points XDG_CONFIG_HOME (and HOME) at a fresh temporary folder
// for the life of the object, so tests never touch the real settings.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace vlx::testing {

class TempConfigHome {
 public:
  TempConfigHome() {
    saveEnv("XDG_CONFIG_HOME", savedXdg_);
    saveEnv("HOME", savedHome_);
    std::string tmpl = (std::filesystem::temp_directory_path() / "vellix-defaults-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) ADD_FAILURE() << "mkdtemp failed";
    root_ = tmpl;
    setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    setenv("HOME", (root_ + "/home").c_str(), 1);
  }
  ~TempConfigHome() {
    restoreEnv("XDG_CONFIG_HOME", savedXdg_);
    restoreEnv("HOME", savedHome_);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempConfigHome(const TempConfigHome&) = delete;
  TempConfigHome& operator=(const TempConfigHome&) = delete;

  const std::string& root() const { return root_; }
  std::string defaultsDir() const { return root_ + "/config/vellix/defaults"; }
  std::string domainPath(const std::string& domain) const { return defaultsDir() + "/" + domain + ".json"; }

  // Writes raw bytes as a domain file.
  void writeDomainFile(const std::string& domain, const std::string& bytes) const {
    std::filesystem::create_directories(defaultsDir());
    std::ofstream out(domainPath(domain), std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

 private:
  static void saveEnv(const char* name, std::optional<std::string>& slot) {
    if (const char* v = std::getenv(name)) slot = v;
  }
  static void restoreEnv(const char* name, const std::optional<std::string>& slot) {
    if (slot)
      setenv(name, slot->c_str(), 1);
    else
      unsetenv(name);
  }

  std::string root_;
  std::optional<std::string> savedXdg_;
  std::optional<std::string> savedHome_;
};

}  // namespace vlx::testing
