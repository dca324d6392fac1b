#include "registers/registermap.h"
#include "link/chip.h"

namespace ort {

using namespace chip;

// clang-format off
const std::array<RegisterRow, RegisterCount> RegisterTable = {{
    {"SSRibbon4",  "Local Temp Value",       "Local Temperature",       LocalTemperature,       std::nullopt,          false, 0, 0},
    {"SSRibbon7",  "Remote Temp Value",      "Remote Temperature",      RemoteTemperature,      std::nullopt,          false, 0, 1},
    {"SSRibbon8",  "Status",                 "Status",                  Status,                 std::nullopt,          false, 0, 2},
    {"SSRibbon9",  "Configuration",          "Configuration",           ConfigurationRead,      ConfigurationWrite,    true,  0, 3},
    {"SSRibbon12", "Conversion Rate",        "Conversion Rate",         ConversionRateRead,     ConversionRateWrite,   true,  1, 0},
    {"SSRibbon13", "Local Temp High Limit",  "Local Temp. High Limit",  LocalHighLimitRead,     LocalHighLimitWrite,   true,  1, 1},
    {"SSRibbon14", "Local Temp Low Limit",   "Local Temp. Low Limit",   LocalLowLimitRead,      LocalLowLimitWrite,    true,  1, 2},
    {"SSRibbon10", "Remote Temp High Limit", "Remote Temp. High Limit", RemoteHighLimitRead,    RemoteHighLimitWrite,  true,  1, 3},
    {"SSRibbon15", "Remote Temp Low Limit",  "Remote Temp. Low Limit",  RemoteLowLimitRead,     RemoteLowLimitWrite,   true,  2, 0},
    // Read and written at the same address.
    {"SSRibbon16", "One Shot",               "One-Shot",                OneShot,                OneShot,               true,  2, 1},
    {"SSRibbon17", "ManufacturerID",         "Manufacturers ID",        ManufacturerIdRegister, std::nullopt,          false, 2, 2},
    {"SSRibbon11", "Chip Revision Code",     "Die Revision Code",       DieRevision,            std::nullopt,          false, 2, 3},
}};

const BitNameSet GenericBitNames = {"Bit 0", "Bit 1", "Bit 2", "Bit 3", "Bit 4", "Bit 5", "Bit 6", "Bit 7"};

namespace {
const BitNameSet StatusBitNames = {"Reserved", "Reserved", "Rem Sen oc", "Remote Low",
                                   "Remote High", "Local Low", "Local High", "ADC On"};
const BitNameSet ConfigurationBitNames = {"Unused", "Unused", "Unused", "Unused",
                                          "Unused", "Unused", "Op. Mode", "ALERT"};
const BitNameSet ConversionRateBitNames = {"Bit 0", "Bit 1", "Bit 2", "Bit 3",
                                           "Unused", "Unused", "Unused", "Unused"};
} // namespace
// clang-format on

int registerRowOf(int readAddress)
{
    for (int i = 0; i < RegisterCount; ++i)
        if (RegisterTable[i].readAddress == readAddress)
            return i;
    return -1;
}

int registerRowOfButton(std::string_view button)
{
    for (int i = 0; i < RegisterCount; ++i)
        if (RegisterTable[i].button == button)
            return i;
    return -1;
}

std::string_view RegisterTypeName(int address)
{
    for (const RegisterRow &r : RegisterTable)
        if (r.readAddress == address || r.writeAddress == address)
            return r.typeName;
    return {};
}

const BitNameSet &BitNamesOf(int readAddress)
{
    switch (readAddress) {
    case Status:
        return StatusBitNames;
    case ConfigurationRead:
        return ConfigurationBitNames;
    case ConversionRateRead:
        return ConversionRateBitNames;
    default:
        return GenericBitNames;
    }
}

std::vector<std::string_view> setBitNames(int readAddress, uint8_t value)
{
    std::vector<std::string_view> names;
    const BitNameSet &set = BitNamesOf(readAddress);
    if (&set == &GenericBitNames || readAddress == ConversionRateRead)
        return names;
    for (int bit = 7; bit >= 0; --bit)
        if ((value >> bit & 1) && set[bit] != "Unused" && set[bit] != "Reserved")
            names.push_back(set[bit]);
    return names;
}

// Only the six registers whose two addresses differ move; the One-Shot
// register keeps its single address.
void ToWriteAddress(Declare &d)
{
    if (d.EditorRegister >= ConfigurationRead && d.EditorRegister <= RemoteLowLimitRead)
        d.EditorRegister = static_cast<int16_t>(d.EditorRegister + (ConfigurationWrite - ConfigurationRead));
}

void ToReadAddress(Declare &d)
{
    if (d.EditorRegister >= ConfigurationWrite && d.EditorRegister <= RemoteLowLimitWrite)
        d.EditorRegister = static_cast<int16_t>(d.EditorRegister - (ConfigurationWrite - ConfigurationRead));
}

} // namespace ort
