// Checks the page layouts against the control table, the combo catalogue and the page size.
#include "resources/PageLayouts.h"

#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// One control as found in the layouts, with where it stands.
struct Placed {
    int templateId;
    const LayoutGroup* group;
    const LayoutRow* row;
    const LayoutItem* item;
    std::string caption;  // "Group: Label", or the group alone where the row has no label
};

void VisitGroups(const std::vector<LayoutGroup>& groups, const std::function<void(const LayoutGroup&)>& visit)
{
    for (const LayoutGroup& group : groups) {
        visit(group);
        VisitGroups(group.subgroups, visit);
    }
}

std::vector<Placed> AllControls()
{
    std::vector<Placed> placed;
    for (const PageLayout& page : PageLayouts()) {
        VisitGroups(page.groups, [&](const LayoutGroup& group) {
            for (const LayoutRow& row : group.rows) {
                for (const LayoutItem& item : row.items) {
                    std::string caption = row.label.empty() ? group.caption : group.caption + ": " + row.label;
                    placed.push_back({page.templateId, &group, &row, &item, caption});
                }
            }
        });
    }
    return placed;
}

std::map<int, Placed> ById()
{
    std::map<int, Placed> byId;
    for (const Placed& p : AllControls()) {
        if (p.item->controlId != 0) {
            byId.emplace(p.item->controlId, p);
        }
    }
    return byId;
}

// The bound controls of each page, as the pages are described to the operator.
const std::map<int, std::set<int>>& TableIdsByPage()
{
    static const std::map<int, std::set<int>> pages = {
        {111, {1096, 1098, 1099, 1186, 1233, 1092, 1224, 1093, 1294, 1296, 1298, 1187, 1225, 1227, 1229, 1231,
               1100, 1223, 1174, 1119, 1259, 1041, 1246, 1248, 1244, 1217, 1291, 1292, 1293, 1139, 1234, 1236}},
        {112, {1628, 1408, 1404, 1406, 1120, 1334, 1121, 1192, 1193, 1184, 1183, 1641, 1642, 1643, 1644, 1646, 1648,
               1650, 1652, 1654, 1656, 1658, 1660, 1662, 1663, 1664, 1116, 1160, 1421, 1425, 1162, 1423, 1427, 1117}},
        {113, {1535, 1536, 1517, 1519, 1521, 1523, 1525, 1527, 1529, 1531, 1533, 1539, 1542, 1543, 1548, 1549,
               1551, 1580, 1582, 1640, 1560, 1561, 1563, 1584, 1586, 1588, 1590, 1565, 1566, 1568, 1570, 1578}},
        {114,
         {1101, 1339, 1340, 1341, 1342, 1343, 1344, 1345, 1346, 1347, 1348, 1349, 1350, 1351, 1352, 1353, 1354, 1356,
          1358, 1360, 1362, 1363, 1364, 1365, 1366, 1368, 1370, 1372, 1374, 1375, 1376, 1377, 1378, 1380, 1382, 1384,
          1386, 1387, 1388, 1389, 1390, 1392, 1394, 1396, 1398, 1399, 1400, 1401, 1402, 1438, 1434, 1435, 1436, 1437}},
        {115, {1290, 1537, 1538, 1576, 1194, 1195, 1439, 1440, 1445, 1446, 1451, 1452, 1457, 1458}},
        {116, {1124, 1126}},
        {117, {1128, 1255, 1250, 1257, 1600, 1598, 1602, 1240, 1238, 1242, 1268, 1266, 1270,
               1606, 1604, 1608, 1274, 1272, 1276, 1612, 1610, 1614, 1280, 1278, 1282, 1286,
               1284, 1288, 1409, 1411, 1413, 1415, 1417, 1419, 1633, 1635, 1637, 1197, 1198}},
    };
    return pages;
}

