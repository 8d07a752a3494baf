// Writes the plug-in's drawn pictures into the resources folder: the curve and
// terrace profile plots of the deformer buttons, the logo, the menu and tool
// icons, the placeholders, the background texture and the wait animation.
//
// Everything is drawn with QPainter so the pictures can be tuned here and
// regenerated instead of being hand-edited. The profile plots evaluate the
// same libnoise modules and control points the noise graph uses, so a plot
// always shows what its button does to the terrain.
//
// Usage: make_icons <resources folder>

#include "recipe/profiles.h"

#include <libnoise/module/curve.h>
#include <libnoise/module/modulebase.h>
#include <libnoise/module/perlin.h>
#include <libnoise/module/terrace.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

namespace nm = noise::module;

// Theme colours of the plug-in window.
const QColor kAccent(255, 195, 0);
const QColor kAccentDeep(214, 128, 0);
const QColor kBlue(71, 120, 247);
const QColor kLight(240, 240, 240);
const QColor kPanel(60, 60, 60);
const QColor kDeep(40, 40, 40);
const QColor kDelete(226, 68, 56);

constexpr double kPi = 3.14159265358979323846;

QImage transparentImage(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage opaqueImage(int w, int h, const QColor& fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QFont uiFont(int pixelSize, int weight = QFont::Bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// ---------------------------------------------------------------------------
// Profile plots

// Feeds the x coordinate to a Curve or Terrace module, so evaluating the
// module at (x, 0, 0) gives the profile's output for input x.
class InputX : public nm::Module {
public:
    InputX() : nm::Module(0) {}
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double, double) const override { return x; }
};

constexpr int kPlotSize = 28;
const QColor kFillTop(71, 120, 247, 150);
const QColor kFillBottom(71, 120, 247, 40);
const QColor kBand(255, 255, 255, 46);
constexpr double kPlotMargin = 3.0;

// Plot coordinates: input -1..1 left to right, output -1..1 bottom to top.
QPointF plotPoint(double in, double out) {
    const double span = kPlotSize - 2 * kPlotMargin;
    return {kPlotMargin + (in + 1.0) * 0.5 * span, kPlotMargin + (1.0 - out) * 0.5 * span};
}

void drawPlotBackground(QPainter& p) {
    QLinearGradient bg(0, 0, 0, kPlotSize);
    bg.setColorAt(0, QColor(50, 50, 50));
    bg.setColorAt(1, QColor(33, 33, 33));
    p.fillRect(QRect(0, 0, kPlotSize, kPlotSize), bg);
    // Faint axes through the centre mark input 0 and output 0.
    const QColor axis(64, 64, 64);
    p.fillRect(QRect(int(kPlotMargin), kPlotSize / 2 - 1, kPlotSize - 2 * int(kPlotMargin), 1),
               axis);
    p.fillRect(QRect(kPlotSize / 2 - 1, int(kPlotMargin), 1, kPlotSize - 2 * int(kPlotMargin)),
               axis);
    p.setPen(QColor(78, 78, 78));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kPlotSize - 1, kPlotSize - 1));
}

