#!/usr/bin/env python3
"""Writes the sixteen post-process description files the tool carries.

The game reads one XML file per post-process type ("type1.xml" ...
"type5_noblur.xml"). The tool carries two sets of eight:

  none/  the null chain: every type copies the rendered image straight to
         the back buffer (597 bytes, the same text in all eight files);
  full/  the game's full chains, built here from the block library and the
         per-type chain descriptions below.

Each full file is self-contained: it defines every unit (a shader pass with
its inputs and outputs) and every group (a small graph of references to
units or other groups, joined by connections) that its root chain uses.

The state detection of the tool recognises the installed set by the length
of "type1.xml", so the files must have exactly the lengths the tool knows.
The chains below are written to fall just short of those lengths; the last
step chooses which of the blocks get their explanatory comment so that each
file lands on its length exactly. The choice is deterministic, so running
the script again re-creates identical files.

A "_noblur" file is its partner with the motion blur taken out: the root
chain's reference to "MotionBlur" becomes a reference to "ToneMap_to_8"
(which has the same ports), renamed "toneMap", and the three connections
that use it follow.

Usage: scripts/gen_postprocess.py [output folder]
       (default: app/resources/postprocess next to this script's folder)
"""

import os
import sys

CRLF = "\r\n"
XML_DECLARATION = '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'

TARGET_NAMES = ["type1.xml", "type2.xml", "type2_noblur.xml", "type3.xml",
                "type4.xml", "type4_noblur.xml", "type5.xml", "type5_noblur.xml"]

FULL_SIZES = {"type1.xml": 18473, "type2.xml": 29638, "type2_noblur.xml": 29652,
              "type3.xml": 28897, "type4.xml": 29473, "type4_noblur.xml": 29463,
              "type5.xml": 30254, "type5_noblur.xml": 30244}
NONE_SIZE = 597


# ---------------------------------------------------------------------------
# The null chain

def none_text():
    lines = [
        (0, XML_DECLARATION),
        (0, "<PostProcess>"),
        (1, "<!-- Units (building blocks) -->\t"),
        (0, ""),
        (1, '<BlockUnit id="Copy" shader="Copy_16f">'),
        (2, '<BlockUnitInput id="in" sampler="sampler0" />'),
        (2, '<BlockUnitOutput id="out" config="in" />'),
        (1, "</BlockUnit>"),
        (0, ""),
        (0, "<!-- A null main chain -->"),
        (1, '<RootBlockGroup id="Null">'),
        (2, '<BlockGroupInput id="in" extref="MainColourTarget" />'),
        (2, '<BlockGroupOutput id="out" extref="BackBuffer" />'),
        (2, '<BlockReference id="copy" ref="Copy"/>'),
        (2, '<Connection from="in" to="copy.in"/>'),
        (2, '<Connection from="copy.out" to="out"/>'),
        (1, "</RootBlockGroup>"),
        (0, ""),
        (0, "</PostProcess>"),
    ]
    return "".join("\t" * tabs + text + CRLF for tabs, text in lines)


# ---------------------------------------------------------------------------
# Blocks

class Input:
    def __init__(self, id, filt="point", extref=None):
        self.id, self.filt, self.extref = id, filt, extref


class Output:
    """'scale' is one factor for both sides or a (width, height) pair."""

    def __init__(self, id="out", config="in", format=None, scale=None, size=None):
        self.id, self.config, self.format = id, config, format
        self.scale, self.size = scale, size


class Unit:
    """One shader pass. Inputs get samplers in order; an input with an
    external reference reads that render target directly and is never
    connected. Each output takes its set-up from the input named by
    'config', changed by the format and scale or size it gives."""

    def __init__(self, id, shader, inputs, outputs, note):
        self.id, self.shader = id, shader
        for o in outputs:
            if not o.format:
                o.format = "u8x4" if shader.endswith("_8") else "f16x4"
        self.inputs, self.outputs, self.note = inputs, outputs, note

    def lines(self):
        out = [(1, '<BlockUnit id="%s" shader="%s">' % (self.id, self.shader))]
        for n, i in enumerate(self.inputs):
            attrs = 'id="%s" sampler="sampler%d"' % (i.id, n)
            if i.filt:
                attrs += ' magfilter="%s" minfilter="%s"' % (i.filt, i.filt)
            if i.extref:
                attrs += ' extref="%s"' % i.extref
            out.append((2, "<BlockUnitInput %s />" % attrs))
        for o in self.outputs:
            attrs = 'id="%s" config="%s"' % (o.id, o.config)
            if o.format:
                attrs += ' format="%s"' % o.format
            if o.scale:
                w, h = o.scale if isinstance(o.scale, tuple) else (o.scale, o.scale)
                attrs += ' widthScale="%s" heightScale="%s"' % (w, h)
            if o.size:
                attrs += ' width="%d" height="%d"' % (o.size, o.size)
            out.append((2, "<BlockUnitOutput %s />" % attrs))
        out.append((1, "</BlockUnit>"))
        return out

    def in_ports(self):
        return [i.id for i in self.inputs if not i.extref]

    def out_ports(self):
        return [o.id for o in self.outputs]


