#!/usr/bin/env python3
"""Converts one object of a TopoJSON topology into a GeoJSON FeatureCollection.

Used once to make the sample data under data/ from the Natural Earth files of
the npm package world-atlas (see data/README.md); the build never runs it.

    npm pack world-atlas@2.0.2 && tar xzf world-atlas-2.0.2.tgz
    scripts/topojson-to-geojson.py package/countries-110m.json countries \
        data/ne_110m_countries.geojson
    scripts/topojson-to-geojson.py package/land-110m.json land \
        data/ne_110m_coastline.geojson --lines --name Coastline --class Coastline

A topology stores every shared boundary once, as an arc; a geometry lists
the arcs it is made of, ~i (a negative index) meaning arc i walked backwards.
With a "transform" the arcs are quantized: integer positions, each after the
first given as the difference to the one before. --lines writes the outlines
of polygons as LineStrings and MultiLineStrings (coastlines from land areas).
Polygons that cross the antimeridian are cut there into pieces on either
side, so that flat maps do not draw them across the whole world.
"""
import argparse
import json
import sys


def decode_arcs(topology, digits):
    """The arcs as lists of [longitude, latitude], rounded to digits decimals."""
    transform = topology.get("transform")
    arcs = []
    for arc in topology["arcs"]:
        points = []
        x = y = 0
        for position in arc:
            if transform:
                x += position[0]
                y += position[1]
                sx, sy = transform["scale"]
                tx, ty = transform["translate"]
                lon, lat = x * sx + tx, y * sy + ty
            else:
                lon, lat = position[0], position[1]
            points.append([round(lon, digits), round(lat, digits)])
        arcs.append(points)
    return arcs


def stitch(arcs, indexes):
    """One line or ring from arc indexes; joints are shared, so each arc after
    the first drops its first position."""
    line = []
    for i in indexes:
        part = arcs[i] if i >= 0 else list(reversed(arcs[~i]))
        line.extend(part if not line else part[1:])
    return line


def unwrap(ring):
    """The ring with longitudes made continuous (no step over 180 degrees), and
    whether it closes again: a ring around a pole does not."""
    out, offset = [ring[0]], 0
    for a, b in zip(ring, ring[1:]):
        step = b[0] - a[0]
        if step > 180:
            offset -= 360
        elif step < -180:
            offset += 360
        out.append([b[0] + offset, b[1]])
    return out, offset == 0


def clip(ring, x, keep_below):
    """Sutherland-Hodgman: the part of a closed ring on one side of longitude x."""
    inside = (lambda p: p[0] <= x) if keep_below else (lambda p: p[0] >= x)
    out = []
    for a, b in zip(ring, ring[1:]):
        if inside(a):
            out.append(a)
        if inside(a) != inside(b):
            t = (x - a[0]) / (b[0] - a[0])
            out.append([x, a[1] + t * (b[1] - a[1])])
    if out and out[0] != out[-1]:
        out.append(out[0])
    return out


def cut_at_antimeridian(ring, digits):
    """A ring that crosses 180 degrees as the pieces on either side; a flat map
    would otherwise draw it across the whole world. Rings around a pole
    (Antarctica) stay as they are."""
    flat, closes = unwrap(ring)
    low, high = min(p[0] for p in flat), max(p[0] for p in flat)
    if not closes or (low >= -180 and high <= 180):
        return [ring]
    edge = 180 if high > 180 else -180
    shift = -360 if high > 180 else 360
    pieces = []
    for part, move in ((clip(flat, edge, edge == 180), 0), (clip(flat, edge, edge != 180), shift)):
        piece = []
        for p in part:
            q = [round(p[0] + move, digits) + 0.0, round(p[1], digits)]
            if not piece or q != piece[-1]:
                piece.append(q)
        if len(piece) >= 4:
            pieces.append(piece)
    return pieces


def cut_polygons(geom, digits):
    """Polygons whose outer ring crosses 180 degrees split into a MultiPolygon."""
    if geom["type"] not in ("Polygon", "MultiPolygon"):
        return geom
    polygons = [geom["coordinates"]] if geom["type"] == "Polygon" else geom["coordinates"]
    out = []
    for rings in polygons:
        pieces = cut_at_antimeridian(rings[0], digits)
        if len(pieces) == 1:
            out.append(rings)
        else:
            out.extend([piece] for piece in pieces)
    if len(out) == 1:
        return {"type": "Polygon", "coordinates": out[0]}
    return {"type": "MultiPolygon", "coordinates": out}


def geometry(arcs, g):
    kind = g["type"]
    if kind == "Polygon":
        return {"type": kind, "coordinates": [stitch(arcs, r) for r in g["arcs"]]}
    if kind == "MultiPolygon":
        return {"type": kind,
                "coordinates": [[stitch(arcs, r) for r in p] for p in g["arcs"]]}
    if kind == "LineString":
        return {"type": kind, "coordinates": stitch(arcs, g["arcs"])}
    if kind == "MultiLineString":
        return {"type": kind, "coordinates": [stitch(arcs, l) for l in g["arcs"]]}
    if kind in ("Point", "MultiPoint"):
        raise SystemExit("points are not needed for the sample data; not converted")
    raise SystemExit(f"unknown geometry type {kind!r}")


def as_lines(geom):
    """The rings of a polygon geometry as a line geometry."""
    if geom["type"] == "Polygon":
        rings = geom["coordinates"]
    elif geom["type"] == "MultiPolygon":
        rings = [r for p in geom["coordinates"] for r in p]
    else:
        return geom
    if len(rings) == 1:
        return {"type": "LineString", "coordinates": rings[0]}
    return {"type": "MultiLineString", "coordinates": rings}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("topology")
    ap.add_argument("object", help="name of the object in the topology (countries, land)")
    ap.add_argument("output")
    ap.add_argument("--digits", type=int, default=4,
                    help="decimals kept (default 4: finer than the 1:110m quantization)")
    ap.add_argument("--lines", action="store_true", help="write polygon outlines as lines")
    ap.add_argument("--name", help="name property for features that have none")
    ap.add_argument("--class", dest="feature_class",
                    help="featurecla property (Natural Earth's feature class) for every feature")
    args = ap.parse_args()

    with open(args.topology, encoding="utf-8") as f:
        topology = json.load(f)
    if topology.get("type") != "Topology":
        raise SystemExit(f"{args.topology}: not a TopoJSON topology")
    arcs = decode_arcs(topology, args.digits)
    obj = topology["objects"][args.object]
    members = obj["geometries"] if obj["type"] == "GeometryCollection" else [obj]
    features = []
    for g in members:
        geom = cut_polygons(geometry(arcs, g), args.digits)
        if args.lines:
            geom = as_lines(geom)
        props = dict(g.get("properties") or {})
        if args.name and "name" not in props:
            props["name"] = args.name
        if args.feature_class:
            props["featurecla"] = args.feature_class
        feature = {"type": "Feature", "properties": props, "geometry": geom}
        if "id" in g:
            feature = {"type": "Feature", "id": g["id"], "properties": props, "geometry": geom}
        features.append(feature)
    with open(args.output, "w", encoding="utf-8") as f:
        json.dump({"type": "FeatureCollection", "features": features}, f,
                  ensure_ascii=False, separators=(",", ":"))
        f.write("\n")
    print(f"{args.output}: {len(features)} features", file=sys.stderr)


if __name__ == "__main__":
    main()
