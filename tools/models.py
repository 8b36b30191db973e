#!/usr/bin/env python3
"""Writes the models: COLLADA files, one text file each, so a model needs no side files.

Usage: models.py <assets folder>

Models/Non-Animated and Models/Animated hold what the game loads. Models/Fixtures holds the files the tests
copy into trees of their own (the game never reads that folder): the broken file would be reported at every
start-up.
"""
import math
import os
import sys

IDENTITY = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]


def translation(x, y, z):
    return [1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1]


def z_turn(degrees, x=0.0, y=0.0, z=0.0):
    c = math.cos(math.radians(degrees))
    s = math.sin(math.radians(degrees))
    return [c, -s, 0, x, s, c, 0, y, 0, 0, 1, z, 0, 0, 0, 1]


def numbers(values):
    return " ".join(f"{v:.6g}" for v in values)


class Mesh:
    """Triangles with per-corner normals and uvs; skin is one list of (bone, weight) pairs per vertex."""

    def __init__(self, name, positions, normals, uvs, triangles, material=None, skin=None):
        self.name = name
        self.positions = positions
        self.normals = normals
        self.uvs = uvs
        self.triangles = triangles
        self.material = material
        self.skin = skin


class Material:
    def __init__(self, name, diffuse_texture=None, specular_texture=None):
        self.name = name
        self.diffuse_texture = diffuse_texture
        self.specular_texture = specular_texture

    def textures(self):
        return [t for t in (self.diffuse_texture, self.specular_texture) if t]


class Joint:
    """A bone node: its rest matrix, its children and, optionally, animation keys (time, matrix)."""

    def __init__(self, name, matrix, children=(), keys=None):
        self.name = name
        self.matrix = matrix
        self.children = list(children)
        self.keys = keys

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()


def source(ident, values, stride, params, kind="float_array", param_type="float"):
    count = len(values)
    text = numbers(values) if kind == "float_array" else " ".join(values)
    names = "".join(f'<param name="{p}" type="{param_type}"/>' for p in params)
    return (f'<source id="{ident}"><{kind} id="{ident}-array" count="{count}">{text}</{kind}>'
            f'<technique_common><accessor source="#{ident}-array" count="{count // stride}" stride="{stride}">'
            f'{names}</accessor></technique_common></source>\n')


def geometry(mesh):
    g = mesh.name
    flat = lambda rows: [v for row in rows for v in row]
    corners = [c for triangle in mesh.triangles for c in triangle]
    indices = []
    for n, corner in enumerate(corners):
        indices += [corner, n, n]
    normals = [mesh.normals[c] for c in corners]
    uvs = [mesh.uvs[c] for c in corners]
    material = f' material="{mesh.material.name}"' if mesh.material else ""
    return (f'<geometry id="{g}-mesh" name="{g}"><mesh>\n'
            + source(f"{g}-positions", flat(mesh.positions), 3, "XYZ")
            + source(f"{g}-normals", flat(normals), 3, "XYZ")
            + source(f"{g}-uvs", flat(uvs), 2, "ST")
            + f'<vertices id="{g}-vertices"><input semantic="POSITION" source="#{g}-positions"/></vertices>\n'
            f'<triangles count="{len(mesh.triangles)}"{material}>'
            f'<input semantic="VERTEX" source="#{g}-vertices" offset="0"/>'
            f'<input semantic="NORMAL" source="#{g}-normals" offset="1"/>'
            f'<input semantic="TEXCOORD" source="#{g}-uvs" offset="2" set="0"/>'
            f'<p>{" ".join(map(str, indices))}</p></triangles>\n</mesh></geometry>\n')


def inverse_rigid(m):
    """Inverse of a rotation-and-translation matrix (row-major 4x4)."""
    r = [[m[0], m[1], m[2]], [m[4], m[5], m[6]], [m[8], m[9], m[10]]]
    t = [m[3], m[7], m[11]]
    rt = [[r[j][i] for j in range(3)] for i in range(3)]
    tt = [-sum(rt[i][j] * t[j] for j in range(3)) for i in range(3)]
    return [rt[0][0], rt[0][1], rt[0][2], tt[0], rt[1][0], rt[1][1], rt[1][2], tt[1],
            rt[2][0], rt[2][1], rt[2][2], tt[2], 0, 0, 0, 1]


def multiply(a, b):
    return [sum(a[4 * r + k] * b[4 * k + c] for k in range(4)) for r in range(4) for c in range(4)]


