// Simulated Placido topographer camera: renders the reflection of a Placido ring target off a
// model cornea, as the instrument's central camera would photograph it.
//
// Geometry (all lengths in millimetres, angles in degrees):
//
//  * Eye frame. The corneal apex is the origin; +z points from the eye towards the instrument
//    along its optical axis; X points to the right of the image and Y upwards in the image
//    (image row numbers grow downwards). A meridian angle is counted anticlockwise from +X as
//    seen in the image (0 = right, 90 = up), as in clinical axis notation.
//
//  * Cornea. The surface is z = -sag(X, Y), sag >= 0, convex towards the camera, limited by the
//    limbus at LimbusRadiusMm() from the axis. Kinds:
//      Sphere      sag of a sphere of radius apicalRadiusMm;
//      Conicoid    sag = c r^2 / (1 + sqrt(1 - (1 + Q) c^2 r^2)), c = 1 / apicalRadiusMm, Q the
//                  asphericity (0 sphere, < 0 prolate, > 0 oblate);
//      Toric       biconic with principal radii flatRadiusMm and steepRadiusMm, the steep
//                  meridian at steepAxisDeg and the flat one 90 degrees away; every section
//                  along a principal meridian is a circle of that meridian's radius;
//      Keratoconus the conicoid (apicalRadiusMm, asphericityQ) with a smooth protrusion
//                  h * exp(-2 d^2 / w^2) towards the camera, h = coneSteepeningMm,
//                  w = coneRadiusMm, d the distance from (coneCentreXmm, coneCentreYmm). It
//                  steepens the local curvature at the cone centre by 4 h / w^2 per mm.
//    Where the surface is undefined (an oblate conicoid beyond its rim), the sclera is seen.
//
//  * Camera. Telecentric: every camera ray is parallel to the axis, so a pixel sees the cornea
//    at a fixed lateral position whatever the depth. MillimetresPerPixel() is the exact size of
//    one pixel in the plane perpendicular to the axis (the detector's correction factor). The
//    axis passes through the centre of pixel (320, 240) (pixel centres at integer coordinates),
//    moved by the scene's decentration (a lateral offset of the camera, which with a telecentric
//    camera translates the picture and nothing else).
//
//  * Target. The rings are painted on the inner wall of a truncated cone around the axis,
//    opening towards the eye: its rear rim (radius ConeRearRadiusMm) lies at z = ConeRearZMm,
//    its front rim (radius ConeFrontRadiusMm) at z = ConeFrontZMm. The rear rim surrounds the
//    camera aperture, which is dark except for a small bright fixation light of radius
//    FixationRadiusMm on the axis in the rear plane. Ring edge j (1..rings) is the circle of the
//    wall at axial position TargetEdgeZMm(rings, j); the wall is dark from the rear rim to edge
//    1, bright between edges 1 and 2, dark between 2 and 3, and so on; it is dark beyond the
//    last edge and the room beyond the front rim is dark too. The edges are placed so that on
//    the reference sphere (ReferenceRadiusMm) their reflections lie at equally spaced image
//    radii (FirstEdgeRadiusPx to LastEdgeRadiusPx), which keeps every band a few pixels wide for
//    corneas of 7 to 9 mm. The 16-ring and 32-ring cones differ only in their edges: the
//    16-ring cone leaves a larger dark centre (its first edge beyond the larger scan start of
//    that cone) and has bands twice as wide.
//
//  * Image. For every sample the camera ray is reflected about the surface normal and followed
//    to the target; the sample takes the grey of what it meets (DarkGrey, BrightGrey,
//    FixationGrey; ScleraGrey outside the limbus). A pixel is the mean of supersample^2 samples
//    on a regular grid, which gives the ring edges their soft, partial-pixel grey. The first
//    edge met from the centre outwards is therefore dark-to-bright, and all ring edges of 7 to 9
//    mm corneas lie within about 230 pixels of the centre, so every meridian of the 640 x 480
//    frame (the vertical ones reach only 239 pixels) holds all of them. The reflection of a
//    flatter cornea is larger: the image radius of every edge grows with the corneal radius.
//
//  * Noise. Optional Gaussian grey noise of standard deviation noiseSigma, added per pixel after
//    rendering, rounded and clipped to 0..255; the same seed gives the same image.
#pragma once

#include <QImage>
#include <string>

namespace placido {

enum class SurfaceKind { Sphere, Conicoid, Toric, Keratoconus };

struct Cornea {
  SurfaceKind kind = SurfaceKind::Sphere;
  double apicalRadiusMm = 7.8;  // sphere radius, or apical radius of a conicoid
  double asphericityQ = 0.0;    // conicoid (Q = 0 sphere, Q < 0 prolate)
  double flatRadiusMm = 7.8, steepRadiusMm = 7.6, steepAxisDeg = 90;  // toric
  // Keratoconus-like local steepening: a smooth bump added to the sphere/conicoid.
  double coneCentreXmm = 0.6, coneCentreYmm = -0.8, coneRadiusMm = 1.5, coneSteepeningMm = 0.02;
};

struct Scene {
  Cornea cornea;
  int rings = 32;                           // ring edges of the target: 16 or 32
  double decentreXPx = 0, decentreYPx = 0;  // offset of the reflection centre in the image
  double noiseSigma = 0;                    // Gaussian grey noise (0..255 scale)
  unsigned seed = 1;                        // noise seed
  int supersample = 4;                      // samples per pixel side (1..16)
};

constexpr int ImageWidth = 640;
constexpr int ImageHeight = 480;
constexpr int DarkGrey = 20;
constexpr int BrightGrey = 235;
constexpr int FixationGrey = 255;
constexpr int ScleraGrey = 45;

// Target and eye constants (see the geometry above).
double LimbusRadiusMm();
double ConeRearZMm();
double ConeRearRadiusMm();
double ConeFrontZMm();
double ConeFrontRadiusMm();
double FixationRadiusMm();
double ReferenceRadiusMm();
double FirstEdgeRadiusPx(int rings);  // on the reference sphere
double LastEdgeRadiusPx(int rings);   // on the reference sphere
double TargetEdgeZMm(int rings, int edge);

// The camera scale in the image plane, in millimetres per pixel.
double MillimetresPerPixel();

// Empty when the scene can be rendered, else a one-line reason.
std::string ValidateScene(const Scene& scene);

// The 640 x 480 picture (QImage::Format_RGB32, R = G = B). Throws std::invalid_argument with
// the reason of ValidateScene for a scene that cannot be rendered.
QImage Render(const Scene& scene);

// Image radius in pixels, from the reflection centre along the given meridian, of ring edge
// `edge` (1..rings) as traced without pixels or noise: the exact value a measurement of the
// rendered image estimates. Returns a negative value when the edge is not seen on that
// meridian (for instance beyond the limbus). Assumes the edge's image radius grows along the
// meridian, as it does for every surface here except a strongly decentred cone.
double EdgeImageRadiusPx(const Cornea& cornea, int rings, int edge, double meridianDeg);

// Writes a 640 x 480 Windows BMP; false when the file cannot be written or the size is wrong.
bool SaveBmp(const QImage& image, const std::string& path);

}  // namespace placido
