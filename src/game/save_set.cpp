// The save set: staged writes, the manifest switch, the journal of in-place
// writes, and the completion or removal of what an interrupted save left.
#include "game/save_set.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/debug_log.h"
#include "game/turn_state.h"

namespace {

constexpr char MANIFEST_MAGIC[8] = {'K', 'S', 'M', 'S', 'E', 'T', '0', '1'};
constexpr char JOURNAL_MAGIC[8] = {'K', 'S', 'M', 'J', 'R', 'N', '0', '1'};

struct JournalHead {
    char name[32];
    int64_t offset;
    int64_t size;
    int64_t new_size;  // -1: the file keeps its size
};
static_assert(sizeof(JournalHead) == 56);

// A file of the commit, already written beside the old one.
struct PendingFile {
    std::string name;
    long long size = 0;
    uint32_t sum = 0;
    bool adopted = false;  // a finished temporary taken as it is: size only
    bool repair = false;   // the old copy never becomes the previous one
};

struct PendingPatch {
    std::string name;
    long long offset = 0;
    std::vector<uint8_t> bytes;
    long long new_size = -1;
};

struct Commit {
    int depth = 0;
    bool spoiled = false;
    std::string folder;
    bool listed = false;  // the folder had a manifest when the commit began
    SaveManifest manifest{};
    std::vector<PendingFile> files;
    std::vector<PendingPatch> patches;
};

Commit commit;
std::string failed_file;
// The folder whose leftovers were last looked at; a failed completion
// makes the next commit look again.
std::string recovered_folder;
bool recovery_needed = true;

std::string current_folder_path() {
    std::string folder;
    if (install_folder[0]) {
        folder = install_folder;
        folder += '/';
    }
    folder += character_name;
    return folder;
}

std::string in_folder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

bool ends_with_no_case(const std::string& text, const char* tail) {
    const size_t n = std::strlen(tail);
    return text.size() >= n && compare_no_case(std::string_view(text).substr(text.size() - n), tail) == 0;
}

// Backups have no previous copy of their own, nor has the record (its
// backups are that), the big store of local maps or the journal.
bool keeps_previous(const std::string& name) {
    if (ends_with_no_case(name, ".KMS") || ends_with_no_case(name, ".BAK")) return false;
    if (name.size() >= 4 && compare_no_case(std::string_view(name).substr(name.size() - 4, 3), ".BK") == 0)
        return false;
    return compare_no_case(name, "ZOOMMAPS.DAT") != 0 && compare_no_case(name, SAVE_JOURNAL_FILE) != 0;
}

uint32_t manifest_sum(const SaveManifest& m) {
    SaveManifest copy = m;
    copy.header.sum = 0;
    return crc32_of(&copy, sizeof copy);
}

SaveSetEntry* find_entry(SaveManifest& m, const std::string& name) {
    for (uint32_t i = 0; i < m.header.entry_count; ++i)
        if (compare_no_case(m.entry[i].name, name) == 0) return &m.entry[i];
    return nullptr;
}

SaveSetEntry* add_entry(SaveManifest& m, const std::string& name) {
    if (SaveSetEntry* e = find_entry(m, name)) return e;
    if (m.header.entry_count >= uint32_t(SAVE_SET_ENTRIES) || name.size() >= sizeof(SaveSetEntry::name))
        return nullptr;
    SaveSetEntry& e = m.entry[m.header.entry_count++];
    std::memset(&e, 0, sizeof e);
    copy_text(e.name, sizeof e.name, name.c_str());
    return &e;
}

void remove_entry(SaveManifest& m, const std::string& name) {
    for (uint32_t i = 0; i < m.header.entry_count; ++i) {
        if (compare_no_case(m.entry[i].name, name) != 0) continue;
        for (uint32_t k = i + 1; k < m.header.entry_count; ++k) m.entry[k - 1] = m.entry[k];
        --m.header.entry_count;
        std::memset(&m.entry[m.header.entry_count], 0, sizeof(SaveSetEntry));
        return;
    }
}

bool write_manifest(const std::string& folder, SaveManifest& m) {
    std::memcpy(m.header.magic, MANIFEST_MAGIC, sizeof MANIFEST_MAGIC);
    m.header.sum = 0;
    m.header.sum = manifest_sum(m);
    return write_file_atomic(in_folder(folder, SAVE_MANIFEST_FILE), &m, sizeof m);
}

// Reads a file in blocks for its sum; false when it can't be read whole.
bool sum_of_file(const std::string& path, long long* size, uint32_t* sum) {
    FILE* f = open_file_ci(path, "rb");
    if (!f) return false;
    static std::vector<uint8_t> block(1u << 20);
    uint32_t crc = 0;
    long long total = 0;
    bool ok = true;
    for (;;) {
        const size_t n = std::fread(block.data(), 1, block.size(), f);
        crc = crc32_of(block.data(), n, crc);
        total += (long long)n;
        if (n < block.size()) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (ok) {
        *size = total;
        *sum = crc;
    }
    return ok;
}

bool journal_bytes(const std::vector<PendingPatch>& patches, std::vector<uint8_t>& out) {
    out.assign(JOURNAL_MAGIC, JOURNAL_MAGIC + 8);
    uint8_t count[8] = {};
    put_le32(count, uint32_t(patches.size()));
    out.insert(out.end(), count, count + 8);
    for (const PendingPatch& p : patches) {
        JournalHead h{};
        if (p.name.size() >= sizeof h.name) return false;
        copy_text(h.name, sizeof h.name, p.name.c_str());
        h.offset = p.offset;
        h.size = int64_t(p.bytes.size());
        h.new_size = p.new_size;
        const auto* hb = reinterpret_cast<const uint8_t*>(&h);
        out.insert(out.end(), hb, hb + sizeof h);
        out.insert(out.end(), p.bytes.begin(), p.bytes.end());
    }
    return true;
}

// Applies a journal; every field is checked before it is used.
bool apply_journal(const std::string& folder, const std::vector<uint8_t>& j) {
    if (j.size() < 16 || std::memcmp(j.data(), JOURNAL_MAGIC, 8) != 0) return false;
    const uint32_t count = get_le32(&j[8]);
    size_t at = 16;
    bool ok = true;
    for (uint32_t i = 0; i < count; ++i) {
        if (j.size() - at < sizeof(JournalHead)) return false;
        JournalHead h;
        std::memcpy(&h, &j[at], sizeof h);
        at += sizeof h;
        if (h.size < 0 || h.offset < 0 || uint64_t(h.size) > j.size() - at) return false;
        h.name[sizeof h.name - 1] = 0;
        if (h.name[0] == 0 || std::strchr(h.name, '/') || std::strstr(h.name, "..")) return false;
        const std::string path = resolve_path_ci(in_folder(folder, h.name));
        ok = write_file_at(path, h.offset, &j[at], size_t(h.size), h.new_size) && ok;
        at += size_t(h.size);
    }
    return ok;
}

void drop_staged(const Commit& c) {
    for (const PendingFile& f : c.files) remove_file(in_folder(c.folder, staged_name(f.name.c_str())));
    if (!c.patches.empty()) remove_file(in_folder(c.folder, SAVE_JOURNAL_FILE));
}

PendingFile* pending_file(const std::string& name) {
    for (PendingFile& f : commit.files)
        if (compare_no_case(f.name, name) == 0) return &f;
    return nullptr;
}

bool fail(const std::string& name) {
    failed_file = name;
    commit.spoiled = true;
    return false;
}

// The new size of a file after the patches, starting from its size on disk.
long long size_after_patches(const std::string& folder, const std::string& name,
                             const std::vector<PendingPatch>& patches) {
    long long size = file_size(resolve_path_ci(in_folder(folder, name)));
    if (size < 0) size = 0;
    for (const PendingPatch& p : patches) {
        if (compare_no_case(p.name, name) != 0) continue;
        const long long end = p.offset + (long long)p.bytes.size();
        if (end > size) size = end;
        if (p.new_size >= 0) size = p.new_size;
    }
    return size;
}

// Moves the staged copy of an entry into place, the old copy to the
// previous generation's place when the switch says so and it is still the
// copy the manifest vouches for (`verified`: already checked).
bool move_into_place(const std::string& folder, const SaveSetEntry& e, bool verified) {
    const std::string target = resolve_path_ci(in_folder(folder, e.name));
    const std::string staged = in_folder(folder, staged_name(e.name));
    if ((e.flags & SET_ROTATE) && (e.flags & SET_PREV) && path_exists(target) &&
        (verified || file_matches(target, e.prev_size, e.prev_sum))) {
        if (!rename_file(target, in_folder(folder, previous_name(e.name)))) return false;
    }
    return rename_file(staged, target);
}

}  // namespace

std::string staged_name(const char* name) { return std::string(".") + name + ".next"; }
std::string previous_name(const char* name) { return std::string(".") + name + ".prev"; }

namespace {

// The files whose sums this program has read, by what the file system
// tells of them: a file whose inode, size and change times are as they were
// holds the same bytes (every write, cut or rename over it moves its change
// time), so an unchanged file is not read again at every save. The clock
// of those times is coarse: only a file last changed more than a second
// before its sum was taken is remembered, so that a change after that can't
// fall on the same tick.
struct KnownFile {
    std::string path;
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified, changed;
    uint32_t sum;
};
std::vector<KnownFile> known_files;

bool same_time(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool same_file(const KnownFile& k, const struct stat& st) {
    return k.device == st.st_dev && k.inode == st.st_ino && k.size == st.st_size && same_time(k.modified, st.st_mtim) &&
           same_time(k.changed, st.st_ctim);
}

}  // namespace

bool file_matches(const std::string& path, long long size, uint32_t sum) {
    const std::string real = resolve_path_ci(path);
    struct stat before;
    if (::stat(real.c_str(), &before) != 0 || !S_ISREG(before.st_mode) || before.st_size != size) return false;
    auto known = std::find_if(known_files.begin(), known_files.end(), [&](const KnownFile& k) { return k.path == real; });
    if (known != known_files.end() && same_file(*known, before)) return known->sum == sum;
    long long got = 0;
    uint32_t crc = 0;
    if (!sum_of_file(real, &got, &crc) || got != size) return false;
    // Kept only when nothing touched the file while it was read.
    struct stat after;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (::stat(real.c_str(), &after) == 0 && after.st_ino == before.st_ino && after.st_size == before.st_size &&
        same_time(after.st_mtim, before.st_mtim) && same_time(after.st_ctim, before.st_ctim) &&
        before.st_ctim.tv_sec + 1 < now.tv_sec) {
        const KnownFile k{real, before.st_dev, before.st_ino, before.st_size, before.st_mtim, before.st_ctim, crc};
        if (known != known_files.end()) *known = k;
        else known_files.push_back(k);
    }
    return crc == sum;
}

bool read_save_manifest_in(const std::string& folder, SaveManifest& out) {
    SaveManifest m;
    if (!read_file_exact(resolve_path_ci(in_folder(folder, SAVE_MANIFEST_FILE)), &m, sizeof m)) return false;
    if (std::memcmp(m.header.magic, MANIFEST_MAGIC, sizeof MANIFEST_MAGIC) != 0) return false;
    if (m.header.entry_count > uint32_t(SAVE_SET_ENTRIES) || manifest_sum(m) != m.header.sum) return false;
    for (uint32_t i = 0; i < m.header.entry_count; ++i) {
        if (strnlen(m.entry[i].name, sizeof m.entry[i].name) == sizeof m.entry[i].name) return false;
        if (m.entry[i].size < 0 || m.entry[i].prev_size < 0) return false;
    }
    out = m;
    return true;
}

bool read_save_manifest(SaveManifest& out) { return read_save_manifest_in(current_folder_path(), out); }

bool save_set_entry(const char* name, SaveSetEntry& out) {
    SaveManifest m;
    if (!read_save_manifest(m)) return false;
    const SaveSetEntry* e = find_entry(m, name);
    if (!e) return false;
    out = *e;
    return true;
}

// ------------------------------------------------------------ writing

bool save_commit_open() { return commit.depth > 0; }
bool save_commit_spoiled() { return commit.depth > 0 && commit.spoiled; }
const std::string& save_commit_failed_file() { return failed_file; }

void begin_save_commit() {
    if (commit.depth++ > 0) return;
    commit.spoiled = false;
    commit.folder = current_folder_path();
    commit.files.clear();
    commit.patches.clear();
    failed_file.clear();
    if (recovery_needed || recovered_folder != commit.folder) {
        // A switch that could not be completed must be finished before a
        // new one may stage files of the same names.
        if (!recover_save_set(commit.folder)) {
            fail(SAVE_MANIFEST_FILE);
            return;
        }
    }
    commit.listed = read_save_manifest_in(commit.folder, commit.manifest);
}

void abandon_save_commit() {
    if (commit.depth == 0) return;
    commit.depth = 0;
    commit = Commit{};
}

namespace {
bool stage_file(const char* name, const void* data, size_t size, bool repair);
}

bool write_character_file(const char* name, const void* data, size_t size) {
    return stage_file(name, data, size, false);
}

bool repair_character_file(const char* name, const void* data, size_t size) {
    return stage_file(name, data, size, true);
}

namespace {

bool stage_file(const char* name, const void* data, size_t size, bool repair) {
    const bool own = commit.depth == 0;
    if (own) begin_save_commit();
    if (commit.spoiled) {
        if (own) end_save_commit();
        return false;
    }
    // Written beside the old file at once (a second write of the same
    // name replaces the first); the old one stays until the switch. A file
    // whose save already holds these very bytes is left as it is.
    const std::string target = resolve_path_ci(in_folder(commit.folder, name));
    const uint32_t sum = crc32_of(data, size);
    const SaveSetEntry* old = commit.listed ? find_entry(commit.manifest, name) : nullptr;
    if (old && (old->flags & SET_SUM) && old->size == (long long)size && old->sum == sum &&
        file_matches(target, old->size, old->sum)) {
        for (size_t i = 0; i < commit.files.size(); ++i) {
            if (compare_no_case(commit.files[i].name, name) != 0) continue;
            remove_file(in_folder(commit.folder, staged_name(name)));
            commit.files.erase(commit.files.begin() + long(i));
            break;
        }
        return own ? end_save_commit() : true;
    }
    // The staged name is made durable with the others, once, before the
    // switch.
    if (is_folder(target) ||
        !write_file_unsynced(in_folder(commit.folder, staged_name(name)), data, size)) {
        fail(name);
        if (own) end_save_commit();
        return false;
    }
    PendingFile* f = pending_file(name);
    if (!f) {
        commit.files.push_back(PendingFile{name, 0, 0, false, false});
        f = &commit.files.back();
    }
    f->size = (long long)size;
    f->sum = sum;
    f->adopted = false;
    f->repair = repair;
    return own ? end_save_commit() : true;
}

}  // namespace

bool adopt_character_file(const char* name, const std::string& temporary) {
    if (commit.depth == 0 || commit.spoiled) return false;
    const long long size = file_size(temporary);
    if (size < 0 || !rename_file(temporary, in_folder(commit.folder, staged_name(name)))) return fail(name);
    PendingFile* f = pending_file(name);
    if (!f) {
        commit.files.push_back(PendingFile{name, 0, 0, true, false});
        f = &commit.files.back();
    }
    f->size = size;
    f->sum = 0;
    f->adopted = true;
    return true;
}

bool patch_character_file(const char* name, long long offset, const void* data, size_t size, long long new_size) {
    const bool own = commit.depth == 0;
    if (own) begin_save_commit();
    if (commit.spoiled) {
        if (own) end_save_commit();
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    commit.patches.push_back(PendingPatch{name, offset, std::vector<uint8_t>(bytes, bytes + size), new_size});
    return own ? end_save_commit() : true;
}

bool pending_patch_bytes(const char* name, long long offset, void* data, size_t size) {
    if (commit.depth == 0) return false;
    for (auto p = commit.patches.rbegin(); p != commit.patches.rend(); ++p) {
        if (compare_no_case(p->name, name) != 0) continue;
        if (p->offset <= offset && offset + (long long)size <= p->offset + (long long)p->bytes.size()) {
            std::memcpy(data, p->bytes.data() + (offset - p->offset), size);
            return true;
        }
    }
    return false;
}

bool end_save_commit() {
    if (commit.depth == 0) return false;
    if (--commit.depth > 0) return !commit.spoiled;
    Commit c = std::move(commit);
    commit = Commit{};
    if (c.spoiled) {
        drop_staged(c);
        return false;
    }
    if (c.files.empty() && c.patches.empty()) return true;
    const std::string& folder = c.folder;
    auto failed = [&](const std::string& name) {
        failed_file = name;
        drop_staged(c);
        return false;
    };

    // 1. The new files are beside the old ones already, each flushed; their
    // names are made durable here, once for all of them.
    if (!c.files.empty()) sync_folder(folder);
    std::vector<uint8_t> journal;
    if (!c.patches.empty()) {
        if (!journal_bytes(c.patches, journal)) return failed(c.patches.front().name);
        if (!write_file_atomic(in_folder(folder, SAVE_JOURNAL_FILE), journal.data(), journal.size()))
            return failed(SAVE_JOURNAL_FILE);
    }

    // 2. The manifest of the new generation.
    SaveManifest m;
    if (!read_save_manifest_in(folder, m)) std::memset(&m, 0, sizeof m);
    const uint32_t generation = m.header.generation + 1;
    m.header.generation = generation;
    remove_entry(m, SAVE_JOURNAL_FILE);
    for (uint32_t i = 0; i < m.header.entry_count; ++i) m.entry[i].flags &= ~SET_ROTATE;
    std::vector<bool> verified;
    for (const PendingFile& f : c.files) {
        SaveSetEntry* e = add_entry(m, f.name);
        if (!e) return failed(f.name);
        const std::string target = resolve_path_ci(in_folder(folder, f.name));
        // The old copy becomes the previous generation only when it is the
        // whole file the old manifest vouched for: a damaged file never
        // takes the place of a good previous copy.
        bool rotate = false;
        if (!f.repair && keeps_previous(f.name) && (e->flags & SET_SUM) && file_matches(target, e->size, e->sum)) {
            rotate = true;
            e->prev_size = e->size;
            e->prev_sum = e->sum;
            e->flags |= SET_PREV | SET_ROTATE;
        }
        verified.push_back(rotate);
        e->size = f.size;
        e->sum = f.sum;
        if (f.adopted)
            e->flags = (e->flags & ~SET_SUM) | SET_SIZE_ONLY;
        else
            e->flags = (e->flags & ~SET_SIZE_ONLY) | SET_SUM;
        e->generation = generation;
    }
    for (const PendingPatch& p : c.patches) {
        SaveSetEntry* e = add_entry(m, p.name);
        if (!e) return failed(p.name);
        e->size = size_after_patches(folder, p.name, c.patches);
        e->sum = 0;
        e->flags = (e->flags & ~(SET_SUM | SET_ROTATE)) | SET_SIZE_ONLY;
        e->generation = generation;
    }
    if (!journal.empty()) {
        SaveSetEntry* e = add_entry(m, SAVE_JOURNAL_FILE);
        if (!e) return failed(SAVE_JOURNAL_FILE);
        e->size = (long long)journal.size();
        e->sum = crc32_of(journal.data(), journal.size());
        e->flags = SET_SUM | SET_JOURNAL;
        e->generation = generation;
    }

    // 3. The switch.
    if (!write_manifest(folder, m)) return failed(SAVE_MANIFEST_FILE);

    // 4. The new files into place. A stop from here on is completed by the
    // next load (or the next commit), so the moves need no flush of their
    // own: the next sync of the folder (the next commit's) carries them.
    bool placed = true;
    for (size_t i = 0; i < c.files.size(); ++i) {
        const SaveSetEntry* e = find_entry(m, c.files[i].name);
        placed = e && move_into_place(folder, *e, verified[i]) && placed;
    }
    if (!journal.empty()) {
        if (apply_journal(folder, journal))
            placed = remove_file(in_folder(folder, SAVE_JOURNAL_FILE)) && placed;
        else
            placed = false;
    }
    if (!placed) {
        recovery_needed = true;
        debug_log("!saves", "a switch was made but its files could not all be moved into place");
    } else {
        recovered_folder = folder;
        recovery_needed = false;
    }
    return true;
}

// ------------------------------------------------------------ reading

FileVerdict judge_character_bytes(const char* name, const void* data, size_t size) {
    return judge_bytes_in(current_folder_path(), name, data, size);
}

FileVerdict judge_bytes_in(const std::string& folder, const char* name, const void* data, size_t size) {
    SaveManifest m;
    if (!read_save_manifest_in(folder, m)) return FileVerdict::Unlisted;
    const SaveSetEntry* found = find_entry(m, name);
    if (!found) return FileVerdict::Unlisted;
    const SaveSetEntry& e = *found;
    if (e.flags & SET_SUM) {
        if ((long long)size != e.size || crc32_of(data, size) != e.sum) return FileVerdict::Damaged;
        return FileVerdict::Good;
    }
    if (e.flags & SET_SIZE_ONLY) return (long long)size == e.size ? FileVerdict::Unlisted : FileVerdict::Damaged;
    return FileVerdict::Unlisted;
}

namespace {

// A buffer for whole files that grows to the largest file read and is used
// again: reading a save's files does not clear megabytes each time.
struct Scratch {
    std::vector<uint8_t> bytes;
    size_t length = 0;
    const uint8_t* data() const { return bytes.data(); }
};
Scratch scratch;

// Reads a whole file of at most max_size bytes into the scratch buffer.
bool read_into_scratch(const std::string& path, size_t max_size) {
    scratch.length = 0;
    FILE* f = open_file_ci(path, "rb");
    if (!f) return false;
    struct stat st;
    if (::fstat(fileno(f), &st) != 0 || st.st_size < 0 || size_t(st.st_size) > max_size) {
        std::fclose(f);
        return false;
    }
    const size_t size = size_t(st.st_size);
    if (scratch.bytes.size() < size + 1) scratch.bytes.resize(size + 1);
    // One byte more than the file holds: a file that grew meanwhile shows.
    const size_t got = std::fread(scratch.bytes.data(), 1, size + 1, f);
    const bool ok = !std::ferror(f) && got == size;
    std::fclose(f);
    if (ok) scratch.length = size;
    return ok;
}

// Reads and judges a file of the folder into the scratch buffer.
FileVerdict read_judged(const char* name, size_t max_size) {
    scratch.length = 0;
    // A file written earlier in the commit under way is read as written.
    if (commit.depth > 0) {
        if (const PendingFile* f = pending_file(name)) {
            const std::string staged = in_folder(commit.folder, staged_name(f->name.c_str()));
            if (f->size > (long long)max_size || !read_into_scratch(staged, max_size)) return FileVerdict::Damaged;
            return FileVerdict::Good;
        }
    }
    const std::string path = resolve_path_ci(in_folder(current_folder_path(), name));
    const long long size = file_size(path);
    if (size < 0) return FileVerdict::Missing;
    if (size > (long long)max_size || !read_into_scratch(path, max_size)) return FileVerdict::Damaged;
    return judge_character_bytes(name, scratch.data(), scratch.length);
}

}  // namespace

FileVerdict read_character_file(const char* name, std::vector<uint8_t>& out, size_t max_size) {
    const FileVerdict v = read_judged(name, max_size);
    if (v == FileVerdict::Good || v == FileVerdict::Unlisted) out.assign(scratch.data(), scratch.data() + scratch.length);
    return v;
}

FileVerdict read_character_file(const char* name, void* data, size_t size) {
    const FileVerdict v = read_judged(name, size);
    if (v != FileVerdict::Good && v != FileVerdict::Unlisted) return v;
    if (scratch.length != size) return FileVerdict::Damaged;
    if (size) std::memcpy(data, scratch.data(), size);
    return v;
}

bool read_previous_copy(const char* name, void* data, size_t size) {
    SaveSetEntry e;
    if (!save_set_entry(name, e) || !(e.flags & SET_PREV) || e.prev_size != (long long)size) return false;
    if (!read_into_scratch(resolve_path_ci(in_folder(current_folder_path(), previous_name(name))), size)) return false;
    if (scratch.length != size || crc32_of(scratch.data(), size) != e.prev_sum) return false;
    if (size) std::memcpy(data, scratch.data(), size);
    return true;
}

const char* verdict_words(FileVerdict v) {
    switch (v) {
    case FileVerdict::Missing: return "missing";
    case FileVerdict::Damaged: return "damaged";
    default: return "whole";
    }
}

GuardedRead read_guarded(const char* name, const char* backup, void* data, size_t size, Plausibility plausible) {
    GuardedRead r;
    auto acceptable = [&](FileVerdict v) {
        if (scratch.length != size) return false;
        if (v == FileVerdict::Good) return true;
        return v == FileVerdict::Unlisted && (plausible == nullptr || plausible(scratch.data(), size));
    };
    r.verdict = read_judged(name, size);
    if (r.verdict == FileVerdict::Unlisted && !acceptable(r.verdict)) r.verdict = FileVerdict::Damaged;
    if ((r.verdict == FileVerdict::Good || r.verdict == FileVerdict::Unlisted) && acceptable(r.verdict)) {
        std::memcpy(data, scratch.data(), size);
        r.source = name;
        return r;
    }
    if (backup) {
        const FileVerdict b = read_judged(backup, size);
        if ((b == FileVerdict::Good || b == FileVerdict::Unlisted) && acceptable(b)) {
            std::memcpy(data, scratch.data(), size);
            r.source = backup;
            return r;
        }
    }
    if (read_previous_copy(name, data, size)) r.source = previous_name(name);
    return r;
}

GuardedRead probe_guarded(const char* name, const char* backup, size_t size, Plausibility plausible) {
    const std::string folder = current_folder_path();
    SaveManifest m;
    const bool listed = read_save_manifest_in(folder, m);
    auto judge = [&](const char* file) {
        const std::string path = resolve_path_ci(in_folder(folder, file));
        const long long on_disk = file_size(path);
        if (on_disk < 0) return FileVerdict::Missing;
        if (on_disk != (long long)size) return FileVerdict::Damaged;
        const SaveSetEntry* e = listed ? find_entry(m, file) : nullptr;
        if (e && (e->flags & SET_SUM))
            return file_matches(path, e->size, e->sum) ? FileVerdict::Good : FileVerdict::Damaged;
        if (!plausible) return FileVerdict::Unlisted;
        if (!read_into_scratch(path, size) || scratch.length != size) return FileVerdict::Damaged;
        return plausible(scratch.data(), size) ? FileVerdict::Unlisted : FileVerdict::Damaged;
    };
    GuardedRead r;
    r.verdict = judge(name);
    if (r.verdict == FileVerdict::Good || r.verdict == FileVerdict::Unlisted) {
        r.source = name;
        return r;
    }
    if (backup) {
        const FileVerdict b = judge(backup);
        if (b == FileVerdict::Good || b == FileVerdict::Unlisted) {
            r.source = backup;
            return r;
        }
    }
    const SaveSetEntry* e = listed ? find_entry(m, name) : nullptr;
    if (e && (e->flags & SET_PREV) && e->prev_size == (long long)size &&
        file_matches(in_folder(folder, previous_name(name)), e->prev_size, e->prev_sum))
        r.source = previous_name(name);
    return r;
}

// ------------------------------------------------------------ load time

bool recover_save_set(const std::string& folder, std::vector<std::string>* told) {
    if (!is_folder(folder.empty() ? "." : folder)) return true;
    SaveManifest m;
    const bool have = read_save_manifest_in(folder, m);
    if (!have && told && path_exists(resolve_path_ci(in_folder(folder, SAVE_MANIFEST_FILE))))
        told->push_back("!SAVESET.DAT, the list of your save's files, was damaged: each file was checked on its own, "
                        "and the next save writes the list anew.");
    bool ok = true;
    int completed = 0, dropped = 0;
    const std::vector<DirEntry> entries = list_matching(in_folder(folder, "*"));
    for (const DirEntry& d : entries) {
        if (d.is_dir || d.name.size() < 7 || d.name[0] != '.') continue;
        if (!ends_with_no_case(d.name, ".next")) continue;
        const std::string target = d.name.substr(1, d.name.size() - 6);
        const std::string staged = in_folder(folder, d.name);
        // Only the newest switch can have left files to move: every earlier
        // one was completed before the next began.
        const SaveSetEntry* e = have ? find_entry(m, target) : nullptr;
        if (e && e->generation != m.header.generation) e = nullptr;
        bool committed = false;
        if (e && (e->flags & SET_SUM)) committed = file_matches(staged, e->size, e->sum);
        else if (e && (e->flags & SET_SIZE_ONLY)) committed = file_size(staged) == e->size;
        if (committed) {
            if (move_into_place(folder, *e, false)) ++completed;
            else ok = false;
        } else {
            ++dropped;
            remove_file(staged);
        }
    }
    const std::string journal = resolve_path_ci(in_folder(folder, SAVE_JOURNAL_FILE));
    if (path_exists(journal)) {
        const SaveSetEntry* e = have ? find_entry(m, SAVE_JOURNAL_FILE) : nullptr;
        std::vector<uint8_t> bytes;
        if (e && (e->flags & SET_JOURNAL) && e->generation == m.header.generation &&
            read_whole_file(journal, bytes, size_t(e->size) + 1) && (long long)bytes.size() == e->size &&
            crc32_of(bytes.data(), bytes.size()) == e->sum) {
            if (apply_journal(folder, bytes) && remove_file(journal)) ++completed;
            else ok = false;
        } else {
            ++dropped;
            remove_file(journal);
        }
    }
    // Temporaries of interrupted writes and of an interrupted maintenance.
    for (const DirEntry& d : entries) {
        if (d.is_dir) continue;
        const bool temporary = d.name[0] == '.' && d.name.size() > 10 &&
                               d.name.compare(d.name.size() - 10, 4, ".tmp") == 0;
        const bool maintenance =
            compare_no_case(d.name, "TEMPINDEX.DAT") == 0 || compare_no_case(d.name, "TEMPMAPS.DAT") == 0;
        if (temporary || maintenance) remove_file(in_folder(folder, d.name));
    }
    sync_folder(folder);
    if (told && completed > 0)
        told->push_back("#Your last save was interrupted after it was made; it has been completed now.");
    if (told && dropped > 0 && completed == 0)
        told->push_back("!Your last save was interrupted before it was complete; the save before it is loaded.");
    if (ok) {
        recovered_folder = folder;
        recovery_needed = false;
    }
    return ok;
}
