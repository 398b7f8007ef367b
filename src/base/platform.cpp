#include "base/platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>


namespace fs = std::filesystem;

// ---------------------------------------------------------------- folders

std::string folder_of(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

static std::string name_of(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

static std::vector<DirEntry> read_folder(const std::string& folder) {
    std::vector<DirEntry> out;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return out;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string full = folder.empty() ? name : folder + "/" + name;
        out.push_back({name, is_folder(full)});
    }
    closedir(dir);
    return out;
}

static void sort_entries(std::vector<DirEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
        int c = compare_no_case(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
}

std::vector<DirEntry> list_matching(const std::string& pattern) {
    std::string folder = resolve_path_ci(folder_of(pattern));
    std::string mask = name_of(pattern);
    bool everything = (mask == "*.*" || mask == "*");
    std::vector<DirEntry> out;
    for (DirEntry& e : read_folder(folder)) {
        if (everything || match_wildcards(mask.c_str(), e.name.c_str())) out.push_back(std::move(e));
    }
    sort_entries(out);
    return out;
}

std::string resolve_path_ci(const std::string& path) {
    if (path.empty() || path_exists(path)) return path;
    // Walk the components, taking the exact name when it exists and a
    // case-insensitive match otherwise.
    std::string built = path[0] == '/' ? "/" : "";
    size_t pos = path[0] == '/' ? 1 : 0;
    while (pos <= path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        std::string part = path.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty()) continue;
        std::string candidate = built.empty() ? part : (built == "/" ? "/" + part : built + "/" + part);
        if (part != "." && part != ".." && !path_exists(candidate)) {
            bool found = false;
            for (const DirEntry& e : read_folder(built == "/" ? "/" : built)) {
                if (compare_no_case(e.name, part) == 0) {
                    candidate = built.empty() ? e.name : (built == "/" ? "/" + e.name : built + "/" + e.name);
                    found = true;
                    break;
                }
            }
            if (!found) return path;
        }
        built = candidate;
    }
    return built;
}

FILE* open_file_ci(const std::string& path, const char* mode) {
    FILE* f = std::fopen(path.c_str(), mode);
    if (f) return f;
    std::string real = resolve_path_ci(path);
    if (real != path) return std::fopen(real.c_str(), mode);
    // Writing to a new file in a folder whose case differs.
    if (mode[0] == 'w' || mode[0] == 'a') {
        std::string folder = folder_of(path);
        if (!folder.empty()) {
            std::string real_folder = resolve_path_ci(folder);
            if (real_folder != folder) return std::fopen((real_folder + "/" + name_of(path)).c_str(), mode);
        }
    }
    return nullptr;
}

bool path_exists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool is_folder(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

long long file_size(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

bool make_folder(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return is_folder(path);
}

bool remove_folder_tree(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    return !ec && !path_exists(path);
}

bool make_writable(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    return ::chmod(path.c_str(), st.st_mode | S_IWUSR) == 0;
}

// ------------------------------------------------------------ the fault seam

namespace {
struct FaultSeam {
    bool armed = false;
    int fail_at = 0;
    bool and_after = false;
    bool stop = false;  // a kill: nothing is cleaned up once it is reached
    bool disk_full = false;  // only writes and flushes fail
    int counted = 0;
    bool failed = false;
    FileOperation failed_kind = FileOperation::Write;
    std::string failed_path;
};
FaultSeam fault_seam;
}  // namespace

void arm_file_fault(int nth, bool and_after) {
    fault_seam = FaultSeam{};
    fault_seam.armed = true;
    fault_seam.fail_at = nth;
    fault_seam.and_after = and_after;
}

void arm_file_stop(int nth) {
    arm_file_fault(nth, true);
    fault_seam.stop = true;
}

void arm_disk_full(int nth) {
    arm_file_fault(nth, true);
    fault_seam.disk_full = true;
}

bool file_stop_reached() { return fault_seam.stop && fault_seam.failed; }

void disarm_file_fault() { fault_seam = FaultSeam{}; }

int counted_file_operations() { return fault_seam.counted; }
FileOperation failed_file_operation() { return fault_seam.failed_kind; }
const std::string& failed_file_path() { return fault_seam.failed_path; }

bool file_operation_fails(FileOperation kind, const std::string& path) {
    if (!fault_seam.armed) return false;
    const int n = ++fault_seam.counted;
    bool fails = n == fault_seam.fail_at || (fault_seam.and_after && n > fault_seam.fail_at);
    if (fault_seam.disk_full && (kind == FileOperation::Rename || kind == FileOperation::Remove)) fails = false;
    if (fails && !fault_seam.failed) {
        fault_seam.failed = true;
        fault_seam.failed_kind = kind;
        fault_seam.failed_path = path;
    }
    return fails;
}

bool remove_file(const std::string& path) {
    if (file_operation_fails(FileOperation::Remove, path)) return false;
    return ::unlink(path.c_str()) == 0;
}

bool rename_file(const std::string& from, const std::string& to) {
    if (file_operation_fails(FileOperation::Rename, to)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string current_folder() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? std::string(".") : p.string();
}

// ------------------------------------------------------------ whole files

namespace {

bool write_all(int fd, const uint8_t* p, size_t left) {
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

namespace {
bool write_whole_file(const std::string& path, const void* data, size_t size, bool sync_name) {
    std::string folder = folder_of(path);
    std::string tmpl = (folder.empty() ? std::string() : folder + "/") + "." + name_of(path) + ".tmpXXXXXX";
    if (file_operation_fails(FileOperation::Write, path)) {
        if (fault_seam.stop) {
            // Killed in the middle of the write: half of it is on the disk.
            int fd = ::mkstemp(tmpl.data());
            if (fd >= 0) {
                write_all(fd, static_cast<const uint8_t*>(data), size / 2);
                ::close(fd);
            }
        }
        return false;
    }
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    bool ok = write_all(fd, static_cast<const uint8_t*>(data), size);
    if (ok && ::fchmod(fd, 0644) != 0) ok = false;
    if (ok && (file_operation_fails(FileOperation::Flush, path) || ::fsync(fd) != 0)) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && (file_operation_fails(FileOperation::Rename, path) || ::rename(tmpl.c_str(), path.c_str()) != 0))
        ok = false;
    if (!ok) {
        if (!fault_seam.stop || !fault_seam.failed) ::unlink(tmpl.c_str());
        return false;
    }
    // Make the rename itself durable.
    if (sync_name) sync_folder(folder);
    return true;
}
}  // namespace

bool write_file_atomic(const std::string& path, const void* data, size_t size) {
    return write_whole_file(path, data, size, true);
}

bool write_file_unsynced(const std::string& path, const void* data, size_t size) {
    return write_whole_file(path, data, size, false);
}

void sync_folder(const std::string& folder) {
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

bool write_file_at(const std::string& path, long long offset, const void* data, size_t size, long long new_size) {
    if (offset < 0) return false;
    if (file_operation_fails(FileOperation::Write, path)) {
        if (fault_seam.stop && size > 0) {
            // Killed in the middle of the write: half of it is on the disk.
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0) {
                if (::lseek(fd, off_t(offset), SEEK_SET) >= 0)
                    write_all(fd, static_cast<const uint8_t*>(data), size / 2);
                ::close(fd);
            }
        }
        return false;
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) return false;
    bool ok = size == 0 || (::lseek(fd, off_t(offset), SEEK_SET) >= 0 &&
                            write_all(fd, static_cast<const uint8_t*>(data), size));
    if (ok && new_size >= 0) ok = ::ftruncate(fd, off_t(new_size)) == 0;
    if (ok && (file_operation_fails(FileOperation::Flush, path) || ::fsync(fd) != 0)) ok = false;
    if (::close(fd) != 0) ok = false;
    return ok;
}

// The checksum runs over every byte of a save several times per load: it is
// built optimised even where the rest of the program is not.
__attribute__((optimize("O2"))) uint32_t crc32_of(const void* data, size_t size, uint32_t crc) {
    // Slicing by eight: eight tables, eight bytes a step.
    struct Tables {
        uint32_t t[8][256];
        Tables() {
            for (uint32_t i = 0; i < 256; ++i) {
                uint32_t c = i;
                for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
                t[0][i] = c;
            }
            for (uint32_t i = 0; i < 256; ++i)
                for (int s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
        }
    };
    static const Tables tables;
    const auto& table = tables.t;
    const auto* p = static_cast<const uint8_t*>(data);
    crc = ~crc;
    while (size >= 8) {
        uint32_t a, b;  // little-endian words (the machine is little-endian)
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + 4, 4);
        a ^= crc;
        crc = table[7][a & 0xFF] ^ table[6][(a >> 8) & 0xFF] ^ table[5][(a >> 16) & 0xFF] ^ table[4][a >> 24] ^
              table[3][b & 0xFF] ^ table[2][(b >> 8) & 0xFF] ^ table[1][(b >> 16) & 0xFF] ^ table[0][b >> 24];
        p += 8;
        size -= 8;
    }
    while (size-- > 0) crc = (crc >> 8) ^ table[0][(crc ^ *p++) & 0xFF];
    return ~crc;
}

bool write_file_atomic(const std::string& path, std::string_view text) {
    return write_file_atomic(path, text.data(), text.size());
}

bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, size_t max_size) {
    FILE* f = open_file_ci(path, "rb");
    if (!f) return false;
    // Read in one go at the size the file has, and make sure it ends there
    // (it may have grown meanwhile: then block by block up to max_size).
    struct stat st;
    size_t expected = 0;
    if (::fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode)) expected = size_t(st.st_size);
    if (expected > max_size) {
        std::fclose(f);
        return false;
    }
    std::vector<uint8_t> buf(expected);
    bool ok = std::fread(buf.data(), 1, expected, f) == expected;
    if (ok) {
        uint8_t block[65536];
        for (;;) {
            size_t n = std::fread(block, 1, sizeof block, f);
            if (n > 0) {
                if (buf.size() + n > max_size) {
                    ok = false;
                    break;
                }
                buf.insert(buf.end(), block, block + n);
            }
            if (n < sizeof block) {
                if (std::ferror(f)) ok = false;
                break;
            }
        }
    }
    std::fclose(f);
    if (ok) out.swap(buf);
    return ok;
}

bool read_text_file(const std::string& path, std::string& out, size_t max_size) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes, max_size)) return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
}

