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
inline constexpr int kFirstSectionName = 4; // the section list's seven names follow in order
inline constexpr int kUpgradeFirmware = 11; // menu items
inline constexpr int kReadFromGateway = 12;
inline constexpr int kWriteToGateway = 13;
inline constexpr int kSettings = 18; // menu item and the settings button's hint
inline constexpr int kAbout = 19;
inline constexpr int kExit = 21;
inline constexpr int kUpgradeFirmwareHint = 68; // tool button hints
inline constexpr int kReadFromGatewayHint = 69;
inline constexpr int kWriteToGatewayHint = 70;
inline constexpr int kSaveToFile = 71;
inline constexpr int kLoadFromFile = 72;
inline constexpr int kLoadFromFileHint = 73;
inline constexpr int kSaveToFileHint = 74;
inline constexpr int kSaveFileFilter = 128;
inline constexpr int kCannotSaveFile = 129;
inline constexpr int kCannotLoadFile = 130;
inline constexpr int kApplicationMenu = 242;
inline constexpr int kGatewayMenu = 243;
inline constexpr int kConnect = 244; // menu item; its hint is the connect button's
inline constexpr int kDisconnect = 245;
inline constexpr int kStatusCable = 246; // status bar
inline constexpr int kStatusConnected = 247;
inline constexpr int kStatusNotConnected = 248;
inline constexpr int kStatusCallWithoutData = 258;
inline constexpr int kStatusDialling = 259;
inline constexpr int kOpenFileFilter = 332;
inline constexpr int kDiscardChanges = 334; // asked before a new configuration or a read
inline constexpr int kNewConfigurationHint = 335;
inline constexpr int kMonitorHint = 336;

// ---- Section pages (pages)
inline constexpr int kNotKnown = 101;          // an identity value no gateway gave yet
inline constexpr int kNotLocked = 111;         // the operator lock is empty
inline constexpr int kLockedTo = 137;          // "%s": the operator the SIM is locked to
inline constexpr int kLockedPermanently = 138; // "%s": the same, for good
inline constexpr int kNotSet = 342;            // no service SMS number
// The questions of the initialisation buttons.
inline constexpr int kResetFxsLineQuestion = 203;
inline constexpr int kResetFxoLineQuestion = 204;
inline constexpr int kResetFxsRoutingQuestion = 205;
inline constexpr int kResetFxoRoutingQuestion = 206;
inline constexpr int kResetGsmRoutingQuestion = 207;
inline constexpr int kResetGsmSimQuestion = 208;
inline constexpr int kResetSmsInputQuestion = 209;
inline constexpr int kResetAllQuestion = 210;
inline constexpr int kResetBanksQuestion = 324;

// ---- Link, transfer and firmware upgrade (link, transfer, firmware)
inline constexpr int kWaitingForGateway = 104; // progress on the cable
inline constexpr int kCommunicating = 107;
inline constexpr int kWritingConfiguration = 108;
inline constexpr int kLinkFailed = 109;             // quotes the link error's name
inline constexpr int kGatewayAnsweredWrongly = 110; // likewise
inline constexpr int kConfigurationRead = 112;
inline constexpr int kReadChecksumFailed = 113;
inline constexpr int kConfigurationWritten = 114;
inline constexpr int kWriteFailed = 115;
inline constexpr int kUpgradeQuestion = 116;
inline constexpr int kCannotOpenFirmware = 117;
inline constexpr int kSendingBlock = 122;
inline constexpr int kUpgradeDone = 123;
inline constexpr int kCannotOpenPort = 125;
inline constexpr int kFirmwareInvalidUpgradeNow = 174;
inline constexpr int kFirmwareFileTooShort = 175;
inline constexpr int kUnknownHardware = 176;
inline constexpr int kNoValidFirmwareVersion = 241;
inline constexpr int kModemNumbersDiffer = 263;
inline constexpr int kPreparingUpgrade = 274; // progress over a modem or TCP connection
inline constexpr int kOtherHardwareFamily = 333;

// ---- Dial-up and connection settings (link, link/ui, app)
inline constexpr int kCablePortLabel = 135;   // settings dialog ...
inline constexpr int kModemDeviceLabel = 249; // also the modem line dialog
inline constexpr int kDeviceGroup = 250;
inline constexpr int kCableChoice = 251;
inline constexpr int kModemChoice = 252;
inline constexpr int kConfigureLine = 253;
inline constexpr int kNumberLabel = 254;
inline constexpr int kSettingsGroup = 255;
inline constexpr int kTcpIpChoice = 348;
inline constexpr int kCallbackAddressLabel = 349;
inline constexpr int kGsmModemPortLabel = 361;
inline constexpr int kServerPortLabel = 362;
inline constexpr int kGreetingProgress = 256; // progress while the modem greeting runs
inline constexpr int kLineNotFound = 264;     // dialling lines ...; then the line's name
inline constexpr int kOpeningLine = 265;      // then the line's name
inline constexpr int kHangingUp = 266;
inline constexpr int kLineClosed = 267;
inline constexpr int kCallIdle = 268;
inline constexpr int kDialling = 269; // then the number
inline constexpr int kBusy = 270;
inline constexpr int kNoAnswer = 271;
inline constexpr int kNoDialTone = 272;
inline constexpr int kModemLines = 420;       // settings dialog: button that adds a modem line
inline constexpr int kModemLineCaption = 421; // line configuration dialog ...
inline constexpr int kLineNameLabel = 422;
inline constexpr int kLineSpeedLabel = 423;
inline constexpr int kLineInitLabel = 424;
inline constexpr int kRemoveLine = 425;
inline constexpr int kLineIncomplete = 426;    // message: a line needs a name and a device
inline constexpr int kLineNameTaken = 427;     // message: another line has the name
inline constexpr int kControlCharacters = 428; // message and dialling line: number or init refused
inline constexpr int kCannotOpenModem = 429;   // dialling line; then the device
inline constexpr int kModemNotAnswering = 430; // dialling line
inline constexpr int kInitRefused = 431;       // dialling line
inline constexpr int kPortInUse = 432;         // port lists: after a port another program holds

