#include "base/files.h"

#include <cmath>
#include <cstring>

#include <sys/types.h>

#include "base/platform.h"
#include "base/text_ring.h"

// ------------------------------------------------------------------ files

void delete_files_matching(const std::string& pattern) {
    std::string folder = resolve_path_ci(folder_of(pattern));
    for (const DirEntry& e : list_matching(pattern)) {
        if (e.is_dir) continue;
        std::string path = folder.empty() ? e.name : folder + "/" + e.name;
        make_writable(path);
        remove_file(path);
    }
}

int file_exists(const std::string& pattern) { return list_matching(pattern).empty() ? 0 : 1; }

bool directory_exists(const std::string& pattern) {
    for (const DirEntry& e : list_matching(pattern))
        if (e.is_dir) return true;
    return false;
}

int copy_file(const std::string& source, const std::string& destination) {
    FILE* in = open_file_ci(source, "rb");
    if (!in) return -1;
    FILE* out = std::fopen(destination.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return -1;
    }
    char block[1000];
    int result = 0;
    for (;;) {
        size_t n = std::fread(block, 1, sizeof block, in);
        if (n > 0 && std::fwrite(block, 1, n, out) != n) result = -1;
        if (n < sizeof block) break;
    }
    if (std::ferror(in)) result = -1;
    std::fclose(in);
    if (std::fclose(out) != 0) result = -1;
    return result;
}

namespace {

// Reads on to the end of the current line (its line break included), a
// block at a time, then steps back to just after the line break.
void skip_rest_of_line(FILE* file) {
    const off_t start = ftello(file);
    if (start < 0) {
        // A stream that can't step back: a character at a time.
        int c;
        while ((c = getc_unlocked(file)) != EOF && c != '\n') {
        }
        return;
    }
    static char block[1 << 16];
    off_t at = start;
    for (;;) {
        const size_t n = std::fread(block, 1, sizeof block, file);
        if (n == 0) return;
        if (const void* nl = std::memchr(block, '\n', n)) {
            fseeko(file, at + off_t(static_cast<const char*>(nl) - block + 1), SEEK_SET);
            return;
        }
        at += off_t(n);
        if (n < sizeof block) return;
    }
}

}  // namespace

char* read_data_line(char* buffer, int size, FILE* file) {
    if (!buffer || size < 2 || !file) return nullptr;
    for (;;) {
        if (!std::fgets(buffer, size, file)) return nullptr;
        size_t len = std::strlen(buffer);
        bool complete = len > 0 && buffer[len - 1] == '\n';
        if (!complete && len == static_cast<size_t>(size - 1)) {
            int c = std::fgetc(file);
            if (c != EOF) {
                // Longer than the buffer: drop the whole line rather than
                // hand its tail back as a line of its own. The rest is
                // skipped a block at a time, as fast as the file reads.
                bool comment = (buffer[0] == '/' && buffer[1] == '/') || (buffer[0] == '#' && buffer[1] == '#');
                if (!comment)
                    std::fprintf(stderr, "Data line longer than %d characters skipped: %.40s...\n", size - 1, buffer);
                if (c != '\n') skip_rest_of_line(file);
                continue;
            }
        }
        if (char* lf = std::strrchr(buffer, '\n')) *lf = 0;
        if (char* cr = std::strrchr(buffer, '\r')) *cr = 0;
        if ((buffer[0] == '/' && buffer[1] == '/') || (buffer[0] == '#' && buffer[1] == '#')) continue;
        return buffer;
    }
}

// ---------------------------------------------------------------- strings

char* escape_high_bytes(const char* text) {
    char* out = next_ring_text();
    size_t n = 0;
    for (const char* p = text; p && *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 128) {
            if (n + 4 >= TEXT_RING_BYTES) break;
            format_text(out + n, TEXT_RING_BYTES - n, "0x%02x", c);
            n += 4;
        } else {
            if (n + 1 >= TEXT_RING_BYTES) break;
            out[n++] = static_cast<char>(c);
        }
    }
    out[n] = 0;
    return out;
}

const char* last_word(const char* text) {
    const char* blank = std::strrchr(text, ' ');
    return blank ? blank + 1 : text;
}

char* first_word(const char* text) {
    char* out = next_ring_text();
    const char* blank = std::strchr(text, ' ');
    if (!blank || blank == text) {
        copy_text(out, TEXT_RING_BYTES, text);
    } else {
        size_t n = static_cast<size_t>(blank - text);
        if (n >= TEXT_RING_BYTES) n = TEXT_RING_BYTES - 1;
        std::memcpy(out, text, n);
        out[n] = 0;
    }
    return out;
}

const char* last_two_words(const char* text) {
    size_t len = std::strlen(text);
    int blanks = 0;
    for (size_t i = len; i-- > 1;) {  // the first character is never a blank here
        if (text[i] == ' ' && ++blanks == 2) return text + i + 1;
    }
    return text;
}

void pad_left_4(char* text, size_t cap) {
    size_t len = std::strlen(text);
    if (len >= 4 || cap < 5) return;
    size_t pad = 4 - len;
    std::memmove(text + pad, text, len + 1);
    std::memset(text, ' ', pad);
}

char* key_char_text(int key) {
    char* out = next_ring_text();
    if (key == 32) copy_text(out, TEXT_RING_BYTES, "SPACE");
    else if (key == 1072) out[0] = 24;
    else if (key == 1080) out[0] = 25;
    else if (key > 0 && key < 256) out[0] = static_cast<char>(key);
    return out;
}


TokenizerState tokenizer;

void tokenizer_begin(const char* text, const char* delimiters) {
    copy_text(tokenizer.text, sizeof tokenizer.text, text);
    copy_text(tokenizer.delimiters, sizeof tokenizer.delimiters, delimiters);
    tokenizer.last_token = nullptr;
    tokenizer.count = 0;
}

// ---------------------------------------------------------- random numbers

int random_below(int n) {
    if (n <= 0) return 0;
    int first = ksm_rand() % n;
    int r = first;
    for (int redraw = 0; redraw < 10; ++redraw) {
        r = ksm_rand() % n;
        if (r != first) break;
    }
    return r;
}

const char* random_choice(const char* const* texts) {
    static char buffer[1024];
    int count = 0;
    while (count < 100 && texts[count] && texts[count][0]) ++count;
    if (count == 0) {
        buffer[0] = 0;
        return buffer;
    }
    copy_text(buffer, sizeof buffer, texts[random_below(count)]);
    return buffer;
}

int direction_from_angle(double degrees) {
    double d = std::floor(degrees);
    if (d >= 23 && d <= 67) return 7;
    if (d >= 68 && d <= 112) return 6;
    if (d >= 113 && d <= 157) return 5;
    if (d >= 158 && d <= 202) return 4;
    if (d >= 203 && d <= 247) return 3;
    if (d >= 248 && d <= 292) return 2;
    if (d >= 293 && d <= 337) return 1;
    return 0;
}