def controller(mesh, joints):
    g = mesh.name
    names = [j.name for j in joints]
    # Bind pose = the joints' rest pose: each offset is the inverse of the joint's global rest matrix.
    globals_ = {}

    def place(joint, parent):
        globals_[joint.name] = multiply(parent, joint.matrix)
        for child in joint.children:
            place(child, globals_[joint.name])

    place(joints[0], IDENTITY)
    binds = [v for j in joints for v in inverse_rigid(globals_[j.name])]
    weights, vcount, v = [], [], []
    for influences in mesh.skin:
        vcount.append(len(influences))
        for bone, weight in influences:
            v += [bone, len(weights)]
            weights.append(weight)
    return (f'<controller id="{g}-skin"><skin source="#{g}-mesh">'
            f'<bind_shape_matrix>{numbers(IDENTITY)}</bind_shape_matrix>\n'
            + source(f"{g}-joints", names, 1, ["JOINT"], "Name_array", "name")
            + source(f"{g}-binds", binds, 16, ["TRANSFORM"], param_type="float4x4")
            + source(f"{g}-weights", weights, 1, ["WEIGHT"])
            + f'<joints><input semantic="JOINT" source="#{g}-joints"/>'
            f'<input semantic="INV_BIND_MATRIX" source="#{g}-binds"/></joints>'
            f'<vertex_weights count="{len(mesh.skin)}"><input semantic="JOINT" source="#{g}-joints" offset="0"/>'
            f'<input semantic="WEIGHT" source="#{g}-weights" offset="1"/>'
            f'<vcount>{" ".join(map(str, vcount))}</vcount><v>{" ".join(map(str, v))}</v></vertex_weights>'
            f'</skin></controller>\n')


def animation(joint):
    times = [t for t, _ in joint.keys]
    matrices = [v for _, m in joint.keys for v in m]
    a = f"{joint.name}-anim"
    return (f'<animation id="{a}">\n'
            + source(f"{a}-input", times, 1, ["TIME"])
            + source(f"{a}-output", matrices, 16, ["TRANSFORM"], param_type="float4x4")
            + source(f"{a}-interpolation", ["LINEAR"] * len(times), 1, ["INTERPOLATION"], "Name_array", "name")
            + f'<sampler id="{a}-sampler"><input semantic="INPUT" source="#{a}-input"/>'
            f'<input semantic="OUTPUT" source="#{a}-output"/>'
            f'<input semantic="INTERPOLATION" source="#{a}-interpolation"/></sampler>'
            f'<channel source="#{a}-sampler" target="{joint.name}/transform"/></animation>\n')


def joint_node(joint):
    return (f'<node id="{joint.name}" name="{joint.name}" sid="{joint.name}" type="JOINT">'
            f'<matrix sid="transform">{numbers(joint.matrix)}</matrix>\n'
            + "".join(joint_node(child) for child in joint.children) + "</node>\n")


def effect(material):
    images = material.textures()
    params = "".join(
        f'<newparam sid="{image}-surface"><surface type="2D"><init_from>{image}-image</init_from></surface></newparam>'
        f'<newparam sid="{image}-sampler"><sampler2D><source>{image}-surface</source></sampler2D></newparam>'
        for image in images)

    def channel(name, image):
        if image:
            return f'<{name}><texture texture="{image}-sampler" texcoord="UVMap"/></{name}>'
        return f'<{name}><color>0.8 0.8 0.8 1</color></{name}>'

    return (f'<effect id="{material.name}-effect"><profile_COMMON>{params}<technique sid="common"><phong>'
            + channel("diffuse", material.diffuse_texture) + channel("specular", material.specular_texture)
            + '</phong></technique></profile_COMMON></effect>\n')


