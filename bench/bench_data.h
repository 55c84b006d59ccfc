#pragma once
// What the benchmark worlds share: a data folder of their own in the
// temporary folder, removed again at the end, that the game state's data
// paths all point at.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

class BenchDataFolder {
  public:
    explicit BenchDataFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("ferrovane-bench-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~BenchDataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchDataFolder(const BenchDataFolder&) = delete;
    BenchDataFolder& operator=(const BenchDataFolder&) = delete;

    std::string Path() const { return path_.string(); }

    // Writes `bytes` to `relative` below the folder, making its folders.
    void Write(const std::filesystem::path& relative, const std::vector<uint8_t>& bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    // Every data path of the game state names this folder.
    template <typename State>
    void PointDataPaths(State& state) const {
        for (auto& path : state.data_paths) std::snprintf(path, sizeof path, "%s", Path().c_str());
        state.install_index = 0;
    }

  private:
    std::filesystem::path path_;
};
