// The command table's data and lookups.
#include "tables/CommandTable.h"

namespace {

CommandEntry g_commands[CommandTable::kCount] = {
    {0, "EB", 0, 0, 0},        {1, "ST", 0, 0, 0},        {2, "HP", 0, 0, 0},        {3, "VN", 0, 2, 0},
    {4, "FPVN", 0, 2, 0},      {5, "ID", 0, 2, 0},        {6, "UD", 0, 2, 0},        {7, "DVN", 0, 2, 0},
    {8, "MD", 0, 2, 0},        {9, "DV", 0, 2, 0},        {10, "SBDRT", 0, 0, 0},    {11, "CBDRT", 0, 0, 0},
    {12, "CRS00", 0, 0, 0},    {13, "TM", 0, 0, 0},       {14, "TI", 0, 0, 0},       {15, "TA", 0, 0, 0},
    {16, "ARS", 0, 0, 0},      {17, "EI", 0, 0, 0},       {18, "TR", 0, 0, 0},       {19, "ETM", 0, 0, 0},
    {20, "PE", 0, 0, 0},       {21, "PER", 0, 0, 0},      {22, "PEG", 0, 0, 0},      {23, "PEB", 0, 0, 0},
    {24, "LR", 0, 0, 0},       {25, "LRMIN", 0, 0, 0},    {26, "PEMAX", 0, 0, 0},    {27, "PEMIN", 0, 0, 0},
    {28, "LROP", 0, 0, 0},     {29, "WTC", 0, 0, 0},      {30, "OFC", 0, 0, 0},      {31, "HB", 0, 0, 0},
    {32, "VB", 0, 0, 0},       {33, "BA", 0, 0, 0},       {34, "CLCFG", 0, 0, 0},    {35, "CLCF", 0, 0, 0},
    {36, "SCB", 0, 0, 0},      {37, "SWBR", 0, 0, 0},     {38, "ADDI", 0, 0, 0},     {39, "EAS", 0, 0, 0},
    {40, "TPN", 0, 0, 0},      {41, "GM", 0, 0, 0},       {42, "GA", 0, 0, 0},       {43, "GAR", 0, 0, 0},
    {44, "GAB", 0, 0, 0},      {45, "GAG", 0, 0, 0},      {46, "SGA", 0, 0, 0},      {47, "SGG", 0, 0, 0},
    {48, "SGR", 0, 0, 0},      {49, "SGB", 0, 0, 0},      {50, "AWB", 0, 0, 0},      {51, "AWBW", 0, 0, 0},
    {52, "AWBO", 0, 0, 0},     {53, "AWRS", 0, 0, 0},     {54, "AHRS", 0, 0, 0},     {55, "BL", 0, 0, 0},
    {56, "BLR", 0, 0, 0},      {57, "BLB", 0, 0, 0},      {58, "SDM", 0, 0, 0},      {59, "SDCM", 0, 0, 0},
    {60, "RS", 0, 0, 0},       {61, "SDRS", 0, 0, 0},     {62, "SDDS", 0, 0, 0},     {63, "SDDI", 0, 0, 0},
    {64, "SDD", 0, 0, 0},      {65, "SDDU", 0, 0, 0},     {66, "SDDA", 0, 0, 0},     {67, "PGC", 0, 0, 0},
    {68, "PGR", 0, 0, 0},      {69, "PGS", 0, 0, 0},      {70, "PBC", 0, 0, 0},      {71, "PBR", 0, 0, 0},
    {72, "PBS", 0, 0, 0},      {73, "FFR", 0, 0, 0},      {74, "FFG", 0, 0, 0},      {75, "FFB", 0, 0, 0},
    {76, "FFLRR", 0, 0, 0},    {77, "FFLRG", 0, 0, 0},    {78, "FFLRB", 0, 0, 0},    {79, "FFCRR", 0, 0, 0},
    {80, "FFCRG", 0, 0, 0},    {81, "FFCRB", 0, 0, 0},    {82, "FFRRR", 0, 0, 0},    {83, "FFRRG", 0, 0, 0},
    {84, "FFRRB", 0, 0, 0},    {85, "MFR", 0, 0, 0},      {86, "MFG", 0, 0, 0},      {87, "MFB", 0, 0, 0},
    {88, "LUN", 0, 0, 0},      {89, "LUTIG", 0, 0, 0},    {90, "LUTIR", 0, 0, 0},    {91, "LUTIB", 0, 0, 0},
    {92, "LUTG", 0, 0, 0},     {93, "LUTR", 0, 0, 0},     {94, "LUTB", 0, 0, 0},     {95, "GMA", 0, 0, 0},
    {96, "TMP0", 0, 0, 0},     {97, "TMPS0", 0, 0, 0},    {98, "LS0", 0, 0, 0},      {99, "LS1", 0, 0, 0},
    {100, "LS2", 0, 0, 0},     {101, "LS3", 0, 0, 0},     {102, "ND0IN1", 0, 0, 0},  {103, "ND0IN2", 0, 0, 0},
    {104, "ND1IN1", 0, 0, 0},  {105, "ND1IN2", 0, 0, 0},  {106, "LI0", 0, 0, 0},     {107, "LI1", 0, 0, 0},
    {108, "LI2", 0, 0, 0},     {109, "LI3", 0, 0, 0},     {110, "ND0INV1", 0, 0, 0}, {111, "ND0INV2", 0, 0, 0},
    {112, "ND1INV1", 0, 0, 0}, {113, "ND1INV2", 0, 0, 0}, {114, "STP", 0, 0, 0},     {115, "CTM", 0, 0, 0},
    {116, "CTRM", 0, 0, 0},    {117, "CMVRR", 0, 0, 0},   {118, "CMVRG", 0, 0, 0},   {119, "CMVRB", 0, 0, 0},
    {120, "CMVGR", 0, 0, 0},   {121, "CMVGG", 0, 0, 0},   {122, "CMVGB", 0, 0, 0},   {123, "CMVBR", 0, 0, 0},
    {124, "CMVBG", 0, 0, 0},   {125, "CMVBB", 0, 0, 0},   {126, "HIM", 0, 0, 0},     {127, "ODM", 0, 0, 0},
    {128, "ODS", 0, 0, 0},     {129, "ENCSA", 0, 0, 0},   {130, "ENCSB", 0, 0, 0},   {131, "ENCDIV", 0, 0, 0},
    {132, "ENFIL", 0, 0, 0},   {133, "ENSTR", 0, 0, 0},   {134, "ENAVE", 0, 0, 0},   {135, "CACM", 0, 0, 0},
    {136, "CACR1", 0, 0, 0},   {137, "CACB1", 0, 0, 0},   {138, "CACR2", 0, 0, 0},   {139, "CACB2", 0, 0, 0},
    {140, "CACR3", 0, 0, 0},   {141, "CACB3", 0, 0, 0},   {142, "SPCM", 0, 0, 0},    {143, "SPCR", 0, 0, 0},
    {144, "SPCG", 0, 0, 0},    {145, "SPCB", 0, 0, 0},    {146, "SPCD", 0, 0, 0},    {147, "PGL0", 0, 0, 0},
    {148, "PGST0", 0, 0, 0},   {149, "PGEN0", 0, 0, 0},   {150, "PGRPT0", 0, 0, 0},  {151, "PGCM0", 0, 0, 0},
    {152, "PGIN0", 0, 0, 0},   {153, "PGINV0", 0, 0, 0},  {154, "PGSM0", 0, 0, 0},   {155, "PGL1", 0, 0, 0},
    {156, "PGST1", 0, 0, 0},   {157, "PGEN1", 0, 0, 0},   {158, "PGRPT1", 0, 0, 0},  {159, "PGCM1", 0, 0, 0},
    {160, "PGIN1", 0, 0, 0},   {161, "PGINV1", 0, 0, 0},  {162, "PGSM1", 0, 0, 0},   {163, "PGL2", 0, 0, 0},
    {164, "PGST2", 0, 0, 0},   {165, "PGEN2", 0, 0, 0},   {166, "PGRPT2", 0, 0, 0},  {167, "PGCM2", 0, 0, 0},
    {168, "PGIN2", 0, 0, 0},   {169, "PGINV2", 0, 0, 0},  {170, "PGSM2", 0, 0, 0},   {171, "PGL3", 0, 0, 0},
    {172, "PGST3", 0, 0, 0},   {173, "PGEN3", 0, 0, 0},   {174, "PGRPT3", 0, 0, 0},  {175, "PGCM3", 0, 0, 0},
    {176, "PGIN3", 0, 0, 0},   {177, "PGINV3", 0, 0, 0},  {178, "PGSM3", 0, 0, 0},   {179, "PGDEV", 0, 0, 0},
    {180, "OPTFL", 0, 0, 0},   {181, "USC0", 0, 0, 0},    {182, "USC1", 0, 0, 0},    {183, "USC2", 0, 0, 0},
    {184, "USC3", 0, 0, 0},    {185, "CE0", 0, 0, 0},     {186, "CEA0", 0, 0, 0},    {187, "CR0", 0, 0, 0},
    {188, "CV0", 0, 0, 0},     {189, "CS0", 0, 0, 0},     {190, "CE1", 0, 0, 0},     {191, "CEA1", 0, 0, 0},
    {192, "CR1", 0, 0, 0},     {193, "CV1", 0, 0, 0},     {194, "CS1", 0, 0, 0},     {195, "CE2", 0, 0, 0},
    {196, "CEA2", 0, 0, 0},    {197, "CR2", 0, 0, 0},     {198, "CV2", 0, 0, 0},     {199, "CS2", 0, 0, 0},
    {200, "CE3", 0, 0, 0},     {201, "CEA3", 0, 0, 0},    {202, "CR3", 0, 0, 0},     {203, "CV3", 0, 0, 0},
    {204, "CS3", 0, 0, 0},     {205, "LD", 0, 0, 0},      {206, "SA", 0, 0, 0},      {207, "EA", 0, 0, 0},
    {208, "SA00", 0, 0, 0},    {209, "ST00", 0, 0, 0},    {210, "ULCK", 0, 0, 0},    {211, "ID00", 0, 2, 0},
    {212, "MD00", 0, 2, 0},    {213, "BAS00", 0, 0, 0},   {214, "GAOR", 0, 0, 0},    {215, "GAOG", 0, 0, 0},
    {216, "GAOB", 0, 0, 0},    {217, "GAORJ", 0, 0, 0},   {218, "GAOGJ", 0, 0, 0},   {219, "GAOBJ", 0, 0, 0},
    {220, "OBR", 0, 0, 0},     {221, "OBG", 0, 0, 0},     {222, "OBB", 0, 0, 0},     {223, "GAORA", 0, 0, 0},
    {224, "GAOGA", 0, 0, 0},   {225, "GAOBA", 0, 0, 0},   {226, "GAORAJ", 0, 0, 0},  {227, "GAOGAJ", 0, 0, 0},
    {228, "GAOBAJ", 0, 0, 0},  {229, "GAORB", 0, 0, 0},   {230, "GAOGB", 0, 0, 0},   {231, "GAOBB", 0, 0, 0},
    {232, "GAORBJ", 0, 0, 0},  {233, "GAOGBJ", 0, 0, 0},  {234, "GAOBBJ", 0, 0, 0},  {235, "OBRA", 0, 0, 0},
    {236, "OBGA", 0, 0, 0},    {237, "OBBA", 0, 0, 0},    {238, "OBRB", 0, 0, 0},    {239, "OBGB", 0, 0, 0},
    {240, "OBBB", 0, 0, 0},    {241, "WB0R", 0, 0, 0},    {242, "WB0B", 0, 0, 0},    {243, "WB1R", 0, 0, 0},
    {244, "WB1B", 0, 0, 0},    {245, "WB2R", 0, 0, 0},    {246, "WB2B", 0, 0, 0},    {247, "SCBN", 0, 0, 0},
    {248, "SCBM", 0, 0, 0},    {249, "SCBS", 0, 0, 0},    {250, "SDR00", 0, 0, 0},   {251, "SDS00", 0, 0, 0},
    {252, "PGR00", 0, 0, 0},   {253, "PGS00", 0, 0, 0},   {254, "PBR00", 0, 0, 0},   {255, "PBS00", 0, 0, 0},
    {256, "XMLVR", 0, 0, 0},   {257, "DV00", 0, 2, 0},    {258, "GA00", 0, 0, 0},    {259, "PGC00", 0, 0, 0},
    {260, "PBC00", 0, 0, 0},
};

}  // namespace

const CommandEntry& CommandTable::Entry(int index) { return g_commands[index]; }

const char* CommandTable::Mnemonic(int index) { return g_commands[index].mnemonic; }

int CommandTable::ValueType(int index) { return g_commands[index].valueType; }

int CommandTable::Decimals(int index) { return g_commands[index].decimals; }

int CommandTable::Find(std::string_view mnemonic, int* valueType, int* decimals)
{
    for (int i = 0; i < kCount; ++i) {
        if (mnemonic == g_commands[i].mnemonic) {
            if (valueType) *valueType = g_commands[i].valueType;
            if (decimals) *decimals = g_commands[i].decimals;
            return i;
        }
    }
    return -1;
}

void CommandTable::SetValueType(int index, int valueType) { g_commands[index].valueType = valueType; }

ValueTypeOverride::ValueTypeOverride(int index, int valueType) : index_(index), saved_(CommandTable::ValueType(index))
{
    CommandTable::SetValueType(index, valueType);
}

ValueTypeOverride::~ValueTypeOverride() { CommandTable::SetValueType(index_, saved_); }
