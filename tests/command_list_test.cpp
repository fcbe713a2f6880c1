#include "director/command_list.h"

#include <gtest/gtest.h>

#include "support.h"

namespace vantrelpad {
namespace {

using testing::commands_of;

TEST(CommandList, KeepsCommandsInAppendOrderEmptyOnesIncluded) {
    CommandList list;
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.begin() == list.end());
    list.append("open:C:/a");
    list.append("");
    list.append(std::string("x\0y", 3));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(commands_of(list),
              (std::vector<std::string>{"open:C:/a", "", std::string("x\0y", 3)}));
}

TEST(CommandList, CommandsAcrossAndLargerThanBlocks) {
    CommandList list;
    std::vector<std::string> expected;
    // Many short commands fill several blocks; a 1 MiB one needs its own.
    for (int i = 0; i < 40000; ++i) {
        expected.push_back("insert:" + std::to_string(i) +
                           std::string(static_cast<std::size_t>(i % 97), 'x'));
        if (i == 20000) {
            expected.push_back(std::string(1 << 20, 'y'));
        }
    }
    for (const std::string& command : expected) {
        list.append(command);
    }
    EXPECT_EQ(list.size(), expected.size());
    EXPECT_EQ(commands_of(list), expected);
}

}  // namespace
}  // namespace vantrelpad
