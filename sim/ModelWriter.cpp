#include "sim/ModelWriter.h"

#include "core/FileWriter.h"
#include "sim/SimFaults.h"

#include <CSPrimBox.h>
#include <CSPrimCylinder.h>
#include <CSPropDumpBox.h>
#include <CSPropExcitation.h>
#include <CSPropLumpedElement.h>
#include <CSPropMaterial.h>
#include <CSPropMetal.h>
#include <CSPropProbeBox.h>
#include <ContinuousStructure.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace vlnokan::sim {

namespace fs = std::filesystem;

namespace {

void place(CSPrimitives* primitive, const Point& start, const Point& stop, int priority) {
    for (int axis = 0; axis < 3; ++axis) {
        if (auto* box = dynamic_cast<CSPrimBox*>(primitive)) {
            box->SetCoord(2 * axis, start[std::size_t(axis)]);
            box->SetCoord(2 * axis + 1, stop[std::size_t(axis)]);
        } else if (auto* cylinder = dynamic_cast<CSPrimCylinder*>(primitive)) {
            cylinder->SetCoord(2 * axis, start[std::size_t(axis)]);
            cylinder->SetCoord(2 * axis + 1, stop[std::size_t(axis)]);
        }
    }
    primitive->SetPriority(priority);
}

void addBox(ContinuousStructure& csx, CSProperties* property, const Point& start, const Point& stop,
            int priority) {
    place(new CSPrimBox(csx.GetParameterSet(), property), start, stop, priority);
}

template <typename Property>
Property* addProperty(ContinuousStructure& csx, Property* property, const char* name) {
    property->SetName(name);
    // CSXCAD picks random colours for a viewer; fixed ones keep the same model the same text.
    property->SetFillColor(160, 160, 160, 255);
    property->SetEdgeColor(160, 160, 160, 255);
    csx.AddProperty(property);
    return property;
}

void addSolids(ContinuousStructure& csx, const SimModel& model) {
    auto* metal = addProperty(csx, new CSPropMetal(csx.GetParameterSet()), "metal");
    auto* air = addProperty(csx, new CSPropMaterial(csx.GetParameterSet()), "air");
    air->SetEpsilon(1.0);
    for (const Solid& solid : model.solids) {
        CSProperties* property = solid.material == Material::Metal
                                     ? static_cast<CSProperties*>(metal)
                                     : static_cast<CSProperties*>(air);
        if (solid.shape == Solid::Shape::Box) {
            addBox(csx, property, solid.start, solid.stop, solid.priority);
        } else {
            auto* cylinder = new CSPrimCylinder(csx.GetParameterSet(), property);
            place(cylinder, solid.start, solid.stop, solid.priority);
            cylinder->SetRadius(solid.radius);
        }
    }
}

// The feed: a resistance and a voltage source in the gap, a voltage probe along it and a current
// probe across its middle, the probes named as the engine's port files.
void addPort(ContinuousStructure& csx, const LumpedPort& port) {
    const int axis = port.axis;
    auto* resistance =
        addProperty(csx, new CSPropLumpedElement(csx.GetParameterSet()), "port_resist_1");
    resistance->SetResistance(port.resistance);
    resistance->SetDirection(axis);
    resistance->SetCaps(true);
    addBox(csx, resistance, port.start, port.stop, 30);

    auto* source =
        addProperty(csx, new CSPropExcitation(csx.GetParameterSet(), 0), "port_excite_1");
    source->SetExcitType(0);
    for (int k = 0; k < 3; ++k)
        source->SetExcitation(k == axis ? -1.0 : 0.0, k);
    addBox(csx, source, port.start, port.stop, 30);

    auto* voltage = addProperty(csx, new CSPropProbeBox(csx.GetParameterSet()), voltageProbeName);
    voltage->SetProbeType(0);
    voltage->SetWeighting(-1);
    addBox(csx, voltage, port.start, port.stop, 0);

    auto* current = addProperty(csx, new CSPropProbeBox(csx.GetParameterSet()), currentProbeName);
    current->SetProbeType(1);
    current->SetWeighting(1);
    current->SetNormalDir(unsigned(axis));
    Point middle = port.start;
    middle[std::size_t(axis)] =
        0.5 * (port.start[std::size_t(axis)] + port.stop[std::size_t(axis)]);
    Point across = port.stop;
    across[std::size_t(axis)] = middle[std::size_t(axis)];
    addBox(csx, current, middle, across, 0);
}

// The six faces of the recording box, E and H at the far-field frequency.
void addNearFieldBox(ContinuousStructure& csx, const SimModel& model) {
    const std::string eName = std::string(nearFieldName) + "_E";
    const std::string hName = std::string(nearFieldName) + "_H";
    auto* e = addProperty(csx, new CSPropDumpBox(csx.GetParameterSet()), eName.c_str());
    auto* h = addProperty(csx, new CSPropDumpBox(csx.GetParameterSet()), hName.c_str());
    int type = 10;
    for (CSPropDumpBox* dump : {e, h}) {
        dump->SetDumpType(type++);
        dump->SetDumpMode(1);
        dump->SetFileType(1);
        dump->AddFDSample(model.centreHz);
    }
    for (std::size_t axis = 0; axis < 3; ++axis) {
        for (const bool high : {false, true}) {
            Point start = model.nearFieldStart;
            Point stop = model.nearFieldStop;
            if (high)
                start[axis] = stop[axis];
            else
                stop[axis] = start[axis];
            addBox(csx, e, start, stop, 0);
            addBox(csx, h, start, stop, 0);
        }
    }
}

std::string structureXml(const SimModel& model) {
    ContinuousStructure csx;
    CSRectGrid* grid = csx.GetGrid();
    grid->SetDeltaUnit(1e-3);
    for (int axis = 0; axis < 3; ++axis)
        for (const double line : model.mesh[std::size_t(axis)])
            grid->AddDiscLine(axis, line);
    addSolids(csx, model);
    addPort(csx, model.port);
    addNearFieldBox(csx, model);

    // CSXCAD writes only to a file.
    char name[] = "/tmp/vlnokan-model-XXXXXX";
    const int handle = mkstemp(name);
    if (handle < 0)
        throw ESimulation("Nelze vytvořit dočasný soubor pro model.");
    close(handle);
    const bool written = csx.Write2XML(std::string(name), false);
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(name);
    std::string xml = text.str();
    if (!written || xml.empty())
        throw ESimulation("Model antény se nepodařilo zapsat do dočasného souboru " +
                          std::string(name) + " (plný disk nebo limit velikosti souboru).");
    if (xml.rfind("<?xml", 0) == 0)
        xml.erase(0, xml.find('\n') + 1);
    return xml;
}

} // namespace