class Group:
    """A graph of block references. use() adds a reference and wires its
    inputs from group inputs or from outputs of earlier references;
    result() wires a group output."""

    def __init__(self, id, ins, outs, note, root=False):
        self.id, self.ins, self.outs, self.note, self.root = id, ins, outs, note, root
        self.refs, self.conns = [], []

    def use(self, ref_id, block, wiring):
        self.refs.append((ref_id, block))
        for port, source in wiring.items():
            self.conns.append((source, "%s.%s" % (ref_id, port)))
        return ref_id

    def result(self, port, source):
        self.conns.append((source, port))

    def lines(self):
        tag = "RootBlockGroup" if self.root else "BlockGroup"
        out = [(1, '<%s id="%s">' % (tag, self.id))]
        for i in self.ins:
            ext = ' extref="MainColourTarget"' if self.root else ""
            out.append((2, '<BlockGroupInput id="%s"%s />' % (i, ext)))
        for o in self.outs:
            ext = ' extref="BackBuffer"' if self.root else ""
            out.append((2, '<BlockGroupOutput id="%s"%s />' % (o, ext)))
        for ref_id, block in self.refs:
            out.append((2, '<BlockReference id="%s" ref="%s"/>' % (ref_id, block)))
        for source, sink in self.conns:
            out.append((2, '<Connection from="%s" to="%s"/>' % (source, sink)))
        out.append((1, "</%s>" % tag))
        return out

    def in_ports(self):
        return list(self.ins)

    def out_ports(self):
        return list(self.outs)


# ---------------------------------------------------------------------------
# The block library. Every builder registers what it needs in the file's
# block table and returns the id of the block it made.

class Blocks:
    def __init__(self):
        self.table = {}     # id -> Unit or Group, in the order defined

    def add(self, block):
        if block.id in self.table:
            if self.table[block.id].lines() != block.lines():
                raise ValueError("two different blocks named " + block.id)
        else:
            self.table[block.id] = block
        return block.id

    def unit(self, id, shader, inputs, outputs, note):
        return self.add(Unit(id, shader, inputs, outputs, note))


HDR, HDR_RG, LDR = "f16x4", "f16x2", "u8x4"


def scene_downsample(b):
    return b.unit("Downsample4x4", "Downsample4x4_16f",
                  [Input("in", "linear")], [Output(scale="0.25")],
                  "Quarter-size copy of the scene that luminance and bloom start from")


def downsample2x2(b):
    return b.unit("Downsample2x2", "Downsample2x2_16f",
                  [Input("in", "linear")], [Output(scale="0.5")],
                  "Halves the size with one bilinear tap per 2x2 block")


def gaussian(b, taps):
    """A separable gaussian blur: a horizontal and a vertical pass."""
    h = b.unit("Gaussian%dH" % taps, "GaussianBlur%d_H_16f" % taps,
               [Input("in", "linear")], [Output()],
               "Horizontal half of the %d-tap gaussian" % taps)
    v = b.unit("Gaussian%dV" % taps, "GaussianBlur%d_V_16f" % taps,
               [Input("in", "linear")], [Output()],
               "Vertical half of the %d-tap gaussian" % taps)
    g = Group("GaussianBlur%d" % taps, ["in"], ["out"],
              "Separable %d-tap gaussian blur" % taps)
    g.use("blurH", h, {"in": "in"})
    g.use("blurV", v, {"in": "blurH.out"})
    g.result("out", "blurV.out")
    return b.add(g)