def collada(meshes, joints=None):
    """One node per mesh (skinned meshes through the skeleton rooted at joints)."""
    materials = {m.material.name: m.material for m in meshes if m.material}
    images = sorted({t for m in materials.values() for t in m.textures()})
    out = ['<?xml version="1.0" encoding="utf-8"?>\n'
           '<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">\n'
           '<asset><unit name="meter" meter="1"/><up_axis>Y_UP</up_axis></asset>\n']
    out.append("<library_images>" + "".join(
        f'<image id="{i}-image" name="{i}"><init_from>{i}</init_from></image>' for i in images)
        + "</library_images>\n")
    out.append("<library_effects>" + "".join(effect(m) for m in materials.values()) + "</library_effects>\n")
    out.append("<library_materials>" + "".join(
        f'<material id="{m.name}" name="{m.name}"><instance_effect url="#{m.name}-effect"/></material>'
        for m in materials.values()) + "</library_materials>\n")
    out.append("<library_geometries>" + "".join(geometry(m) for m in meshes) + "</library_geometries>\n")
    all_joints = list(joints.walk()) if joints else []
    skinned = [m for m in meshes if m.skin]
    if skinned:
        out.append("<library_controllers>" + "".join(controller(m, all_joints) for m in skinned)
                   + "</library_controllers>\n")
    animated = [j for j in all_joints if j.keys]
    if animated:
        out.append("<library_animations>" + "".join(animation(j) for j in animated) + "</library_animations>\n")
    out.append('<library_visual_scenes><visual_scene id="Scene" name="Scene">\n')
    if joints:
        out.append(joint_node(joints))
    for m in meshes:
        bind = ""
        if m.material:
            bind = (f'<bind_material><technique_common><instance_material symbol="{m.material.name}" '
                    f'target="#{m.material.name}"/></technique_common></bind_material>')
        if m.skin:
            instance = (f'<instance_controller url="#{m.name}-skin"><skeleton>#{joints.name}</skeleton>{bind}'
                        f'</instance_controller>')
        else:
            instance = f'<instance_geometry url="#{m.name}-mesh">{bind}</instance_geometry>'
        out.append(f'<node id="{m.name}" name="{m.name}" type="NODE">{instance}</node>\n')
    out.append('</visual_scene></library_visual_scenes>\n'
               '<scene><instance_visual_scene url="#Scene"/></scene>\n</COLLADA>\n')
    return "".join(out)


def quad(name, width, height, material=None, z=0.0):
    """Faces -z: seen from a camera on the -z side looking along +z."""
    w, h = width / 2, height / 2
    positions = [(-w, -h, z), (w, -h, z), (w, h, z), (-w, h, z)]
    # Wound clockwise as seen from +z, so counter-clockwise from the -z side.
    return Mesh(name, positions, [(0, 0, -1)] * 4, [(1, 0), (0, 0), (0, 1), (1, 1)], [(0, 2, 1), (0, 3, 2)],
                material)


def cube(name, material=None):
    positions, normals, uvs, triangles = [], [], [], []
    for axis in range(3):
        for sign in (-1, 1):
            normal = [0, 0, 0]
            normal[axis] = sign
            u_axis, v_axis = [a for a in range(3) if a != axis]
            base = len(positions)
            for u, v in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
                p = [0.0, 0.0, 0.0]
                p[axis] = 0.5 * sign
                p[u_axis] = 0.5 * u
                p[v_axis] = 0.5 * v
                positions.append(tuple(p))
                normals.append(tuple(normal))
                uvs.append(((u + 1) / 2, (v + 1) / 2))
            # Counter-clockwise seen from outside: u x v points along +axis except for y, where x x z is -y.
            outward = sign if axis != 1 else -sign
            first = (base, base + 1, base + 2) if outward > 0 else (base, base + 2, base + 1)
            second = (base, base + 2, base + 3) if outward > 0 else (base, base + 3, base + 2)
            triangles += [first, second]
    return Mesh(name, positions, normals, uvs, triangles, material)


def round_solid(name, rows, segments, material=None):
    """Rows of (polar angle, height offset) from the top pole to the bottom one, each a ring of radius 0.5 around
    y. The seam column repeats so u runs 0 to 1 around; uvs make the tangents."""
    positions, normals, uvs = [], [], []
    for row, (theta, offset) in enumerate(rows):
        for segment in range(segments + 1):
            phi = 2 * math.pi * segment / segments
            normal = (math.sin(theta) * math.cos(phi), math.cos(theta), -math.sin(theta) * math.sin(phi))
            positions.append((0.5 * normal[0], 0.5 * normal[1] + offset, 0.5 * normal[2]))
            normals.append(normal)
            uvs.append((segment / segments, row / (len(rows) - 1)))
    triangles = []
    for row in range(len(rows) - 1):
        for segment in range(segments):
            a = row * (segments + 1) + segment
            b, c, d = a + segments + 1, a + segments + 2, a + 1
            # Counter-clockwise seen from outside; the pole rows would give one corner twice.
            if row != 0:
                triangles.append((a, b, d))
            if row != len(rows) - 2:
                triangles.append((d, b, c))
    return Mesh(name, positions, normals, uvs, triangles, material)


def sphere(name, rings, segments, material=None):
    """Unit diameter, poles on y."""
    return round_solid(name, [(math.pi * ring / rings, 0.0) for ring in range(rings + 1)], segments, material)


