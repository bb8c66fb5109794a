// The three small pages: SMS input, GSM & SIM, and security.
#include "Pages.h"
#include "Sections.h"

namespace kw::pages {
namespace {

constexpr Side kLeft = Side::Left;
constexpr Side kRight = Side::Right;

TPage Page(int section, std::string_view name, std::vector<TGroup> groups) {
    TPage page;
    page.section = section;
    page.name = name;
    page.groups = std::move(groups);
    return page;
}

} // namespace

const TPage& SmsInputPage() {
    static const TPage page =
        Page(kSectionSmsInput, "FLogickyVstup",
             {Group("GroupBox1", 49, {}, kLeft,
                    {Edit("PhoneNumForSMS", "Edit5", 50), Memo("SMSText", "Memo2", 51)}),
              Group("GroupBox2", 52, {}, kRight,
                    {Spin("SendAfterMS", "Edit1", "UpDown1", 53).Limit(5),
                     Spin("TimeOfIdleS", "Edit7", "UpDown7", 54).Limit(4)})});
    return page;
}

const TPage& GsmSimPage() {
    static const TPage page = Page(
        kSectionGsmSim, "FGSMSIM",
        {// The form gives the network settings no group title.
         Group("GroupBox1", 0, {}, kLeft,
               {List("CLIRInk", "ComboBox1", 58, {0, 1, 2}),
                List("RoamPerm", "ComboBox2", 59, {0, 1}),
                List("CallHandOver", "ComboBox3", 283, {0, 1}),
                // Shown 24 characters wide; the whole 40 scroll in the field.
                Edit("GprsApn", "Edit6", 284).Width(24), Edit("ManualReg", "Edit5", 367),
                List("UMTSGSM", "ComboBox5", 297, {0, 1, 2}),
                List("AMREnabled", "ComboBox7", 339, {0, 1}),
                // Shown, never stored: the lock comes from the gateway.
                Display("OperLock", "Label8", 56, "Label7", DisplayRule::OperatorLock).NoHint()}),
         Group("GroupBox2", 156, {}, kRight,
               {Spin("CallsCadence", "Edit1", "UpDown1", 157).Limit(3),
                Edit("CreditCode", "Edit2", 158),
                Spin("MinCredit", "Edit3", "UpDown3", 159).Limit(3),
                Spin("CreditAnswer", "Edit4", "UpDown4", 160).Limit(3),
                // The number belongs to the service page; shown here only.
                Display("SMSNum", "Label17", 155, "Label16", DisplayRule::ServiceNumber)})});
    return page;
}

const TPage& SecurityPage() {
    static const TPage page = [] {
        TPage p = Page(kSectionSecurity, "FZabezpeceni",
                       {// The form gives the two codes no group title.
                        Group("GroupBox1", 0, {}, kLeft,
                              {Edit("PINVal", "Edit6", 90), Edit("ServisPassw", "Edit7", 91)})});
        p.layout = PageLayout::OneGroup;
        return p;
    }();
    return page;
}

} // namespace kw::pages