def luminance(b):
    """Scene luminance, adapted over time like the eye. Both the average and
    the brightest highlights are measured, so that a sunlit scene with a
    dark foreground is exposed for its highlights."""
    log = b.unit("LogLuminance", "LogLuminance_16f",
                 [Input("in", "linear")], [Output(format=HDR_RG, size=64)],
                 "Log of the luminance of each pixel, on a 64x64 grid")
    down = b.unit("LumDownsample4x4", "Downsample4x4_Lum_16f",
                  [Input("in", "linear")], [Output(format=HDR_RG, scale="0.25")],
                  "Averages 4x4 blocks of log luminance")
    last = b.unit("LumAverage", "Downsample4x4_LumExp_16f",
                  [Input("in", "linear")], [Output(format=HDR_RG, size=1)],
                  "Last 4x4 average, back from log to linear luminance")
    adapt = b.unit("AdaptLuminance", "AdaptLuminance_16f",
                   [Input("in"), Input("prev", extref="AdaptedLuminance")], [Output(format=HDR_RG)],
                   "Moves last frame's adapted luminance towards the measured one")
    peak = b.unit("LumMax4x4", "Downsample4x4_LumMax_16f",
                  [Input("in")], [Output(format=HDR_RG, scale="0.25")],
                  "Largest luminance of 4x4 blocks")
    key = b.unit("ExposureKey", "ExposureKey_16f",
                 [Input("in"), Input("max")], [Output(format=HDR_RG)],
                 "Average and peak luminance into one exposure key")
    g = Group("Luminance", ["in"], ["out"],
              "Luminance: average and peak of a 64x64 grid, adapted")
    g.use("logLum", log, {"in": "in"})
    g.use("lum16", down, {"in": "logLum.out"})
    g.use("lum4", down, {"in": "lum16.out"})
    g.use("lum1", last, {"in": "lum4.out"})
    g.use("max16", peak, {"in": "logLum.out"})
    g.use("max4", peak, {"in": "max16.out"})
    g.use("max1", peak, {"in": "max4.out"})
    g.use("key", key, {"in": "lum1.out", "max": "max1.out"})
    g.use("adapt", adapt, {"in": "key.out"})
    g.result("out", "adapt.out")
    return b.add(g)


def bright_pass(b):
    return b.unit("BrightPass", "BrightPass_16f",
                  [Input("in", "linear"), Input("lum")], [Output(format=HDR)],
                  "Bright pass: keeps what outshines the adapted white")


def upsample_add(b):
    return b.unit("UpsampleAdd", "UpsampleAdd_16f",
                  [Input("in", "linear"), Input("add", "linear")],
                  [Output(config="add")],
                  "Adds the bilinear up-sampled coarser level to a finer one")


def bloom(b, blurs, bright_out=False):
    """Bloom: bright pass, then one blur per scale, each scale half the size
    of the one before; the scales are summed back from the coarsest up."""
    bright = bright_pass(b)
    down = downsample2x2(b)
    up = upsample_add(b)
    outs = ["out", "bright"] if bright_out else ["out"]
    g = Group("Bloom", ["in", "lum"], outs,
              "Bloom: bright pass, blurred at %d scales and summed back up" % len(blurs))
    g.use("brightPass", bright, {"in": "in", "lum": "lum"})
    level = "brightPass.out"
    blurred = []
    for n, taps in enumerate(blurs):
        if n:
            level = g.use("down%d" % n, down, {"in": level}) + ".out"
        blurred.append(g.use("blur%d" % n, gaussian(b, taps), {"in": level}) + ".out")
    acc = blurred[-1]
    for n in range(len(blurs) - 2, -1, -1):
        acc = g.use("up%d" % n, up, {"in": acc, "add": blurred[n]}) + ".out"
    g.result("out", acc)
    if bright_out:
        g.result("bright", "brightPass.out")
    return b.add(g)


def streak_direction(b, name, shader, steps):
    """One streak direction: passes whose tap spacing grows fourfold."""
    units = []
    for n, step in enumerate(steps):
        units.append(b.unit("Streak%s%d" % (name, n + 1), "Streak_%s_Step%d_16f" % (shader, step),
                            [Input("in", "linear")], [Output()],
                            "%s streak pass with taps %d texels apart" % (name, step)))
    return units


def streaks(b, directions, passes):
    """Light streaks from the bright pass, as glare on headlights and the sun."""
    steps = [1, 4, 16, 64][:passes]
    merge = None
    if len(directions) > 1:
        merge = b.unit("StreakMerge", "StreakMerge_16f",
                       [Input("in", "linear"), Input("add", "linear")], [Output()],
                       "Sums two streak directions")
    g = Group("Streaks", ["in"], ["out"],
              "Streaks: %s; %d passes each" % (", ".join(n.lower() for n, _ in directions), passes))
    ends = []
    for name, shader in directions:
        src = "in"
        for n, unit in enumerate(streak_direction(b, name, shader, steps)):
            src = g.use("%s%d" % (name.lower(), n + 1), unit, {"in": src}) + ".out"
        ends.append(src)
    acc = ends[0]
    for n, end in enumerate(ends[1:]):
        acc = g.use("merge%d" % (n + 1), merge, {"in": acc, "add": end}) + ".out"
    g.result("out", acc)
    return b.add(g)


