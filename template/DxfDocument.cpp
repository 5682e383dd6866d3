// SPDX-License-Identifier: GPL-3.0-or-later
#include "template/TemplateDocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <dl_dxf.h>

#include <cmath>
#include <memory>

namespace vlnokan::templ {

namespace {

const std::string cutLayer = "REZ";
const std::string foldLayer = "OHYB";

// The drawing starts at the origin: the pattern's box is moved to (0, 0).
struct Shift {
    double dx = 0;
    double dy = 0;
};

// Colour 7 is drawn black on a light background and white on a dark one, so the cut line shows in
// every CAD and laser program; magenta stands out on both for the fold, which is also dashed.
constexpr int cutColour = DL_Codes::white;
constexpr int foldColour = DL_Codes::magenta;
const std::string foldLinetype = "DASHED";

void writeTables(DL_Dxf& dxf, DL_WriterA& dw) {
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(4);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    // 8 mm dashes with 6 mm gaps, as the fold line is drawn on paper; a gap is a negative length.
    double dashes[] = {8.0, -6.0};
    dxf.writeLinetype(dw, DL_LinetypeData(foldLinetype, "Dashed __  __  __", 0, 2, 14.0, dashes));
    dw.tableEnd();
    dw.tableLayers(3);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", cutColour, 100, "CONTINUOUS", 1.0));
    dxf.writeLayer(dw, DL_LayerData(cutLayer, 0),
                   DL_Attributes("", cutColour, 100, "CONTINUOUS", 1.0));
    dxf.writeLayer(dw, DL_LayerData(foldLayer, 0),
                   DL_Attributes("", foldColour, 100, foldLinetype, 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();
    dw.sectionBlocks();
    dxf.writeBlock(dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Model_Space");
    dxf.writeBlock(dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Paper_Space");
    dxf.writeBlock(dw, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Paper_Space0");
    dw.sectionEnd();
}

void writeLine(DL_Dxf& dxf, DL_WriterA& dw, const pattern::Line& line, Shift s,
               const std::string& layer) {
    dxf.writeLine(dw,
                  DL_LineData(line.from.x + s.dx, line.from.y + s.dy, 0, line.to.x + s.dx,
                              line.to.y + s.dy, 0),
                  DL_Attributes(layer, 256, -1, "BYLAYER", 1.0));
}

void writeArc(DL_Dxf& dxf, DL_WriterA& dw, const pattern::Arc& arc, Shift s) {
    const double start = std::fmod(arc.startDeg, 360.0);
    const double end = std::fmod(arc.startDeg + arc.sweepDeg, 360.0);
    dxf.writeArc(dw,
                 DL_ArcData(arc.centre.x + s.dx, arc.centre.y + s.dy, 0, arc.radius, start, end),
                 DL_Attributes(cutLayer, 256, -1, "BYLAYER", 1.0));
}

} // namespace

QByteArray dxfOf(const pattern::Pattern& pattern) {
    // dxflib writes only to a named file; it is read back into memory for the caller.
    QTemporaryDir folder;
    if (!folder.isValid())
        return {};
    const QString path = folder.filePath(QStringLiteral("pattern.dxf"));
    const pattern::Box box = pattern.bounds();
    const Shift shift{-box.left, -box.bottom};
    {
        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> dw(
            dxf.out(QFile::encodeName(path).constData(), DL_Codes::AC1015));
        if (!dw)
            return {};
        dxf.writeHeader(*dw);
        dw->dxfString(9, "$INSUNITS");
        dw->dxfInt(70, 4);
        dw->dxfString(9, "$MEASUREMENT");
        dw->dxfInt(70, 1);
        dw->sectionEnd();
        writeTables(dxf, *dw);
        dw->sectionEntities();
        for (const pattern::Piece& piece : pattern.pieces()) {
            for (const pattern::Edge& edge : piece.cut) {
                if (const auto* line = std::get_if<pattern::Line>(&edge))
                    writeLine(dxf, *dw, *line, shift, cutLayer);
                else
                    writeArc(dxf, *dw, std::get<pattern::Arc>(edge), shift);
            }
            if (piece.fold)
                writeLine(dxf, *dw, *piece.fold, shift, foldLayer);
        }
        dw->sectionEnd();
        dxf.writeObjects(*dw);
        dxf.writeObjectsEnd(*dw);
        dw->dxfEOF();
        dw->close();
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        return {};
    // dxflib does not say when the disk refused its file: a file cut short lacks the end mark.
    const QByteArray bytes = written.readAll();
    return bytes.endsWith("EOF\n") ? bytes : QByteArray();
}

} // namespace vlnokan::templ