def capsule(name, rings, segments, material=None):
    """Unit diameter and two units tall along y: two half spheres joined by the side of a unit cylinder."""
    half = rings // 2
    top = [(math.pi * ring / rings, 0.5) for ring in range(half + 1)]
    bottom = [(math.pi * ring / rings, -0.5) for ring in range(half, rings + 1)]
    return round_solid(name, top + bottom, segments, material)


def plane(name, material=None):
    """A unit square in the xz plane, facing +y."""
    positions = [(-0.5, 0, -0.5), (0.5, 0, -0.5), (0.5, 0, 0.5), (-0.5, 0, 0.5)]
    return Mesh(name, positions, [(0, 1, 0)] * 4, [(0, 0), (1, 0), (1, 1), (0, 1)], [(0, 2, 1), (0, 3, 2)],
                material)


def convex_solid(name, parts):
    """Flat-sided convex parts (corner lists with their faces as corner-index polygons) as one mesh, every face
    wound counter-clockwise seen from outside its part."""
    positions, normals, uvs, triangles = [], [], [], []
    for corners, faces in parts:
        centre = [sum(p[i] for p in corners) / len(corners) for i in range(3)]
        for face in faces:
            a, b, c = (corners[i] for i in face[:3])
            u = [b[i] - a[i] for i in range(3)]
            v = [c[i] - a[i] for i in range(3)]
            normal = [u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]]
            if sum(normal[i] * (a[i] - centre[i]) for i in range(3)) < 0:
                face = list(reversed(face))
                normal = [-n for n in normal]
            length = math.sqrt(sum(n * n for n in normal))
            base = len(positions)
            for i in face:
                positions.append(corners[i])
                normals.append(tuple(n / length for n in normal))
                uvs.append((0.0, 0.0))
            triangles += [(base, base + k, base + k + 1) for k in range(1, len(face) - 1)]
    return Mesh(name, positions, normals, uvs, triangles)


def box(low, high):
    corners = [(x, y, z) for z in (low[2], high[2]) for y in (low[1], high[1]) for x in (low[0], high[0])]
    faces = [(0, 1, 3, 2), (4, 5, 7, 6), (0, 1, 5, 4), (2, 3, 7, 6), (0, 2, 6, 4), (1, 3, 7, 5)]
    return corners, faces


def pyramid(half, base_z, apex_z):
    """A square base at base_z around the z axis and its apex on the axis at apex_z."""
    corners = [(-half, -half, base_z), (half, -half, base_z), (half, half, base_z), (-half, half, base_z),
               (0.0, 0.0, apex_z)]
    return corners, [(0, 1, 2, 3), (0, 1, 4), (1, 2, 4), (2, 3, 4), (3, 0, 4)]


def camera_icon():
    """The editor's mark for a camera: a body with its lens opening along +z, the way the camera looks."""
    return collada([convex_solid("camera", [box((-0.2, -0.15, -0.3), (0.2, 0.15, 0.1)), pyramid(0.15, 0.35, 0.05)])])


def arrow_icon():
    """The editor's mark for a light: an arrow along +z, the way the light shines."""
    return collada([convex_solid("Arrow", [box((-0.05, -0.05, -0.5), (0.05, 0.05, 0.1)), pyramid(0.15, 0.1, 0.5)])])


def grid(name, cells):
    """A flat square of cells x cells quads in the x-z plane, facing up: a model of some size to time."""
    side = cells + 1
    positions = [(x / cells - 0.5, 0.0, z / cells - 0.5) for z in range(side) for x in range(side)]
    triangles = []
    for z in range(cells):
        for x in range(cells):
            a = z * side + x
            triangles += [(a, a + side, a + 1), (a + 1, a + side, a + side + 1)]
    return Mesh(name, positions, [(0, 1, 0)] * len(positions), [(p[0] + 0.5, p[2] + 0.5) for p in positions],
                triangles, Material("GridMaterial"))


def column(name, skin_of_row, material):
    """A 1 x 2 strip in the x-y plane: rows of two vertices at y = 0, 1, 2, skinned row by row."""
    positions = [(x, y, 0.0) for y in (0, 1, 2) for x in (-0.5, 0.5)]
    triangles = [(0, 1, 3), (0, 3, 2), (2, 3, 5), (2, 5, 4)]
    skin = [skin_of_row(row) for row in (0, 1, 2) for _ in (0, 1)]
    return Mesh(name, positions, [(0, 0, 1)] * 6, [(x + 0.5, y / 2) for x, y, _ in positions], triangles, material,
                skin)


