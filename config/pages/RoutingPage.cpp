// The routing page: the FXS, FXO and GSM routing tables with their default
// routes and single settings, and the free-minutes banks. A grid's word is its
// fixed column's (row numbers, or the default route's label); a column's word
// is its header, and a default column takes the header of the column above it.
// Grid columns give their width in digits; a default column is as wide as the
// main column above it.
#include "Pages.h"

namespace kw::pages {
namespace {

constexpr Variants kFxo = Variants::FxoLine;
constexpr Variants kNoFxo = Variants::NoFxoLine;

const std::vector<int> kOffOn = {0, 1};
const std::vector<int> kFxsDirections = {0, 1, 2, 3};
const std::vector<int> kGsmDirections = {0, 1, 2, 3, 4};
// Without an FXO line a GSM call cannot be routed to it (direction 1).
const std::vector<int> kGsmDirectionsNoFxo = {0, 2, 3, 4};
constexpr int kGsmDirectionsNoFxoWord = 330;

TGroup Grid(std::string_view name, int word, std::string_view sheet, std::vector<TRow> columns) {
    return Group(name, word, sheet, kLeft, std::move(columns)).Arranged(Arrangement::Grid);
}

TGroup Settings(std::string_view name, int word, std::string_view sheet, std::vector<TRow> rows) {
    return Group(name, word, sheet, kLeft, std::move(rows)).Arranged(Arrangement::Loose);
}

// One bank: free minutes, start time and time quantum under their headers.
std::vector<TRow> BankRows() {
    static constexpr std::string_view kNames[][3] = {
        {"BankFreeMins1", "BankStartTime1", "BankTimeAmount1"},
        {"BankFreeMins2", "BankStartTime2", "BankTimeAmount2"},
        {"BankFreeMins3", "BankStartTime3", "BankTimeAmount3"},
        {"BankFreeMins4", "BankStartTime4", "BankTimeAmount4"}};
    std::vector<TRow> rows = {Caption("Label30", 300).NoHint(), Caption("Label31", 305),
                              Caption("Label32", 306), Caption("Label33", 307),
                              Caption("Label34", 308).NoHint()};
    for (int bank = 0; bank < 4; ++bank) {
        rows.push_back(
            Edit("FreeMins", kNames[bank][0], 305).Row(bank).Limit(5).Untagged().Unlabelled());
        rows.push_back(
            Edit("StartTime", kNames[bank][1], 306).Row(bank).Limit(3).Untagged().Unlabelled());
        // Only the quantum shows its header's hint.
        rows.push_back(Edit("TimeAmount", kNames[bank][2], 307).Row(bank).Limit(3).Unlabelled());
    }
    return rows;
}

std::vector<TGroup> Groups() {
    return {
        Grid("TabFXS", 24, "TabSheet1",
             {TextColumn("FXSNumBegin", 25, 13),
              ListColumn("FXSPermitted", "ComboBox5", 26, kOffOn, 8),
              ListColumn("FXSDirection", "ComboBox7", 216, kFxsDirections, 14).Only(kFxo),
              TextColumn("FXSNumLength", 27, 8),
              ListColumn("FXSNumEnd", "ComboBox8", 28, kOffOn, 8), TextColumn("FXSRemove", 29, 8),
              TextColumn("FXSAdd", 30, 13), TextColumn("FXSExtraTar", 150, 8),
              TextColumn("FXSTarif", 151, 8), TextColumn("FXSCallTime", 290, 13),
              TextColumn("FXSBankNumber", 300, 8)}),
        Grid("TabFXSDef", 31, "TabSheet1",
             {ListColumn("FXSDefPermitted", "ComboBox10", 26, kOffOn, 0),
              ListColumn("FXSDefDirection", "ComboBox11", 216, kFxsDirections, 0).Only(kFxo),
              TextColumn("FXSDefNumLength", 27, 0),
              ListColumn("FXSDefNumEnd", "ComboBox12", 28, kOffOn, 0),
              TextColumn("FXSDefRemove", 29, 0), TextColumn("FXSDefAdd", 30, 0),
              TextColumn("FXSDefExtraTar", 150, 0), TextColumn("FXSDefTarif", 151, 0),
              TextColumn("FXSDefCallTime", 290, 0), TextColumn("FXSDefBankNumber", 300, 0)}),
        Settings("GroupBox1", 285, "TabSheet1", {Edit("Kestrel", "Edit2", 286).Label("Label1")}),

        Grid("TabFXO", 24, "TabSheet2",
             {TextColumn("FXONumBegin", 217, 13),
              ListColumn("FXOPermitted", "ComboBox1", 218, kOffOn, 8),
              TextColumn("FXONumLength", 219, 14),
              ListColumn("FXONumEnd", "ComboBox6", 220, kOffOn, 8), TextColumn("FXORemove", 221, 8),
              TextColumn("FXOAdd", 222, 13), TextColumn("FXOCallTime", 290, 13),
              TextColumn("FXOBankNumber", 300, 8)}),
        Grid("TabFXODef", 223, "TabSheet2",
             {ListColumn("FXODefPermitted", "ComboBox9", 218, kOffOn, 0),
              TextColumn("FXODefNumLength", 219, 0),
              ListColumn("FXODefNumEnd", "ComboBox13", 220, kOffOn, 0),
              TextColumn("FXODefRemove", 221, 0), TextColumn("FXODefAdd", 222, 0),
              TextColumn("FXODefCallTime", 290, 0), TextColumn("FXODefBankNumber", 300, 0)}),
        // Edit4 shows the operator console number of the FXS sheet once more.
        Settings("GroupBox2", 233, "TabSheet2",
                 {List("FXODirection", "ComboBox4", 234, kOffOn).Label("Label2"),
                  Edit("FXOFollowMeNum", "Edit14", 235).Label("Label3"),
                  Spin("FXOAlertFMCount", "Edit16", "UpDown6", 236).Label("Label4"),
                  Edit("FXOFMPassw", "Edit15", 237).Label("Label5"),
                  Edit("FXOHangUpCode", "Edit3", 287).Label("Label6"),
                  Edit("Kestrel", "Edit4", 286).Label("Label7")}),

        Grid("TabGSM", 24, "TabSheet3",
             {TextColumn("GSMNum", 224, 13), TextColumn("GSMSubString", 225, 12),
              ListColumn("GSMDirection", "ComboBox3", 226, kGsmDirections, 12).Only(kFxo),
              ListColumn("GSMDirection", "ComboBox16", 226, kGsmDirectionsNoFxo, 12)
                  .ListWord(kGsmDirectionsNoFxoWord)
                  .Only(kNoFxo),
              TextColumn("GSMDialNUm", 227, 13), TextColumn("GSMCallTime", 290, 13)}),
        Grid("TabGSMDef", 228, "TabSheet3",
             {ListColumn("GSMDefDirection", "ComboBox15", 226, kGsmDirections, 0).Only(kFxo),
              ListColumn("GSMDefDirection", "ComboBox17", 226, kGsmDirectionsNoFxo, 0)
                  .ListWord(kGsmDirectionsNoFxoWord)
                  .Only(kNoFxo),
              TextColumn("GSMDefDialNum", 227, 0), TextColumn("GSMDefCallTime", 290, 0)}),
        Settings("GroupBox3", 229, "TabSheet3",
                 {Spin("GSMDISATime", "Edit10", "UpDown1", 230).Label("Label23"),
                  Spin("GSMDialFXOTime", "Edit11", "UpDown2", 231).Label("Label29").Only(kFxo),
                  Spin("GSMCallBackTime", "Edit13", "UpDown3", 232).Label("Label24"),
                  List("GSMFaxTo", "ComboBox2", 278, kOffOn).Label("Label25"),
                  List("GSMDataTo", "ComboBox14", 279, kOffOn).Label("Label26")}),

        Group("Banks", 0, "TabSheet4", kLeft, BankRows()).Arranged(Arrangement::Bare),
        Group("Transfer", 0, "TabSheet4", kLeft,
              {List("PermittNoBank", "ComboBox18", 301, {0, 1, 2}).Label("Label27"),
               Edit("TransferDate", "Edit9", 302).Limit(2).Label("Label28")})
            .Arranged(Arrangement::Bare),
    };
}

} // namespace

const TPage& RoutingPage() {
    static const TPage page =
        Page(kSectionRouting, "FSmerovaciTabulka", Groups(), PageLayout::Manual)
            .Sheets("PageControl1", {{"TabSheet1", 211, Variants::All, 0, 0},
                                     {"TabSheet2", 212, kFxo, 0, 0},
                                     {"TabSheet3", 213, Variants::All, 0, 0},
                                     {"TabSheet4", 304, Variants::All, 0, 0}});
    return page;
}

} // namespace kw::pages
