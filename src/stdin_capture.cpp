#include "stdin_capture.h"

#include <cstring>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "director/commands.h"

namespace vantrelpad {

namespace {

// Bytes asked of standard input per read; large reads keep a big pipe cheap.
constexpr std::size_t kReadBytes = 64 * 1024;

// The longest insert command a piece can give: every byte escaped.
constexpr std::size_t kMaxInsertBytes = kInsertPrefix.size() + kMaxEscapeBytes * kMaxPieceBytes;

// The bytes that stop a plain run: the escaped ones, and NUL, which is
// dropped.
bool is_special(char byte) { return byte == '\0' || !escape_sequence(byte).empty(); }

// How many of the first count bytes at text precede the first special one.
// Nearly all piped text is plain, so it is scanned sixteen bytes at a step
// where the build targets SSE2 (every x86-64 build), and a byte at a time
// elsewhere (the 32-bit Windows build keeps to plain x86).
std::size_t plain_run_length(const char* text, std::size_t count) {
    std::size_t length = 0;
#ifdef __SSE2__
    const __m128i nul = _mm_setzero_si128();
    const __m128i line_feed = _mm_set1_epi8('\n');
    const __m128i carriage_return = _mm_set1_epi8('\r');
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; length + sizeof(__m128i) <= count; length += sizeof(__m128i)) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + length));
        const __m128i special = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, nul), _mm_cmpeq_epi8(bytes, line_feed)),
            _mm_or_si128(_mm_cmpeq_epi8(bytes, carriage_return), _mm_cmpeq_epi8(bytes, backslash)));
        const int mask = _mm_movemask_epi8(special);
        if (mask != 0) {
            return length + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
    }
#endif
    while (length < count && !is_special(text[length])) {
        ++length;
    }
    return length;
}

// Turns the input bytes into pieces and each piece into an insert command,
// written straight into the command list.
class PieceCutter {
  public:
    explicit PieceCutter(CommandList& commands) : commands_(commands) {}

    void take(const char* bytes, std::size_t count) {
        const char* const end = bytes + count;
        while (bytes < end) {
            if (carriage_return_pending_) {
                if (*bytes == '\0') {
                    ++bytes;
                    continue;
                }
                carriage_return_pending_ = false;
                if (*bytes != '\n') {
                    add_escaped('\r');
                }
            }
            if (command_ == nullptr) {
                start_piece();
            }
            const std::size_t room = kMaxPieceBytes - piece_bytes_;
            const std::size_t left = static_cast<std::size_t>(end - bytes);
            const std::size_t run = plain_run_length(bytes, room < left ? room : left);
            std::memcpy(command_ + command_bytes_, bytes, run);
            command_bytes_ += run;
            piece_bytes_ += run;
            bytes += run;
            if (piece_bytes_ == kMaxPieceBytes) {
                end_piece();
            } else if (bytes < end) {
                take_special(*bytes++);
            }
        }
    }

    void finish() {
        if (carriage_return_pending_) {
            carriage_return_pending_ = false;
            add_escaped('\r');
        }
        if (piece_bytes_ > 0) {
            end_piece();
        }
    }

  private:
    void take_special(char byte) {
        if (byte == '\r') {
            // Dropped before a line feed, kept before anything else; NUL
            // bytes in between do not count.
            carriage_return_pending_ = true;
        } else if (byte != '\0') {
            add_escaped(byte);
        }
    }

    void add_escaped(char byte) {
        if (command_ == nullptr) {
            start_piece();
        }
        const std::string_view escape = escape_sequence(byte);
        std::memcpy(command_ + command_bytes_, escape.data(), escape.size());
        command_bytes_ += escape.size();
        ++piece_bytes_;
        if (byte == '\n' || piece_bytes_ == kMaxPieceBytes) {
            end_piece();
        }
    }

    void start_piece() {
        command_ = commands_.begin_command(kMaxInsertBytes);
        std::memcpy(command_, kInsertPrefix.data(), kInsertPrefix.size());
        command_bytes_ = kInsertPrefix.size();
        piece_bytes_ = 0;
    }

    void end_piece() {
        commands_.end_command(command_bytes_);
        command_ = nullptr;
        piece_bytes_ = 0;
    }

    CommandList& commands_;
    // The insert command being written, or null between pieces.
    char* command_ = nullptr;
    std::size_t command_bytes_ = 0;
    // Input bytes in the piece so far, each escape counting as one.
    std::size_t piece_bytes_ = 0;
    bool carriage_return_pending_ = false;
};

}  // namespace

void capture_stdin(CommandList& commands, Runtime& runtime) {
    const std::unique_ptr<char[]> buffer(new char[kReadBytes]);
    PieceCutter cutter(commands);
    while (const std::size_t count = runtime.read_stdin(buffer.get(), kReadBytes)) {
        cutter.take(buffer.get(), count);
    }
    cutter.finish();
}

}  // namespace vantrelpad