def skinned():
    """Three bones under Root, keyed in seconds (the importer counts 1000 ticks a second):
    Root moves along x by 0, 1 and 2 at 0, 1 and 2 s; Tip, one unit up, turns about z by 0 and 90 degrees at
    0 and 1 s and then holds; Held, one unit along z at rest, has one key placing it at x = 1 turned 30 degrees."""
    tip = Joint("Tip", translation(0, 1, 0), keys=[(t, z_turn(90 * t, 0, 1, 0)) for t in (0.0, 1.0)])
    held = Joint("Held", translation(0, 0, 1), keys=[(0.0, z_turn(30, 1, 0, 0))])
    root = Joint("Root", IDENTITY, [tip, held], keys=[(t, translation(t, 0, 0)) for t in (0.0, 1.0, 2.0)])
    rows = [[(0, 0.75), (2, 0.25)], [(0, 0.5), (1, 0.5)], [(1, 1.0)]]
    body = column("Body", lambda row: rows[row], Material("SkinMaterial"))
    return collada([body], root)


# DirectX text: the one readable format whose animations may leave the tick rate out (0).
NO_TICKS = """xof 0303txt 0032

Frame Bone {
  FrameTransformMatrix {
    1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
  }
  Mesh Body {
    3;
    0.0;0.0;0.0;,
    1.0;0.0;0.0;,
    0.0;1.0;0.0;;
    1;
    3;0,1,2;;
    SkinWeights {
      "Bone";
      3;
      0,1,2;
      1.0,1.0,1.0;
      1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
    }
  }
}

AnimationSet Move {
  Animation {
    {Bone}
    AnimationKey {
      2;
      2;
      0;3;0.0,0.0,0.0;;,
      50;3;2.0,0.0,0.0;;;
    }
  }
}
"""


def five_weights():
    """Five bones in a row; the top row of vertices is weighted by all five, 0.1 to 0.5 in bone order."""
    bones = [Joint(f"Bone{n}", translation(0, 1 if n else 0, 0)) for n in range(5)]
    for parent, child in zip(bones, bones[1:]):
        parent.children.append(child)
    every = [(n, 0.1 * (n + 1)) for n in range(5)]
    body = column("Body", lambda row: [[(0, 1.0)], [(0, 0.5), (1, 0.5)], every][row], None)
    return collada([body], bones[0])


def shared_bone():
    """Two meshes weighted to one bone: it gets one index, its offset from the first mesh."""
    bone = Joint("Shared", translation(0, 1, 0))
    root = Joint("Base", IDENTITY, [bone])
    one = lambda row: [(1, 1.0)]
    return collada([column("Left", one, None), column("Right", one, None)], root)


def x_turn(degrees, x=0.0, y=0.0, z=0.0):
    c = math.cos(math.radians(degrees))
    s = math.sin(math.radians(degrees))
    return [1, 0, 0, x, 0, c, -s, y, 0, s, c, z, 0, 0, 0, 1]


def solid(name, parts, material=None, skin_of_part=None):
    """Convex parts as one mesh (see convex_solid) with the material; with skin_of_part, every vertex of part n
    is weighted wholly to bone skin_of_part[n]. Uvs run over each face's bounding square."""
    mesh = convex_solid(name, parts)
    mesh.material = material
    mesh.uvs = planar_uvs(mesh)
    if skin_of_part is not None:
        mesh.skin = []
        for (corners, faces), bone in zip(parts, skin_of_part):
            mesh.skin += [[(bone, 1.0)]] * sum(len(face) for face in faces)
    return mesh


def planar_uvs(mesh):
    """Each vertex projected on the two axes across its normal, scaled so a unit of model space is one tile."""
    uvs = []
    for p, n in zip(mesh.positions, mesh.normals):
        axis = max(range(3), key=lambda a: abs(n[a]))
        u, v = [a for a in range(3) if a != axis]
        uvs.append((p[u], p[v]))
    return uvs


def prism(sides, radius, low, high, top_radius=None):
    """An upright prism (or frustum) around the y axis from y = low to y = high."""
    top = radius if top_radius is None else top_radius
    ring = [(math.cos(2 * math.pi * k / sides), math.sin(2 * math.pi * k / sides)) for k in range(sides)]
    corners = [(radius * c, low, radius * s) for c, s in ring] + [(top * c, high, top * s) for c, s in ring]
    faces = [tuple(range(sides)), tuple(range(sides, 2 * sides))]
    faces += [(k, (k + 1) % sides, sides + (k + 1) % sides, sides + k) for k in range(sides)]
    return corners, faces