def lens_ghosts(b):
    feats = b.unit("GhostFeatures", "LensFlare_Features_16f",
                   [Input("in", "linear")], [Output(scale="0.5")],
                   "Flips the bright pass through the centre and thresholds it")
    gen = b.unit("GhostGenerate", "LensFlare_Ghosts_16f",
                 [Input("in", "linear"), Input("ramp", "linear", extref="LensColourRamp")],
                 [Output()],
                 "Four ghosts and a halo, tinted by the lens colour ramp")
    g = Group("LensGhosts", ["in"], ["out"],
              "Lens flare ghosts from the bright pass")
    g.use("features", feats, {"in": "in"})
    g.use("ghosts", gen, {"in": "features.out"})
    g.use("soften", gaussian(b, 9), {"in": "ghosts.out"})
    g.result("out", "soften.out")
    return b.add(g)


def composite(b, extras):
    """Adds bloom and the other glare layers to the full-size scene."""
    id = "GlareComposite" if extras else "BloomComposite"
    parts = ["Bloom"] + [e.capitalize() for e in extras]
    inputs = [Input("in"), Input("bloom", "linear")] + [Input(e, "linear") for e in extras]
    note = "Adds the bloom%s to the scene" % "".join(", " + e for e in extras)
    if "ghosts" in extras:
        parts.append("Dirt")
        inputs.append(Input("dirt", "linear", extref="LensDirt"))
        note += ", lit through the lens dirt"
    shader = "Composite_%s_16f" % "_".join(parts)
    return b.unit(id, shader, inputs, [Output()], note)


def light_shafts(b, passes):
    mask = b.unit("ShaftMask", "LightShafts_Mask_16f",
                  [Input("in", "linear"), Input("depth", extref="DepthTarget")], [Output(format=HDR)],
                  "Keeps the bright sky behind the scenery as the source of the rays")
    rays = []
    for n, step in enumerate([1, 4, 16, 64][:passes]):
        rays.append(b.unit("ShaftRadial%d" % (n + 1), "LightShafts_Radial_Step%d_16f" % step,
                           [Input("in", "linear")], [Output()],
                           "Radial blur towards the sun, taps %d texels apart" % step))
    g = Group("LightShafts", ["in"], ["out"],
              "Light shafts: sky mask blurred radially from the sun in %d passes" % passes)
    src = g.use("mask", mask, {"in": "in"}) + ".out"
    for n, unit in enumerate(rays):
        src = g.use("rays%d" % (n + 1), unit, {"in": src}) + ".out"
    g.result("out", src)
    return b.add(g)


def heat_haze(b):
    return b.unit("HeatHaze", "HeatHaze_Distort_16f",
                  [Input("in", "linear"), Input("offsets", "linear", extref="DistortionTarget")],
                  [Output()],
                  "Shimmer over hot tarmac and exhausts from the distortion target")


def tone_map(b):
    """ToneMap_to_8: exposure from the adapted luminance, a filmic curve,
    colour grading, and the step down to 8 bits per channel."""
    curve = b.unit("ToneCurve", "ToneMapFilmic_16f",
                   [Input("in"), Input("lum")], [Output()],
                   "Exposure from the adapted luminance and a filmic curve")
    grade = b.unit("ColourGrade_to_8", "ColourGradeLUT_Dither_to_8",
                   [Input("in"), Input("lut", "linear", extref="ColourGradingLUT")],
                   [Output(format=LDR)],
                   "Colour grading through a 3D table, dithered down to 8 bits")
    g = Group("ToneMap_to_8", ["in", "lum"], ["out"],
              "Tone mapping and colour grading, down to 8 bits")
    g.use("curve", curve, {"in": "in", "lum": "lum"})
    g.use("grade", grade, {"in": "curve.out"})
    g.result("out", "grade.out")
    return b.add(g)


