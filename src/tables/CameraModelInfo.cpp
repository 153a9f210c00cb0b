// The camera model record and the commands each model lacks.
#include "tables/CameraModelInfo.h"

#include "tables/CommandTable.h"

#include <algorithm>
#include <array>

namespace {

// The B1 has neither individual exposure times, the analog base gains per colour, the sensor
// selection nor the cable emphasis, nor the Type A / Type B factory calibration sets.
constexpr auto kMissingOnB1 = std::to_array<int>({
    cmd::EI,    cmd::ETM,   cmd::PER,   cmd::PEG,    cmd::PEB,    cmd::SCB,    cmd::SGG,    cmd::SGR,
    cmd::SGB,   cmd::STP,   cmd::GAORA, cmd::GAOGA,  cmd::GAOBA,  cmd::GAORAJ, cmd::GAOGAJ, cmd::GAOBAJ,
    cmd::GAORB, cmd::GAOGB, cmd::GAOBB, cmd::GAORBJ, cmd::GAOGBJ, cmd::GAOBBJ, cmd::OBRA,   cmd::OBGA,
    cmd::OBBA,  cmd::OBRB,  cmd::OBGB,  cmd::OBBB,   cmd::SCBN,   cmd::SCBM,   cmd::SCBS,
});

// The A1 replaces the single analog gain and the untyped factory sets by the per-colour and typed
// ones, and has no line-rate option, exposure-active source, object direction or spatial compensation.
constexpr auto kMissingOnA1 = std::to_array<int>({
    cmd::LROP, cmd::EAS,  cmd::SGA,  cmd::ODM,   cmd::ODS,   cmd::SPCM,  cmd::SPCR, cmd::SPCG, cmd::SPCB, cmd::SPCD,
    cmd::GAOR, cmd::GAOG, cmd::GAOB, cmd::GAORJ, cmd::GAOGJ, cmd::GAOBJ, cmd::OBR,  cmd::OBG,  cmd::OBB,
});

template <std::size_t N>
bool Contains(const std::array<int, N>& list, int commandIndex)
{
    return std::find(list.begin(), list.end(), commandIndex) != list.end();
}

}  // namespace

int IsSupportedOnModel(int commandIndex, int modelCode)
{
    switch (modelCode) {
        case kModelCodeB1:
            return Contains(kMissingOnB1, commandIndex) ? 0 : 1;
        case kModelCodeA1:
            return Contains(kMissingOnA1, commandIndex) ? 0 : 1;
        default:
            return 1;
    }
}

int CameraModelInfo::Supports(int commandIndex) const { return IsSupportedOnModel(commandIndex, modelCode); }
