// SPDX-License-Identifier: MIT
// The command line of HXDataExchange.exe:
//
//   HXDataExchange.exe -a PATH   imports PATH.ads into the herd database and
//                                writes HXDataExchange.ads in the install folder
//   HXDataExchange.exe PATH      prints a summary of PATH.ads
//
// PATH comes without ".ads"; when PATH.ads does not exist but PATH itself is a
// file, that file is taken (a person typing the command may give the full name).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace herdsim {

inline constexpr int kExitOk = 0;          // the import ran, whatever it reported
inline constexpr int kExitCouldNotRun = 1; // file or database unusable; the result file says why
inline constexpr int kExitUsage = 2;

// `arguments` leaves out the program name; `installFolder` holds the database
// and receives the result file; `startedAt` is the time the report states.
int RunImporterCommand(const std::vector<std::string>& arguments, const std::string& installFolder,
                       const std::string& startedAt, std::ostream& out, std::ostream& err);

} // namespace herdsim
