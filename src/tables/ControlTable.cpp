// The control table's rows and lookups.
#include "tables/ControlTable.h"

#include "base/StrFormat.h"
#include "tables/CommandTable.h"
#include "tables/ControlIds.h"

#include <limits>

namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr int kWriteTimeoutMs = 5000;

// controlId, command, kind, spinMargin, group, minimum, maximum, default, shadow, storedInFile
const std::array<ControlEntry, ControlTable::kRowCount + 1> kDefaults = {{
    {1124, cmd::CBDRT, kKindCombo, 0, 1, 0, 0, 0, 0, 0},  //   0 Baud Rate (camera serial speed)
    {ctl::kTriggerMode, cmd::TM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   1 Trigger: Trigger Mode
    {1098, cmd::TI, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   2 Trigger: Trigger Source
    {ctl::kTriggerActivation, cmd::TA, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   3 Trigger: Trigger Activation
    {ctl::kAutoResetMode, cmd::ARS, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   4 Trigger: Auto Reset Mode
    {1233, cmd::EI, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   5 Exposure: RB Exp Interlocked
    {ctl::kExposureMode, cmd::TR, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   6 Exposure: Exposure Mode
    {ctl::kExposureTimeMode, cmd::ETM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //   7 Exposure: Exposure Time Mode
    {ctl::kExposureTime, cmd::PE, kKindEdit, 0, 1, 0, kIntMax, 0, 0, 1},  //   8 Exposure: Exposure Time
    {ctl::kExposureTimeR, cmd::PER, kKindEdit, 0, 1, 0, kIntMax, 0, 0, 1},  //   9 Exposure: Exposure Time R
    {ctl::kExposureTimeG, cmd::PEG, kKindEdit, 0, 1, 0, kIntMax, 0, 0, 1},  //  10 Exposure: Exposure Time G
    {ctl::kExposureTimeB, cmd::PEB, kKindEdit, 0, 1, 0, kIntMax, 0, 0, 1},  //  11 Exposure: Exposure Time B
    {ctl::kLineRate, cmd::LR, kKindEdit, 0, 1, 0, kIntMax, 0, 0, 1},  //  12 Line Rate: Line Rate
    {ctl::kLineRateOption, cmd::LROP, kKindCombo, 0, 1, 0, 1, 0, 0, 1},  //  13 Acquisition Linerate Option: Method
    {ctl::kWidth, cmd::WTC, kKindEdit, 0, 1, 8, 4096, 4096, 0, 1},  //  14 Image format: Width
    {ctl::kOffsetX, cmd::OFC, kKindEdit, 0, 1, 0, 4080, 0, 0, 1},  //  15 Image format: Offset X
    {ctl::kBinning, cmd::HB, kKindEdit, 0, 1, 1, 2, 1, 0, 1},  //  16 Image format: Binning H
    {1231, cmd::VB, kKindEdit, 0, 1, 1, 2, 1, 0, 1},  //  17 Image format: Binning V
    {ctl::kPixelFormat, cmd::BA, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  18 Image format: Pixel Format
    {ctl::kClConfiguration, cmd::CLCFG, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  19 Image format: CL Configuration
    {1174, cmd::CLCF, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  20 Image format: CL Clock
    {1290, cmd::SCB, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  21 Cable Emphasis
    {1537, cmd::SWBR, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  22 Swap B and R
    {1538, cmd::ADDI, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  23 Additional Infomation
    {1576, cmd::EAS, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  24 Exposure Active Source
    {1119, cmd::TPN, kKindCombo, 0, 1, 0, 0, 0, 0, 0},  //  25 Image format: Test Pattern
    {ctl::kGainMode, cmd::GM, kKindCombo, 0, 1, 0, 1, 0, 0, 1},  //  26 Gain and Black: Indivisual Gain Mode
    {ctl::kGainAll, cmd::GA, kKindEdit, 0, 1, 100, 800, 100, 0, 1},  //  27 Gain and Black: Gain All
    {ctl::kGainRed, cmd::GAR, kKindEdit, 0, 1, 40, 1600, 100, 0, 1},  //  28 Gain and Black: Gain Red
    {ctl::kGainBlue, cmd::GAB, kKindEdit, 0, 1, 40, 1600, 100, 0, 1},  //  29 Gain and Black: Gain Blue
    {ctl::kGainGreen, cmd::GAG, kKindEdit, 0, 1, 100, 1600, 100, 0, 1},  //  30 Gain and Black: Gain Green
    {1217, cmd::SGA, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  31 Gain and Black: Analog Base Gain All
    {1291, cmd::SGG, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  32 Gain and Black: Analog Base Gain G
    {1292, cmd::SGR, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  33 Gain and Black: Analog Base Gain R
    {1293, cmd::SGB, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  34 Gain and Black: Analog Base Gain B
    {ctl::kWhiteBalanceMode, cmd::AWB, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  35 White Balance: Mode
    {ctl::kWhiteBalanceWidth, cmd::AWBW, kKindEdit, 0, 1, 8, 4096, 4096, 0, 1},  //  36 White Balance: Width
    {ctl::kWhiteBalanceOffset, cmd::AWBO, kKindEdit, 0, 1, 0, 4080, 0, 0, 1},  //  37 White Balance: Offset X
    {1139, cmd::BL, kKindEdit, 0, 1, -133, 255, 0, 0, 1},  //  38 Gain and Black: Black Level All
    {1234, cmd::BLR, kKindEdit, 0, 1, -64, 64, 0, 0, 1},  //  39 Gain and Black: Black Level Red
    {1236, cmd::BLB, kKindEdit, 0, 1, -64, 64, 0, 0, 1},  //  40 Gain and Black: Black Level Blue
    {ctl::kShadingMode, cmd::SDM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  41 Shading Correction: Correction Mode
    {1334, cmd::SDCM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  42 Shading Correction: Method
    {ctl::kRecalibrateShading, cmd::RS, kKindButton, 0, 0, 0, 0, 0, 0, 0},  //  43 Recalibrate Shading (button)
    {ctl::kPixelGainMode, cmd::PGC, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  44 Pixel Gain Correction: Correction Mode
    {ctl::kRecalibratePixelGain, cmd::PGR, kKindButton, 0, 0, 0, 0, 0, 0, 0},  //  45 Recalibrate Pixel Gain (button)
    {ctl::kPixelBlackMode, cmd::PBC, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  46 Pixel Black Correction: Correction Mode
    {ctl::kRecalibratePixelBlack, cmd::PBR, kKindButton, 0, 0, 0, 0, 0, 0, 0},  //  47 Recalibrate Pixel Black (button)
    {1641, cmd::FFR, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  48 FIR Filter: Mode R
    {1642, cmd::FFG, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  49 FIR Filter: Mode G
    {1643, cmd::FFB, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  50 FIR Filter: Mode B
    {1644, cmd::FFLRR, kKindEdit, 0, 1, -200, 200, 0, 0, 1},  //  51 FIR Filter: Left Ratio R
    {1646, cmd::FFLRG, kKindEdit, 0, 1, -200, 200, 0, 0, 1},  //  52 FIR Filter: Left Ratio G
    {1648, cmd::FFLRB, kKindEdit, 0, 1, -200, 200, 0, 0, 1},  //  53 FIR Filter: Left Ratio B
    {1650, cmd::FFCRR, kKindEdit, 0, 1, -200, 200, 100, 0, 1},  //  54 FIR Filter: Centoer Ratio R
    {1652, cmd::FFCRG, kKindEdit, 0, 1, -200, 200, 100, 0, 1},  //  55 FIR Filter: Centoer Ratio G
    {1654, cmd::FFCRB, kKindEdit, 0, 1, -200, 200, 100, 0, 1},  //  56 FIR Filter: Centoer Ratio B
    {1656, cmd::FFRRR, kKindEdit, 0, 1, -200, 200, 0, 0, 1},  //  57 FIR Filter: Right Ratio R
    {1658, cmd::FFRRG, kKindEdit, 0, 1, -200, 200, 0, 0, 1},  //  58 FIR Filter: Right Ratio G
    {1660, cmd::FFRRB, kKindEdit, 0, 1, -200, 200, 0, 0, 1},  //  59 FIR Filter: Right Ratio B
    {1662, cmd::MFR, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  60 MEDIAN Filter: Mode R
    {1663, cmd::MFG, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  61 MEDIAN Filter: Mode G
    {1664, cmd::MFB, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  62 MEDIAN Filter: Mode B
    {ctl::kLutSelector, cmd::LUN, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  63 LUT: LUT selector
    {ctl::kLutIndexG, cmd::LUTIG, kKindEdit, 0, 1, 0, 255, 0, 0, 0},  //  64 LUT: Index G
    {ctl::kLutIndexR, cmd::LUTIR, kKindEdit, 0, 1, 0, 255, 0, 0, 0},  //  65 LUT: Index R
    {ctl::kLutIndexB, cmd::LUTIB, kKindEdit, 0, 1, 0, 255, 0, 0, 0},  //  66 LUT: Index B
    {ctl::kLutDataG, cmd::LUTG, kKindEdit, 0, 1, 0, 4095, 0, 0, 0},  //  67 LUT: Data G
    {ctl::kLutDataR, cmd::LUTR, kKindEdit, 0, 1, 0, 4095, 0, 0, 0},  //  68 LUT: Data R
    {ctl::kLutDataB, cmd::LUTB, kKindEdit, 0, 1, 0, 4095, 0, 0, 0},  //  69 LUT: Data B
    {ctl::kGammaSelector, cmd::GMA, kKindEdit, 0, 1, 45, 100, 45, 0, 1},  //  70 LUT: Gamma Selector
    {1194, cmd::TMPS0, kKindCombo, 0, 1, 0, 0, 0, 0, 0},  //  71 Temperature: sensor
    {1101, cmd::LS0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  72 Line Source: TTLOut1 Source
    {1339, cmd::LS1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  73 Line Source: TTLOut2 Source
    {1340, cmd::LS2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  74 Line Source: TTLOut3 Source
    {1341, cmd::LS3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  75 Line Source: TTLOut4 Source
    {1342, cmd::ND0IN1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  76 Line Source: Nand0 In1 Source
    {1343, cmd::ND0IN2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  77 Line Source: Nand0 In2 Source
    {1344, cmd::ND1IN1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  78 Line Source: Nand1 In1 Source
    {1345, cmd::ND1IN2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  79 Line Source: Nand1 In2 Source
    {1346, cmd::LI0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  80 Line Source: TTLOut1 Invert
    {1347, cmd::LI1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  81 Line Source: TTLOut2 Invert
    {1348, cmd::LI2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  82 Line Source: TTLOut3 Invert
    {1349, cmd::LI3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  83 Line Source: TTLOut4 Invert
    {1350, cmd::ND0INV1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  84 Line Source: Nand0 In1 Invert
    {1351, cmd::ND0INV2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  85 Line Source: Nand0 In2 Invert
    {1352, cmd::ND1INV1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  86 Line Source: Nand1 In1 Invert
    {1353, cmd::ND1INV2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  87 Line Source: Nand1 In2 Invert
    {ctl::kSensorSelect, cmd::STP, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  88 Sensor Select
    {1535, cmd::CTM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  89 Color Transformation: Mode
    {1536, cmd::CTRM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  //  90 Color Transformation: RGB Mode
    {1517, cmd::CMVRR, kKindEdit, 0, 1, -20000, 20000, 10000, 0,
     1},  //  91 Color Matrix ( User Custom ): Red row, Red column
    {1519, cmd::CMVRG, kKindEdit, 0, 1, -20000, 20000, 0, 0,
     1},  //  92 Color Matrix ( User Custom ): Red row, Green column
    {1521, cmd::CMVRB, kKindEdit, 0, 1, -20000, 20000, 0, 0,
     1},  //  93 Color Matrix ( User Custom ): Red row, Blue column
    {1523, cmd::CMVGR, kKindEdit, 0, 1, -20000, 20000, 0, 0,
     1},  //  94 Color Matrix ( User Custom ): Green row, Red column
    {1525, cmd::CMVGG, kKindEdit, 0, 1, -20000, 20000, 10000, 0,
     1},  //  95 Color Matrix ( User Custom ): Green row, Green column
    {1527, cmd::CMVGB, kKindEdit, 0, 1, -20000, 20000, 0, 0,
     1},  //  96 Color Matrix ( User Custom ): Green row, Blue column
    {1529, cmd::CMVBR, kKindEdit, 0, 1, -20000, 20000, 0, 0,
     1},  //  97 Color Matrix ( User Custom ): Blue row, Red column
    {1531, cmd::CMVBG, kKindEdit, 0, 1, -20000, 20000, 0, 0,
     1},  //  98 Color Matrix ( User Custom ): Blue row, Green column
    {1533, cmd::CMVBB, kKindEdit, 0, 1, -20000, 20000, 10000, 0,
     1},  //  99 Color Matrix ( User Custom ): Blue row, Blue column
    {1539, cmd::HIM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 100 H Image Mirroring: Mode
    {1542, cmd::ODM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 101 Object Direction: Mode
    {1543, cmd::ODS, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 102 Object Direction: Source
    {1548, cmd::ENCSA, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 103 Encoder Control: Source A
    {1549, cmd::ENCSB, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 104 Encoder Control: Source B
    {1551, cmd::ENCDIV, kKindEdit, 0, 1, kIntMin, kIntMax, 1, 0, 1},  // 105 Encoder Control: Divider
    {1580, cmd::ENFIL, kKindEdit, 0, 1, 0, 15, 0, 0, 1},  // 106 Encoder Control: Filter
    {1582, cmd::ENSTR, kKindEdit, 0, 1, 1, 255, 1, 0, 1},  // 107 Encoder Control: Strobe
    {1640, cmd::ENAVE, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 108 Encoder Control: Averaging Interval
    {1560, cmd::CACM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 109 Chromatic Aberation Correction: Mode
    {1561, cmd::CACR1, kKindEdit, 0, 1, -40, 40, 0, 0, 1},  // 110 Lens1: Red
    {1563, cmd::CACB1, kKindEdit, 0, 1, -40, 40, 0, 0, 1},  // 111 Lens1: Blue
    {1584, cmd::CACR2, kKindEdit, 0, 1, -40, 40, 0, 0, 1},  // 112 Lens2: Red
    {1586, cmd::CACB2, kKindEdit, 0, 1, -40, 40, 0, 0, 1},  // 113 Lens2: Blue
    {1588, cmd::CACR3, kKindEdit, 0, 1, -40, 40, 0, 0, 1},  // 114 Lens3: Red
    {1590, cmd::CACB3, kKindEdit, 0, 1, -40, 40, 0, 0, 1},  // 115 Lens3: Blue
    {1565, cmd::SPCM, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 116 Spartial Compensation: Mode
    {1566, cmd::SPCR, kKindEdit, 0, 1, 0, 80, 0, 0, 1},  // 117 Spartial Compensation: Red
    {1568, cmd::SPCG, kKindEdit, 0, 1, 0, 80, 0, 0, 1},  // 118 Spartial Compensation: Green
    {1570, cmd::SPCB, kKindEdit, 0, 1, 0, 80, 0, 0, 1},  // 119 Spartial Compensation: Blue
    {1578, cmd::SPCD, kKindEdit, 0, 1, 5, 20, 10, 0, 1},  // 120 Spartial Compensation: Distance
    {1354, cmd::PGL0, kKindEdit, 0, 1, 1, 1048575, 30000, 0, 1},  // 121 Pulse Generator 0: Length
    {1356, cmd::PGST0, kKindEdit, 0, 1, 0, 1048574, 0, 0, 1},  // 122 Pulse Generator 0: Start
    {1358, cmd::PGEN0, kKindEdit, 0, 1, 1, 1048575, 15000, 0, 1},  // 123 Pulse Generator 0: End
    {1360, cmd::PGRPT0, kKindEdit, 0, 1, 0, 255, 0, 0, 1},  // 124 Pulse Generator 0: Repeat
    {1362, cmd::PGCM0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 125 Pulse Generator 0: Activation
    {1363, cmd::PGIN0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 126 Pulse Generator 0: Source
    {1364, cmd::PGINV0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 127 Pulse Generator 0: Inverter
    {1365, cmd::PGSM0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 128 Pulse Generator 0: Sync
    {1366, cmd::PGL1, kKindEdit, 0, 1, 1, 1048575, 30000, 0, 1},  // 129 Pulse Generator 1: Length
    {1368, cmd::PGST1, kKindEdit, 0, 1, 0, 1048574, 0, 0, 1},  // 130 Pulse Generator 1: Start
    {1370, cmd::PGEN1, kKindEdit, 0, 1, 1, 1048575, 15000, 0, 1},  // 131 Pulse Generator 1: End
    {1372, cmd::PGRPT1, kKindEdit, 0, 1, 0, 255, 0, 0, 1},  // 132 Pulse Generator 1: Repeat
    {1374, cmd::PGCM1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 133 Pulse Generator 1: Activation
    {1375, cmd::PGIN1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 134 Pulse Generator 1: Source
    {1376, cmd::PGINV1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 135 Pulse Generator 1: Inverter
    {1377, cmd::PGSM1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 136 Pulse Generator 1: Sync
    {1378, cmd::PGL2, kKindEdit, 0, 1, 1, 1048575, 30000, 0, 1},  // 137 Pulse Generator 2: Length
    {1380, cmd::PGST2, kKindEdit, 0, 1, 0, 1048574, 0, 0, 1},  // 138 Pulse Generator 2: Start
    {1382, cmd::PGEN2, kKindEdit, 0, 1, 1, 1048575, 15000, 0, 1},  // 139 Pulse Generator 2: End
    {1384, cmd::PGRPT2, kKindEdit, 0, 1, 0, 255, 0, 0, 1},  // 140 Pulse Generator 2: Repeat
    {1386, cmd::PGCM2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 141 Pulse Generator 2: Activation
    {1387, cmd::PGIN2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 142 Pulse Generator 2: Source
    {1388, cmd::PGINV2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 143 Pulse Generator 2: Inverter
    {1389, cmd::PGSM2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 144 Pulse Generator 2: Sync
    {1390, cmd::PGL3, kKindEdit, 0, 1, 1, 1048575, 30000, 0, 1},  // 145 Pulse Generator 3: Length
    {1392, cmd::PGST3, kKindEdit, 0, 1, 0, 1048574, 0, 0, 1},  // 146 Pulse Generator 3: Start
    {1394, cmd::PGEN3, kKindEdit, 0, 1, 1, 1048575, 15000, 0, 1},  // 147 Pulse Generator 3: End
    {1396, cmd::PGRPT3, kKindEdit, 0, 1, 0, 255, 0, 0, 1},  // 148 Pulse Generator 3: Repeat
    {1398, cmd::PGCM3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 149 Pulse Generator 3: Activation
    {1399, cmd::PGIN3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 150 Pulse Generator 3: Source
    {1400, cmd::PGINV3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 151 Pulse Generator 3: Inverter
    {1401, cmd::PGSM3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 152 Pulse Generator 3: Sync
    {1402, cmd::PGDEV, kKindEdit, 0, 1, 1, 4096, 1, 0, 1},  // 153 PG Clock PreScaler
    {1438, cmd::OPTFL, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 154 Opt In Filter Selector
    {1434, cmd::USC0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 155 User Output 0
    {1435, cmd::USC1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 156 User Output 1
    {1436, cmd::USC2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 157 User Output 2
    {1437, cmd::USC3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 158 User Output 3
    {1439, cmd::CE0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 159 Counter 0: Source
    {1440, cmd::CEA0, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 160 Counter 0: Activation
    {1445, cmd::CE1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 161 Counter 1: Source
    {1446, cmd::CEA1, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 162 Counter 1: Activation
    {1451, cmd::CE2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 163 Counter 2: Source
    {1452, cmd::CEA2, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 164 Counter 2: Activation
    {1457, cmd::CE3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 165 Counter 3: Source
    {1458, cmd::CEA3, kKindCombo, 0, 1, 0, 0, 0, 0, 1},  // 166 Counter 3: Activation
    {1126, cmd::SA00, kKindButton, 0, 0, 0, 0, 0, 0, 0},  // 167 Save Settings into Factory Area (button)
    {1128, cmd::BAS00, kKindCombo, 0, 2, 0, 0, 0, 0, 0},  // 168 Boot Area Set
    {1255, cmd::GAOR, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 169 Factory Gain: Red
    {1250, cmd::GAOG, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 170 Factory Gain: Green
    {1257, cmd::GAOB, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 171 Factory Gain: Blue
    {1600, cmd::GAORJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 172 Factory Gain Adjust: Red
    {1598, cmd::GAOGJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 173 Factory Gain Adjust: Green
    {1602, cmd::GAOBJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 174 Factory Gain Adjust: Blue
    {1240, cmd::OBR, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 175 Factory Black: Red
    {1238, cmd::OBG, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 176 Factory Black: Green
    {1242, cmd::OBB, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 177 Factory Black: Blue
    {1268, cmd::GAORA, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 178 Factory Gain Type A: Red
    {1266, cmd::GAOGA, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 179 Factory Gain Type A: Green
    {1270, cmd::GAOBA, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 180 Factory Gain Type A: Blue
    {1606, cmd::GAORAJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 181 Factory Gain Adjust A: Red
    {1604, cmd::GAOGAJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 182 Factory Gain Adjust A: Green
    {1608, cmd::GAOBAJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 183 Factory Gain Adjust A: Blue
    {1274, cmd::GAORB, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 184 Factory Gain Type B: Red
    {1272, cmd::GAOGB, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 185 Factory Gain Type B: Green
    {1276, cmd::GAOBB, kKindEdit, 0, 2, 8192, 131072, 8192, 0, 1},  // 186 Factory Gain Type B: Blue
    {1612, cmd::GAORBJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 187 Factory Gain Adjust B: Red
    {1610, cmd::GAOGBJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 188 Factory Gain Adjust B: Green
    {1614, cmd::GAOBBJ, kKindEdit, 0, 2, -4096, 4095, 0, 0, 1},  // 189 Factory Gain Adjust B: Blue
    {1280, cmd::OBRA, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 190 Factory Black Type A: Red
    {1278, cmd::OBGA, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 191 Factory Black Type A: Green
    {1282, cmd::OBBA, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 192 Factory Black Type A: Blue
    {1286, cmd::OBRB, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 193 Factory Black Type B: Red
    {1284, cmd::OBGB, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 194 Factory Black Type B: Green
    {1288, cmd::OBBB, kKindEdit, 0, 2, 0, 255, 133, 0, 1},  // 195 Factory Black Type B: Blue
    {1409, cmd::WB0R, kKindEdit, 0, 2, 40, 400, 100, 0, 1},  // 196 Preset Gain: 5000K Red
    {1411, cmd::WB0B, kKindEdit, 0, 2, 40, 400, 100, 0, 1},  // 197 Preset Gain: 5000K Blue
    {1413, cmd::WB1R, kKindEdit, 0, 2, 40, 400, 100, 0, 1},  // 198 Preset Gain: 6500K Red
    {1415, cmd::WB1B, kKindEdit, 0, 2, 40, 400, 100, 0, 1},  // 199 Preset Gain: 6500K Blue
    {1417, cmd::WB2R, kKindEdit, 0, 2, 40, 400, 100, 0, 1},  // 200 Preset Gain: 7500K Red
    {1419, cmd::WB2B, kKindEdit, 0, 2, 40, 400, 100, 0, 1},  // 201 Preset Gain: 7500K Blue
    {1633, cmd::SCBN, kKindEdit, 0, 2, 0, 255, 80, 0, 1},  // 202 Cable Emphasis: Normal
    {1635, cmd::SCBM, kKindEdit, 0, 2, 0, 255, 120, 0, 1},  // 203 Cable Emphasis: Medium
    {1637, cmd::SCBS, kKindEdit, 0, 2, 0, 255, 180, 0, 1},  // 204 Cable Emphasis: Strong
    {ctl::kFactoryPixelGain, cmd::PGR00, kKindButton, 0, 0, 0, 0, 0, 0, 0},  // 205 Recalibrate Pixel Gain (button)
    {ctl::kFactoryPixelBlack, cmd::PBR00, kKindButton, 0, 0, 0, 0, 0, 0, 0},  // 206 Recalibrate Pixel Black (button)
    {-1, 0, kKindEnd, 2, kGroupEnd, 0, 0, 0, 0, 0},
}};

}  // namespace

ControlTable::ControlTable(LookupFailureSink* failures) : rows_(kDefaults), failures_(failures) {}

void ControlTable::Warn(const std::string& text) const
{
    if (failures_) failures_->LookupFailed(text);
}

const std::array<ControlEntry, ControlTable::kRowCount + 1>& ControlTable::Defaults() { return kDefaults; }

int ControlTable::FindRow(int controlId) const
{
    for (int row = 0; rows_[static_cast<std::size_t>(row)].controlId != -1; ++row) {
        if (rows_[static_cast<std::size_t>(row)].controlId == controlId) return row;
    }
    return -1;
}

int ControlTable::GetDataValue(int controlId) const
{
    const int row = FindRow(controlId);
    if (row < 0) {
        Warn("Unexpected error occurred in GetDataValue().");
        return -1;
    }
    return Row(row).value;
}

int ControlTable::SetDataValue(int controlId, int value)
{
    const int row = FindRow(controlId);
    if (row < 0) {
        Warn("Unexpected error occurred in SetDataValue().");
        return 0;
    }
    Row(row).value = value;
    return 1;
}

int ControlTable::GetShadowValue(int controlId) const
{
    const int row = FindRow(controlId);
    if (row < 0) {
        Warn("Unexpected error occurred in GetDataValue().");
        return -1;
    }
    return Row(row).shadow;
}

int ControlTable::ToCmdId(int controlId) const
{
    const int row = FindRow(controlId);
    if (row < 0) {
        Warn("Unexpected error occurred in ToCmdId().");
        return -1;
    }
    return Row(row).commandIndex;
}

int ControlTable::CtrlId2TblIndex(int controlId) const
{
    const int row = FindRow(controlId);
    if (row < 0) Warn("Unexpected error occurred in CtrlId2TblIndex().");
    return row;
}

int ControlTable::ToCtrlId(int commandIndex) const
{
    for (int row = 0; Row(row).controlId != -1; ++row) {
        if (Row(row).commandIndex == commandIndex) return Row(row).controlId;
    }
    Warn(StrFormat("Unexpected error occurred in ToCtrlId(): Command id is %d", commandIndex));
    return -1;
}

int ControlTable::GetSpinMargin(int controlId) const
{
    const int row = CtrlId2TblIndex(controlId);
    return row < 0 ? -1 : Row(row).spinMargin;
}

int ControlTable::GetRange(int controlId, int& minimum, int& maximum) const
{
    const int row = CtrlId2TblIndex(controlId);
    if (row < 0) return 0;
    minimum = Row(row).minimum;
    maximum = Row(row).maximum;
    return 1;
}

int ControlTable::IsStoredInFile(int controlId) const
{
    const int row = FindRow(controlId);
    return row < 0 ? 0 : Row(row).storedInFile;
}

int ControlTable::IsFactoryParam(int controlId) const
{
    const int row = FindRow(controlId);
    if (row < 0) {
        Warn(StrFormat("ERROR: IsFactoryParam(): Control id \"%d: 0x%x\" is not registered in database table",
                       controlId, static_cast<unsigned>(controlId)));
        return 0;
    }
    return Row(row).group == kGroupFactory ? 1 : 0;
}

int ControlTable::IsValueControl(int row) const { return Row(row).controlKind != kKindButton ? 1 : 0; }

int ControlTable::CountValueRows() const
{
    // The table's shape never changes: the count is taken once and kept for the run.
    static const int count = [] {
        int n = 0;
        for (const ControlEntry& entry : kDefaults) {
            if (entry.controlId != -1 && entry.controlKind != kKindButton) ++n;
        }
        return n;
    }();
    return count;
}

int ControlTable::CountUserValueRows() const
{
    static const int count = [] {
        int n = 0;
        for (const ControlEntry& entry : kDefaults) {
            if (entry.controlId != -1 && entry.controlKind != kKindButton && entry.group == kGroupUser) ++n;
        }
        return n;
    }();
    return count;
}

void ControlTable::CommitShadow()
{
    for (int row = 0; Row(row).controlId != -1; ++row) Row(row).shadow = Row(row).value;
}

RequestOutcome ControlTable::WriteChangedValues(ValueSender& sender) const
{
    for (int row = 0; Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = Row(row);
        if (entry.value == entry.shadow) continue;
        if (RequestOutcome sent = sender.Set(entry.commandIndex, entry.value, kWriteTimeoutMs); !sent) return sent;
    }
    return RequestOutcome::AllAnswered();
}