// ---- Command line (cli)

// ---- Remote access (remote)
inline constexpr int kGatewayConnected = 257;   // message: the link is up
inline constexpr int kDiallingCaption = 273;    // IP dialling window: caption
inline constexpr int kDiallingModemStart = 354; // IP dialling lines ...
inline constexpr int kDiallingModemSetup = 355;
inline constexpr int kDiallingSmsSent = 356;
inline constexpr int kModemRefused = 357;       // message: the modem refused a command or the SMS
inline constexpr int kIncomingConnection = 358; // line: %s remote address
inline constexpr int kConnectionDropped = 359;  // line: %s remote address
inline constexpr int kWrongGateway = 360;       // line: %s identity, %s remote address
inline constexpr int kPhoneNumberRefused = 400;
inline constexpr int kFieldHoldsSemicolon = 401;   // %s field
inline constexpr int kFieldUnsendable = 402;       // %s field, %s character
inline constexpr int kSecretFieldUnsendable = 403; // %s field
inline constexpr int kWakeupTooLong = 404;         // %i characters
inline constexpr int kCannotListen = 405;          // %i port, %s reason
inline constexpr int kNoSuchTcpPort = 406;         // %i port
inline constexpr int kFieldSerial = 407;           // field names for the messages above
inline constexpr int kFieldPassword = 408;
inline constexpr int kFieldAddress = 409;
inline constexpr int kFieldApn = 410;
inline constexpr int kFieldInetUser = 411;
inline constexpr int kFieldInetPassword = 412;

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

// ---- Hardening: an interrupted write (transfer)
// Shown after a write failed once configuration bytes had gone out: the
// gateway may hold part of the new configuration, and writing again repairs it.
inline constexpr int kWriteMayBeIncomplete = 520;

// ---- Safety net (backups, compare; 479 to 481 are kept for the link traces)
inline constexpr int kClose = 3; // the windows' close button
inline constexpr int kBackups = 460;
inline constexpr int kCompare = 461;
inline constexpr int kBackupFailed = 462;
inline constexpr int kBackupRead = 463;
inline constexpr int kBackupWritten = 464;
inline constexpr int kTimeColumn = 465;
inline constexpr int kKindColumn = 466;
inline constexpr int kHardwareColumn = 467;
inline constexpr int kOpenBackup = 468;
inline constexpr int kCompareWithFile = 469;
inline constexpr int kCompareWithGateway = 470;
inline constexpr int kPageColumn = 471;
inline constexpr int kValueColumn = 472;
inline constexpr int kRowColumn = 473;
inline constexpr int kEditorColumn = 474;
inline constexpr int kOtherColumn = 475;
inline constexpr int kNoDifferences = 476;
inline constexpr int kWriteWillChange = 477;
inline constexpr int kWriteAnyway = 478;
inline constexpr int kRecordTraces = 479;
inline constexpr int kOpenTracesFolder = 480;
inline constexpr int kTraceFailed = 481;
inline constexpr int kDifferencesCount = 482;
inline constexpr int kFolderNotOpened = 483;

// ---- Spreadsheets, undo, report (sheets, app)
inline constexpr int kEditMenu = 490;
inline constexpr int kUndo = 491;
inline constexpr int kRedo = 492;
inline constexpr int kExportTable = 493; // routing page buttons
inline constexpr int kImportTable = 494;
inline constexpr int kCsvFilter = 495;
inline constexpr int kTableNotImported = 496; // %s the faults, one a line
inline constexpr int kCellFault = 497;        // %i line, %i column, %s key, %s why
inline constexpr int kCannotWriteFile = 498;  // %s file
inline constexpr int kCannotReadFile = 499;   // %s file
inline constexpr int kExportReport = 500;     // Application menu
inline constexpr int kReportFilter = 501;
inline constexpr int kReportTitle = 502;
inline constexpr int kReportDate = 503;     // %s date and time
inline constexpr int kReportIdentity = 504; // caption of the gateway's identity
// Why a spreadsheet cell was refused, in the order of kw::sheets::Fault.
inline constexpr int kCsvQuoteNotClosed = 505;
inline constexpr int kCsvTextAfterQuote = 506;
inline constexpr int kCsvNotUtf8 = 507;
inline constexpr int kCsvTooLarge = 508;
inline constexpr int kCsvUnknownColumn = 509;
inline constexpr int kCsvMissingColumn = 510; // %s key
inline constexpr int kCsvDuplicateColumn = 511;
inline constexpr int kCsvCellCount = 512; // %i cells, %i expected
inline constexpr int kCsvUnknownRow = 513;
inline constexpr int kCsvRowTwice = 514;
inline constexpr int kCsvRowMissing = 515; // %s row
inline constexpr int kCsvNotInList = 516;
inline constexpr int kCsvNotNumber = 517;
inline constexpr int kCsvOutOfRange = 518; // %i lowest, %i highest
inline constexpr int kCsvNoDefaultValue = 519;

} // namespace kw::word