def motion_blur(b, speed):
    """MotionBlur: blurs the scene along the per-pixel velocity, then tone
    maps it; it has the ports of ToneMap_to_8 so either can end the chain.
    With 'speed' a radial blur that grows with the car's speed comes first."""
    tile_h = b.unit("VelocityTileMaxH", "MotionBlur_TileMax_H_16f",
                    [Input("velocity", extref="VelocityTarget")],
                    [Output(config="velocity", format=HDR_RG, scale=("0.0625", "1"))],
                    "Largest velocity in each row of 16 pixels")
    tile_v = b.unit("VelocityTileMaxV", "MotionBlur_TileMax_V_16f",
                    [Input("in")], [Output(format=HDR_RG, scale=("1", "0.0625"))],
                    "Largest velocity in each column of 16 rows: 16x16 tiles")
    near = b.unit("VelocityNeighbourMax", "MotionBlur_NeighbourMax_16f",
                  [Input("in")], [Output(format=HDR_RG)],
                  "Largest velocity among each tile and its eight neighbours")
    gather = b.unit("MotionBlurGather", "MotionBlur_Gather_16f",
                    [Input("in", "linear"), Input("tiles"),
                     Input("velocity", extref="VelocityTarget"),
                     Input("depth", extref="DepthTarget")],
                    [Output(scale="0.5")],
                    "Samples along the tile velocity at half size, weighted by depth")
    merge = b.unit("MotionBlurUpsample", "MotionBlur_Upsample_16f",
                   [Input("in"), Input("blur", "linear"), Input("tiles")],
                   [Output()],
                   "Blends the half-size blur over the sharp scene where things move")
    g = Group("MotionBlur", ["in", "lum"], ["out"],
              "Motion blur from the velocity target, then tone mapping to 8 bits")
    src = "in"
    if speed:
        mask = b.unit("SpeedBlurMask", "SpeedBlur_Mask_16f",
                      [Input("in", "linear"), Input("depth", extref="DepthTarget")],
                      [Output(scale="0.5")],
                      "Scenery at the screen edges, scaled by the speed of the car")
        radial = b.unit("SpeedBlurRadial", "SpeedBlur_Radial_16f",
                        [Input("in", "linear")], [Output()],
                        "Radial blur away from the vanishing point")
        mix = b.unit("SpeedBlurComposite", "SpeedBlur_Composite_16f",
                     [Input("in"), Input("blur", "linear")], [Output()],
                     "Adds the radial blur at the edges of the screen")
        g.note = "Speed blur and motion blur, then tone mapping to 8 bits"
        g.use("speedMask", mask, {"in": "in"})
        g.use("radial1", radial, {"in": "speedMask.out"})
        g.use("radial2", radial, {"in": "radial1.out"})
        src = g.use("speedBlur", mix, {"in": "in", "blur": "radial2.out"}) + ".out"
    g.use("tileMaxH", tile_h, {})
    g.use("tileMaxV", tile_v, {"in": "tileMaxH.out"})
    g.use("neighbourMax", near, {"in": "tileMaxV.out"})
    g.use("gather", gather, {"in": src, "tiles": "neighbourMax.out"})
    g.use("upsample", merge, {"in": src, "blur": "gather.out", "tiles": "neighbourMax.out"})
    g.use("toneMap", tone_map(b), {"in": "upsample.out", "lum": "lum"})
    g.result("out", "toneMap.out")
    return b.add(g)