// Controls without a table row: buttons, statics and edits the handlers address by id, by page and kind.
struct Extra {
    int templateId;
    ItemKind kind;
    const char* text;  // nullptr: not checked
    std::vector<int> ids;
};

const std::vector<Extra>& Extras()
{
    static const std::vector<Extra> extras = {
        {111, ItemKind::Button, "Read", {1222, 1219}},
        {111, ItemKind::Static, "XXX.XXms", {1215}},
        {111, ItemKind::Static, "XXX.XXHz", {1216}},
        {111, ItemKind::Static, nullptr, {1218, 1220, 1221}},
        {112, ItemKind::Button, "Open LUT Table", {1132}},
        {112, ItemKind::Button, "Read", {1164, 1430, 1432}},
        {112, ItemKind::Button, "Write", {1165, 1431, 1433}},
        {112, ItemKind::Button, "Read ( camera -> file )", {1336}},
        {112, ItemKind::Button, "Write ( file -> camera )", {1337}},
        {112, ItemKind::Button, "Store in flash memory", {1338}},
        {113, ItemKind::Combo, nullptr, {1555}},
        {113, ItemKind::Edit, nullptr, {1556, 1558}},
        {115, ItemKind::Button, "Reset", {1441, 1447, 1453, 1459}},
        {115, ItemKind::Button, "Read", {1442, 1448, 1454, 1460}},
        {115, ItemKind::ReadOnlyEdit, nullptr, {1443, 1444, 1449, 1450, 1455, 1456, 1461, 1462, 1049}},
        {115, ItemKind::Button, "Get", {1125}},
        {117, ItemKind::Edit, nullptr, {1178, 1179, 1180}},
        {117, ItemKind::Button, "Wirte", {1181}},
        {117, ItemKind::Button, "Read", {1182}},
        {117, ItemKind::Combo, nullptr, {1142}},
        {117, ItemKind::Button, "Set", {1014}},
        {117, ItemKind::Button, "Camera Reset", {1012}},
        {117, ItemKind::Button, "Terminal", {1010}},
        {117, ItemKind::Button, "Store All", {1021}},
    };
    return extras;
}

}  // namespace

TEST(PageLayouts, PagesInTemplateOrderWithCaptionsAndFlags)
{
    struct Expected {
        int templateId;
        const char* caption;
        bool factoryOnly;
        bool created;
    };
    const Expected expected[] = {{111, "User A", false, true},  {112, "User B", false, true},
                                 {113, "User C", false, true},  {114, "User D", false, true},
                                 {115, "User E", false, true},  {116, "", false, false},
                                 {117, "Factory A", true, true}};
    const std::vector<PageLayout>& pages = PageLayouts();
    ASSERT_EQ(pages.size(), std::size(expected));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(expected[i].templateId);
        EXPECT_EQ(pages[i].templateId, expected[i].templateId);
        EXPECT_EQ(pages[i].caption, expected[i].caption);
        EXPECT_EQ(pages[i].factoryOnly, expected[i].factoryOnly);
        EXPECT_EQ(pages[i].created, expected[i].created);
        EXPECT_EQ(FindPageLayout(expected[i].templateId), &pages[i]);
    }
    for (int missing : {0, 105, 110, 118, 119, 124}) {
        EXPECT_EQ(FindPageLayout(missing), nullptr) << missing;
    }
}

