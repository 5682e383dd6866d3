# Reads a template DXF with ezdxf, an independent reader, and prints what the test checks:
# the units, the arcs' radii, whether the cut contour closes, the layers used, each layer's colour
# and line type, and the dash pattern of each line type.
import json
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
ends = []
radii = []
layers = {}
for entity in msp:
    kind = entity.dxftype()
    layers.setdefault(entity.dxf.layer, []).append(kind)
    if entity.dxf.layer != "REZ":
        continue
    if kind == "ARC":
        radii.append(entity.dxf.radius)
        c = entity.dxf.center
        for angle in (entity.dxf.start_angle, entity.dxf.end_angle):
            a = math.radians(angle)
            ends.append((c.x + entity.dxf.radius * math.cos(a), c.y + entity.dxf.radius * math.sin(a)))
    elif kind == "LINE":
        ends.append((entity.dxf.start.x, entity.dxf.start.y))
        ends.append((entity.dxf.end.x, entity.dxf.end.y))
# Closed: every end meets exactly one other end.
closed = all(sum(1 for q in ends if math.dist(p, q) < 1e-6) == 2 for p in ends)
print(json.dumps({
    "insunits": doc.header.get("$INSUNITS"),
    "radii": sorted(radii),
    "closed": closed and len(ends) > 0,
    "layers": {name: sorted(set(kinds)) for name, kinds in layers.items()},
    "colours": {layer.dxf.name: layer.dxf.color for layer in doc.layers},
    "linetypes": {layer.dxf.name: layer.dxf.linetype for layer in doc.layers},
    "dashes": {lt.dxf.name: list(lt.pattern_tags.tags and [t.value for t in lt.pattern_tags.tags
                                                           if t.code == 49] or [])
               for lt in doc.linetypes},
}))
