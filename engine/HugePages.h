// SPDX-License-Identifier: MIT
// Large buffers filled once (the source table, the ADIS text of the result
// window) take their memory in huge pages where the system offers them: one
// page fault for 2 MiB instead of one for every 4 KiB, which on a virtual
// machine can be most of the time it takes to fill them.
#pragma once

#include <cstddef>

namespace kolvane {

// Asks for huge pages for the whole 2 MiB pages inside [data, data + bytes),
// memory this program allocated and has not touched yet. Anywhere else, or
// for a small buffer, it does nothing.
void AdviseHugePages(const void* data, std::size_t bytes);

} // namespace kolvane