TEST(PageLayouts, EveryTableRowOnceOnItsPageWithItsKindAndCommand)
{
    std::map<int, int> count;
    for (const Placed& p : AllControls()) {
        ++count[p.item->controlId];
    }
    std::map<int, Placed> byId = ById();
    std::map<int, int> pageOfId;
    for (const auto& [page, ids] : TableIdsByPage()) {
        for (int id : ids) {
            pageOfId[id] = page;
        }
    }
    ASSERT_EQ(pageOfId.size(), static_cast<std::size_t>(ControlTable::kRowCount));

    const auto& rows = ControlTable::Defaults();
    for (int r = 0; r < ControlTable::kRowCount; ++r) {
        const ControlEntry& row = rows[static_cast<std::size_t>(r)];
        SCOPED_TRACE(row.controlId);
        ASSERT_EQ(count[row.controlId], 1);
        const Placed& p = byId.at(row.controlId);
        EXPECT_EQ(p.templateId, pageOfId.at(row.controlId));
        switch (row.controlKind) {
            case kKindCombo:
                EXPECT_EQ(p.item->kind, ItemKind::Combo);
                EXPECT_EQ(p.item->comboCommand, row.commandIndex) << CommandTable::Mnemonic(row.commandIndex);
                break;
            case kKindEdit:
                EXPECT_EQ(p.item->kind, ItemKind::EditSpin);
                break;
            case kKindButton:
                EXPECT_EQ(p.item->kind, ItemKind::Button);
                EXPECT_FALSE(p.item->text.empty());
                break;
            default:
                ADD_FAILURE() << "unexpected kind " << row.controlKind;
        }
    }
}

TEST(PageLayouts, ControlsWithoutTableRowHaveTheirKindTextAndPage)
{
    std::map<int, Placed> byId = ById();
    for (const Extra& extra : Extras()) {
        for (int id : extra.ids) {
            SCOPED_TRACE(id);
            auto it = byId.find(id);
            ASSERT_NE(it, byId.end());
            EXPECT_EQ(it->second.templateId, extra.templateId);
            EXPECT_EQ(it->second.item->kind, extra.kind);
            if (extra.text != nullptr) {
                EXPECT_EQ(it->second.item->text, extra.text);
            }
        }
    }
    // The model combo's positions are the model codes the "Set" button writes.
    EXPECT_EQ(byId.at(1142).item->entries, (std::vector<std::string>{"RV-8200-B1", "RV-8200-A1"}));
}

TEST(PageLayouts, NoControlBeyondTheDescribedOnes)
{
    std::map<int, std::set<int>> expected = TableIdsByPage();
    for (const Extra& extra : Extras()) {
        expected[extra.templateId].insert(extra.ids.begin(), extra.ids.end());
    }
    std::map<int, std::set<int>> actual;
    for (const Placed& p : AllControls()) {
        if (p.item->controlId != 0) {
            actual[p.templateId].insert(p.item->controlId);
        } else {
            EXPECT_EQ(p.item->kind, ItemKind::Static) << p.caption << " has a control without an id";
        }
    }
    for (const auto& [page, ids] : expected) {
        EXPECT_EQ(actual[page], ids) << "page " << page;
    }
}

TEST(PageLayouts, SpinsFollowTheirEditsAndAllIdsAreUnique)
{
    std::map<int, int> uses;
    std::vector<int> labelIds;
    for (const PageLayout& page : PageLayouts()) {
        VisitGroups(page.groups, [&](const LayoutGroup& group) {
            for (const LayoutRow& row : group.rows) {
                if (row.labelId != 0) {
                    ++uses[row.labelId];
                    labelIds.push_back(row.labelId);
                }
                for (const LayoutItem& item : row.items) {
                    SCOPED_TRACE(item.controlId);
                    if (item.kind == ItemKind::EditSpin) {
                        EXPECT_EQ(item.spinId, item.controlId == 1041 ? 1045 : item.controlId + 1);
                        ++uses[item.spinId];
                    } else {
                        EXPECT_EQ(item.spinId, 0);
                    }
                    if (item.controlId != 0) {
                        ++uses[item.controlId];
                    }
                }
            }
        });
    }
    for (const auto& [id, n] : uses) {
        EXPECT_EQ(n, 1) << "id " << id << " used " << n << " times";
    }
    EXPECT_EQ(labelIds, std::vector<int>{1141});
    const Placed gamma = ById().at(1117);
    EXPECT_EQ(gamma.row->labelId, 1141);
    EXPECT_EQ(gamma.row->items.size(), 1u) << "hiding the Gamma Selector must not hide anything else";
}

