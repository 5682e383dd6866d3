#pragma once

#include "diagrams/Diagram.h"

#include <string>

namespace vlnokan::cli {

// The drawings' folder, named by the bytes given on the command line: created where needed.
// Empty, or why it cannot be made.
std::string prepareFolder(const std::string& folder);

// Saves a drawing as folder/name in PNG, whole or not at all: an older file stays until the new
// one is complete. Empty, or why it cannot be written.
std::string save(const Diagram& diagram, const std::string& folder, const std::string& name);

} // namespace vlnokan::cli
