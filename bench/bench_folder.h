// A play folder of its own for each group of benchmarks: a temporary folder
// with a copy of the installation (data/), made the working folder whenever
// a benchmark of the group starts and removed when the program ends. So the
// program runs whole from a clean build, every benchmark finds the files it
// reads, and nothing it writes lands in the source tree.
#pragma once

#include <string>

class BenchFolder {
public:
    // tag: a short word for the folder's name.
    explicit BenchFolder(const char* tag);
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    // Makes the folder the working folder again (another group may have
    // moved away from it).
    void enter() const;
    const std::string& path() const { return root_; }
    // False when the folder or its copy of the installation could not be made.
    bool ok() const { return ok_; }

private:
    std::string root_;
    std::string old_cwd_;
    bool ok_ = false;
};