bool read_file_exact(const std::string& path, void* data, size_t size) {
    std::string real = resolve_path_ci(path);
    if (file_size(real) != static_cast<long long>(size)) return false;
    FILE* f = std::fopen(real.c_str(), "rb");
    if (!f) return false;
    // Read into a scratch buffer first so a failed read leaves `data` as it was.
    std::vector<uint8_t> buf(size);
    bool ok = std::fread(buf.data(), 1, size, f) == size;
    if (ok) {
        uint8_t extra;
        ok = std::fread(&extra, 1, 1, f) == 0;  // the file did not grow meanwhile
    }
    std::fclose(f);
    if (ok && size) std::memcpy(data, buf.data(), size);
    return ok;
}

// ------------------------------------------------------------------- text

unsigned char latin1_lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

unsigned char latin1_upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    return c;
}

int compare_no_case(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = latin1_lower(static_cast<unsigned char>(a[i]));
        int cb = latin1_lower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Length of the well-formed UTF-8 sequence starting at p (2 to 4), or 0.
static size_t utf8_sequence(const uint8_t* p, size_t left, uint32_t* code) {
    uint8_t c = p[0];
    size_t len;
    uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
    else return 0;
    if (left < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    if (code) *code = cp;
    return len;
}

std::string utf8_to_latin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
    size_t i = 0;
    while (i < utf8.size()) {
        uint32_t cp = 0;
        size_t len = p[i] >= 0x80 ? utf8_sequence(p + i, utf8.size() - i, &cp) : 0;
        if (len) {
            out.push_back(cp <= 0xFF ? static_cast<char>(cp) : '?');
            i += len;
        } else {
            out.push_back(static_cast<char>(p[i]));
            ++i;
        }
    }
    return out;
}

bool has_utf8_sequence(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        if (p[i] >= 0x80 && utf8_sequence(p + i, size - i, nullptr)) return true;
    }
    return false;
}

