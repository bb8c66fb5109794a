// pdu: the SMS PDU that carries a text to a number, as the wake-up sends it
// to the GSM modem: the AT+CMGS line, then what follows the "> " prompt.
#include "CliArgs.h"
#include "CliCommands.h"
#include "PduEncoder.h"
#include "Win1252.h"

#include <cstdio>

namespace kw::cli {

void RunPdu(const Args& args) {
    // No options: a text may well begin with "-".
    if (args.size() != 2)
        throw UsageError("expected NUMBER and TEXT");
    const std::string& number = args[0];
    // The terminal speaks UTF-8, the SMS alphabet is mapped from Windows-1252.
    const std::string text =
        QStringToBytes(QString::fromUtf8(args[1].data(), qsizetype(args[1].size())));
    constexpr uint8_t kDataCoding = 0;
    const TPdu pdu = EncodePdu(number, text, kDataCoding, kSevenBit);
    switch (pdu.error) {
    case TPdu::Error::None:
        break;
    case TPdu::Error::EmptyNumber:
        throw CommandFailure("no phone number given");
    case TPdu::Error::BadNumber:
        throw CommandFailure("not a phone number: digits only (at most " +
                             std::to_string(kMaxNumberDigits) + "), with an optional + in front");
    case TPdu::Error::TooManySeptets:
        throw CommandFailure("text too long for one SMS");
    }
    std::printf("AT+CMGS=%d\n%s\n", pdu.tpduOctets, pdu.Sent().c_str());
}

} // namespace kw::cli
