// The service page: the gateway's identity, the service SMS, the serial-port
// permission and the data call limit, with remote supervision and the power
// supply reports on the variants that have them.
#include "Pages.h"

namespace kw::pages {

const TPage& ServicePage() {
    static const TPage page = Page(
        kSectionService, "FServis",
        {
            // Untitled: the form gives the identity and the general settings no word.
            Group(
                "IdentityGroup", 0, {}, kLeft,
                {Display("HWVer", "Label5", 76, "Label1", DisplayRule::Identity).NoHint(),
                 Display("SWVer", "Label6", 77, "Label2", DisplayRule::Identity).NoHint(),
                 Display("SerialNum", "Label7", 78, "Label3", DisplayRule::Identity).NoHint(),
                 Display("OperLock", "Label8", 56, "Label4", DisplayRule::OperatorLock).NoHint()}),
            Group("GeneralGroup", 0, {}, kLeft,
                  {InvertedCheck("COMPerm", "CheckBox1", 84), Edit("SMSNum", "Edit2", 155),
                   Spin("MaxDataTime", "Edit13", "UpDown13", 289)}),
            Group("SmsGroup", 153, {}, kLeft,
                  {Spin("SMSCandence", "Edit1", "UpDown1", 154).Limit(3),
                   Display("SMSNum", "Label19", 155, "Label18", DisplayRule::ServiceNumber)}),
            // Five watched numbers, each beside the substring of it that counts.
            Group("SupervisionGroup", 260, {}, kRight,
                  {Caption("Label12", 261), Caption("Label13", 262),
                   Edit("ModemNum1", "Edit3", 261), Spin("SubString1", "Edit8", "UpDown8", 262),
                   Edit("ModemNum2", "Edit4", 261), Spin("SubString2", "Edit9", "UpDown9", 262),
                   Edit("ModemNum3", "Edit5", 261), Spin("SubString3", "Edit10", "UpDown10", 262),
                   Edit("ModemNum4", "Edit6", 261), Spin("SubString4", "Edit11", "UpDown11", 262),
                   Edit("ModemNum5", "Edit7", 261), Spin("SubString5", "Edit12", "UpDown12", 262)})
                .Arranged(Arrangement::Cells, 2)
                .Only(Variants::RemoteSupervision),
            Group("PowerGroup", 340, {}, kRight,
                  {List("BateryOut", "ComboBox11", 341, {0, 1}),
                   Spin("ChargeOut", "Edit14", "UpDown14", 343).Limit(3),
                   Display("SMSNum", "Label17", 155, "Label16", DisplayRule::ServiceNumber)})
                .Only(Variants::PowerSupply),
        });
    return page;
}

} // namespace kw::pages
