// What the user is told for each link failure, and the receive buffer's rules.
#include "LinkError.h"
#include "ReceiveBuffer.h"
#include "ScriptedUserPort.h"

#include <gtest/gtest.h>

namespace {

using Icon = CUserPort::Icon;

// The window's message and the command line's reason come from one table.
TEST(LinkErrors, EachCodeHasItsWordNameAndReason) {
    struct Row {
        int8_t code;
        int word; // 0: nothing shown
        std::vector<std::string> details;
        const char* reason;
    };
    const Row rows[] = {
        {0, 109, {"CE_NOT_CONNECTED"}, "not connected"},
        {1, 0, {}, "cancelled"},
        {2, 110, {"CE_CONNECTION_TIMEOUT"}, "the gateway stopped answering (time-out)"},
        {3, 110, {"CE_PARSING_ERROR"}, "the gateway's reply made no sense"},
        {4, 109, {"CE_PARSING_ERROR"}, "cannot write to the port"},
        {5, 125, {}, "cannot open the port"},
        {6, 110, {"CE_CONNECTION_LOST"}, "the connection was lost"},
        {7, 109, {"CE_USER"}, "link error 7"},
        {-2, 109, {"CE_USER"}, "link error -2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.code));
        kw::test::ScriptedUserPort user;
        if (row.word != 0)
            user.ExpectMessage(Icon::Error, row.word, row.details);
        kw::ShowLinkError(CCOMTermExp(row.code), user);
        EXPECT_EQ(kw::LinkErrorReason(row.code), row.reason);
    }
    // The port's advice stands below its message.
    kw::test::ScriptedUserPort user;
    user.ExpectMessage(Icon::Error, 125, {"join the group"});
    kw::ShowLinkError(CCOMTermExp(CCOMTermExp::PortUnavailable, "join the group"), user);
}

TEST(ReceiveBuffer, WrapsAndMatches) {
    kw::CReceiveBuffer buffer;
    std::string bytes(kw::CReceiveBuffer::kSize, 'a');
    bytes += "XY";
    buffer.Append(reinterpret_cast<const uint8_t*>(bytes.data()),
                  static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(buffer.Count(), 2);
    EXPECT_EQ(buffer.FindReply({"Y", "X"}), 1);
    EXPECT_EQ(buffer.FindReply({"Z"}), 0);
    uint8_t copy[4] = {9, 9, 9, 9};
    buffer.CopyTo(copy, 4); // at most what was received
    EXPECT_EQ(copy[0], 'X');
    EXPECT_EQ(copy[2], 9);

    buffer.Clear();
    const std::string quoted = "\"ab\"c\"";
    buffer.Append(reinterpret_cast<const uint8_t*>(quoted.data()), 6);
    EXPECT_TRUE(buffer.Occurs("\"", 3));
    EXPECT_FALSE(buffer.Occurs("\"", 4));
    EXPECT_FALSE(buffer.EndsWithZero());
}

} // namespace