def octahedron(radius, centre=(0.0, 0.0, 0.0)):
    x, y, z = centre
    corners = [(x + radius, y, z), (x - radius, y, z), (x, y + radius, z), (x, y - radius, z), (x, y, z + radius),
               (x, y, z - radius)]
    faces = [(a, b, c) for a in (0, 1) for b in (2, 3) for c in (4, 5)]
    return corners, faces


def bridge_stage(planks):
    """A walkway 4 wide along z from -10 to 10: its first planks laid, the rails only once it is whole."""
    parts = [box((-2.0, -0.3, -10 + 2.0 * n), (2.0, 0.0, -8.1 + 2.0 * n)) for n in range(planks)]
    if planks == 10:
        parts += [box((-2.1, 0.0, -10.0), (-1.9, 1.0, 10.0)), box((1.9, 0.0, -10.0), (2.1, 1.0, 10.0))]
    return collada([solid("bridge", parts, Material("BridgeMaterial"))])


def static_models():
    """name -> (parts, material name in the file): the tomb's furniture, pickups, hazards and effects; levels
    scale them and give them their own materials."""
    return {
        "Floor": ([box((-0.5, -0.5, -0.5), (0.5, 0.5, 0.5))], "FloorMaterial"),
        "Wall": ([box((-0.5, -0.5, -0.5), (0.5, 0.5, 0.5)), box((-0.55, 0.4, -0.55), (0.55, 0.5, 0.55))],
                 "WallMaterial"),
        "Pillar": ([prism(8, 0.4, -0.5, 0.5), box((-0.5, 0.45, -0.5), (0.5, 0.55, 0.5)),
                    box((-0.5, -0.55, -0.5), (0.5, -0.45, 0.5))], "PillarMaterial"),
        "Coffin": ([box((-0.4, 0.0, -1.0), (0.4, 0.5, 1.0)), prism(6, 0.3, 0.5, 0.7, 0.2)], "CoffinMaterial"),
        "Crate": ([box((-0.5, -0.5, -0.5), (0.5, 0.5, 0.5))], "CrateMaterial"),
        "Door": ([box((-1.5, 0.0, -0.2), (1.5, 4.0, 0.2)), box((-0.15, 1.5, -0.25), (0.15, 3.2, 0.25)),
                  box((-0.6, 2.4, -0.25), (0.6, 2.7, 0.25))], "DoorMaterial"),
        "HeartPickup": ([octahedron(0.4, (-0.2, 0.2, 0.0)), octahedron(0.4, (0.2, 0.2, 0.0)),
                         octahedron(0.45, (0.0, -0.1, 0.0))], "HeartMaterial"),
        "ScarabPickup": ([prism(8, 0.5, -0.15, 0.15, 0.35), box((-0.6, -0.05, -0.1), (0.6, 0.05, 0.1))],
                         "ScarabMaterial"),
        "AnkhPickup": ([box((-0.08, -0.8, -0.08), (0.08, 0.2, 0.08)), box((-0.45, 0.1, -0.08), (0.45, 0.25, 0.08)),
                        prism(6, 0.25, 0.25, 0.75, 0.15)], "AnkhMaterial"),
        "Torch": ([prism(6, 0.12, 0.0, 1.6), prism(8, 0.2, 1.6, 1.9, 0.4)], "TorchMaterial"),
        "Turret": ([prism(8, 0.6, 0.0, 1.2, 0.4), box((-0.15, 0.8, 0.0), (0.15, 1.1, 1.0))], "TurretMaterial"),
        "Bomb": ([prism(10, 0.45, -0.4, 0.4, 0.3), prism(6, 0.06, 0.4, 0.7)], "BombMaterial"),
        "Pylon": ([prism(4, 0.8, 0.0, 5.0, 0.5), octahedron(0.6, (0.0, 5.6, 0.0))], "PylonMaterial"),
        "Portal": ([box((-2.0, 0.0, -0.3), (-1.5, 4.0, 0.3)), box((1.5, 0.0, -0.3), (2.0, 4.0, 0.3)),
                    box((-2.0, 4.0, -0.3), (2.0, 4.5, 0.3))], "PortalMaterial"),
        "Beam": ([box((-0.5, -0.5, 0.0), (0.5, 0.5, 1.0))], "BeamMaterial"),
        "Shard": ([octahedron(0.5)], "ShardMaterial"),
    }


