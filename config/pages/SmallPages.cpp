// The small pages: SMS input, GSM & SIM, security, and the initialisation
// page, which shows no parameter.
#include "Pages.h"

namespace kw::pages {
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
    // The form gives the two codes no group title.
    static const TPage page =
        Page(kSectionSecurity, "FZabezpeceni",
             {Group("GroupBox1", 0, {}, kLeft,
                    {Edit("PINVal", "Edit6", 90), Edit("ServisPassw", "Edit7", 91)})},
             PageLayout::OneGroup);
    return page;
}

// Its nine buttons are declared in InitialisationPage.cpp.
const TPage& InitialisationPage() {
    static const TPage page = Page(kSectionInit, "FInicializace", {}, PageLayout::Manual);
    return page;
}

} // namespace kw::pages