TEST(PageLayouts, CombosTakeTheirListFromTheCatalogueOrCarryTheirOwn)
{
    for (const Placed& p : AllControls()) {
        const LayoutItem& item = *p.item;
        SCOPED_TRACE(item.controlId);
        if (item.kind != ItemKind::Combo) {
            EXPECT_EQ(item.comboCommand, -1);
            EXPECT_TRUE(item.entries.empty());
        } else if (item.comboCommand >= 0) {
            ASSERT_LT(item.comboCommand, CommandTable::kCount);
            EXPECT_NE(FindComboList(item.comboCommand), nullptr) << CommandTable::Mnemonic(item.comboCommand);
            EXPECT_TRUE(item.entries.empty()) << "a catalogue combo must not carry a copy of its list";
        } else {
            EXPECT_EQ(item.comboCommand, -1);
            EXPECT_FALSE(item.entries.empty());
        }
    }
}

TEST(PageLayouts, CaptionsReadAsGroupAndLabel)
{
    const std::pair<int, const char*> cases[] = {
        {1096, "Trigger: Trigger Mode"},
        {1186, "Trigger: Auto Reset Mode"},
        {1294, "Exposure: Exposure Time R"},
        {1233, "Exposure: RB Exp Interlocked"},
        {1187, "Line Rate: Line Rate"},
        {1259, "Gain and Black: Indivisual Gain Mode"},
        {1041, "Gain and Black: Gain All"},
        {1293, "Gain and Black: Analog Base Gain B"},
        {1236, "Gain and Black: Black Level Blue"},
        {1174, "Image format: CL Clock"},
        {1628, "Acquisition Linerate Option: Method"},
        {1334, "Shading Correction: Method"},
        {1406, "White Balance: Offset X"},
        {1652, "FIR Filter: Centoer Ratio G"},
        {1664, "MEDIAN Filter: Mode B"},
        {1116, "LUT: LUT selector"},
        {1117, "LUT: Gamma Selector"},
        {1543, "Object Direction: Source"},
        {1536, "Color Transformation: RGB Mode"},
        {1640, "Encoder Control: Averaging Interval"},
        {1560, "Chromatic Aberation Correction: Mode"},
        {1586, "Lens2: Blue"},
        {1578, "Spartial Compensation: Distance"},
        {1353, "Line Source: Nand1 In2 Invert"},
        {1401, "Pulse Generator 3: Sync"},
        {1354, "Pulse Generator 0: Length"},
        {1402, "PG Clock PreScaler"},
        {1438, "Opt In Filter Selector"},
        {1452, "Counter 2: Activation"},
        {1194, "Temperature: sensor"},
        {1290, "Cable Emphasis"},
        {1538, "Additional Infomation"},
        {1128, "Boot Area Set"},
        {1604, "Factory Gain Adjust A: Green"},
        {1288, "Factory Black Type B: Blue"},
        {1415, "Preset Gain: 6500K Blue"},
        {1637, "Cable Emphasis: Strong"},
        {1124, "Communication: Baud Rate"},
    };
    std::map<int, Placed> byId = ById();
    for (const auto& [id, caption] : cases) {
        ASSERT_TRUE(byId.count(id)) << id;
        EXPECT_EQ(byId.at(id).caption, caption) << id;
    }
    // Color matrix: rows are the matrix rows, items left to right its columns.
    const int matrix[3][3] = {{1517, 1519, 1521}, {1523, 1525, 1527}, {1529, 1531, 1533}};
    const char* rowNames[] = {"Red row", "Green row", "Blue row"};
    for (int r = 0; r < 3; ++r) {
        const LayoutRow* row = byId.at(matrix[r][0]).row;
        EXPECT_EQ(row->label, rowNames[r]);
        ASSERT_EQ(row->items.size(), 3u);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(row->items[static_cast<std::size_t>(c)].controlId, matrix[r][c]);
        }
    }
}