std::string modelXml(const SimModel& model) {
    std::ostringstream xml;
    xml.precision(10);
    const std::string pml = "PML_" + std::to_string(model.pmlCells);
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
        << "<openEMS>\n"
        << "  <FDTD NumberOfTimesteps=\"" << model.maxTimesteps << "\" endCriteria=\""
        << model.endEnergy << "\" f_max=\"" << model.centreHz + model.halfBandHz << "\">\n"
        << "    <Excitation Type=\"0\" f0=\"" << model.centreHz << "\" fc=\"" << model.halfBandHz
        << "\"/>\n"
        << "    <BoundaryCond xmin=\"" << pml << "\" xmax=\"" << pml << "\" ymin=\"" << pml
        << "\" ymax=\"" << pml << "\" zmin=\"" << pml << "\" zmax=\"" << pml << "\"/>\n"
        << "  </FDTD>\n"
        << structureXml(model) << "</openEMS>\n";
    return xml.str();
}

void exportModel(const SimModel& model, const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw EFileWrite(folder.string(), error.message());
    const std::string script =
        "#!/bin/sh\n"
        "# Runs the antenna's model with openEMS (package openems) in this folder. The engine\n"
        "# writes the feed's voltage and current (port_ut_1, port_it_1) and the recorded\n"
        "# fields (nf2ff_*.h5) here. THREADS sets the number of threads (default: all cores).\n"
        "# Through MPI on several machines: see the README's simulation section.\n"
        "set -e\n"
        "cd \"$(dirname \"$0\")\"\n"
        "exec openEMS model.xml --engine=multithreaded --numThreads=\"${THREADS:-$(nproc)}\" "
        "\"$@\"\n";
    // The model and its script belong together: both are written, or neither.
    writeFiles({{(folder / modelFileName).string(), modelXml(model), false},
                {(folder / "run.sh").string(), script, true}});
}

} // namespace vlnokan::sim
