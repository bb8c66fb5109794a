// What the user is told for each link failure, and the receive buffer's rules.
#include "LinkError.h"
#include "ReceiveBuffer.h"
#include "ScriptedUserPort.h"

#include <gtest/gtest.h>

namespace {

using Icon = CUserPort::Icon;

TEST(ShowLinkError, EachCodeHasItsWordAndName) {
    kw::test::ScriptedUserPort user;
    user.ExpectMessage(Icon::Error, 109, {"CE_NOT_CONNECTED"})
        .ExpectMessage(Icon::Error, 110, {"CE_CONNECTION_TIMEOUT"})
        .ExpectMessage(Icon::Error, 110, {"CE_PARSING_ERROR"})
        .ExpectMessage(Icon::Error, 109, {"CE_PARSING_ERROR"})
        .ExpectMessage(Icon::Error, 125, {})
        .ExpectMessage(Icon::Error, 110, {"CE_CONNECTION_LOST"})
        .ExpectMessage(Icon::Error, 109, {"CE_USER"})
        .ExpectMessage(Icon::Error, 125, {"join the group"});
    for (int8_t code : {0, 1, 2, 3, 4, 5, 6, 7})
        kw::ShowLinkError(CCOMTermExp(code), user); // 1 (Cancel) shows nothing
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
