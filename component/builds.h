#pragma once
#include <array>

namespace ort {

// Operating-system builds as the component reports them. The program offers
// the on-board SMBus only on the builds of SmbusBuilds; the Linux component
// reports BuildWithSmbus when an adapter can be used and BuildWithoutSmbus
// otherwise, so that the same rule holds there.
inline constexpr std::array<long, 5> SmbusBuilds = {950, 1111, 1998, 2222, 3000};
inline constexpr std::array<long, 2> Windows95Builds = {950, 1111};
inline constexpr const char *BuildWithSmbus = "2222";
inline constexpr const char *BuildWithoutSmbus = "2195";

} // namespace ort
