#pragma once

#include "sim/SimModel.h"

#include <filesystem>
#include <string>

namespace vlnokan::sim {

// The names the engine gives its output in its working folder.
inline constexpr const char* modelFileName = "model.xml";
inline constexpr const char* voltageProbeName = "port_ut_1";
inline constexpr const char* currentProbeName = "port_it_1";
inline constexpr const char* nearFieldName = "nf2ff";

// The model as the XML document the openEMS command reads: the run's settings and the structure
// as CSXCAD writes it. The same model always gives the same text.
std::string modelXml(const SimModel& model);

// A folder a user can take to another machine: the model and a script that runs it with the
// given number of threads (or through MPI, see the README). Both files are written, or neither
// (EFileWrite); the folder is created where needed.
void exportModel(const SimModel& model, const std::filesystem::path& folder);

} // namespace vlnokan::sim