def depth_of_field(b, layered):
    """Bokeh depth of field at half size. The layered variant blurs the
    near field apart, so that it spills over the sharp subject."""
    focus = b.unit("DofFocus", "DOF_AutoFocus_16f",
                   [Input("depth", extref="DepthTarget")],
                   [Output(config="depth", format=HDR_RG, size=1)],
                   "Focus distance from the depth around the centre of the screen")
    settle = b.unit("DofFocusAdapt", "DOF_FocusAdapt_16f",
                    [Input("in"), Input("prev", extref="FocusDistance")], [Output(format=HDR_RG)],
                    "Eases the focus towards the new distance over a few frames")
    coc = b.unit("DofCoC", "DOF_CircleOfConfusion_16f",
                 [Input("in"), Input("focus"), Input("depth", extref="DepthTarget")],
                 [Output(format=HDR)],
                 "Circle of confusion from depth and focus, kept in alpha")
    down = b.unit("DofDownsample", "DOF_Downsample2x2_16f",
                  [Input("in", "linear")], [Output(scale="0.5")],
                  "Half size, weighted by circle of confusion against bleeding")
    near = b.unit("DofNearCoC", "DOF_NearCoC_TileMax_16f",
                  [Input("in")], [Output(format=HDR_RG, scale="0.125")],
                  "Largest near-field circle of confusion in each tile")
    fill = b.unit("DofFill", "DOF_Fill_16f",
                  [Input("in")], [Output()],
                  "Fills the holes between bokeh taps")
    g = Group("DepthOfField", ["in"], ["out"],
              "Depth of field: a bokeh blur at half size, blended by depth")
    g.use("focus", focus, {})
    g.use("focusAdapt", settle, {"in": "focus.out"})
    g.use("coc", coc, {"in": "in", "focus": "focusAdapt.out"})
    g.use("down", down, {"in": "coc.out"})
    g.use("nearCoC", near, {"in": "down.out"})
    if not layered:
        bokeh = b.unit("DofBokeh", "DOF_BokehGather_16f",
                       [Input("in", "linear"), Input("near", "linear")], [Output()],
                       "Disc-shaped gather of 48 taps scaled by the circle of confusion")
        comp = b.unit("DofComposite", "DOF_Composite_16f",
                      [Input("in"), Input("blur", "linear")], [Output()],
                      "Blends the blurred layer over the sharp scene")
        g.use("bokeh", bokeh, {"in": "down.out", "near": "nearCoC.out"})
        g.use("fill", fill, {"in": "bokeh.out"})
        g.use("blend", comp, {"in": "coc.out", "blur": "fill.out"})
        g.result("out", "blend.out")
        return b.add(g)
    spread = b.unit("DofNearSpread", "DOF_NearCoC_Spread_16f",
                    [Input("in", "linear")], [Output()],
                    "Widens the near tiles so foreground blur covers the edges")
    far = b.unit("DofBokehFar", "DOF_BokehGather_Far_16f",
                 [Input("in", "linear")], [Output()],
                 "Disc-shaped gather of the background, 48 taps")
    close = b.unit("DofBokehNear", "DOF_BokehGather_Near_16f",
                   [Input("in", "linear"), Input("near", "linear")], [Output()],
                   "Disc-shaped gather of the foreground, spread by the near tiles")
    comp = b.unit("DofComposite2", "DOF_Composite_NearFar_16f",
                  [Input("in"), Input("far", "linear"), Input("near", "linear")], [Output()],
                  "Blends the far layer, the sharp scene and the near layer in turn")
    g.note = "Depth of field: near and far bokeh layers at half size"
    g.use("nearSpread", spread, {"in": "nearCoC.out"})
    g.use("bokehFar", far, {"in": "down.out"})
    g.use("bokehNear", close, {"in": "down.out", "near": "nearSpread.out"})
    g.use("fillFar", fill, {"in": "bokehFar.out"})
    g.use("fillNear", fill, {"in": "bokehNear.out"})
    g.use("blend", comp, {"in": "coc.out", "far": "fillFar.out", "near": "fillNear.out"})
    g.result("out", "blend.out")
    return b.add(g)


def antialias(b):
    luma = b.unit("LumaToAlpha", "FXAA_LumaToAlpha_8",
                  [Input("in")], [Output(format=LDR)],
                  "Stores luma in alpha for the edge search")
    fxaa = b.unit("Fxaa", "FXAA_Quality_8",
                  [Input("in", "linear")], [Output(format=LDR)],
                  "Fast approximate anti-aliasing along the found edges")
    g = Group("Antialias", ["in"], ["out"], "FXAA on the 8-bit image")
    g.use("luma", luma, {"in": "in"})
    g.use("fxaa", fxaa, {"in": "luma.out"})
    g.result("out", "fxaa.out")
    return b.add(g)


def film_look(b, extras):
    """Lens and film touches on the 8-bit image: a vignette, after
    chromatic aberration and sharpening and with film grain as 'extras' ask."""
    aberration, sharpen, grain = ("aberration" in extras, "sharpen" in extras, "grain" in extras)
    steps = (["chromatic aberration"] if aberration else []) + \
        (["sharpen"] if sharpen else []) + ["vignette"] + (["grain"] if grain else [])
    g = Group("FilmLook", ["in"], ["out"], "Lens and film: " + ", ".join(steps))
    src = "in"
    if aberration:
        c = b.unit("ChromaticAberration", "ChromaticAberration_8",
                   [Input("in", "linear")], [Output()],
                   "Red and blue drift apart towards the edges of the lens")
        src = g.use("aberration", c, {"in": src}) + ".out"
    if sharpen:
        s = b.unit("Sharpen", "Sharpen_8", [Input("in", "linear")], [Output()],
                   "Unsharp mask against the softness of the blurs")
        src = g.use("sharpen", s, {"in": src}) + ".out"
    if grain:
        v = b.unit("VignetteGrain", "Vignette_FilmGrain_8",
                   [Input("in"), Input("grain", extref="FilmGrainNoise")], [Output()],
                   "Darkened corners and animated film grain")
    else:
        v = b.unit("Vignette", "Vignette_8", [Input("in")], [Output()],
                   "Darkens the corners like a camera lens")
    src = g.use("vignette", v, {"in": src}) + ".out"
    g.result("out", src)
    return b.add(g)


# ---------------------------------------------------------------------------
# The five chains

HORIZONTAL = [("Horizontal", "H")]
CROSS = [("Horizontal", "H"), ("Vertical", "V")]
STAR = [("Horizontal", "H"), ("Vertical", "V"), ("Rising", "D45"), ("Falling", "D135")]

