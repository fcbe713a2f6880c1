#include "director/command_list.h"

#include <cstring>
#include <limits>
#include <new>

namespace vantrelpad {

void CommandList::append(std::string_view command) {
    char* bytes = begin_command(command.size());
    if (!command.empty()) {
        std::memcpy(bytes, command.data(), command.size());
    }
    end_command(command.size());
}

char* CommandList::begin_command(std::size_t max_bytes) {
    if (max_bytes > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();  // no window message can carry it either
    }
    const std::size_t needed = kHeaderBytes + max_bytes;
    if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < needed) {
        Block block;
        block.capacity = needed > kBlockBytes ? needed : kBlockBytes;
        block.bytes.reset(new char[block.capacity]);
        blocks_.push_back(std::move(block));
    }
    Block& block = blocks_.back();
    return block.bytes.get() + block.used + kHeaderBytes;
}

void CommandList::end_command(std::size_t bytes) {
    Block& block = blocks_.back();
    const auto length = static_cast<std::uint32_t>(bytes);
    std::memcpy(block.bytes.get() + block.used, &length, kHeaderBytes);
    block.used += kHeaderBytes + bytes;
    ++count_;
}

CommandList::Iterator CommandList::begin() const { return Iterator(this, 0, 0); }

CommandList::Iterator CommandList::end() const { return Iterator(this, blocks_.size(), 0); }

CommandList::Iterator::Iterator(const CommandList* list, std::size_t block, std::size_t offset)
    : list_(list), block_(block), offset_(offset) {
    skip_finished_blocks();
}

void CommandList::Iterator::skip_finished_blocks() {
    while (block_ < list_->blocks_.size() && offset_ >= list_->blocks_[block_].used) {
        ++block_;
        offset_ = 0;
    }
}

std::string_view CommandList::Iterator::operator*() const {
    const char* at = list_->blocks_[block_].bytes.get() + offset_;
    std::uint32_t length = 0;
    std::memcpy(&length, at, kHeaderBytes);
    return std::string_view(at + kHeaderBytes, length);
}

CommandList::Iterator& CommandList::Iterator::operator++() {
    offset_ += kHeaderBytes + (**this).size();
    skip_finished_blocks();
    return *this;
}

}  // namespace vantrelpad