// Draws output = f(input) over -1..1 with a soft fill below the line; `f`
// is null for the identity, which is shown as a faint diagonal. `levels`
// (terrace points) band the fill like strata, so profiles whose steps lie
// close to the diagonal still tell apart.
QImage profilePlot(const std::function<double(double)>& f,
                   const std::vector<double>& levels = {}) {
    QImage image = opaqueImage(kPlotSize, kPlotSize, kDeep);
    QPainter p(&image);
    drawPlotBackground(p);
    p.setRenderHint(QPainter::Antialiasing);
    if (!f) {
        p.setPen(QPen(QColor(118, 118, 118), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(plotPoint(-1, -1), plotPoint(1, 1));
        return image;
    }
    constexpr int kSamples = 400;
    QPolygonF line;
    for (int i = 0; i <= kSamples; ++i) {
        const double in = -1.0 + 2.0 * i / kSamples;
        // Cubic overshoot may leave -1..1; keep it inside the picture.
        const double out = std::clamp(f(in), -1.12, 1.12);
        line << plotPoint(in, out);
    }
    p.setClipRect(QRectF(1, 1, kPlotSize - 2, kPlotSize - 2));
    QPolygonF area = line;
    area << QPointF(line.back().x(), kPlotSize - 1) << QPointF(line.front().x(), kPlotSize - 1);
    QLinearGradient fill(0, kPlotMargin, 0, kPlotSize - kPlotMargin);
    fill.setColorAt(0, kFillTop);
    fill.setColorAt(1, kFillBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(area);
    if (!levels.empty()) {
        std::vector<double> sorted = levels;
        std::sort(sorted.begin(), sorted.end());
        QPainterPath under;
        under.addPolygon(area);
        p.save();
        p.setClipPath(under, Qt::IntersectClip);
        for (std::size_t i = 0; i + 1 < sorted.size(); i += 2) {
            // Whole pixel rows keep the strata crisp at this size.
            const double top = std::round(plotPoint(0, sorted[i + 1]).y());
            const double bottom = std::round(plotPoint(0, sorted[i]).y());
            p.fillRect(QRectF(0, top, kPlotSize, bottom - top), kBand);
        }
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kLight, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    return image;
}

QImage curvePlot(int profile) {
    const auto& points = morvane::curveProfile(profile);
    if (points.empty())
        return profilePlot(nullptr);
    InputX input;
    nm::Curve curve;
    curve.SetSourceModule(0, input);
    for (const auto& [in, out] : points)
        curve.AddControlPoint(in, out);
    return profilePlot([&](double x) { return curve.GetValue(x, 0, 0); });
}

QImage terracePlot(int profile) {
    const auto& points = morvane::terraceProfile(profile);
    if (points.empty())
        return profilePlot(nullptr);
    InputX input;
    nm::Terrace terrace;
    terrace.SetSourceModule(0, input);
    for (double point : points)
        terrace.AddControlPoint(point);
    return profilePlot([&](double x) { return terrace.GetValue(x, 0, 0); }, points);
}

// ---------------------------------------------------------------------------
// Logo and menu icon

// A mountain range as a closed path: the ridge through `peaks` (x, y pairs in
// a 0..1 box scaled to `box`), closed along the box's bottom edge.
QPainterPath ridgePath(const QRectF& box, const std::vector<QPointF>& peaks) {
    QPainterPath path;
    auto at = [&](const QPointF& q) {
        return QPointF(box.left() + q.x() * box.width(), box.top() + q.y() * box.height());
    };
    path.moveTo(box.left(), box.bottom());
    for (const QPointF& q : peaks)
        path.lineTo(at(q));
    path.lineTo(box.right(), box.bottom());
    path.closeSubpath();
    return path;
}

QImage logo() {
    constexpr int kW = 400, kH = 160;
    QImage image = transparentImage(kW, kH);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Three ranges, far to near, fading out at their feet so the wordmark
    // below sits on a clean background.
    const QRectF box(40, 6, 320, 84);
    const std::vector<QPointF> farRange = {
        {0.00, 0.80}, {0.08, 0.62}, {0.14, 0.66}, {0.22, 0.42}, {0.30, 0.52}, {0.38, 0.30},
        {0.44, 0.38}, {0.52, 0.22}, {0.60, 0.36}, {0.68, 0.26}, {0.76, 0.44}, {0.84, 0.40},
        {0.92, 0.60}, {1.00, 0.74}};
    const std::vector<QPointF> mainRange = {
        {0.00, 0.94}, {0.10, 0.76}, {0.18, 0.80}, {0.27, 0.56}, {0.33, 0.62}, {0.41, 0.40},
        {0.47, 0.50}, {0.55, 0.08}, {0.61, 0.30}, {0.66, 0.24}, {0.74, 0.50}, {0.82, 0.58},
        {0.90, 0.72}, {1.00, 0.92}};
    const std::vector<QPointF> nearRange = {
        {0.00, 1.00}, {0.12, 0.90}, {0.24, 0.80}, {0.34, 0.86}, {0.46, 0.74}, {0.56, 0.82},
        {0.68, 0.70}, {0.80, 0.84}, {0.90, 0.88}, {1.00, 1.00}};

    auto fade = [&](QColor top, QColor bottom) {
        QLinearGradient g(0, box.top(), 0, box.bottom());
        g.setColorAt(0.0, top);
        g.setColorAt(0.75, bottom);
        bottom.setAlpha(0);
        g.setColorAt(1.0, bottom);
        return g;
    };
    p.setPen(Qt::NoPen);
    p.setBrush(fade(QColor(71, 120, 247, 150), QColor(71, 120, 247, 60)));
    p.drawPath(ridgePath(box, farRange));

    const QPainterPath main = ridgePath(box, mainRange);
    p.setBrush(fade(kAccent, kAccentDeep));
    p.drawPath(main);

    // Shadowed facets: light from the left, so each slope that falls to the
    // right is darkened from its crest down to the foot.
    {
        p.save();
        p.setClipPath(main);
        const auto at = [&](const QPointF& q) {
            return QPointF(box.left() + q.x() * box.width(), box.top() + q.y() * box.height());
        };
        QPainterPath shade;
        for (std::size_t i = 1; i + 1 < mainRange.size(); ++i) {
            const bool crest = mainRange[i].y() < mainRange[i - 1].y() &&
                               mainRange[i].y() < mainRange[i + 1].y();
            if (!crest)
                continue;
            std::size_t j = i + 1;
            while (j + 1 < mainRange.size() && mainRange[j + 1].y() > mainRange[j].y())
                ++j;
            QPolygonF facet;
            for (std::size_t k = i; k <= j; ++k)
                facet << at(mainRange[k]);
            const double foot = mainRange[i].x() + (mainRange[j].x() - mainRange[i].x()) * 0.25;
            facet << at(QPointF(foot, 1.0));
            shade.addPolygon(facet);
            shade.closeSubpath();
        }
        p.setBrush(fade(QColor(110, 50, 0, 110), QColor(110, 50, 0, 50)));
        p.drawPath(shade.simplified());
        p.restore();
    }

    // Snow on the highest peak.
    {
        const auto at = [&](double x, double y) {
            return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
        };
        QPolygonF snow;
        snow << at(0.55, 0.08) << at(0.578, 0.18) << at(0.566, 0.21) << at(0.556, 0.19)
             << at(0.545, 0.24) << at(0.534, 0.19) << at(0.522, 0.20);
        p.setBrush(QColor(250, 250, 250));
        p.drawPolygon(snow);
    }

    p.setBrush(fade(QColor(58, 58, 58, 230), QColor(40, 40, 40, 200)));
    p.drawPath(ridgePath(box, nearRange));

    // Wordmark, widely spaced, centred under the range.
    QFont word = uiFont(44, QFont::Bold);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 9);
    QPainterPath text;
    text.addText(0, 0, word, QStringLiteral("MORVANE"));
    const QRectF tb = text.boundingRect();
    text.translate((kW - tb.width()) / 2 - tb.left(), 128 - tb.bottom());
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(text.translated(0, 2));
    p.setBrush(kLight);
    p.drawPath(text);

    // Accent rule and tagline.
    const QRectF wb = text.boundingRect();
    p.fillRect(QRectF(wb.left(), 136, wb.width(), 2), kAccent);
    QFont tag = uiFont(10, QFont::Normal);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
    QPainterPath tagline;
    tagline.addText(0, 0, tag, QStringLiteral("PROCEDURAL TERRAIN GENERATOR"));
    const QRectF lb = tagline.boundingRect();
    tagline.translate((kW - lb.width()) / 2 - lb.left(), 153 - lb.bottom());
    p.setBrush(QColor(185, 185, 185));
    p.drawPath(tagline);
    return image;
}

QImage menuIcon() {
    QImage image = transparentImage(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(1, 1, 30, 30);
    QLinearGradient sky(0, 1, 0, 31);
    sky.setColorAt(0, QColor(86, 134, 250));
    sky.setColorAt(1, QColor(34, 58, 128));
    p.setPen(QPen(QColor(20, 20, 20, 160), 1));
    p.setBrush(sky);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    QPainterPath clip;
    clip.addRoundedRect(tile.adjusted(1, 1, -1, -1), 5.5, 5.5);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    // Back peak, main peak with its shadowed flank and snow cap.
    p.setBrush(QColor(150, 170, 220));
    p.drawPolygon(QPolygonF{{QPointF(14, 31), QPointF(23, 12), QPointF(33, 31)}});
    QLinearGradient rock(0, 7, 0, 31);
    rock.setColorAt(0, kAccent);
    rock.setColorAt(1, kAccentDeep);
    p.setBrush(rock);
    p.drawPolygon(QPolygonF{{QPointF(-1, 31), QPointF(13, 7), QPointF(27, 31)}});
    p.setBrush(QColor(150, 80, 0, 110));
    p.drawPolygon(QPolygonF{{QPointF(13, 7), QPointF(27, 31), QPointF(16, 31)}});
    p.setBrush(QColor(252, 252, 252));
    p.drawPolygon(QPolygonF{{QPointF(13, 7), QPointF(17.1, 14), QPointF(15, 13),
                             QPointF(13, 15.5), QPointF(11, 13), QPointF(8.9, 14)}});
    return image;
}

// ---------------------------------------------------------------------------
// Small interface icons

QImage helpIcon() {
    QImage image = transparentImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(25, 25, 25, 140), 1));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath mark;
    mark.addText(0, 0, uiFont(12, QFont::Bold), QStringLiteral("?"));
    const QRectF b = mark.boundingRect();
    mark.translate(8 - b.center().x(), 8 - b.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(mark);
    return image;
}

QImage balloonIcon() {
    QImage image = transparentImage(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 3.5, 27, 19), 6, 6);
    QPainterPath tail;
    tail.moveTo(8, 20);
    tail.lineTo(7, 29.5);
    tail.lineTo(16, 20);
    tail.closeSubpath();
    const QPainterPath balloon = body.united(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(balloon.translated(0.8, 1.2));
    QLinearGradient fill(0, 3, 0, 30);
    fill.setColorAt(0, QColor(255, 214, 64));
    fill.setColorAt(1, kAccent);
    p.setPen(QPen(QColor(150, 100, 0), 1));
    p.setBrush(fill);
    p.drawPath(balloon);
    // An "i": the hint sign.
    p.setPen(Qt::NoPen);
    p.setBrush(kDeep);
    p.drawEllipse(QPointF(16, 8.6), 1.9, 1.9);
    p.drawRoundedRect(QRectF(14.3, 11.5, 3.4, 8.2), 1.2, 1.2);
    return image;
}

QImage refreshIcon() {
    QImage image = transparentImage(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(12, 12);
    const double r = 7.5;
    // Arc from the arrowhead round to a gap at the top right.
    QPainterPath arc;
    const QRectF circle(c.x() - r, c.y() - r, 2 * r, 2 * r);
    arc.arcMoveTo(circle, 60);
    arc.arcTo(circle, 60, 280);
    const double end = (60 + 280) * kPi / 180.0;
    const QPointF tip(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    // Arrowhead pointing along the arc's direction of travel (counter-clockwise).
    const QPointF dir(-std::sin(end), -std::cos(end));
    const QPointF normal(std::cos(end), -std::sin(end));
    QPolygonF head;
    head << tip + dir * 4.6 << tip + normal * 4.2 - dir * 0.6 << tip - normal * 4.2 - dir * 0.6;
    // A dark halo keeps the arrow readable over any terrain preview.
    p.setPen(QPen(QColor(0, 0, 0, 150), 5.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setBrush(QColor(0, 0, 0, 150));
    p.setPen(QPen(QColor(0, 0, 0, 150), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(head);
    p.setPen(QPen(kAccent, 2.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(QPen(kAccent, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kAccent);
    p.drawPolygon(head);
    return image;
}

// Tool icons share a small vocabulary: a tree stands for a painted item,
// light strokes for neutral shapes, the accent for the subject and a red
// badge for deletion. They sit on dark or blue (toggled) buttons.
const QColor kStroke(236, 236, 236);

void drawTree(QPainter& p, double cx, double baseY, double height, const QColor& colour) {
    // A two-tier conifer: reads as "tree" even at 10 pixels.
    const double w = height * 0.74;
    const double trunk = height * 0.18;
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(140));
    p.drawRect(QRectF(cx - height * 0.08, baseY - trunk, height * 0.16, trunk));
    const double top = baseY - height, crownBottom = baseY - trunk;
    QPainterPath crown;
    crown.moveTo(cx, top);
    crown.lineTo(cx + w * 0.36, top + (crownBottom - top) * 0.52);
    crown.lineTo(cx + w * 0.2, top + (crownBottom - top) * 0.52);
    crown.lineTo(cx + w / 2, crownBottom);
    crown.lineTo(cx - w / 2, crownBottom);
    crown.lineTo(cx - w * 0.2, top + (crownBottom - top) * 0.52);
    crown.lineTo(cx - w * 0.36, top + (crownBottom - top) * 0.52);
    crown.closeSubpath();
    p.setBrush(colour);
    p.drawPath(crown);
}

void drawDeleteBadge(QPainter& p, const QPointF& c, bool cross = true) {
    p.setPen(QPen(QColor(30, 30, 30, 200), 1.2));
    p.setBrush(kDelete);
    p.drawEllipse(c, 5.2, 5.2);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    if (cross) {
        p.drawLine(c + QPointF(-2.1, -2.1), c + QPointF(2.1, 2.1));
        p.drawLine(c + QPointF(-2.1, 2.1), c + QPointF(2.1, -2.1));
    } else {
        p.drawLine(c + QPointF(-2.6, 0), c + QPointF(2.6, 0));
    }
}

// An isometric plate or box: top face plus, for depth > 0, two side faces.
void drawBox(QPainter& p, const QPointF& topCentre, double half, double depth,
             const QColor& colour) {
    const double q = half * 0.5;
    const QPointF n = topCentre + QPointF(0, -q), e = topCentre + QPointF(half, 0),
                  s = topCentre + QPointF(0, q), w = topCentre + QPointF(-half, 0);
    const QPointF down(0, depth);
    p.setPen(QPen(QColor(25, 25, 25, 170), 0.8, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    if (depth > 0) {
        p.setBrush(colour.darker(150));
        p.drawPolygon(QPolygonF{{w, s, s + down, w + down}});
        p.setBrush(colour.darker(190));
        p.drawPolygon(QPolygonF{{s, e, e + down, s + down}});
    }
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{{n, e, s, w}});
}

QImage toolIcon(const std::function<void(QPainter&)>& draw) {
    QImage image = transparentImage(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return image;
}

QImage toolBelowZero() {
    return toolIcon([](QPainter& p) {
        // Terrain cross-section dug through the dashed zero level; the part
        // of the hole below zero is highlighted.
        constexpr double kZero = 11.5;
        QPainterPath ground;
        ground.moveTo(1.5, 8.5);
        ground.cubicTo(5, 6.5, 7, 7.5, 8.5, 10);
        ground.cubicTo(10, 13, 10.5, 20, 12, 20);
        ground.cubicTo(13.5, 20, 14, 13, 15.5, 10);
        ground.cubicTo(17, 7.5, 19, 6.5, 22.5, 8.5);
        QPainterPath solid = ground;
        solid.lineTo(22.5, 22.5);
        solid.lineTo(1.5, 22.5);
        solid.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(236, 236, 236, 60));
        p.drawPath(solid);
        QPainterPath air = ground;
        air.lineTo(22.5, 0);
        air.lineTo(1.5, 0);
        air.closeSubpath();
        QPainterPath belowZero;
        belowZero.addRect(QRectF(0, kZero, 24, 24 - kZero));
        const QPainterPath hole = air.intersected(belowZero);
        p.setBrush(QColor(255, 195, 0, 150));
        p.drawPath(hole);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kStroke, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(ground);
        QPen zero(kAccent, 1.4, Qt::CustomDashLine, Qt::FlatCap);
        zero.setDashPattern({2.0, 1.4});
        p.setPen(zero);
        p.drawLine(QPointF(0.5, kZero), QPointF(23.5, kZero));
    });
}

QImage toolBoundingAll() {
    return toolIcon([](QPainter& p) {
        drawTree(p, 12, 18.5, 13, kStroke);
        // Corner brackets of the box around the item.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const double l = 3.5, t = 3.5, r = 20.5, b = 20.5, k = 4.5;
        p.drawPolyline(QPolygonF{{QPointF(l, t + k), QPointF(l, t), QPointF(l + k, t)}});
        p.drawPolyline(QPolygonF{{QPointF(r - k, t), QPointF(r, t), QPointF(r, t + k)}});
        p.drawPolyline(QPolygonF{{QPointF(r, b - k), QPointF(r, b), QPointF(r - k, b)}});
        p.drawPolyline(QPolygonF{{QPointF(l + k, b), QPointF(l, b), QPointF(l, b - k)}});
        QPen dash(QColor(255, 195, 0, 150), 1.0, Qt::CustomDashLine, Qt::FlatCap);
        dash.setDashPattern({1.5, 1.5});
        p.setPen(dash);
        p.drawLine(QPointF(l + k + 1.5, t), QPointF(r - k - 1.5, t));
        p.drawLine(QPointF(l + k + 1.5, b), QPointF(r - k - 1.5, b));
        p.drawLine(QPointF(l, t + k + 1.5), QPointF(l, b - k - 1.5));
        p.drawLine(QPointF(r, t + k + 1.5), QPointF(r, b - k - 1.5));
    });
}

QImage toolDelete() {
    return toolIcon([](QPainter& p) {
        drawTree(p, 9.5, 20, 17, kStroke);
        drawDeleteBadge(p, QPointF(17, 16.5));
    });
}

QImage toolDeleteAll() {
    return toolIcon([](QPainter& p) {
        drawTree(p, 4.8, 13, 11, kStroke);
        drawTree(p, 12, 11, 10, kStroke);
        drawTree(p, 19.2, 13, 11, kStroke);
        drawTree(p, 8.5, 22, 9, kStroke);
        drawDeleteBadge(p, QPointF(17.5, 17.8));
    });
}

QImage toolDeleteLastBatch() {
    return toolIcon([](QPainter& p) {
        // A stack of layers whose top one is about to go.
        drawBox(p, QPointF(10.5, 17), 8.5, 2, QColor(150, 150, 150));
        drawBox(p, QPointF(10.5, 12.5), 8.5, 2, QColor(200, 200, 200));
        drawBox(p, QPointF(10.5, 8), 8.5, 2, kDelete);
        drawDeleteBadge(p, QPointF(18, 18), false);
    });
}

QImage toolReposition() {
    return toolIcon([](QPainter& p) {
        // An item set down onto the ground below it.
        QPainterPath ground;
        ground.moveTo(1.5, 21.5);
        ground.cubicTo(7, 17.5, 17, 17.5, 22.5, 21.5);
        ground.lineTo(22.5, 23);
        ground.lineTo(1.5, 23);
        ground.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawPath(ground);
        drawTree(p, 7, 11.5, 10.5, kStroke);
        QPen dash(QColor(236, 236, 236, 150), 1.0, Qt::CustomDashLine, Qt::FlatCap);
        dash.setDashPattern({1.2, 1.6});
        p.setPen(dash);
        p.drawLine(QPointF(7, 12.5), QPointF(7, 18.5));
        p.setPen(QPen(kStroke, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(16.5, 3), QPointF(16.5, 15.5));
        p.drawPolyline(QPolygonF{{QPointF(13, 12), QPointF(16.5, 15.5), QPointF(20, 12)}});
    });
}

QImage toolStack() {
    return toolIcon([](QPainter& p) {
        drawBox(p, QPointF(12, 13.5), 8.5, 5.5, QColor(205, 205, 205));
        drawBox(p, QPointF(12, 5.8), 5.5, 4.2, kAccent);
    });
}

// ---------------------------------------------------------------------------
// Placeholder and background

QImage noThumbnail() {
    constexpr int kS = 128;
    QImage image = opaqueImage(kS, kS, kDeep);
    QPainter p(&image);
    QLinearGradient bg(0, 0, 0, kS);
    bg.setColorAt(0, QColor(54, 54, 54));
    bg.setColorAt(1, QColor(38, 38, 38));
    p.fillRect(image.rect(), bg);
    p.setRenderHint(QPainter::Antialiasing);
    // A picture frame with a landscape, crossed-out by its emptiness.
    const QRectF frame(36, 30, 56, 44);
    const QColor glyph(112, 112, 112);
    p.setPen(QPen(glyph, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 4, 4);
    p.setClipRect(frame.adjusted(1.5, 1.5, -1.5, -1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    p.drawEllipse(QPointF(77, 44), 5, 5);
    p.drawPolygon(QPolygonF{{QPointF(34, 76), QPointF(52, 50), QPointF(62, 62),
                             QPointF(70, 54), QPointF(94, 76)}});
    p.setClipping(false);
    QPainterPath text;
    QFont font = uiFont(12, QFont::Normal);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    text.addText(0, 0, font, QStringLiteral("no thumbnail"));
    const QRectF b = text.boundingRect();
    text.translate((kS - b.width()) / 2 - b.left(), 96 - b.bottom());
    p.setBrush(QColor(150, 150, 150));
    p.drawPath(text);
    p.setPen(QColor(72, 72, 72));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(0, 0, kS - 1, kS - 1);
    return image;
}

// A dark, seamlessly tiling texture of faint contour lines: a topographic
// map just visible under the controls.
QImage background() {
    constexpr int kS = 512;
    nm::Perlin perlin;
    perlin.SetSeed(1187);
    perlin.SetFrequency(2.2);
    perlin.SetOctaveCount(4);
    perlin.SetPersistence(0.45);
    // Tiling: blend the field with its copies shifted by one period, weighted
    // so opposite edges agree.
    auto field = [&](double u, double v) {
        auto f = [&](double a, double b) { return perlin.GetValue(a, b, 0.37); };
        return f(u, v) * (1 - u) * (1 - v) + f(u - 1, v) * u * (1 - v) +
               f(u, v - 1) * (1 - u) * v + f(u - 1, v - 1) * u * v;
    };
    std::vector<double> h(std::size_t(kS) * kS);
    for (int y = 0; y < kS; ++y)
        for (int x = 0; x < kS; ++x)
            h[std::size_t(y) * kS + x] = field(double(x) / kS, double(y) / kS);
    auto at = [&](int x, int y) {
        return h[std::size_t((y + kS) % kS) * kS + std::size_t((x + kS) % kS)];
    };
    constexpr double kLevels = 14.0; // contour lines per unit of height
    QImage image(kS, kS, QImage::Format_RGB32);
    for (int y = 0; y < kS; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kS; ++x) {
            const double v = at(x, y) * kLevels;
            const double gx = (at(x + 1, y) - at(x - 1, y)) * 0.5 * kLevels;
            const double gy = (at(x, y + 1) - at(x, y - 1)) * 0.5 * kLevels;
            const double slope = std::max(std::hypot(gx, gy), 1e-6);
            // Distance to the nearest contour in pixels, drawn about 1 px wide.
            const double d = std::abs(v - std::round(v)) / slope;
            const double line = std::clamp(1.0 - (d - 0.35), 0.0, 1.0);
            const bool index = (long(std::lround(v)) % 5) == 0;
            const double shade = 47.0 + 3.0 * at(x, y);
            const double c = shade + line * (index ? 9.0 : 5.0);
            const int g = int(std::lround(std::clamp(c, 0.0, 255.0)));
            row[x] = qRgb(g, g, g);
        }
    }
    return image;
}

// ---------------------------------------------------------------------------
// Wait animation and its GIF encoder

// Minimal GIF89a writer: one global 256-colour palette, LZW-coded frames,
// index 0 transparent, looping forever (NETSCAPE2.0). Qt 5 reads GIF but
// cannot write it.
class GifWriter {
public:
    GifWriter(int width, int height, const QVector<QRgb>& palette)
        : m_width(width), m_height(height) {
        m_out += "GIF89a";
        put16(width);
        put16(height);
        m_out += char(0xF7); // global colour table of 2^(7+1) entries, 8-bit colour
        m_out += char(0);    // background index
        m_out += char(0);    // square pixels
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < palette.size() ? palette[i] : 0;
            m_out += char(qRed(c));
            m_out += char(qGreen(c));
            m_out += char(qBlue(c));
        }
        m_out += QByteArray("\x21\xFF\x0B", 3);
        m_out += "NETSCAPE2.0";
        m_out += QByteArray("\x03\x01\x00\x00\x00", 5); // loop count 0: forever
    }

    // `indices` holds width x height palette indices, row by row.
    void addFrame(const std::vector<std::uint8_t>& indices, int delayCs) {
        // Graphic control: restore to background (so transparent pixels of
        // the next frame show what lies behind), transparent index 0.
        m_out += QByteArray("\x21\xF9\x04", 3);
        m_out += char((2 << 2) | 1);
        put16(delayCs);
        m_out += char(0);
        m_out += char(0);
        m_out += char(0x2C);
        put16(0);
        put16(0);
        put16(m_width);
        put16(m_height);
        m_out += char(0); // no local table, not interlaced
        m_out += char(kMinCodeSize);
        const QByteArray data = lzw(indices);
        for (int pos = 0; pos < data.size(); pos += 255) {
            const int n = std::min(255, int(data.size()) - pos);
            m_out += char(n);
            m_out += data.mid(pos, n);
        }
        m_out += char(0);
    }

    QByteArray finish() { return m_out + char(0x3B); }

private:
    static constexpr int kMinCodeSize = 8;

    void put16(int v) {
        m_out += char(v & 0xFF);
        m_out += char((v >> 8) & 0xFF);
    }

    static QByteArray lzw(const std::vector<std::uint8_t>& indices) {
        constexpr int kClear = 1 << kMinCodeSize, kEnd = kClear + 1, kMaxCode = 4095;
        // table[prefix * 256 + byte] = code of that string, 0 when absent.
        std::vector<std::uint16_t> table(std::size_t(kMaxCode + 1) * 256, 0);
        QByteArray out;
        std::uint32_t bits = 0;
        int bitCount = 0;
        int codeSize = kMinCodeSize + 1;
        auto put = [&](int code) {
            bits |= std::uint32_t(code) << bitCount;
            bitCount += codeSize;
            while (bitCount >= 8) {
                out += char(bits & 0xFF);
                bits >>= 8;
                bitCount -= 8;
            }
        };
        int lastCode = kEnd; // highest code assigned so far
        put(kClear);
        if (indices.empty()) {
            put(kEnd);
        } else {
            int prefix = indices[0];
            for (std::size_t i = 1; i < indices.size(); ++i) {
                const int next = indices[i];
                const std::size_t key = std::size_t(prefix) * 256 + std::size_t(next);
                if (table[key] != 0) {
                    prefix = table[key];
                    continue;
                }
                put(prefix);
                table[key] = std::uint16_t(++lastCode);
                // The decoder widens its codes once the code just made no
                // longer fits; it makes each code one step later than we do.
                if (lastCode >= (1 << codeSize) && codeSize < 12)
                    ++codeSize;
                if (lastCode == kMaxCode) {
                    put(kClear);
                    std::fill(table.begin(), table.end(), std::uint16_t(0));
                    codeSize = kMinCodeSize + 1;
                    lastCode = kEnd;
                }
                prefix = next;
            }
            put(prefix);
            // The decoder makes one more code after reading the last one,
            // which may widen the end code.
            if (lastCode + 1 >= (1 << codeSize) && codeSize < 12)
                ++codeSize;
            put(kEnd);
        }
        if (bitCount > 0)
            out += char(bits & 0xFF);
        return out;
    }

    int m_width;
    int m_height;
    QByteArray m_out;
};

// A ring of twelve rounded spokes whose brightness runs round once per loop.
// Every pixel is the accent colour at some coverage over the window's panel
// colour, so a palette along that line holds the picture exactly.
QByteArray waitAnimation() {
    constexpr int kS = 64, kSpokes = 12, kDelayCs = 8;
    QVector<QRgb> palette(256, 0);
    for (int i = 1; i < 256; ++i) {
        const double t = (i - 1) / 254.0;
        auto mix = [&](int a, int b) { return int(std::lround(a + (b - a) * t)); };
        palette[i] = qRgb(mix(kPanel.red(), kAccent.red()), mix(kPanel.green(), kAccent.green()),
                          mix(kPanel.blue(), kAccent.blue()));
    }
    GifWriter gif(kS, kS, palette);
    for (int frame = 0; frame < kSpokes; ++frame) {
        QImage image = transparentImage(kS, kS);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate(kS / 2.0, kS / 2.0);
            p.setPen(Qt::NoPen);
            for (int s = 0; s < kSpokes; ++s) {
                // The lead spoke advances clockwise; the ones behind it fade.
                const int age = (frame - s + kSpokes) % kSpokes;
                const double strength = 1.0 - 0.8 * age / (kSpokes - 1);
                p.save();
                p.rotate(s * 360.0 / kSpokes);
                p.setBrush(QColor(255, 195, 0, int(std::lround(255 * strength))));
                p.drawRoundedRect(QRectF(-2.6, -27, 5.2, 12), 2.6, 2.6);
                p.restore();
            }
        }
        std::vector<std::uint8_t> indices(std::size_t(kS) * kS);
        for (int y = 0; y < kS; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < kS; ++x) {
                const int a = qAlpha(row[x]);
                indices[std::size_t(y) * kS + x] =
                    a == 0 ? 0 : std::uint8_t(1 + std::lround(a / 255.0 * 254.0));
            }
        }
        gif.addFrame(indices, kDelayCs);
    }
    return gif.finish();
}

// ---------------------------------------------------------------------------

bool save(const QImage& image, const QString& path, int quality = -1) {
    if (!image.save(path, nullptr, quality)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

bool saveBytes(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Text needs a GUI application, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make_icons <resources folder>\n";
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << out.path() << '\n';
        return 1;
    }
    auto path = [&](const char* name) { return out.filePath(QLatin1String(name)); };
    bool ok = true;
    for (int i = 0; i < morvane::kCurveProfileCount; ++i)
        ok &= save(curvePlot(i), out.filePath(QStringLiteral("curve_%1.jpg").arg(i)), 100);
    for (int i = 0; i < morvane::kTerraceProfileCount; ++i)
        ok &= save(terracePlot(i), out.filePath(QStringLiteral("terrace_%1.jpg").arg(i)), 100);
    ok &= save(logo(), path("logo.png"));
    ok &= save(menuIcon(), path("icon.png"));
    ok &= save(helpIcon(), path("help.png"));
    ok &= save(balloonIcon(), path("balloon.png"));
    ok &= save(refreshIcon(), path("refresh.png"));
    ok &= save(toolBelowZero(), path("tool_below0.png"));
    ok &= save(toolBoundingAll(), path("tool_bounding_all.png"));
    ok &= save(toolDelete(), path("tool_delete.png"));
    ok &= save(toolDeleteAll(), path("tool_delete_all.png"));
    ok &= save(toolDeleteLastBatch(), path("tool_delete_last_batch.png"));
    ok &= save(toolReposition(), path("tool_reposition.png"));
    ok &= save(toolStack(), path("tool_stack.png"));
    ok &= save(noThumbnail(), path("none.jpg"), 95);
    ok &= save(background(), path("bg.jpg"), 92);
    ok &= saveBytes(waitAnimation(), path("wait.gif"));
    return ok ? 0 : 1;
}
