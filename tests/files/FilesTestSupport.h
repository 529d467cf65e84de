#ifndef TESTS_ENGINE_FILESTESTSUPPORT_H
#define TESTS_ENGINE_FILESTESTSUPPORT_H

#include <string>
#include <vector>

#include "Frontend.h"

// A fresh folder below the system's temporary folder, removed with all it
// holds (write bits restored first) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const {
    return path_ + "/" + name;
  }

 private:
  std::string path_;
};

// Stands in for the person at the screen: keeps every warning shown.
class RecordingFrontend : public Frontend {
 public:
  RecordingFrontend() { setFrontend(this); }
  ~RecordingFrontend() override { setFrontend(nullptr); }

  void showWarning(const std::string& text) override {
    warnings.push_back(text);
  }
  std::unique_ptr<ProgressView> startProgress() override;
  void showResult(const std::string& text) override { results.push_back(text); }

  std::vector<std::string> warnings;
  std::vector<std::string> results;
};

// The bytes of the file at path; empty when it cannot be read.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
// The CP932 bytes of UTF-8 text.
std::string cp932(const std::string& utf8);

#endif
