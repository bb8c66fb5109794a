// The lines page: the FXS line on the first sheet, the FXO line on a second
// sheet that only variants with an FXO line have.
#include "Pages.h"

namespace kw::pages {
namespace {

// Tone frequencies are spun from 5 Hz; the parameters also hold 1 to 4, which
// the edit then shows as they are.
constexpr int kToneMin = 5;
// The volumes start at 1 on the page; 0 still shows, at the first position.
constexpr int kVolumeMin = 1;

const std::vector<int> kOffOn = {0, 1};
const std::vector<int> kCadences = {0, 1, 2, 3, 4};

std::vector<TGroup> Groups() {
    // Each tone sheet: two frequencies (the second with a label of its own, which
    // the two-tone rule enables with it), the two-tone box and the cadence list.
    return {
        Group("FXSVolumeGroup", 41, "TabSheet1", kLeft,
              {Track("FXSVolSend", "TrackBar2", 42).Min(kVolumeMin),
               Track("FXSVolRec", "TrackBar1", 43).Min(kVolumeMin)}),
        Group("FXSDiallingGroup", 47, "TabSheet1", kLeft,
              {List("FXSTypeDial", "ComboBox1", 33, kOffOn),
               InvertedCheck("FXSSigBeep", "CheckBox1", 37),
               Spin("FXSTimeDial", "Edit1", "UpDown1", 34).Limit(3),
               Spin("FXSHangMin", "Edit4", "UpDown3", 36).Limit(5),
               List("FXSDTMFType", "ComboBox16", 331, kOffOn)}),
        Group("FXSToneGroup", 162, "TabSheet1", kLeft,
              {List("FXSToneAfter", "ComboBox2", 35, kOffOn), Tabs("PageControl2")}),
        Group("TabSheet3", 166, "PageControl2", kLeft,
              {Spin("FXSDialToneF1", "Edit8", "UpDown6", 168).Min(kToneMin),
               Spin("FXSDialToneF2", "Edit9", "UpDown7", 169).Min(kToneMin).Label("Label19"),
               Check({}, "CheckBox4", 167), List("FXSDialToneCad", "ComboBox4", 170, kOffOn)}),
        Group("TabSheet4", 172, "PageControl2", kLeft,
              {Spin("FXSConToneF1", "Edit10", "UpDown8", 168).Min(kToneMin),
               Spin("FXSConToneF2", "Edit11", "UpDown9", 169).Min(kToneMin).Label("Label22"),
               Check({}, "CheckBox5", 167), List("FXSConToneCad", "ComboBox7", 171, kCadences)}),
        Group("TabSheet5", 280, "PageControl2", kLeft,
              {Spin("FXSRBToneF1", "Edit23", "UpDown19", 168).Min(kToneMin),
               Spin("FXSRBToneF2", "Edit24", "UpDown20", 169).Min(kToneMin).Label("Label42"),
               Check({}, "CheckBox8", 167), List("FXSRBToneCad", "ComboBox13", 281, kCadences)}),
        Group(
            "FXSAutoCallGroup", 38, "TabSheet1", kRight,
            {Edit("FXSNumAutDial", "Edit2", 39), Spin("FXSTimeToAutDial", "Edit3", "UpDown2", 40)}),
        Group("FXSClipGroup", 163, "TabSheet1", kRight,
              {List("FXSSendClip", "ComboBox3", 45, kOffOn), Edit("FXSChangePlusTo", "Edit5", 136),
               List("FXSAlertFrekv", "ComboBox8", 164, {50, 25}),
               List("FXSAlertCadency", "ComboBox9", 165, {0, 1, 2, 3}),
               // The data/fax cadence shows the ringing cadence's items under its own
               // caption.
               List("FXSAlertCadencyData", "ComboBox12", 288, {0, 1, 2, 3}).ListWord(165)}),
        Group("FXSSignallingGroup", 152, "TabSheet1", kRight,
              {Check("FXSSigCall", "CheckBox2", 46),
               List("FXSSigOfCall", "ComboBox5", 149, {0, 1, 2, 3}),
               List("FXSFrekvTarImp", "ComboBox6", 148, kOffOn),
               List("FXSCallPartyCtrl", "ComboBox15", 366, kOffOn)}),

        Group("FXODiallingGroup", 47, "TabSheet2", kLeft,
              {List("FXODialType", "ComboBox10", 180, kOffOn),
               InvertedCheck("FXOSigEDialBeep", "CheckBox3", 183),
               Spin("FXOTimeForEDial", "Edit6", "UpDown4", 179),
               Spin("FXOMinTimeCancel", "Edit7", "UpDown5", 181),
               Spin("FXOAlertCount", "Edit12", "UpDown10", 177),
               Spin("FXOTimeFor1Dial", "Edit13", "UpDown11", 178),
               Spin("FXOMaxTimeDial", "Edit14", "UpDown12", 182),
               List("FXODTMFType", "ComboBox17", 331, kOffOn)}),
        Group("FXOSignallingGroup", 152, "TabSheet2", kLeft,
              {Spin("FXODetConTone", "Edit15", "UpDown13", 185),
               Spin("FXODetPermTone", "Edit16", "UpDown14", 186)}),
        Group("FXOVolumeGroup", 41, "TabSheet2", kRight,
              {Track("FXOVolSend", "TrackBar4", 42).Min(kVolumeMin),
               Track("FXOVolRec", "TrackBar3", 43).Min(kVolumeMin)}),
        Group("FXOAutoCallGroup", 192, "TabSheet2", kRight,
              {Edit("FXONumAutDial", "Edit19", 193),
               Spin("FXOTimeToAutDial", "Edit20", "UpDown17", 194)}),
        Group(
            "FXOFlashGroup", 275, "TabSheet2", kRight,
            {Edit("FXODTMFCode", "Edit21", 276), Spin("FXODTMFLength", "Edit22", "UpDown18", 277)}),
        Group("FXOToneGroup", 162, "TabSheet2", kRight, {Tabs("PageControl3")}),
        Group("TabSheet6", 166, "PageControl3", kLeft,
              {Spin("FXODialToneF1", "Edit17", "UpDown15", 189).Min(kToneMin),
               Spin("FXODialToneF2", "Edit18", "UpDown16", 190).Min(kToneMin).Label("Label32"),
               Check({}, "CheckBox7", 188), List("FXODialToneCad", "ComboBox11", 191, kOffOn)}),
        Group("TabSheet7", 280, "PageControl3", kLeft,
              {Spin("FXORBToneF1", "Edit26", "UpDown22", 189).Min(kToneMin),
               Spin("FXORBToneF2", "Edit25", "UpDown21", 190).Min(kToneMin).Label("Label48"),
               Check({}, "CheckBox9", 188), List("FXORBToneCad", "ComboBox14", 281, kCadences)}),
    };
}

} // namespace

const TPage& LinesPage() {
    static const TPage page =
        Page(kSectionLines, "FSLICParametry", Groups())
            // The CLIP and signalling lists on the FXS sheet's right hold the longer texts.
            .Sheets("PageControl1", {{"TabSheet1", 214, Variants::All, 4, 5},
                                     {"TabSheet2", 215, Variants::FxoLine, 1, 1}});
    return page;
}

} // namespace kw::pages
