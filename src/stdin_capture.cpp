#include "stdin_capture.h"

#include <memory>
#include <string>

#include "director/commands.h"

namespace vantrelpad {

namespace {

// Bytes asked of standard input per read; large reads keep a big pipe cheap.
constexpr std::size_t kReadBytes = 64 * 1024;

// Turns the input bytes into pieces and the pieces into insert commands.
class PieceCutter {
  public:
    explicit PieceCutter(CommandList& commands) : commands_(commands) { start_piece(); }

    void take(const char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            take(bytes[i]);
        }
    }

    void finish() {
        if (carriage_return_pending_) {
            carriage_return_pending_ = false;
            add('\r');
        }
        if (piece_bytes_ > 0) {
            end_piece();
        }
    }

  private:
    void take(char byte) {
        if (byte == '\0') {
            return;
        }
        if (carriage_return_pending_) {
            carriage_return_pending_ = false;
            if (byte != '\n') {
                add('\r');
            }
        }
        if (byte == '\r') {
            carriage_return_pending_ = true;
            return;
        }
        add(byte);
    }

    void add(char byte) {
        append_escaped(std::string_view(&byte, 1), command_);
        ++piece_bytes_;
        if (byte == '\n' || piece_bytes_ == kMaxPieceBytes) {
            end_piece();
        }
    }

    void start_piece() {
        command_.assign(kInsertPrefix);
        piece_bytes_ = 0;
    }

    void end_piece() {
        commands_.append(command_);
        start_piece();
    }

    CommandList& commands_;
    std::string command_;
    std::size_t piece_bytes_ = 0;
    // A carriage return waits for the next byte that is not NUL: before a
    // line feed it is dropped, before anything else it stays.
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