# A blocky figure: a box per part, each weighted to one bone. Bones: 0 Root (hips), 1 Head, 2 ArmL, 3 ArmR,
# 4 LegL, 5 LegR; the parts' boxes are given for a figure 1.9 tall, scaled by size. The origin is the figure's
# middle, where a capsule collider of its height is centred.
FIGURE_BONES = [("Root", (0.0, -0.05, 0.0)), ("Head", (0.0, 0.7, 0.0)), ("ArmL", (-0.38, 0.6, 0.0)),
                ("ArmR", (0.38, 0.6, 0.0)), ("LegL", (-0.14, 0.0, 0.0)), ("LegR", (0.14, 0.0, 0.0))]
FIGURE_PARTS = [((-0.25, -0.05, -0.14), (0.25, 0.65, 0.14), 0), ((-0.16, 0.65, -0.16), (0.16, 0.97, 0.16), 1),
                ((-0.5, -0.1, -0.09), (-0.3, 0.6, 0.09), 2), ((0.3, -0.1, -0.09), (0.5, 0.6, 0.09), 3),
                ((-0.24, -0.95, -0.1), (-0.04, -0.05, 0.1), 4), ((0.04, -0.95, -0.1), (0.24, -0.05, 0.1), 5)]
KEY_STEP = 0.1


def figure(name, material, states, size=1.0):
    """A skinned figure whose one animation plays the states one after the other. states: (name, seconds,
    pose), pose(t) giving for t in 0..1 the root's (lift, pitch) and the head, arm and leg pitches in degrees.
    Returns the file and the states' (name, first second, last second), for the controller."""
    poses, table, start = [], [], 0.0
    for state, length, pose in states:
        steps = max(1, round(length / KEY_STEP))
        poses += [(start + length * k / steps, pose(k / steps)) for k in range(steps + (state == states[-1][0]))]
        table.append((state, start, start + length))
        start += length

    def keys(bone):
        offset = [size * c for c in FIGURE_BONES[bone][1]]
        out = []
        for time, (lift, pitch, *limbs) in poses:
            if bone == 0:
                out.append((time, x_turn(pitch, offset[0], offset[1] + lift * size, offset[2])))
            else:
                out.append((time, x_turn(limbs[bone - 1], *offset)))
        return out

    joints = [Joint(bone, translation(*[size * c for c in offset]), keys=keys(n))
              for n, (bone, offset) in enumerate(FIGURE_BONES)]
    root = joints[0]
    root.children = joints[1:]
    parts = [box(tuple(size * c for c in low), tuple(size * c for c in high)) for low, high, _ in FIGURE_PARTS]
    body = solid(name, parts, Material(material), [bone for _, _, bone in FIGURE_PARTS])
    return collada([body], root), table


def swing(t, amplitude):
    return amplitude * math.sin(2 * math.pi * t)


# The player: the states of its controller, in this order. A pose: lift, pitch, head, arm L, arm R, leg L, leg R.
PLAYER_STATES = [
    ("Idle", 1.0, lambda t: (0.02 * math.sin(2 * math.pi * t), 0, 0, swing(t, 4), -swing(t, 4), 0, 0)),
    ("Run", 0.6, lambda t: (0.05 * abs(math.sin(2 * math.pi * t)), 10, -5, swing(t, 40), -swing(t, 40),
                            -swing(t, 45), swing(t, 45))),
    ("Jump", 0.3, lambda t: (-0.15 * (1 - t), 0, 0, -150 * t, -150 * t, -40 * (1 - t), -40 * (1 - t))),
    ("Midair", 0.4, lambda t: (0, -5, 0, -120, -120, -20 + swing(t, 5), 10 - swing(t, 5))),
    ("Land", 0.3, lambda t: (-0.2 * math.sin(math.pi * t), 10 * math.sin(math.pi * t), 0, -30, -30, -30, -30)),
    ("Attack1", 0.2, lambda t: (0, 10, 0, 0, -120 + 160 * t, 0, 0)),
    ("Attack2", 0.2, lambda t: (0, 10, 0, -120 + 160 * t, 0, 0, 0)),
    ("Attack3", 0.3, lambda t: (0.2 * math.sin(math.pi * t), 20 * t, 0, -160 + 200 * t, -160 + 200 * t, -20, -20)),
    ("Death", 1.0, lambda t: (-0.7 * t, -85 * t, 20 * t, -90 * t, -90 * t, 0, 0)),
]

