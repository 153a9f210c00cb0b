// The ids of the page controls the tool's code acts on by name, declared once: the control table binds the
// parameter ids to their commands, the page layouts place them, the operations act on them.
#pragma once

namespace ctl {

// Buttons of the pages and the main window.
inline constexpr int kTerminalButton = 1010;
inline constexpr int kCameraReset = 1012;
inline constexpr int kSetModel = 1014;
inline constexpr int kStoreAllButton = 1021;
inline constexpr int kRecalibrateShading = 1121;
inline constexpr int kGetTemperature = 1125;
inline constexpr int kOpenLutTable = 1132;
inline constexpr int kRecalibratePixelBlack = 1183;
inline constexpr int kRecalibratePixelGain = 1193;
inline constexpr int kFactoryPixelGain = 1197;
inline constexpr int kFactoryPixelBlack = 1198;
inline constexpr int kReadLineRateLimit = 1219;
inline constexpr int kReadExposureLimits = 1222;
inline constexpr int kShadingReadButton = 1336;
inline constexpr int kShadingWriteButton = 1337;
inline constexpr int kShadingStoreButton = 1338;
inline constexpr int kWriteXml = 1181;
inline constexpr int kReadXml = 1182;

// Parameters (control table rows), with their command.
inline constexpr int kGainAll = 1041;  // GA
inline constexpr int kExposureMode = 1092;  // TR
inline constexpr int kExposureTime = 1093;  // PE
inline constexpr int kTriggerMode = 1096;  // TM
inline constexpr int kTriggerActivation = 1099;  // TA
inline constexpr int kPixelFormat = 1100;  // BA
inline constexpr int kLutSelector = 1116;  // LUN
inline constexpr int kGammaSelector = 1117;  // GMA
inline constexpr int kShadingMode = 1120;  // SDM
inline constexpr int kPixelBlackMode = 1184;  // PBC
inline constexpr int kAutoResetMode = 1186;  // ARS
inline constexpr int kLineRate = 1187;  // LR
inline constexpr int kPixelGainMode = 1192;  // PGC
inline constexpr int kSensorSelect = 1195;  // STP
inline constexpr int kClConfiguration = 1223;  // CLCFG
inline constexpr int kExposureTimeMode = 1224;  // ETM
inline constexpr int kWidth = 1225;  // WTC
inline constexpr int kOffsetX = 1227;  // OFC
inline constexpr int kBinning = 1229;  // HB
inline constexpr int kGainGreen = 1244;  // GAG
inline constexpr int kGainRed = 1246;  // GAR
inline constexpr int kGainBlue = 1248;  // GAB
inline constexpr int kGainMode = 1259;  // GM
inline constexpr int kExposureTimeR = 1294;  // PER
inline constexpr int kExposureTimeG = 1296;  // PEG
inline constexpr int kExposureTimeB = 1298;  // PEB
inline constexpr int kWhiteBalanceWidth = 1404;  // AWBW
inline constexpr int kWhiteBalanceOffset = 1406;  // AWBO
inline constexpr int kWhiteBalanceMode = 1408;  // AWB
inline constexpr int kLineRateOption = 1628;  // LROP

// The LUT rows: index and data edits (operands of their Read and Write buttons, never sent on their own).
inline constexpr int kLutIndexG = 1160;
inline constexpr int kLutDataG = 1162;
inline constexpr int kLutReadG = 1164;
inline constexpr int kLutWriteG = 1165;
inline constexpr int kLutIndexR = 1421;
inline constexpr int kLutDataR = 1423;
inline constexpr int kLutReadR = 1430;
inline constexpr int kLutWriteR = 1431;
inline constexpr int kLutIndexB = 1425;
inline constexpr int kLutDataB = 1427;
inline constexpr int kLutReadB = 1432;
inline constexpr int kLutWriteB = 1433;

// Controls without a table row.
inline constexpr int kCameraModelCombo = 1142;  // acts only through its "Set" button
inline constexpr int kGammaSelectorLabel = 1141;
inline constexpr int kTemperatureEdit = 1049;
inline constexpr int kXmlDigit1 = 1178;
inline constexpr int kXmlDigit2 = 1179;
inline constexpr int kXmlDigit3 = 1180;
inline constexpr int kLinePeriodStatic = 1215;
inline constexpr int kLineFrequencyStatic = 1216;
inline constexpr int kLineRateMinStatic = 1218;
inline constexpr int kExposureMaxStatic = 1220;
inline constexpr int kExposureMinStatic = 1221;

}  // namespace ctl
