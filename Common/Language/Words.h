// Names for the language words the code uses by number: messages, questions,
// progress texts, status texts and the captions the code sets itself. Captions
// that the translator sets from a control's tag stay numbers in the page and
// dialog declarations, next to the control they name.
//
// Each part of the program keeps its words in its own section below.
#pragma once

namespace kw::word {

// ---- Common
inline constexpr int kProgramName = 0; // caption of every message box
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// ---- Hardware variants (config/HardwareVariant)
inline constexpr int kVariantAD = 326; // the A/D pair's name
inline constexpr int kVariantCF = 327;
inline constexpr int kVariantEG = 328;

// ---- Main window and file commands (app)

// ---- Section pages (pages)

// ---- Link, transfer and firmware upgrade (link, transfer, firmware)

// ---- Command line (cli)

// ---- Monitor (remote)
inline constexpr int kValueNotKnownYet = 101; // every monitor row when the window opens
inline constexpr int kModuleAnswers = 102;    // monitor status
inline constexpr int kModuleSilent = 103;     // monitor status
inline constexpr int kIncomingCall = 132;     // then " (number)"
inline constexpr int kOutgoingCall = 133;     // then " (number)"
inline constexpr int kNoCall = 134;
inline constexpr int kValueNotAvailable = 240; // a monitor row whose query failed
inline constexpr int kCentreWaiting = 299;     // a new SMS centre number waits to be written
inline constexpr int kClockWaitingToBeSet = 310;
inline constexpr int kClockWaitingToSync = 319;
inline constexpr int kInvalidDate = 321;         // set-time dialog
inline constexpr int kInvalidTime = 322;         // set-time dialog
inline constexpr int kCentreNumberRefused = 440; // double quote or control character

} // namespace kw::word
