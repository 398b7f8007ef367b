// The benchmarks' play folders.
#include "bench_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

BenchFolder::BenchFolder(const char* tag) {
    namespace fs = std::filesystem;
    std::error_code ec;
    old_cwd_ = fs::current_path(ec).string();
    std::string tmpl = (fs::temp_directory_path() / (std::string("ksm-bench-") + tag + "-XXXXXX")).string();
    if (mkdtemp(tmpl.data()) == nullptr) return;
    root_ = tmpl;
    fs::copy(KSM_DATA_DIR, root_, fs::copy_options::recursive, ec);
    ok_ = !ec && chdir(root_.c_str()) == 0;
}

BenchFolder::~BenchFolder() {
    std::error_code ec;
    if (!old_cwd_.empty()) std::filesystem::current_path(old_cwd_, ec);
    if (!root_.empty()) std::filesystem::remove_all(root_, ec);
}

void BenchFolder::enter() const {
    if (!root_.empty() && chdir(root_.c_str()) != 0) return;
}
