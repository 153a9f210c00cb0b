// The data sheet's contents, transcribed from the camera's parameter documentation.
#include "camsim/CameraDataSheet.h"

#include <array>
#include <limits>

namespace camsim {
namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();  // no fixed limit: the camera decides

// row, control id, command, command index, kind, group, minimum, maximum, default, stored in file.
// Selections and actions have no limits (0, 0), but for the two-entry LROP and GM (0, 1).
constexpr std::array<SheetRow, 207> kRows = {{
    {0, 1124, "CBDRT", 11, 4, 1, 0, 0, 0, 0},  // Baud Rate (camera serial speed)
    {1, 1096, "TM", 13, 4, 1, 0, 0, 0, 1},  // Trigger: Trigger Mode
    {2, 1098, "TI", 14, 4, 1, 0, 0, 0, 1},  // Trigger: Trigger Source
    {3, 1099, "TA", 15, 4, 1, 0, 0, 0, 1},  // Trigger: Trigger Activation
    {4, 1186, "ARS", 16, 4, 1, 0, 0, 0, 1},  // Trigger: Auto Reset Mode
    {5, 1233, "EI", 17, 4, 1, 0, 0, 0, 1},  // Exposure: RB Exp Interlocked
    {6, 1092, "TR", 18, 4, 1, 0, 0, 0, 1},  // Exposure: Exposure Mode
    {7, 1224, "ETM", 19, 4, 1, 0, 0, 0, 1},  // Exposure: Exposure Time Mode
    {8, 1093, "PE", 20, 6, 1, 0, kMax, 0, 1},  // Exposure: Exposure Time
    {9, 1294, "PER", 21, 6, 1, 0, kMax, 0, 1},  // Exposure: Exposure Time R
    {10, 1296, "PEG", 22, 6, 1, 0, kMax, 0, 1},  // Exposure: Exposure Time G
    {11, 1298, "PEB", 23, 6, 1, 0, kMax, 0, 1},  // Exposure: Exposure Time B
    {12, 1187, "LR", 24, 6, 1, 0, kMax, 0, 1},  // Line Rate: Line Rate
    {13, 1628, "LROP", 28, 4, 1, 0, 1, 0, 1},  // Acquisition Linerate Option: Method
    {14, 1225, "WTC", 29, 6, 1, 8, 4096, 4096, 1},  // Image format: Width
    {15, 1227, "OFC", 30, 6, 1, 0, 4080, 0, 1},  // Image format: Offset X
    {16, 1229, "HB", 31, 6, 1, 1, 2, 1, 1},  // Image format: Binning H
    {17, 1231, "VB", 32, 6, 1, 1, 2, 1, 1},  // Image format: Binning V
    {18, 1100, "BA", 33, 4, 1, 0, 0, 0, 1},  // Image format: Pixel Format
    {19, 1223, "CLCFG", 34, 4, 1, 0, 0, 0, 1},  // Image format: CL Configuration
    {20, 1174, "CLCF", 35, 4, 1, 0, 0, 0, 1},  // Image format: CL Clock
    {21, 1290, "SCB", 36, 4, 1, 0, 0, 0, 1},  // Cable Emphasis
    {22, 1537, "SWBR", 37, 4, 1, 0, 0, 0, 1},  // Swap B and R
    {23, 1538, "ADDI", 38, 4, 1, 0, 0, 0, 1},  // Additional Infomation
    {24, 1576, "EAS", 39, 4, 1, 0, 0, 0, 1},  // Exposure Active Source
    {25, 1119, "TPN", 40, 4, 1, 0, 0, 0, 0},  // Image format: Test Pattern
    {26, 1259, "GM", 41, 4, 1, 0, 1, 0, 1},  // Gain and Black: Indivisual Gain Mode
    {27, 1041, "GA", 42, 6, 1, 100, 800, 100, 1},  // Gain and Black: Gain All
    {28, 1246, "GAR", 43, 6, 1, 40, 1600, 100, 1},  // Gain and Black: Gain Red
    {29, 1248, "GAB", 44, 6, 1, 40, 1600, 100, 1},  // Gain and Black: Gain Blue
    {30, 1244, "GAG", 45, 6, 1, 100, 1600, 100, 1},  // Gain and Black: Gain Green
    {31, 1217, "SGA", 46, 4, 1, 0, 0, 0, 1},  // Gain and Black: Analog Base Gain All
    {32, 1291, "SGG", 47, 4, 1, 0, 0, 0, 1},  // Gain and Black: Analog Base Gain G
    {33, 1292, "SGR", 48, 4, 1, 0, 0, 0, 1},  // Gain and Black: Analog Base Gain R
    {34, 1293, "SGB", 49, 4, 1, 0, 0, 0, 1},  // Gain and Black: Analog Base Gain B
    {35, 1408, "AWB", 50, 4, 1, 0, 0, 0, 1},  // White Balance: Mode
    {36, 1404, "AWBW", 51, 6, 1, 8, 4096, 4096, 1},  // White Balance: Width
    {37, 1406, "AWBO", 52, 6, 1, 0, 4080, 0, 1},  // White Balance: Offset X
    {38, 1139, "BL", 55, 6, 1, -133, 255, 0, 1},  // Gain and Black: Black Level All
    {39, 1234, "BLR", 56, 6, 1, -64, 64, 0, 1},  // Gain and Black: Black Level Red
    {40, 1236, "BLB", 57, 6, 1, -64, 64, 0, 1},  // Gain and Black: Black Level Blue
    {41, 1120, "SDM", 58, 4, 1, 0, 0, 0, 1},  // Shading Correction: Correction Mode
    {42, 1334, "SDCM", 59, 4, 1, 0, 0, 0, 1},  // Shading Correction: Method
    {43, 1121, "RS", 60, 7, 0, 0, 0, 0, 0},  // Recalibrate Shading (button)
    {44, 1192, "PGC", 67, 4, 1, 0, 0, 0, 1},  // Pixel Gain Correction: Correction Mode
    {45, 1193, "PGR", 68, 7, 0, 0, 0, 0, 0},  // Recalibrate Pixel Gain (button)
    {46, 1184, "PBC", 70, 4, 1, 0, 0, 0, 1},  // Pixel Black Correction: Correction Mode
    {47, 1183, "PBR", 71, 7, 0, 0, 0, 0, 0},  // Recalibrate Pixel Black (button)
    {48, 1641, "FFR", 73, 4, 1, 0, 0, 0, 1},  // FIR Filter: Mode R
    {49, 1642, "FFG", 74, 4, 1, 0, 0, 0, 1},  // FIR Filter: Mode G
    {50, 1643, "FFB", 75, 4, 1, 0, 0, 0, 1},  // FIR Filter: Mode B
    {51, 1644, "FFLRR", 76, 6, 1, -200, 200, 0, 1},  // FIR Filter: Left Ratio R
    {52, 1646, "FFLRG", 77, 6, 1, -200, 200, 0, 1},  // FIR Filter: Left Ratio G
    {53, 1648, "FFLRB", 78, 6, 1, -200, 200, 0, 1},  // FIR Filter: Left Ratio B
    {54, 1650, "FFCRR", 79, 6, 1, -200, 200, 100, 1},  // FIR Filter: Centoer Ratio R
    {55, 1652, "FFCRG", 80, 6, 1, -200, 200, 100, 1},  // FIR Filter: Centoer Ratio G
    {56, 1654, "FFCRB", 81, 6, 1, -200, 200, 100, 1},  // FIR Filter: Centoer Ratio B
    {57, 1656, "FFRRR", 82, 6, 1, -200, 200, 0, 1},  // FIR Filter: Right Ratio R
    {58, 1658, "FFRRG", 83, 6, 1, -200, 200, 0, 1},  // FIR Filter: Right Ratio G
    {59, 1660, "FFRRB", 84, 6, 1, -200, 200, 0, 1},  // FIR Filter: Right Ratio B
    {60, 1662, "MFR", 85, 4, 1, 0, 0, 0, 1},  // MEDIAN Filter: Mode R
    {61, 1663, "MFG", 86, 4, 1, 0, 0, 0, 1},  // MEDIAN Filter: Mode G
    {62, 1664, "MFB", 87, 4, 1, 0, 0, 0, 1},  // MEDIAN Filter: Mode B
    {63, 1116, "LUN", 88, 4, 1, 0, 0, 0, 1},  // LUT: LUT selector
    {64, 1160, "LUTIG", 89, 6, 1, 0, 256, 0, 0},  // LUT: Index G
    {65, 1421, "LUTIR", 90, 6, 1, 0, 256, 0, 0},  // LUT: Index R
    {66, 1425, "LUTIB", 91, 6, 1, 0, 256, 0, 0},  // LUT: Index B
    {67, 1162, "LUTG", 92, 6, 1, 0, 4095, 0, 0},  // LUT: Data G
    {68, 1423, "LUTR", 93, 6, 1, 0, 4095, 0, 0},  // LUT: Data R
    {69, 1427, "LUTB", 94, 6, 1, 0, 4095, 0, 0},  // LUT: Data B
    {70, 1117, "GMA", 95, 6, 1, 45, 100, 45, 1},  // LUT: Gamma Selector
    {71, 1194, "TMPS0", 97, 4, 1, 0, 0, 0, 0},  // Temperature: sensor
    {72, 1101, "LS0", 98, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut1 Source
    {73, 1339, "LS1", 99, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut2 Source
    {74, 1340, "LS2", 100, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut3 Source
    {75, 1341, "LS3", 101, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut4 Source
    {76, 1342, "ND0IN1", 102, 4, 1, 0, 0, 0, 1},  // Line Source: Nand0 In1 Source
    {77, 1343, "ND0IN2", 103, 4, 1, 0, 0, 0, 1},  // Line Source: Nand0 In2 Source
    {78, 1344, "ND1IN1", 104, 4, 1, 0, 0, 0, 1},  // Line Source: Nand1 In1 Source
    {79, 1345, "ND1IN2", 105, 4, 1, 0, 0, 0, 1},  // Line Source: Nand1 In2 Source
    {80, 1346, "LI0", 106, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut1 Invert
    {81, 1347, "LI1", 107, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut2 Invert
    {82, 1348, "LI2", 108, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut3 Invert
    {83, 1349, "LI3", 109, 4, 1, 0, 0, 0, 1},  // Line Source: TTLOut4 Invert
    {84, 1350, "ND0INV1", 110, 4, 1, 0, 0, 0, 1},  // Line Source: Nand0 In1 Invert
    {85, 1351, "ND0INV2", 111, 4, 1, 0, 0, 0, 1},  // Line Source: Nand0 In2 Invert
    {86, 1352, "ND1INV1", 112, 4, 1, 0, 0, 0, 1},  // Line Source: Nand1 In1 Invert
    {87, 1353, "ND1INV2", 113, 4, 1, 0, 0, 0, 1},  // Line Source: Nand1 In2 Invert
    {88, 1195, "STP", 114, 4, 1, 0, 0, 0, 1},  // Sensor Select
    {89, 1535, "CTM", 115, 4, 1, 0, 0, 0, 1},  // Color Transformation: Mode
    {90, 1536, "CTRM", 116, 4, 1, 0, 0, 0, 1},  // Color Transformation: RGB Mode
    {91, 1517, "CMVRR", 117, 6, 1, -20000, 20000, 10000, 1},  // Color Matrix ( User Custom ): Red row, Red column
    {92, 1519, "CMVRG", 118, 6, 1, -20000, 20000, 0, 1},  // Color Matrix ( User Custom ): Red row, Green column
    {93, 1521, "CMVRB", 119, 6, 1, -20000, 20000, 0, 1},  // Color Matrix ( User Custom ): Red row, Blue column
    {94, 1523, "CMVGR", 120, 6, 1, -20000, 20000, 0, 1},  // Color Matrix ( User Custom ): Green row, Red column
    {95, 1525, "CMVGG", 121, 6, 1, -20000, 20000, 10000, 1},  // Color Matrix ( User Custom ): Green row, Green column
    {96, 1527, "CMVGB", 122, 6, 1, -20000, 20000, 0, 1},  // Color Matrix ( User Custom ): Green row, Blue column
    {97, 1529, "CMVBR", 123, 6, 1, -20000, 20000, 0, 1},  // Color Matrix ( User Custom ): Blue row, Red column
    {98, 1531, "CMVBG", 124, 6, 1, -20000, 20000, 0, 1},  // Color Matrix ( User Custom ): Blue row, Green column
    {99, 1533, "CMVBB", 125, 6, 1, -20000, 20000, 10000, 1},  // Color Matrix ( User Custom ): Blue row, Blue column
    {100, 1539, "HIM", 126, 4, 1, 0, 0, 0, 1},  // H Image Mirroring: Mode
    {101, 1542, "ODM", 127, 4, 1, 0, 0, 0, 1},  // Object Direction: Mode
    {102, 1543, "ODS", 128, 4, 1, 0, 0, 0, 1},  // Object Direction: Source
    {103, 1548, "ENCSA", 129, 4, 1, 0, 0, 0, 1},  // Encoder Control: Source A
    {104, 1549, "ENCSB", 130, 4, 1, 0, 0, 0, 1},  // Encoder Control: Source B
    {105, 1551, "ENCDIV", 131, 6, 1, kMin, kMax, 1, 1},  // Encoder Control: Divider
    {106, 1580, "ENFIL", 132, 6, 1, 0, 15, 0, 1},  // Encoder Control: Filter
    {107, 1582, "ENSTR", 133, 6, 1, 1, 255, 1, 1},  // Encoder Control: Strobe
    {108, 1640, "ENAVE", 134, 4, 1, 0, 0, 0, 1},  // Encoder Control: Averaging Interval
    {109, 1560, "CACM", 135, 4, 1, 0, 0, 0, 1},  // Chromatic Aberation Correction: Mode
    {110, 1561, "CACR1", 136, 6, 1, -40, 40, 0, 1},  // Lens1: Red
    {111, 1563, "CACB1", 137, 6, 1, -40, 40, 0, 1},  // Lens1: Blue
    {112, 1584, "CACR2", 138, 6, 1, -40, 40, 0, 1},  // Lens2: Red
    {113, 1586, "CACB2", 139, 6, 1, -40, 40, 0, 1},  // Lens2: Blue
    {114, 1588, "CACR3", 140, 6, 1, -40, 40, 0, 1},  // Lens3: Red
    {115, 1590, "CACB3", 141, 6, 1, -40, 40, 0, 1},  // Lens3: Blue
    {116, 1565, "SPCM", 142, 4, 1, 0, 0, 0, 1},  // Spartial Compensation: Mode
    {117, 1566, "SPCR", 143, 6, 1, 0, 80, 0, 1},  // Spartial Compensation: Red
    {118, 1568, "SPCG", 144, 6, 1, 0, 80, 0, 1},  // Spartial Compensation: Green
    {119, 1570, "SPCB", 145, 6, 1, 0, 80, 0, 1},  // Spartial Compensation: Blue
    {120, 1578, "SPCD", 146, 6, 1, 5, 20, 10, 1},  // Spartial Compensation: Distance
    {121, 1354, "PGL0", 147, 6, 1, 1, 1048575, 30000, 1},  // Pulse Generator 0: Length
    {122, 1356, "PGST0", 148, 6, 1, 0, 1048574, 0, 1},  // Pulse Generator 0: Start
    {123, 1358, "PGEN0", 149, 6, 1, 1, 1048575, 15000, 1},  // Pulse Generator 0: End
    {124, 1360, "PGRPT0", 150, 6, 1, 0, 255, 0, 1},  // Pulse Generator 0: Repeat
    {125, 1362, "PGCM0", 151, 4, 1, 0, 0, 0, 1},  // Pulse Generator 0: Activation
    {126, 1363, "PGIN0", 152, 4, 1, 0, 0, 0, 1},  // Pulse Generator 0: Source
    {127, 1364, "PGINV0", 153, 4, 1, 0, 0, 0, 1},  // Pulse Generator 0: Inverter
    {128, 1365, "PGSM0", 154, 4, 1, 0, 0, 0, 1},  // Pulse Generator 0: Sync
    {129, 1366, "PGL1", 155, 6, 1, 1, 1048575, 30000, 1},  // Pulse Generator 1: Length
    {130, 1368, "PGST1", 156, 6, 1, 0, 1048574, 0, 1},  // Pulse Generator 1: Start
    {131, 1370, "PGEN1", 157, 6, 1, 1, 1048575, 15000, 1},  // Pulse Generator 1: End
    {132, 1372, "PGRPT1", 158, 6, 1, 0, 255, 0, 1},  // Pulse Generator 1: Repeat
    {133, 1374, "PGCM1", 159, 4, 1, 0, 0, 0, 1},  // Pulse Generator 1: Activation
    {134, 1375, "PGIN1", 160, 4, 1, 0, 0, 0, 1},  // Pulse Generator 1: Source
    {135, 1376, "PGINV1", 161, 4, 1, 0, 0, 0, 1},  // Pulse Generator 1: Inverter
    {136, 1377, "PGSM1", 162, 4, 1, 0, 0, 0, 1},  // Pulse Generator 1: Sync
    {137, 1378, "PGL2", 163, 6, 1, 1, 1048575, 30000, 1},  // Pulse Generator 2: Length
    {138, 1380, "PGST2", 164, 6, 1, 0, 1048574, 0, 1},  // Pulse Generator 2: Start
    {139, 1382, "PGEN2", 165, 6, 1, 1, 1048575, 15000, 1},  // Pulse Generator 2: End
    {140, 1384, "PGRPT2", 166, 6, 1, 0, 255, 0, 1},  // Pulse Generator 2: Repeat
    {141, 1386, "PGCM2", 167, 4, 1, 0, 0, 0, 1},  // Pulse Generator 2: Activation
    {142, 1387, "PGIN2", 168, 4, 1, 0, 0, 0, 1},  // Pulse Generator 2: Source
    {143, 1388, "PGINV2", 169, 4, 1, 0, 0, 0, 1},  // Pulse Generator 2: Inverter
    {144, 1389, "PGSM2", 170, 4, 1, 0, 0, 0, 1},  // Pulse Generator 2: Sync
    {145, 1390, "PGL3", 171, 6, 1, 1, 1048575, 30000, 1},  // Pulse Generator 3: Length
    {146, 1392, "PGST3", 172, 6, 1, 0, 1048574, 0, 1},  // Pulse Generator 3: Start
    {147, 1394, "PGEN3", 173, 6, 1, 1, 1048575, 15000, 1},  // Pulse Generator 3: End
    {148, 1396, "PGRPT3", 174, 6, 1, 0, 255, 0, 1},  // Pulse Generator 3: Repeat
    {149, 1398, "PGCM3", 175, 4, 1, 0, 0, 0, 1},  // Pulse Generator 3: Activation
    {150, 1399, "PGIN3", 176, 4, 1, 0, 0, 0, 1},  // Pulse Generator 3: Source
    {151, 1400, "PGINV3", 177, 4, 1, 0, 0, 0, 1},  // Pulse Generator 3: Inverter
    {152, 1401, "PGSM3", 178, 4, 1, 0, 0, 0, 1},  // Pulse Generator 3: Sync
    {153, 1402, "PGDEV", 179, 6, 1, 1, 4096, 1, 1},  // PG Clock PreScaler
    {154, 1438, "OPTFL", 180, 4, 1, 0, 0, 0, 1},  // Opt In Filter Selector
    {155, 1434, "USC0", 181, 4, 1, 0, 0, 0, 1},  // User Output 0
    {156, 1435, "USC1", 182, 4, 1, 0, 0, 0, 1},  // User Output 1
    {157, 1436, "USC2", 183, 4, 1, 0, 0, 0, 1},  // User Output 2
    {158, 1437, "USC3", 184, 4, 1, 0, 0, 0, 1},  // User Output 3
    {159, 1439, "CE0", 185, 4, 1, 0, 0, 0, 1},  // Counter 0: Source
    {160, 1440, "CEA0", 186, 4, 1, 0, 0, 0, 1},  // Counter 0: Activation
    {161, 1445, "CE1", 190, 4, 1, 0, 0, 0, 1},  // Counter 1: Source
    {162, 1446, "CEA1", 191, 4, 1, 0, 0, 0, 1},  // Counter 1: Activation
    {163, 1451, "CE2", 195, 4, 1, 0, 0, 0, 1},  // Counter 2: Source
    {164, 1452, "CEA2", 196, 4, 1, 0, 0, 0, 1},  // Counter 2: Activation
    {165, 1457, "CE3", 200, 4, 1, 0, 0, 0, 1},  // Counter 3: Source
    {166, 1458, "CEA3", 201, 4, 1, 0, 0, 0, 1},  // Counter 3: Activation
    {167, 1126, "SA00", 208, 7, 0, 0, 0, 0, 0},  // Save Settings into Factory Area (button)
    {168, 1128, "BAS00", 213, 4, 2, 0, 0, 0, 0},  // Boot Area Set
    {169, 1255, "GAOR", 214, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain: Red
    {170, 1250, "GAOG", 215, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain: Green
    {171, 1257, "GAOB", 216, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain: Blue
    {172, 1600, "GAORJ", 217, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust: Red
    {173, 1598, "GAOGJ", 218, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust: Green
    {174, 1602, "GAOBJ", 219, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust: Blue
    {175, 1240, "OBR", 220, 6, 2, 0, 255, 133, 1},  // Factory Black: Red
    {176, 1238, "OBG", 221, 6, 2, 0, 255, 133, 1},  // Factory Black: Green
    {177, 1242, "OBB", 222, 6, 2, 0, 255, 133, 1},  // Factory Black: Blue
    {178, 1268, "GAORA", 223, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain Type A: Red
    {179, 1266, "GAOGA", 224, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain Type A: Green
    {180, 1270, "GAOBA", 225, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain Type A: Blue
    {181, 1606, "GAORAJ", 226, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust A: Red
    {182, 1604, "GAOGAJ", 227, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust A: Green
    {183, 1608, "GAOBAJ", 228, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust A: Blue
    {184, 1274, "GAORB", 229, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain Type B: Red
    {185, 1272, "GAOGB", 230, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain Type B: Green
    {186, 1276, "GAOBB", 231, 6, 2, 8192, 131072, 8192, 1},  // Factory Gain Type B: Blue
    {187, 1612, "GAORBJ", 232, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust B: Red
    {188, 1610, "GAOGBJ", 233, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust B: Green
    {189, 1614, "GAOBBJ", 234, 6, 2, -4096, 4095, 0, 1},  // Factory Gain Adjust B: Blue
    {190, 1280, "OBRA", 235, 6, 2, 0, 255, 133, 1},  // Factory Black Type A: Red
    {191, 1278, "OBGA", 236, 6, 2, 0, 255, 133, 1},  // Factory Black Type A: Green
    {192, 1282, "OBBA", 237, 6, 2, 0, 255, 133, 1},  // Factory Black Type A: Blue
    {193, 1286, "OBRB", 238, 6, 2, 0, 255, 133, 1},  // Factory Black Type B: Red
    {194, 1284, "OBGB", 239, 6, 2, 0, 255, 133, 1},  // Factory Black Type B: Green
    {195, 1288, "OBBB", 240, 6, 2, 0, 255, 133, 1},  // Factory Black Type B: Blue
    {196, 1409, "WB0R", 241, 6, 2, 40, 400, 100, 1},  // Preset Gain: 5000K Red
    {197, 1411, "WB0B", 242, 6, 2, 40, 400, 100, 1},  // Preset Gain: 5000K Blue
    {198, 1413, "WB1R", 243, 6, 2, 40, 400, 100, 1},  // Preset Gain: 6500K Red
    {199, 1415, "WB1B", 244, 6, 2, 40, 400, 100, 1},  // Preset Gain: 6500K Blue
    {200, 1417, "WB2R", 245, 6, 2, 40, 400, 100, 1},  // Preset Gain: 7500K Red
    {201, 1419, "WB2B", 246, 6, 2, 40, 400, 100, 1},  // Preset Gain: 7500K Blue
    {202, 1633, "SCBN", 247, 6, 2, 0, 255, 80, 1},  // Cable Emphasis: Normal
    {203, 1635, "SCBM", 248, 6, 2, 0, 255, 120, 1},  // Cable Emphasis: Medium
    {204, 1637, "SCBS", 249, 6, 2, 0, 255, 180, 1},  // Cable Emphasis: Strong
    {205, 1197, "PGR00", 252, 7, 0, 0, 0, 0, 0},  // Recalibrate Pixel Gain (button)
    {206, 1198, "PBR00", 254, 7, 0, 0, 0, 0, 0},  // Recalibrate Pixel Black (button)
}};

std::vector<int> Indexes(int count)
{
    std::vector<int> codes;
    for (int i = 0; i < count; ++i) codes.push_back(i);
    return codes;
}

// The sources of the lines and NAND inputs; a pulse generator's own output is not a source for it.
std::vector<int> SignalSources(int withoutCode = -1)
{
    std::vector<int> codes;
    for (int code : {0, 1, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 23, 24, 26, 27, 28, 29, 30}) {
        if (code != withoutCode) codes.push_back(code);
    }
    return codes;
}

std::vector<SheetCodes> BuildCodes()
{
    std::vector<SheetCodes> lists;
    const auto add = [&lists](std::string_view model, std::initializer_list<const char*> names,
                              const std::vector<int>& codes) {
        for (const char* name : names) lists.push_back({model, name, codes});
    };
    // Off / On and False / True
    add("", {"TM", "ARS", "EI", "GM", "SWBR", "ADDI", "HIM", "FFR", "FFG", "FFB", "MFR", "MFG", "MFB"}, Indexes(2));
    add("",
        {"LI0", "LI1", "LI2", "LI3", "ND0INV1", "ND0INV2", "ND1INV1", "ND1INV2", "PGINV0", "PGINV1", "PGINV2", "PGINV3",
         "USC0", "USC1", "USC2", "USC3"},
        Indexes(2));
    add("", {"LS0", "LS1", "LS2", "LS3", "ND0IN1", "ND0IN2", "ND1IN1", "ND1IN2"}, SignalSources());
    add("", {"TI"}, {0, 1, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 23, 24, 26, 27, 28, 29});
    add("", {"PGIN0"}, SignalSources(10));
    add("", {"PGIN1"}, SignalSources(11));
    add("", {"PGIN2"}, SignalSources(12));
    add("", {"PGIN3"}, SignalSources(13));
    add("", {"PGCM0", "PGCM1", "PGCM2", "PGCM3"}, {0, 1, 2, 4, 8});
    add("", {"CLCFG"}, {0, 1, 2, 4});
    add("", {"CE0"}, {0, 1});
    add("", {"CE1"}, {0, 3});
    add("", {"CE2"}, {0, 2});
    add("", {"CE3"}, {0, 4});
    add("", {"CEA0", "CEA1", "CEA2", "CEA3", "TMPS0"}, Indexes(1));
    add("", {"ETM", "LROP", "BA", "SDCM", "STP", "ODM", "SPCM", "PGSM0", "PGSM1", "PGSM2", "PGSM3", "BAS00"},
        Indexes(2));
    add("", {"TR", "SCB", "EAS", "SGA", "SGG", "SGR", "SGB", "LUN", "CTM"}, Indexes(3));
    add("", {"TA", "CLCF", "SDM", "CTRM", "ENCSA", "ENCSB", "CACM"}, Indexes(4));
    add("", {"TPN", "PGC", "PBC", "CBDRT"}, Indexes(5));
    add("", {"AWB", "ENAVE"}, Indexes(6));
    add("", {"ODS", "OPTFL"}, Indexes(7));

    // The B1 has one exposure time for all colours and the slowest pixel clock; only the A1 has the
    // white balance on exposure ("Exposure Once", code 4).
    add("RV-8200-B1", {"ETM"}, {0});
    add("RV-8200-B1", {"CLCF"}, {0, 1, 2, 3});
    add("RV-8200-B1", {"AWB"}, {0, 2, 5, 6, 7});
    add("RV-8200-A1", {"ETM"}, {0, 1});
    add("RV-8200-A1", {"CLCF"}, {0, 1, 2});
    add("RV-8200-A1", {"AWB"}, {0, 2, 4, 5, 6, 7});
    return lists;
}

constexpr SheetMissing kMissing[] = {
    {"RV-8200-B1",
     "EI ETM PER PEG PEB SCB SGG SGR SGB STP GAORA GAOGA GAOBA GAORAJ GAOGAJ GAOBAJ GAORB GAOGB GAOBB GAORBJ GAOGBJ "
     "GAOBBJ OBRA OBGA OBBA OBRB OBGB OBBB SCBN SCBM SCBS"},
    {"RV-8200-A1", "LROP EAS SGA ODM ODS SPCM SPCR SPCG SPCB SPCD GAOR GAOG GAOB GAORJ GAOGJ GAOBJ OBR OBG OBB"},
};

}  // namespace

std::span<const SheetRow> CameraDataSheet::Rows() { return kRows; }

const std::vector<SheetCodes>& CameraDataSheet::Codes()
{
    static const std::vector<SheetCodes> codes = BuildCodes();
    return codes;
}

std::span<const SheetMissing> CameraDataSheet::Missing() { return kMissing; }

}  // namespace camsim