size_t copy_text(char* dst, size_t cap, const char* src) {
    if (!dst || cap == 0) return 0;
    if (!src) src = "";
    size_t n = 0;
    while (n + 1 < cap && src[n]) {
        dst[n] = src[n];
        ++n;
    }
    dst[n] = 0;
    return n;
}

// The font's code page has its own a and o with diaeresis; both character
// sets fold to Latin-1.
unsigned char fold_upper(unsigned char c) {
    switch (c) {
    case 132: case 142: case 228: return 196;
    case 148: case 153: case 246: return 214;
    default: return latin1_upper(c);
    }
}

unsigned char fold_lower(unsigned char c) {
    switch (c) {
    case 132: case 142: case 196: return 228;
    case 148: case 153: case 214: return 246;
    default: return latin1_lower(c);
    }
}

int match_wildcards(const char* pattern, const char* text) {
    char p[300], t[300];
    size_t i = 0;
    for (; pattern[i] && i < sizeof p - 1; ++i) p[i] = static_cast<char>(fold_lower(static_cast<unsigned char>(pattern[i])));
    p[i] = 0;
    for (i = 0; text[i] && i < sizeof t - 1; ++i) t[i] = static_cast<char>(fold_lower(static_cast<unsigned char>(text[i])));
    t[i] = 0;

    const char* pp = p;
    const char* tp = t;
    const char* star = nullptr;  // the last '*' seen in the pattern
    const char* resume = nullptr;  // where in the text that star's run ends
    while (*tp) {
        if (*pp == '*') {
            star = pp++;
            resume = tp;
        } else if (*pp == '?' || *pp == *tp) {
            ++pp;
            ++tp;
        } else if (star) {
            pp = star + 1;
            tp = ++resume;
        } else {
            return 0;
        }
    }
    while (*pp == '*') ++pp;
    return *pp == 0 ? 1 : 0;
}

