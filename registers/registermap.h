#pragma once
#include "link/declare.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The program's fixed knowledge of the chip's register set, as the register
// editor shows it. Pure: no widgets, no bus.

namespace ort {

struct RegisterRow {
    std::string_view button;    // the selector button that picks the register
    std::string_view caption;   // beside that button
    std::string_view typeName;  // after "Current Register Type:"
    uint8_t readAddress;
    std::optional<uint8_t> writeAddress;   // none: the editor never writes it
    bool writable;
    int column, row;            // the button's place in the selector, from 0
};

inline constexpr int RegisterCount = 12;
// By read address.
extern const std::array<RegisterRow, RegisterCount> RegisterTable;

// The table row of a read address, or -1.
int registerRowOf(int readAddress);
// The table row of a selector button, or -1.
int registerRowOfButton(std::string_view button);

// The type name of a read or a write address; empty for an address that is
// not in the table.
std::string_view RegisterTypeName(int address);

// The eight names of a register's bits, index n naming bit n.
using BitNameSet = std::array<std::string_view, 8>;
extern const BitNameSet GenericBitNames;
const BitNameSet &BitNamesOf(int readAddress);
// The names of a byte's set bits, highest first, where its register names
// them: not the generic "Bit n", nor "Unused" and "Reserved".
std::vector<std::string_view> setBitNames(int readAddress, uint8_t value);

// The editor's address conversions, in place on EditorRegister: every write
// goes to the write address, every read and display sees the read address.
void ToWriteAddress(Declare &d);
void ToReadAddress(Declare &d);

} // namespace ort