# What each type runs, from the scene to the back buffer. "blur" names the
# root's motion blur reference (none for the types without motion blur);
# "film" lists the extras of the film look (none: no film look at all).
TYPES = {
    "type1.xml": dict(
        id="Type1", note="Type 1: HDR, bloom, streaks, light shafts",
        haze=False, dof=None, blurs=[9, 13, 17, 25, 33, 41],
        streaks=HORIZONTAL, streak_passes=4, ghosts=False, shafts=True, shaft_passes=3,
        speed=False, blur=None, film=None),
    "type2.xml": dict(
        id="Type2", note="Type 2: full glare, speed blur, motion blur",
        haze=True, dof=None, blurs=[9, 13, 17, 25, 33],
        streaks=STAR, streak_passes=4, ghosts=True, shafts=True, shaft_passes=4,
        speed=True, blur="blur", film=("sharpen", "grain")),
    "type3.xml": dict(
        id="Type3", note="Type 3: full glare, depth of field, film look",
        haze=True, dof="layered", blurs=[9, 13, 17, 25, 33],
        streaks=STAR, streak_passes=3, ghosts=True, shafts=True, shaft_passes=4,
        speed=False, blur=None, film=("aberration", "sharpen", "grain")),
    "type4.xml": dict(
        id="Type4", note="Type 4: glare, depth of field, motion blur",
        haze=True, dof="single", blurs=[9, 13, 17, 25, 33, 41],
        streaks=CROSS, streak_passes=3, ghosts=False, shafts=True, shaft_passes=4,
        speed=True, blur="motionBlur", film=("aberration", "sharpen")),
    "type5.xml": dict(
        id="Type5", note="Type 5: glare, depth of field, motion blur, film",
        haze=True, dof="layered", blurs=[9, 13, 17, 25, 33, 41],
        streaks=HORIZONTAL, streak_passes=3, ghosts=True, shafts=True, shaft_passes=3,
        speed=True, blur="motionBlur", film=("aberration", "sharpen", "grain")),
}


def chain(b, t):
    """The root chain of one type."""
    root = Group(t["id"], ["in"], ["out"], t["note"], root=True)
    scene = "in"
    if t["haze"]:
        scene = root.use("haze", heat_haze(b), {"in": scene}) + ".out"
    if t["dof"]:
        scene = root.use("dof", depth_of_field(b, t["dof"] == "layered"), {"in": scene}) + ".out"
    root.use("quarter", scene_downsample(b), {"in": "in"})
    root.use("luminance", luminance(b), {"in": "quarter.out"})
    glares = [e for e in ("streaks", "ghosts", "shafts") if t[e]]
    root.use("bloom", bloom(b, t["blurs"], bright_out=bool(glares)),
             {"in": "quarter.out", "lum": "luminance.out"})
    if t["streaks"]:
        root.use("streaks", streaks(b, t["streaks"], t["streak_passes"]), {"in": "bloom.bright"})
    if t["ghosts"]:
        root.use("ghosts", lens_ghosts(b), {"in": "bloom.bright"})
    if t["shafts"]:
        root.use("shafts", light_shafts(b, t["shaft_passes"]), {"in": "bloom.bright"})
    wiring = {"in": scene, "bloom": "bloom.out"}
    wiring.update((e, e + ".out") for e in glares)
    root.use("composite", composite(b, glares), wiring)
    hdr_in = {"in": "composite.out", "lum": "luminance.out"}
    if t["blur"]:
        image = root.use(t["blur"], motion_blur(b, t["speed"]), hdr_in) + ".out"
    else:
        image = root.use("toneMap", tone_map(b), hdr_in) + ".out"
    image = root.use("antialias", antialias(b), {"in": image}) + ".out"
    if t["film"] is not None:
        image = root.use("film", film_look(b, t["film"]), {"in": image}) + ".out"
    root.result("out", image)
    return root


NOBLUR = {"type2_noblur.xml": "type2.xml", "type4_noblur.xml": "type4.xml",
          "type5_noblur.xml": "type5.xml"}


# ---------------------------------------------------------------------------
# Writing a file

def render(blocks, root, commented):
    """The file text; 'commented' holds the ids of the blocks whose
    explanatory comment is written. The root chain always carries its own."""
    lines = [(0, XML_DECLARATION), (0, "<PostProcess>"),
             (1, "<!-- Units (building blocks) -->"), (0, "")]
    units = [x for x in blocks.table.values() if isinstance(x, Unit)]
    groups = [x for x in blocks.table.values() if isinstance(x, Group)]
    for block in units + [None] + groups + [root]:
        if block is None:
            lines += [(1, "<!-- Groups -->"), (0, "")]
            continue
        if block.id in commented or block is root:
            lines.append((1, "<!-- %s -->" % block.note))
        lines += block.lines() + [(0, "")]
    lines.append((0, "</PostProcess>"))
    return "".join("\t" * tabs + text + CRLF for tabs, text in lines)


