// Guards against no fault itself: writes test files into a fresh folder that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace qora::testing {

class TempFiles {
 public:
  TempFiles() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("qora_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  ~TempFiles() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempFiles(const TempFiles&) = delete;
  TempFiles& operator=(const TempFiles&) = delete;

  // Writes the text as it stands (no line-end translation) and returns the path.
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string path = (dir_ / name).string();
    std::ofstream out(path, std::ios::binary);
    out << text;
    return path;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace qora::testing
