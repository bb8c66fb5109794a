#include "LinkError.h"

#include "UserPort.h"
#include "Words.h"

namespace kw {
namespace {

struct TLinkErrorRow {
    int8_t code;
    TLinkErrorText text;
};

constexpr TLinkErrorRow kLinkErrors[] = {
    {CCOMTermExp::NotConnected,
     {word::kLinkFailed, "CE_NOT_CONNECTED", "not connected", "not connected"}},
    {CCOMTermExp::Cancelled, {0, nullptr, "cancelled", "cancel"}},
    {CCOMTermExp::TimedOut,
     {word::kGatewayAnsweredWrongly, "CE_CONNECTION_TIMEOUT",
      "the gateway stopped answering (time-out)", "time-out"}},
    {CCOMTermExp::ParsingError,
     {word::kGatewayAnsweredWrongly, "CE_PARSING_ERROR", "the gateway's reply made no sense",
      "reply unreadable"}},
    // The write failure has always been reported under the parsing error's name.
    {CCOMTermExp::WriteFailed,
     {word::kLinkFailed, "CE_PARSING_ERROR", "cannot write to the port", "write failed"}},
    {CCOMTermExp::PortUnavailable,
     {word::kCannotOpenPort, nullptr, "cannot open the port", "open failed"}},
    {CCOMTermExp::ConnectionLost,
     {word::kGatewayAnsweredWrongly, "CE_CONNECTION_LOST", "the connection was lost",
      "connection lost"}},
};

constexpr TLinkErrorText kUnknownLinkError = {word::kLinkFailed, "CE_USER", nullptr, nullptr};

} // namespace

const TLinkErrorText& LinkErrorText(int8_t code) {
    for (const TLinkErrorRow& row : kLinkErrors)
        if (row.code == code)
            return row.text;
    return kUnknownLinkError;
}

std::string LinkErrorReason(int8_t code) {
    const char* reason = LinkErrorText(code).reason;
    return reason != nullptr ? reason : "link error " + std::to_string(code);
}

std::string LinkFailureEvent(int8_t code) {
    const char* event = LinkErrorText(code).event;
    return event != nullptr ? event : "link error " + std::to_string(code);
}

void ShowLinkError(const CCOMTermExp& e, CUserPort& user) {
    const TLinkErrorText& text = LinkErrorText(e.Code());
    // A language without this text has nothing to say.
    if (text.word == 0 || user.Word(text.word).empty())
        return;
    if (text.name != nullptr)
        user.ShowMessage(CUserPort::Icon::Error, text.word, {}, {text.name});
    else if (e.Advice().empty())
        user.ShowMessage(CUserPort::Icon::Error, text.word);
    else
        user.ShowMessage(CUserPort::Icon::Error, text.word, "%s\n\n%s", {e.Advice()});
}

} // namespace kw