def fit_comments(blocks, root, size):
    """Chooses which blocks get their explanatory comment so that the file
    is 'size' bytes long: as few comments as possible, groups before units."""
    base = len(render(blocks, root, set()))
    need = size - base
    if need < 0:
        raise ValueError("%s: chain is %d bytes too long" % (root.id, -need))
    groups = [x for x in blocks.table.values() if isinstance(x, Group)]
    units = [x for x in blocks.table.values() if isinstance(x, Unit)]
    items = groups + units

    def cost(block):
        return len("\t<!-- %s -->" % block.note + CRLF)

    def rank(picked):
        return (len(picked), sum(1 for i in picked if i >= len(groups)), picked)

    best = {0: []}      # bytes added -> indices of the commented blocks
    for i, block in enumerate(items):
        for total, picked in sorted(best.items(), reverse=True):
            t = total + cost(block)
            if t <= need and (t not in best or rank(picked + [i]) < rank(best[t])):
                best[t] = picked + [i]
    if need not in best:
        raise ValueError("%s: no comment choice adds exactly %d bytes" % (root.id, need))
    return {items[i].id for i in best[need]}


def verify(blocks, root):
    """Every connection joins an existing output to an existing input, and
    every input of every reference is fed exactly once."""
    for g in [x for x in blocks.table.values() if isinstance(x, Group)] + [root]:
        refs = dict(g.refs)
        fed = {}
        for source, sink in g.conns:
            if "." in source:
                ref, port = source.split(".")
                if port not in blocks.table[refs[ref]].out_ports():
                    raise ValueError("%s: %s has no output %s" % (g.id, ref, port))
            elif source not in g.in_ports():
                raise ValueError("%s: no group input %s" % (g.id, source))
            if "." in sink:
                ref, port = sink.split(".")
                if port not in blocks.table[refs[ref]].in_ports():
                    raise ValueError("%s: %s has no input %s" % (g.id, ref, port))
            elif sink not in g.out_ports():
                raise ValueError("%s: no group output %s" % (g.id, sink))
            fed[sink] = fed.get(sink, 0) + 1
        wanted = ["%s.%s" % (ref, p) for ref, block in g.refs
                  for p in blocks.table[block].in_ports()] + g.out_ports()
        if sorted(fed) != sorted(wanted) or any(n != 1 for n in fed.values()):
            raise ValueError("%s: inputs not fed exactly once" % g.id)


def full_text(name):
    blocks = Blocks()
    root = chain(blocks, TYPES[name])
    verify(blocks, root)
    text = render(blocks, root, fit_comments(blocks, root, FULL_SIZES[name]))
    assert len(text) == FULL_SIZES[name]
    return text


def noblur_text(partner_text, ref_id):
    """The partner with the root chain's motion blur reference replaced."""
    lines = partner_text.split(CRLF)
    start = next(n for n, l in enumerate(lines) if l.startswith("\t<RootBlockGroup "))
    changed = 0
    for n in range(start, len(lines)):
        line = lines[n]
        new = line.replace('<BlockReference id="%s" ref="MotionBlur"/>' % ref_id,
                           '<BlockReference id="toneMap" ref="ToneMap_to_8"/>')
        if line.startswith("\t\t<Connection "):
            new = new.replace('"%s.' % ref_id, '"toneMap.')
        if new != line:
            lines[n] = new
            changed += 1
    if changed != 4:
        raise ValueError("expected the reference and three connections, changed %d" % changed)
    return CRLF.join(lines)


def all_files():
    files = {}
    for name in TARGET_NAMES:
        files["none/" + name] = none_text()
    for name in TARGET_NAMES:
        if name in TYPES:
            files["full/" + name] = full_text(name)
    for name, partner in NOBLUR.items():
        files["full/" + name] = noblur_text(files["full/" + partner], TYPES[partner]["blur"])
    for name, text in files.items():
        want = NONE_SIZE if name.startswith("none/") else FULL_SIZES[name[5:]]
        if len(text) != want:
            raise ValueError("%s is %d bytes, not %d" % (name, len(text), want))
    return files


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "app", "resources", "postprocess")
    for name, text in sorted(all_files().items()):
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(text.encode("iso-8859-1"))


if __name__ == "__main__":
    main()
