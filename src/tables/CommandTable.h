// The camera's command vocabulary: 261 commands named by their fixed position in one table.
#pragma once

#include <cstdint>
#include <string_view>

// Command indexes by mnemonic. Every part of the program names a command by this index; only the
// protocol spells the mnemonic on the wire.
namespace cmd {
enum : int {
    EB = 0, ST = 1, HP = 2, VN = 3, FPVN = 4, ID = 5, UD = 6, DVN = 7, MD = 8, DV = 9, SBDRT = 10, CBDRT = 11,
    CRS00 = 12, TM = 13, TI = 14, TA = 15, ARS = 16, EI = 17, TR = 18, ETM = 19, PE = 20, PER = 21, PEG = 22,
    PEB = 23, LR = 24, LRMIN = 25, PEMAX = 26, PEMIN = 27, LROP = 28, WTC = 29, OFC = 30, HB = 31, VB = 32,
    BA = 33, CLCFG = 34, CLCF = 35, SCB = 36, SWBR = 37, ADDI = 38, EAS = 39, TPN = 40, GM = 41, GA = 42,
    GAR = 43, GAB = 44, GAG = 45, SGA = 46, SGG = 47, SGR = 48, SGB = 49, AWB = 50, AWBW = 51, AWBO = 52,
    AWRS = 53, AHRS = 54, BL = 55, BLR = 56, BLB = 57, SDM = 58, SDCM = 59, RS = 60, SDRS = 61, SDDS = 62,
    SDDI = 63, SDD = 64, SDDU = 65, SDDA = 66, PGC = 67, PGR = 68, PGS = 69, PBC = 70, PBR = 71, PBS = 72,
    FFR = 73, FFG = 74, FFB = 75, FFLRR = 76, FFLRG = 77, FFLRB = 78, FFCRR = 79, FFCRG = 80, FFCRB = 81,
    FFRRR = 82, FFRRG = 83, FFRRB = 84, MFR = 85, MFG = 86, MFB = 87, LUN = 88, LUTIG = 89, LUTIR = 90,
    LUTIB = 91, LUTG = 92, LUTR = 93, LUTB = 94, GMA = 95, TMP0 = 96, TMPS0 = 97, LS0 = 98, LS1 = 99,
    LS2 = 100, LS3 = 101, ND0IN1 = 102, ND0IN2 = 103, ND1IN1 = 104, ND1IN2 = 105, LI0 = 106, LI1 = 107,
    LI2 = 108, LI3 = 109, ND0INV1 = 110, ND0INV2 = 111, ND1INV1 = 112, ND1INV2 = 113, STP = 114, CTM = 115,
    CTRM = 116, CMVRR = 117, CMVRG = 118, CMVRB = 119, CMVGR = 120, CMVGG = 121, CMVGB = 122, CMVBR = 123,
    CMVBG = 124, CMVBB = 125, HIM = 126, ODM = 127, ODS = 128, ENCSA = 129, ENCSB = 130, ENCDIV = 131,
    ENFIL = 132, ENSTR = 133, ENAVE = 134, CACM = 135, CACR1 = 136, CACB1 = 137, CACR2 = 138, CACB2 = 139,
    CACR3 = 140, CACB3 = 141, SPCM = 142, SPCR = 143, SPCG = 144, SPCB = 145, SPCD = 146, PGL0 = 147,
    PGST0 = 148, PGEN0 = 149, PGRPT0 = 150, PGCM0 = 151, PGIN0 = 152, PGINV0 = 153, PGSM0 = 154, PGL1 = 155,
    PGST1 = 156, PGEN1 = 157, PGRPT1 = 158, PGCM1 = 159, PGIN1 = 160, PGINV1 = 161, PGSM1 = 162, PGL2 = 163,
    PGST2 = 164, PGEN2 = 165, PGRPT2 = 166, PGCM2 = 167, PGIN2 = 168, PGINV2 = 169, PGSM2 = 170, PGL3 = 171,
    PGST3 = 172, PGEN3 = 173, PGRPT3 = 174, PGCM3 = 175, PGIN3 = 176, PGINV3 = 177, PGSM3 = 178, PGDEV = 179,
    OPTFL = 180, USC0 = 181, USC1 = 182, USC2 = 183, USC3 = 184, CE0 = 185, CEA0 = 186, CR0 = 187, CV0 = 188,
    CS0 = 189, CE1 = 190, CEA1 = 191, CR1 = 192, CV1 = 193, CS1 = 194, CE2 = 195, CEA2 = 196, CR2 = 197,
    CV2 = 198, CS2 = 199, CE3 = 200, CEA3 = 201, CR3 = 202, CV3 = 203, CS3 = 204, LD = 205, SA = 206, EA = 207,
    SA00 = 208, ST00 = 209, ULCK = 210, ID00 = 211, MD00 = 212, BAS00 = 213, GAOR = 214, GAOG = 215,
    GAOB = 216, GAORJ = 217, GAOGJ = 218, GAOBJ = 219, OBR = 220, OBG = 221, OBB = 222, GAORA = 223,
    GAOGA = 224, GAOBA = 225, GAORAJ = 226, GAOGAJ = 227, GAOBAJ = 228, GAORB = 229, GAOGB = 230, GAOBB = 231,
    GAORBJ = 232, GAOGBJ = 233, GAOBBJ = 234, OBRA = 235, OBGA = 236, OBBA = 237, OBRB = 238, OBGB = 239,
    OBBB = 240, WB0R = 241, WB0B = 242, WB1R = 243, WB1B = 244, WB2R = 245, WB2B = 246, SCBN = 247, SCBM = 248,
    SCBS = 249, SDR00 = 250, SDS00 = 251, PGR00 = 252, PGS00 = 253, PBR00 = 254, PBS00 = 255, XMLVR = 256,
    DV00 = 257, GA00 = 258, PGC00 = 259, PBC00 = 260,
};
}  // namespace cmd

// How a command's value is written and read.
enum CommandValueType : std::int32_t {
    kValueInteger = 0,  // "%d"; answers may also come as "&H" hexadecimal
    kValueDecimal = 1,  // fixed point with `decimals` digits
    kValueText = 2,     // sent unchanged, answered as text
};

struct CommandEntry {
    std::int32_t index;
    const char* mnemonic;
    std::int32_t spare;
    std::int32_t valueType;
    std::int32_t decimals;
};

// The table is filled at program start and read-only afterwards, except for the value-type override
// the protocol uses for a single send (ValueTypeOverride).
class CommandTable {
public:
    static constexpr int kCount = 261;

    // Lookups by index. Callers pass only indexes of this table (the constants above or an index
    // taken from the control table); there is no bounds check.
    static const CommandEntry& Entry(int index);
    static const char* Mnemonic(int index);
    static int ValueType(int index);
    static int Decimals(int index);

    // Exact, case-sensitive search from index 0 upward; the first match wins. -1 when not found.
    // valueType and decimals, when given, receive the entry's fields on a match.
    static int Find(std::string_view mnemonic, int* valueType = nullptr, int* decimals = nullptr);

private:
    friend class ValueTypeOverride;
    static void SetValueType(int index, int valueType);
};

// Switches one entry's value type for the lifetime of this object and restores the saved type when
// it ends (the protocol's "send this integer command as text" case).
class ValueTypeOverride {
public:
    ValueTypeOverride(int index, int valueType);
    ~ValueTypeOverride();
    ValueTypeOverride(const ValueTypeOverride&) = delete;
    ValueTypeOverride& operator=(const ValueTypeOverride&) = delete;

private:
    int index_;
    int saved_;
};