size_t copy_field(char* dst, size_t cap, const char* field, size_t field_size) {
    if (dst == nullptr || cap == 0) return 0;
    size_t n = field != nullptr ? strnlen(field, field_size) : 0;
    if (n > cap - 1) n = cap - 1;
    if (n > 0) std::memcpy(dst, field, n);
    dst[n] = '\0';
    return n;
}

size_t append_text(char* dst, size_t cap, const char* src) {
    if (!dst || cap == 0) return 0;
    size_t have = strnlen(dst, cap);
    if (have >= cap) {  // not terminated within cap: terminate and stop
        dst[cap - 1] = 0;
        return cap - 1;
    }
    return have + copy_text(dst + have, cap - have, src);
}

int vformat_text(char* dst, size_t cap, const char* fmt, va_list args) {
    if (!dst || cap == 0) return 0;
    int n = std::vsnprintf(dst, cap, fmt, args);
    if (n < 0) {
        dst[0] = 0;
        return 0;
    }
    return n < static_cast<int>(cap) ? n : static_cast<int>(cap) - 1;
}

int format_text(char* dst, size_t cap, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    int n = vformat_text(dst, cap, fmt, args);
    va_end(args);
    return n;
}

// ------------------------------------------------------------ randomness

// A 64-bit linear congruential generator (Knuth's MMIX constants), high bits
// taken: the same sequence on every machine for a given seed.
static uint64_t random_state = 0x853c49e6748fea9bULL;

void seed_random(uint32_t seed) { random_state = (uint64_t(seed) << 16) ^ 0x5DEECE66DULL ^ seed; }

void seed_random_from_clock() {
    if (const char* s = test_seam("KSM_TEST_SEED")) {
        seed_random(static_cast<uint32_t>(std::strtoul(s, nullptr, 10)));
        return;
    }
    auto now = std::chrono::system_clock::now().time_since_epoch();
    seed_random(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
}

int ksm_rand() {
    random_state = random_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((random_state >> 33) & 0x7fffffff);
}

const char* test_seam(const char* name) {
    const char* v = std::getenv(name);
    return (v && *v) ? v : nullptr;
}
