#include "LinkError.h"

#include "UserPort.h"

namespace kw {

void ShowLinkError(const CCOMTermExp& e, CUserPort& user) {
    int word = 109;
    const char* name = "CE_USER";
    switch (e.Code()) {
    case CCOMTermExp::Cancelled:
        return;
    case CCOMTermExp::NotConnected:
        name = "CE_NOT_CONNECTED";
        break;
    case CCOMTermExp::TimedOut:
        word = 110;
        name = "CE_CONNECTION_TIMEOUT";
        break;
    case CCOMTermExp::ParsingError:
        word = 110;
        name = "CE_PARSING_ERROR";
        break;
    case CCOMTermExp::WriteFailed:
        name = "CE_PARSING_ERROR";
        break;
    case CCOMTermExp::ConnectionLost:
        word = 110;
        name = "CE_CONNECTION_LOST";
        break;
    case CCOMTermExp::PortUnavailable:
        word = 125;
        name = nullptr;
        break;
    default:
        break;
    }
    // A language without this text has nothing to say.
    if (user.Word(word).empty())
        return;
    if (name != nullptr)
        user.ShowMessage(CUserPort::Icon::Error, word, {}, {name});
    else if (e.Advice().empty())
        user.ShowMessage(CUserPort::Icon::Error, word);
    else
        user.ShowMessage(CUserPort::Icon::Error, word, "%s\n\n%s", {e.Advice()});
}

} // namespace kw
