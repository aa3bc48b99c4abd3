// A fresh folder under the system's temporary folder, removed with its content.
#pragma once

#include <cstdlib>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/vextra-test-XXXXXX";
    const char* made = mkdtemp(name);
    path_ = made ? std::string(made) + "/" : std::string("/tmp/");
  }
  ~TempFolder() {
    if (path_.size() > 6) {
      std::string command = "rm -rf '" + path_ + "'";
      if (std::system(command.c_str()) != 0) {
      }
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
