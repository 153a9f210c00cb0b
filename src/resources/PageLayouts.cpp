// The parameter pages' groups, rows and controls, written once and turned into widgets by the page builder.
#include "resources/PageLayouts.h"

#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlIds.h"

#include <string>
#include <utility>

// Arrangement rules the data below keeps:
// - A control the model set-up may hide (a command one of the two models lacks) stands alone in its row,
//   so hiding it takes its label along and leaves no half-empty row; a group whose controls are all of
//   that kind disappears as a whole.
// - Columns are filled so that no column is taller than the page (about 640 px of content at 26 px per
//   row and 40 px per group box) even with every group shown, as before the camera model is known.

namespace {

LayoutItem Combo(int id, int command, int width = 0)
{
    LayoutItem item{id, ItemKind::Combo};
    item.comboCommand = command;
    item.width = width;
    return item;
}

LayoutItem ComboOf(int id, std::vector<std::string> entries, int width = 0)
{
    LayoutItem item{id, ItemKind::Combo};
    item.entries = std::move(entries);
    item.width = width;
    return item;
}

// An edit with its up-down; the up-down's id is the edit's plus one on every page but one.
LayoutItem Spin(int id, int width = 0, int spinId = 0)
{
    LayoutItem item{id, ItemKind::EditSpin};
    item.spinId = spinId != 0 ? spinId : id + 1;
    item.width = width;
    return item;
}

LayoutItem Button(int id, std::string text, int width = 0)
{
    LayoutItem item{id, ItemKind::Button};
    item.text = std::move(text);
    item.width = width;
    return item;
}

LayoutItem Static(int id, std::string text, int width = 0)
{
    LayoutItem item{id, ItemKind::Static};
    item.text = std::move(text);
    item.width = width;
    return item;
}

LayoutItem Edit(int id, int width = 0)
{
    LayoutItem item{id, ItemKind::Edit};
    item.width = width;
    return item;
}

// Values the camera reports on a button press; typing into them would change nothing.
LayoutItem Display(int id, int width = 0)
{
    LayoutItem item{id, ItemKind::ReadOnlyEdit};
    item.width = width;
    return item;
}

LayoutRow Row(std::string label, std::vector<LayoutItem> items, int labelId = 0)
{
    return LayoutRow{std::move(label), labelId, std::move(items)};
}

LayoutGroup Group(std::string caption, int column, std::vector<LayoutRow> rows, std::vector<LayoutGroup> subgroups = {})
{
    return LayoutGroup{std::move(caption), column, std::move(rows), std::move(subgroups)};
}

// Red, green and blue edits of one setting, one row each (the factory gains and blacks).
LayoutGroup ColourGroup(std::string caption, int column, int red, int green, int blue)
{
    return Group(std::move(caption), column,
                 {Row("Red", {Spin(red)}), Row("Green", {Spin(green)}), Row("Blue", {Spin(blue)})});
}

constexpr int kLimitWidth = 90;  // limit statics: up to ten digits
constexpr int kRateWidth = 120;  // "100000000.0000hz"
constexpr int kLutIndexWidth = 50;
constexpr int kLutDataWidth = 60;
constexpr int kDigitWidth = 24;  // the one-character XML version edits
constexpr int kCounterWidth = 120;
constexpr int kMatrixWidth = 80;  // matrix edits and their column headings line up
const char* const kNotRead = "---";  // a limit not read from the camera yet

PageLayout UserA()
{
    return {
        111,
        "User A",
        false,
        true,
        {
            Group("Trigger", 0,
                  {Row("Trigger Mode", {Combo(ctl::kTriggerMode, cmd::TM)}),
                   Row("Trigger Source", {Combo(1098, cmd::TI)}),
                   Row("Trigger Activation", {Combo(ctl::kTriggerActivation, cmd::TA)}),
                   Row("Auto Reset Mode", {Combo(ctl::kAutoResetMode, cmd::ARS)})}),
            Group(
                "Exposure", 0,
                {Row("Exposure Mode", {Combo(ctl::kExposureMode, cmd::TR)}),
                 Row("Exposure Time Mode", {Combo(ctl::kExposureTimeMode, cmd::ETM)}),
                 Row("Exposure Time", {Spin(ctl::kExposureTime)}), Row("Exposure Time R", {Spin(ctl::kExposureTimeR)}),
                 Row("Exposure Time G", {Spin(ctl::kExposureTimeG)}),
                 Row("Exposure Time B", {Spin(ctl::kExposureTimeB)}), Row("RB Exp Interlocked", {Combo(1233, cmd::EI)}),
                 Row("Max limit", {Static(ctl::kExposureMaxStatic, kNotRead, kLimitWidth),
                                   Button(ctl::kReadExposureLimits, "Read")}),
                 Row("Min limit", {Static(ctl::kExposureMinStatic, kNotRead, kLimitWidth)})}),
            Group("Line Rate", 1,
                  {Row("Line Rate", {Spin(ctl::kLineRate)}),
                   Row("Line Period", {Static(ctl::kLinePeriodStatic, "XXX.XXms", kRateWidth)}),
                   Row("Line Frequency", {Static(ctl::kLineFrequencyStatic, "XXX.XXHz", kRateWidth)}),
                   Row("Min limit", {Static(ctl::kLineRateMinStatic, kNotRead, kLimitWidth),
                                     Button(ctl::kReadLineRateLimit, "Read")})}),
            Group(
                "Gain and Black", 1,
                {Row("Indivisual Gain Mode", {Combo(ctl::kGainMode, cmd::GM)}),
                 Row("Gain All", {Spin(ctl::kGainAll, 0, 1045)}), Row("Gain Red", {Spin(ctl::kGainRed)}),
                 Row("Gain Green", {Spin(ctl::kGainGreen)}), Row("Gain Blue", {Spin(ctl::kGainBlue)}),
                 Row("Analog Base Gain All", {Combo(1217, cmd::SGA)}),
                 Row("Analog Base Gain R", {Combo(1292, cmd::SGR)}), Row("Analog Base Gain G", {Combo(1291, cmd::SGG)}),
                 Row("Analog Base Gain B", {Combo(1293, cmd::SGB)}), Row("Black Level All", {Spin(1139)}),
                 Row("Black Level Red", {Spin(1234)}), Row("Black Level Blue", {Spin(1236)})}),
            Group("Image format", 2,
                  {Row("Pixel Format", {Combo(ctl::kPixelFormat, cmd::BA)}),
                   Row("CL Configuration", {Combo(ctl::kClConfiguration, cmd::CLCFG)}),
                   Row("CL Clock", {Combo(1174, cmd::CLCF)}), Row("Test Pattern", {Combo(1119, cmd::TPN)}),
                   Row("Width", {Spin(ctl::kWidth)}), Row("Offset X", {Spin(ctl::kOffsetX)}),
                   Row("Binning H", {Spin(ctl::kBinning)}), Row("Binning V", {Spin(1231)})}),
        }};
}

// One LUT row: the entry's index and data with the buttons that move that single entry.
LayoutRow LutRow(std::string colour, int indexId, int dataId, int readId, int writeId)
{
    return Row(std::move(colour), {Static(0, "Index"), Spin(indexId, kLutIndexWidth), Static(0, "Data"),
                                   Spin(dataId, kLutDataWidth), Button(readId, "Read"), Button(writeId, "Write")});
}

PageLayout UserB()
{
    return {
        112,
        "User B",
        false,
        true,
        {
            Group(
                "Shading Correction", 0,
                {Row("Correction Mode", {Combo(ctl::kShadingMode, cmd::SDM)}), Row("Method", {Combo(1334, cmd::SDCM)}),
                 Row("", {Button(ctl::kRecalibrateShading, "Recalibrate Shading")})}),
            Group("Correction Data", 0,
                  {Row("", {Button(ctl::kShadingReadButton, "Read ( camera -> file )")}),
                   Row("", {Button(ctl::kShadingWriteButton, "Write ( file -> camera )")}),
                   Row("", {Button(ctl::kShadingStoreButton, "Store in flash memory")})}),
            Group("Pixel Gain Correction", 0,
                  {Row("Correction Mode", {Combo(ctl::kPixelGainMode, cmd::PGC)}),
                   Row("", {Button(ctl::kRecalibratePixelGain, "Recalibrate Pixel Gain")})}),
            Group("Pixel Black Correction", 0,
                  {Row("Correction Mode", {Combo(ctl::kPixelBlackMode, cmd::PBC)}),
                   Row("", {Button(ctl::kRecalibratePixelBlack, "Recalibrate Pixel Black")})}),
            Group("Acquisition Linerate Option", 0, {Row("Method", {Combo(ctl::kLineRateOption, cmd::LROP)})}),
            Group("LUT", 1,
                  {Row("LUT selector", {Combo(ctl::kLutSelector, cmd::LUN)}),
                   Row("Gamma Selector", {Spin(ctl::kGammaSelector)}, ctl::kGammaSelectorLabel),
                   Row("", {Button(ctl::kOpenLutTable, "Open LUT Table")}),
                   LutRow("G", ctl::kLutIndexG, ctl::kLutDataG, ctl::kLutReadG, ctl::kLutWriteG),
                   LutRow("R", ctl::kLutIndexR, ctl::kLutDataR, ctl::kLutReadR, ctl::kLutWriteR),
                   LutRow("B", ctl::kLutIndexB, ctl::kLutDataB, ctl::kLutReadB, ctl::kLutWriteB)}),
            Group("White Balance", 1,
                  {Row("Mode", {Combo(ctl::kWhiteBalanceMode, cmd::AWB)}),
                   Row("Width", {Spin(ctl::kWhiteBalanceWidth)}), Row("Offset X", {Spin(ctl::kWhiteBalanceOffset)})}),
            Group("FIR Filter", 2,
                  {Row("Mode R", {Combo(1641, cmd::FFR)}), Row("Mode G", {Combo(1642, cmd::FFG)}),
                   Row("Mode B", {Combo(1643, cmd::FFB)}), Row("Left Ratio R", {Spin(1644)}),
                   Row("Left Ratio G", {Spin(1646)}), Row("Left Ratio B", {Spin(1648)}),
                   Row("Centoer Ratio R", {Spin(1650)}), Row("Centoer Ratio G", {Spin(1652)}),
                   Row("Centoer Ratio B", {Spin(1654)}), Row("Right Ratio R", {Spin(1656)}),
                   Row("Right Ratio G", {Spin(1658)}), Row("Right Ratio B", {Spin(1660)})}),
            Group("MEDIAN Filter", 2,
                  {Row("Mode R", {Combo(1662, cmd::MFR)}), Row("Mode G", {Combo(1663, cmd::MFG)}),
                   Row("Mode B", {Combo(1664, cmd::MFB)})}),
        }};
}

LayoutGroup Lens(std::string caption, int red, int blue)
{
    return Group(std::move(caption), 0, {Row("Red", {Spin(red)}), Row("Blue", {Spin(blue)})});
}

PageLayout UserC()
{
    return {
        113,
        "User C",
        false,
        true,
        {
            Group("H Image Mirroring", 0, {Row("Mode", {Combo(1539, cmd::HIM)})}),
            Group("Object Direction", 0,
                  {Row("Mode", {Combo(1542, cmd::ODM)}), Row("Source", {Combo(1543, cmd::ODS)})}),
            Group("Color Transformation", 0,
                  {Row("Mode", {Combo(1535, cmd::CTM)}), Row("RGB Mode", {Combo(1536, cmd::CTRM)})}),
            // Rows are the matrix rows, the three edits of a row its columns.
            Group("Color Matrix ( User Custom )", 0,
                  {Row("", {Static(0, "Red column", kMatrixWidth), Static(0, "Green column", kMatrixWidth),
                            Static(0, "Blue column", kMatrixWidth)}),
                   Row("Red row", {Spin(1517, kMatrixWidth), Spin(1519, kMatrixWidth), Spin(1521, kMatrixWidth)}),
                   Row("Green row", {Spin(1523, kMatrixWidth), Spin(1525, kMatrixWidth), Spin(1527, kMatrixWidth)}),
                   Row("Blue row", {Spin(1529, kMatrixWidth), Spin(1531, kMatrixWidth), Spin(1533, kMatrixWidth)})}),
            Group("Encoder Control", 1,
                  {Row("Source A", {Combo(1548, cmd::ENCSA)}), Row("Source B", {Combo(1549, cmd::ENCSB)}),
                   Row("Divider", {Spin(1551)}), Row("Filter", {Spin(1580)}), Row("Strobe", {Spin(1582)}),
                   Row("Averaging Interval", {Combo(1640, cmd::ENAVE)})}),
            // No camera command stands behind these controls: they carry no table row and no up-down,
            // so leaving the edits sends nothing.
            Group(
                "Tilted View Correction", 1,
                {Row("Mode", {ComboOf(1555, {"Off", "On"})}), Row("Angle", {Edit(1556)}), Row("Center", {Edit(1558)})}),
            Group("Chromatic Aberation Correction", 2, {Row("Mode", {Combo(1560, cmd::CACM)})},
                  {Lens("Lens1", 1561, 1563), Lens("Lens2", 1584, 1586), Lens("Lens3", 1588, 1590)}),
            Group("Spartial Compensation", 2,
                  {Row("Mode", {Combo(1565, cmd::SPCM)}), Row("Red", {Spin(1566)}), Row("Green", {Spin(1568)}),
                   Row("Blue", {Spin(1570)}), Row("Distance", {Spin(1578)})}),
        }};
}

// Pulse generator n: its edits start at `first` (two ids each, edit and up-down), its combos follow.
LayoutGroup PulseGenerator(int n, int column, int first)
{
    const int combos = first + 8;
    return Group("Pulse Generator " + std::to_string(n), column,
                 {Row("Length", {Spin(first)}), Row("Start", {Spin(first + 2)}), Row("End", {Spin(first + 4)}),
                  Row("Repeat", {Spin(first + 6)}), Row("Activation", {Combo(combos, cmd::PGCM0 + 8 * n)}),
                  Row("Source", {Combo(combos + 1, cmd::PGIN0 + 8 * n)}),
                  Row("Inverter", {Combo(combos + 2, cmd::PGINV0 + 8 * n)}),
                  Row("Sync", {Combo(combos + 3, cmd::PGSM0 + 8 * n)})});
}

PageLayout UserD()
{
    return {114,
            "User D",
            false,
            true,
            {
                PulseGenerator(0, 0, 1354),
                PulseGenerator(1, 0, 1366),
                PulseGenerator(2, 1, 1378),
                PulseGenerator(3, 1, 1390),
                // Each output's source stands next to its inverter.
                Group("Line Source", 2,
                      {Row("TTLOut1 Source", {Combo(1101, cmd::LS0)}), Row("TTLOut1 Invert", {Combo(1346, cmd::LI0)}),
                       Row("TTLOut2 Source", {Combo(1339, cmd::LS1)}), Row("TTLOut2 Invert", {Combo(1347, cmd::LI1)}),
                       Row("TTLOut3 Source", {Combo(1340, cmd::LS2)}), Row("TTLOut3 Invert", {Combo(1348, cmd::LI2)}),
                       Row("TTLOut4 Source", {Combo(1341, cmd::LS3)}), Row("TTLOut4 Invert", {Combo(1349, cmd::LI3)}),
                       Row("Nand0 In1 Source", {Combo(1342, cmd::ND0IN1)}),
                       Row("Nand0 In1 Invert", {Combo(1350, cmd::ND0INV1)}),
                       Row("Nand0 In2 Source", {Combo(1343, cmd::ND0IN2)}),
                       Row("Nand0 In2 Invert", {Combo(1351, cmd::ND0INV2)}),
                       Row("Nand1 In1 Source", {Combo(1344, cmd::ND1IN1)}),
                       Row("Nand1 In1 Invert", {Combo(1352, cmd::ND1INV1)}),
                       Row("Nand1 In2 Source", {Combo(1345, cmd::ND1IN2)}),
                       Row("Nand1 In2 Invert", {Combo(1353, cmd::ND1INV2)})}),
                Group("PG Clock PreScaler", 3, {Row("", {Spin(1402)})}),
                Group("User Output", 3,
                      {Row("User Output 0", {Combo(1434, cmd::USC0)}), Row("User Output 1", {Combo(1435, cmd::USC1)}),
                       Row("User Output 2", {Combo(1436, cmd::USC2)}), Row("User Output 3", {Combo(1437, cmd::USC3)})}),
                Group("Opt In Filter Selector", 3, {Row("", {Combo(1438, cmd::OPTFL)})}),
            }};
}

// Counter n: its controls are six consecutive ids from `first` (source, activation, Reset, Read, Value,
// Status).
LayoutGroup Counter(int n, int column, int first)
{
    return Group(
        "Counter " + std::to_string(n), column,
        {Row("Source", {Combo(first, cmd::CE0 + 5 * n)}), Row("Activation", {Combo(first + 1, cmd::CEA0 + 5 * n)}),
         Row("Value", {Display(first + 4, kCounterWidth)}), Row("Status", {Display(first + 5, kCounterWidth)}),
         Row("", {Button(first + 2, "Reset"), Button(first + 3, "Read")})});
}

PageLayout UserE()
{
    return {115,
            "User E",
            false,
            true,
            {
                Counter(0, 0, 1439),
                Counter(1, 0, 1445),
                Counter(2, 1, 1451),
                Counter(3, 1, 1457),
                Group("Temperature", 2,
                      {Row("sensor", {Combo(1194, cmd::TMPS0)}),
                       Row("Value", {Display(ctl::kTemperatureEdit), Button(ctl::kGetTemperature, "Get")})}),
                Group("Sensor Select", 2, {Row("", {Combo(ctl::kSensorSelect, cmd::STP)})}),
                Group("Cable Emphasis", 2, {Row("", {Combo(1290, cmd::SCB)})}),
                Group("Swap B and R", 2, {Row("", {Combo(1537, cmd::SWBR)})}),
                Group("Additional Infomation", 2, {Row("", {Combo(1538, cmd::ADDI)})}),
                Group("Exposure Active Source", 2, {Row("", {Combo(1576, cmd::EAS)})}),
            }};
}

// Kept for the serial speed and the factory-area save; the main window never creates a page from it.
PageLayout BaudRateTemplate()
{
    return {116,
            "",
            false,
            false,
            {
                Group("Communication", 0, {Row("Baud Rate", {Combo(1124, cmd::CBDRT)})}),
                Group("Factory Area", 0, {Row("", {Button(1126, "Save Settings into Factory Area")})}),
            }};
}

PageLayout FactoryA()
{
    // Column 0 holds the untyped factory gains and blacks ("RV-8200-B1" only) above the presets both
    // models have; columns 1 and 2 the Type A and Type B groups and the cable emphasis levels
    // ("RV-8200-A1" only); column 3 what does not depend on the model.
    return {
        117,
        "Factory A",
        true,
        true,
        {
            ColourGroup("Factory Gain", 0, 1255, 1250, 1257),
            ColourGroup("Factory Gain Adjust", 0, 1600, 1598, 1602),
            ColourGroup("Factory Black", 0, 1240, 1238, 1242),
            Group("Preset Gain", 0,
                  {Row("5000K Red", {Spin(1409)}), Row("5000K Blue", {Spin(1411)}), Row("6500K Red", {Spin(1413)}),
                   Row("6500K Blue", {Spin(1415)}), Row("7500K Red", {Spin(1417)}), Row("7500K Blue", {Spin(1419)})}),
            ColourGroup("Factory Gain Type A", 1, 1268, 1266, 1270),
            ColourGroup("Factory Gain Adjust A", 1, 1606, 1604, 1608),
            ColourGroup("Factory Black Type A", 1, 1280, 1278, 1282),
            Group("Cable Emphasis", 1,
                  {Row("Normal", {Spin(1633)}), Row("Medium", {Spin(1635)}), Row("Strong", {Spin(1637)})}),
            ColourGroup("Factory Gain Type B", 2, 1274, 1272, 1276),
            ColourGroup("Factory Gain Adjust B", 2, 1612, 1610, 1614),
            ColourGroup("Factory Black Type B", 2, 1286, 1284, 1288),
            Group("Pixel Gain Correction", 3, {Row("", {Button(ctl::kFactoryPixelGain, "Recalibrate Pixel Gain")})}),
            Group("Pixel Black Correction", 3, {Row("", {Button(ctl::kFactoryPixelBlack, "Recalibrate Pixel Black")})}),
            Group("Boot Area Set", 3, {Row("", {Combo(1128, cmd::BAS00)})}),
            Group("Camera Model", 3,
                  {Row("", {ComboOf(ctl::kCameraModelCombo, {std::string(kModelB1), std::string(kModelA1)}),
                            Button(ctl::kSetModel, "Set")})}),
            // The version's three digits, most significant first.
            Group("XML Version", 3,
                  {Row("", {Edit(ctl::kXmlDigit1, kDigitWidth), Static(0, "."), Edit(ctl::kXmlDigit2, kDigitWidth),
                            Static(0, "."), Edit(ctl::kXmlDigit3, kDigitWidth), Button(ctl::kWriteXml, "Wirte"),
                            Button(ctl::kReadXml, "Read")})}),
            Group("Maintenance", 3,
                  {Row("", {Button(ctl::kStoreAllButton, "Store All")}),
                   Row("", {Button(ctl::kCameraReset, "Camera Reset")}),
                   Row("", {Button(ctl::kTerminalButton, "Terminal")})}),
        }};
}

std::vector<PageLayout> BuildPages()
{
    std::vector<PageLayout> pages;
    pages.push_back(UserA());
    pages.push_back(UserB());
    pages.push_back(UserC());
    pages.push_back(UserD());
    pages.push_back(UserE());
    pages.push_back(BaudRateTemplate());
    pages.push_back(FactoryA());
    return pages;
}

}  // namespace

const std::vector<PageLayout>& PageLayouts()
{
    static const std::vector<PageLayout> pages = BuildPages();
    return pages;
}

const PageLayout* FindPageLayout(int templateId)
{
    for (const PageLayout& page : PageLayouts()) {
        if (page.templateId == templateId) {
            return &page;
        }
    }
    return nullptr;
}

namespace {

bool FindInGroup(const LayoutGroup& group, int controlId, ControlPlace& place)
{
    for (const LayoutRow& row : group.rows) {
        for (const LayoutItem& item : row.items) {
            if (item.controlId != controlId) continue;
            place.group = group.caption;
            place.label = row.label.empty() ? item.text : row.label;
            return true;
        }
    }
    for (const LayoutGroup& inner : group.subgroups) {
        if (FindInGroup(inner, controlId, place)) return true;
    }
    return false;
}

}  // namespace

ControlPlace PlaceOfControl(int controlId)
{
    for (const PageLayout& page : PageLayouts()) {
        if (!page.created) continue;
        for (const LayoutGroup& group : page.groups) {
            ControlPlace place;
            if (FindInGroup(group, controlId, place)) {
                place.page = page.caption;
                return place;
            }
        }
    }
    return {};
}
