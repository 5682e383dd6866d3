#pragma once

#include "diagrams/Diagram.h"

#include <string>

namespace vlnokan::cli {

// The drawings' folder, named by the bytes given on the command line: created where needed.
// False, with "error: ..." on standard error, when it cannot be made.
bool prepareFolder(const std::string& folder);

// Saves a drawing as folder/name in PNG, whole or not at all: an older file stays until the new
// one is complete. False, with "error: ..." on standard error, when it cannot be written.
bool save(const Diagram& diagram, const std::string& folder, const std::string& name);

} // namespace vlnokan::cli