# The spirit of the cutscenes.
SETPIECE_STATES = [
    ("Entry", 1.0, lambda t: (2.0 * (1 - t), 0, 0, -170 * (1 - t), -170 * (1 - t), 0, 0)),
    ("Idle", 1.0, lambda t: (0.1 * math.sin(2 * math.pi * t), 0, 0, -20 + swing(t, 10), -20 - swing(t, 10), 10, 10)),
    ("Summon", 1.0, lambda t: (0.2 * math.sin(2 * math.pi * t), -10, -20, -170, -170, 20, 20)),
    ("Moving", 0.6, lambda t: (0, 25, -10, 60, 60, 30, 30)),
    ("Flattened", 0.5, lambda t: (-0.8 * t, -90 * t, 0, -90, -90, 0, 0)),
]

# The boss.
BOSS_STATES = [
    ("Idle", 1.0, lambda t: (0.05 * math.sin(2 * math.pi * t), 0, 0, -10 + swing(t, 6), -10 - swing(t, 6), 0, 0)),
    ("Summon", 1.0, lambda t: (0.1 * t, -10, -15, -160 * t, -160 * t, 0, 0)),
    ("Melee", 0.5, lambda t: (0, 15 * math.sin(math.pi * t), 0, -160 + 200 * t, -160 + 200 * t, 0, 0)),
    ("Shoot", 0.5, lambda t: (0, 0, 0, -90, -90 + 30 * math.sin(math.pi * t), 0, 0)),
    ("Angry", 1.0, lambda t: (0.2 * abs(math.sin(3 * math.pi * t)), -15, -30, -170, -170, 0, 0)),
]


def write(folder, name, text):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "w", newline="\n") as f:
        f.write(text)


def main():
    models = os.path.join(sys.argv[1], "Models")
    static = os.path.join(models, "Non-Animated")
    animated = os.path.join(models, "Animated")
    fixtures = os.path.join(models, "Fixtures")

    # Unit size: the logo prefab scales it.
    logo = collada([quad("CalvornLogo", 1.0, 1.0, Material("CalvornLogoMaterial"))])
    crate = collada([cube("Cube", Material("CubeMaterial"))])
    write(static, "CalvornLogo.dae", logo)
    write(static, "Cube.dae", crate)
    write(static, "Sphere.dae", collada([sphere("Sphere", 16, 32, Material("SphereMaterial"))]))
    # With the cube and the sphere, what the editor's GameObject menu makes.
    write(static, "Capsule.dae", collada([capsule("Capsule", 16, 32, Material("CapsuleMaterial"))]))
    write(static, "Plane.dae", collada([plane("Plane", Material("PlaneMaterial"))]))
    write(animated, "Skinned.dae", skinned())
    # The editor draws these at cameras and lights; its picking finds them by name.
    for name, (parts, material) in static_models().items():
        write(static, name + ".dae", collada([solid(name, parts, Material(material))]))
    for stage, planks in (("bridge1", 3), ("bridge2", 6), ("bridge3", 8), ("bridge", 10)):
        write(static, stage + ".dae", bridge_stage(planks))
    for name, material, states, size in (("MainCharacter", "mainChar1", PLAYER_STATES, 1.0),
                                         ("SetPiece", "SetPiece", SETPIECE_STATES, 1.6),
                                         ("Boss", "Boss", BOSS_STATES, 3.0)):
        text, table = figure(name, material, states, size)
        write(animated, name + ".dae", text)
        if "--states" in sys.argv:
            print(name, ", ".join("%s %g-%g" % row for row in table))
    write(static, "camera.dae", camera_icon())
    write(static, "Arrow.dae", arrow_icon())

    write(fixtures, "Cube.dae", crate)
    write(fixtures, "Quad.dae", logo)
    write(fixtures, "MultiMesh.dae", collada([
        quad("Front", 1.0, 1.0, Material("FrontMaterial")),
        cube("Box", Material("BoxMaterial")),
        quad("Back", 2.0, 2.0, None, z=1.0),
    ]))
    write(fixtures, "Textured.dae", collada([
        quad("Panel", 1.0, 1.0, Material("PanelMaterial", "present.dds", "absent.dds"))]))
    write(fixtures, "Skinned.dae", skinned())
    write(fixtures, "FiveWeights.dae", five_weights())
    write(fixtures, "SharedBone.dae", shared_bone())
    write(fixtures, "NoTicks.x", NO_TICKS)
    write(fixtures, "Grid.dae", collada([grid("Grid", 48)]))
    write(fixtures, "Broken.dae", "<?xml version=\"1.0\"?>\n<COLLADA version=\"1.4.1\">\n<library_geometries>\n")


if __name__ == "__main__":
    main()
