// Small platform layer: folders, whole files, byte-exact records, Latin-1
// text, bounded formatting, the random generator and the test seams.
// Every piece of the game that touches a file goes through here.
#pragma once

#include <bit>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "Records are written as they lie in memory; the game needs a little-endian machine");

// A record that goes to disk: trivially copyable, of exactly the given size.
#define KSM_RECORD(Type, bytes)                                                \
    static_assert(std::is_trivially_copyable_v<Type>, #Type " must be plain"); \
    static_assert(sizeof(Type) == (bytes), #Type " must be " #bytes " bytes")
#define KSM_OFFSET(Type, field, at) \
    static_assert(offsetof(Type, field) == (at), #Type "." #field " must lie at " #at)

// ---------------------------------------------------------------- folders

struct DirEntry {
    std::string name;  // the name alone, as it is on disk
    bool is_dir = false;
};

// Names in the pattern's folder that match its last component with the
// wildcard rules of match_wildcards ("*.*" matches every name, also names
// without a dot and folders; case does not matter). "." and ".." are never
// listed. Sorted by name without regard to case.
std::vector<DirEntry> list_matching(const std::string& pattern);

// The folder part of a path ("" for a bare name), with no trailing slash.
std::string folder_of(const std::string& path);

// The path as it exists on disk, each component matched without regard to
// case when there is no exact match ("KSM.FNT" finds "ksm.fnt"). A path that
// does not exist comes back unchanged.
std::string resolve_path_ci(const std::string& path);

// fopen after resolve_path_ci. Modes as fopen's; text is never translated.
FILE* open_file_ci(const std::string& path, const char* mode);

bool path_exists(const std::string& path);
bool is_folder(const std::string& path);
long long file_size(const std::string& path);  // -1 when missing
bool make_folder(const std::string& path);     // true when it exists afterwards
bool remove_folder_tree(const std::string& path);
bool make_writable(const std::string& path);
bool remove_file(const std::string& path);
bool rename_file(const std::string& from, const std::string& to);
std::string current_folder();

// ------------------------------------------------------------ the fault seam

// Tests make file operations fail on purpose, to show what a failed write,
// flush or rename does to the game's files (a full disk, a pulled plug).
// Every write, flush (fsync), rename and removal through this layer counts
// as one operation once the seam is armed; the nth from arming fails, and
// with `and_after` every later one fails too (the program "stops" there:
// nothing more reaches the disk). Inert until armed; the game never arms it.
enum class FileOperation { Write, Flush, Rename, Remove };
void arm_file_fault(int nth, bool and_after = false);
// The program is killed at the nth operation from arming: it and every
// later one fail, and the layer cleans nothing up any more, so temporary
// files stay behind as a real kill would leave them (a write cut at the
// nth operation leaves half its bytes in its temporary file).
void arm_file_stop(int nth);
// The disk fills up at the nth operation from arming: that one, when it is
// a write or a flush, and every later write and flush fail; renames and
// removals still work, as they do on a full disk.
void arm_disk_full(int nth);
// True once a stop armed by arm_file_stop has been reached.
bool file_stop_reached();
void disarm_file_fault();
// Operations counted since the seam was armed (arm with a huge nth to count
// the operations of a run without failing any).
int counted_file_operations();
// The kind of the operation that failed first, and its path ("" if none).
FileOperation failed_file_operation();
const std::string& failed_file_path();
// Counts one operation of the kind on the path; true when it must fail.
// The layer's own writers call it; so does any writer that goes around them.
bool file_operation_fails(FileOperation kind, const std::string& path);

// ------------------------------------------------------------ whole files

// Writes a whole file atomically: a temporary file in the same folder,
// every write checked, flushed, fsynced, then renamed over the target.
// On any failure the old file is left as it was and false is returned.
bool write_file_atomic(const std::string& path, const void* data, size_t size);
bool write_file_atomic(const std::string& path, std::string_view text);
// The same, but the rename is not yet made durable: a writer of several
// files syncs their folder once (sync_folder) before anything relies on
// their names.
bool write_file_unsynced(const std::string& path, const void* data, size_t size);

// Writes bytes in place at `offset` of an existing or new file (created
// when missing), then cuts the file to `new_size` when that is not -1, and
// flushes it to the disk. Counts one write and one flush for the fault seam.
bool write_file_at(const std::string& path, long long offset, const void* data, size_t size,
                   long long new_size = -1);
// Makes the renames and removals of a folder durable.
void sync_folder(const std::string& folder);

// CRC-32 (the common reflected polynomial 0xEDB88320) of a block; pass the
// previous result as `crc` to continue over a following block.
uint32_t crc32_of(const void* data, size_t size, uint32_t crc = 0);

// Reads a whole file of at most max_size bytes. False when missing,
// unreadable or larger than max_size.
bool read_whole_file(const std::string& path, std::vector<uint8_t>& out,
                     size_t max_size = 64u << 20);
bool read_text_file(const std::string& path, std::string& out, size_t max_size = 16u << 20);

// Reads a file that must be exactly `size` bytes long into `data`.
// False (and `data` untouched) when it is missing or of another size.
bool read_file_exact(const std::string& path, void* data, size_t size);

template <class T>
bool read_records(const std::string& path, T* records, size_t count) {
    static_assert(std::is_trivially_copyable_v<T>);
    return read_file_exact(path, records, sizeof(T) * count);
}
template <class T>
bool write_records(const std::string& path, const T* records, size_t count) {
    static_assert(std::is_trivially_copyable_v<T>);
    return write_file_atomic(path, records, sizeof(T) * count);
}

// Little-endian fields in raw byte buffers.
inline uint16_t get_le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t get_le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline int32_t get_le32s(const uint8_t* p) { return int32_t(get_le32(p)); }
inline void put_le16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void put_le32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}

// ------------------------------------------------------------------- text

// Latin-1 case folding on unsigned bytes (Finnish and other Latin-1 letters
// included; 215 and 247 are not letters).
unsigned char latin1_lower(unsigned char c);
unsigned char latin1_upper(unsigned char c);
int compare_no_case(std::string_view a, std::string_view b);  // <0, 0, >0
// Case folding that also folds the font's own a and o with diaeresis (132,
// 142, 148, 153) to Latin-1.
unsigned char fold_upper(unsigned char c);
unsigned char fold_lower(unsigned char c);
// 1 when the text matches the pattern ("*" any run, "?" one character),
// case-insensitively.
int match_wildcards(const char* pattern, const char* text);

// UTF-8 (as SDL text input delivers it) to Latin-1; characters outside
// Latin-1 become '?'. Invalid sequences are taken byte for byte.
std::string utf8_to_latin1(std::string_view utf8);
// True when the bytes hold a well-formed multi-byte UTF-8 sequence, which a
// Latin-1 data file never should.
bool has_utf8_sequence(const void* data, size_t size);

// Bounded copies and formatting into fixed buffers: they always terminate
// and never write past `cap` bytes; longer text is cut. Formats must be
// literals in the code; text from data or the player goes in as "%s".
size_t copy_text(char* dst, size_t cap, const char* src);
size_t append_text(char* dst, size_t cap, const char* src);
int format_text(char* dst, size_t cap, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
int vformat_text(char* dst, size_t cap, const char* fmt, va_list args)
    __attribute__((format(printf, 3, 0)));
template <size_t N>
size_t copy_text(char (&dst)[N], const char* src) { return copy_text(dst, N, src); }
// Copies a fixed-size record field, which need not be terminated: at most
// `field_size` bytes, up to its first zero byte.
size_t copy_field(char* dst, size_t cap, const char* field, size_t field_size);

// ------------------------------------------------------------ randomness

constexpr int KSM_RAND_MAX = 0x7fffffff;
// Seeds the generator from the clock, or from KSM_TEST_SEED when it is set.
void seed_random_from_clock();
void seed_random(uint32_t seed);
int ksm_rand();  // 0 .. KSM_RAND_MAX

// ------------------------------------------------------------ test seams

// The value of a test-seam environment variable, or nullptr when unset or
// empty. The seams are KSM_TEST_KEYS, KSM_TEST_SCREENSHOT, KSM_TEST_SEED and
// KSM_TEST_SCENE.
const char* test_seam(const char* name);