// The model set-up hides what a model lacks, row by row and group by group. A row that mixes a hidden
// control with one that stays would leave a stray control under a hidden label, and a group would
// stay as an empty frame or vanish with controls the model has.
struct ModelCase {
    const char* model;
    std::set<int> missing;  // commands the model lacks (Exposure Time Mode stays visible)
    std::set<std::string> hiddenGroups;  // "page/caption" of the groups that disappear entirely
};

void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.model; }

class PageLayoutsModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(PageLayoutsModel, HiddenControlsFillWholeRowsAndGroups)
{
    const ModelCase& model = GetParam();
    const auto& rows = ControlTable::Defaults();
    auto hidden = [&](const LayoutItem& item) {
        for (const ControlEntry& row : rows) {
            if (row.controlId == item.controlId && item.controlId != 0) {
                return model.missing.count(row.commandIndex) != 0;
            }
        }
        return false;
    };
    std::set<std::string> hiddenGroups;
    for (const PageLayout& page : PageLayouts()) {
        VisitGroups(page.groups, [&](const LayoutGroup& group) {
            bool allHidden = !group.rows.empty() && group.subgroups.empty();
            for (const LayoutRow& row : group.rows) {
                const std::size_t n =
                    static_cast<std::size_t>(std::count_if(row.items.begin(), row.items.end(), hidden));
                EXPECT_TRUE(n == 0 || n == row.items.size()) << group.caption << ": " << row.label;
                allHidden = allHidden && n == row.items.size();
            }
            if (allHidden) {
                hiddenGroups.insert(std::to_string(page.templateId) + "/" + group.caption);
            }
        });
    }
    EXPECT_EQ(hiddenGroups, model.hiddenGroups);
}

INSTANTIATE_TEST_SUITE_P(
    Models, PageLayoutsModel,
    ::testing::Values(
        ModelCase{"B1",
                  {cmd::EI,    cmd::PER,   cmd::PEG,    cmd::PEB,    cmd::SCB,    cmd::SGG,    cmd::SGR,    cmd::SGB,
                   cmd::STP,   cmd::GAORA, cmd::GAOGA,  cmd::GAOBA,  cmd::GAORAJ, cmd::GAOGAJ, cmd::GAOBAJ, cmd::GAORB,
                   cmd::GAOGB, cmd::GAOBB, cmd::GAORBJ, cmd::GAOGBJ, cmd::GAOBBJ, cmd::OBRA,   cmd::OBGA,   cmd::OBBA,
                   cmd::OBRB,  cmd::OBGB,  cmd::OBBB,   cmd::SCBN,   cmd::SCBM,   cmd::SCBS},
                  {"115/Sensor Select", "115/Cable Emphasis", "117/Factory Gain Type A", "117/Factory Gain Adjust A",
                   "117/Factory Black Type A", "117/Factory Gain Type B", "117/Factory Gain Adjust B",
                   "117/Factory Black Type B", "117/Cable Emphasis"}},
        ModelCase{
            "A1",
            {cmd::LROP, cmd::EAS, cmd::SGA, cmd::ODM, cmd::ODS, cmd::SPCM, cmd::SPCR, cmd::SPCG, cmd::SPCB, cmd::SPCD,
             cmd::GAOR, cmd::GAOG, cmd::GAOB, cmd::GAORJ, cmd::GAOGJ, cmd::GAOBJ, cmd::OBR, cmd::OBG, cmd::OBB},
            {"112/Acquisition Linerate Option", "113/Object Direction", "113/Spartial Compensation",
             "115/Exposure Active Source", "117/Factory Gain", "117/Factory Gain Adjust", "117/Factory Black"}}),
    [](const ::testing::TestParamInfo<ModelCase>& tp) { return std::string(tp.param.model); });
