// The ordered list of director commands that one run builds and delivers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantrelpad {

// Commands are only ever appended and are read front to back, so they are
// packed one after another into large blocks, each behind a 4-byte length.
// Piped input of hundreds of MiB becomes hundreds of thousands of short
// "insert:" commands; a string object per command would cost more memory
// than the text itself, and a single growing buffer would need twice the
// input at every reallocation.
class CommandList {
  public:
    class Iterator;

    void append(std::string_view command);

    // Writes a command in place: room for at most max_bytes of it, to be
    // ended by end_command with the bytes actually written. Nothing else may
    // be appended in between.
    char* begin_command(std::size_t max_bytes);
    void end_command(std::size_t bytes);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    Iterator begin() const;
    Iterator end() const;

  private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t used = 0;
        std::size_t capacity = 0;
    };

    // Big enough that block slack and per-block bookkeeping stay small, small
    // enough that the last, partly filled block does not matter.
    static constexpr std::size_t kBlockBytes = 256 * 1024;
    static constexpr std::size_t kHeaderBytes = sizeof(std::uint32_t);

    std::vector<Block> blocks_;
    std::size_t count_ = 0;

    friend class Iterator;
};

class CommandList::Iterator {
  public:
    std::string_view operator*() const;
    Iterator& operator++();
    bool operator==(const Iterator& other) const {
        return block_ == other.block_ && offset_ == other.offset_;
    }
    bool operator!=(const Iterator& other) const { return !(*this == other); }

  private:
    friend class CommandList;
    Iterator(const CommandList* list, std::size_t block, std::size_t offset);
    void skip_finished_blocks();

    const CommandList* list_;
    std::size_t block_;
    std::size_t offset_;
};

}  // namespace vantrelpad
