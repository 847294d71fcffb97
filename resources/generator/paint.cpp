// Paints every picture of the program: the frames of the braking animation, the frames of the
// three alert texts, the window backgrounds, the picture buttons, the road sign, the icon and the
// hand cursor. Deterministic: seeded noise, fonts loaded from the Liberation files, our own
// palette reduction, so every machine writes the same files.
//
// Re-run it with:   cmake --build <build-dir> --target pictures
// which runs  paint-pictures <source>/resources/pictures <build-dir>/resources/contact-sheet.png
// and rewrites the committed PNG files (8-bit palette, at most 256 colours). Beside them, in
// <source>/resources/icons, it writes the large application icons for the desktop launchers
// (full colour with smooth alpha). The contact sheet shows everything at twice the size for a
// look by eye; it is not committed.

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "resources/frames.h"

namespace {

// ---------------------------------------------------------------- randomness and noise

// mt19937 is fully specified by the standard; the distributions are not, so we scale by hand.
class Rng {
public:
    explicit Rng(uint32_t seed) : gen_(seed) {}
    double uni() { return (gen_() >> 5) * (1.0 / 134217728.0); }
    double range(double a, double b) { return a + (b - a) * uni(); }
    int irange(int a, int b) { return a + int(uni() * (b - a + 1)); }

private:
    std::mt19937 gen_;
};

double hash2(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double valueNoise(double x, double y, uint32_t seed) {
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = hash2(x0, y0, seed), b = hash2(x0 + 1, y0, seed);
    const double c = hash2(x0, y0 + 1, seed), d = hash2(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// Fractal noise in 0..1.
double fbm(double x, double y, uint32_t seed, int octaves = 4) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + i * 101);
        norm += amp;
        amp *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}

int clamp255(double v) {
    return std::clamp(int(std::lround(v)), 0, 255);
}

QColor shade(const QColor& c, double f) {
    return QColor(clamp255(c.red() * f), clamp255(c.green() * f), clamp255(c.blue() * f),
                  c.alpha());
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor(clamp255(a.red() + (b.red() - a.red()) * t),
                  clamp255(a.green() + (b.green() - a.green()) * t),
                  clamp255(a.blue() + (b.blue() - a.blue()) * t));
}

QImage canvas(int w, int h, const QColor& fill = Qt::transparent) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

// Adds brightness noise to every opaque pixel, like grain in a photograph.
void grain(QImage& img, double amount, uint32_t seed) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) != 255) continue;
            const double n = (hash2(x, y, seed) - 0.5) * 2 * amount;
            line[x] = qRgb(clamp255(qRed(line[x]) + n), clamp255(qGreen(line[x]) + n),
                           clamp255(qBlue(line[x]) + n));
        }
    }
}

// ---------------------------------------------------------------- palette reduction

struct Box {
    std::vector<std::pair<QRgb, int>> colours;
};

int channel(QRgb c, int i) {
    return i == 0 ? qRed(c) : i == 1 ? qGreen(c) : qBlue(c);
}

// Median cut over the image's colours, then nearest-colour mapping. Pixels that are exactly one
// of the key colours keep it, and no other pixel is mapped to a key colour, so painted marks keep
// their exact colour. Alpha is either 0 or 255 (transparent pixels get palette entry 0).
QImage toIndexed(const QImage& src, int maxColours, const std::vector<QRgb>& keys = {}) {
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    bool hasTransparent = false;
    QHash<QRgb, int> counts;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) < 128) {
                hasTransparent = true;
                continue;
            }
            const QRgb c = line[x] | 0xFF000000u;
            if (std::find(keys.begin(), keys.end(), c) != keys.end()) continue;
            counts[c] += 1;
        }
    }
    QList<QRgb> table;
    if (hasTransparent) table.append(qRgba(0, 0, 0, 0));
    for (QRgb k : keys)
        table.append(k);
    const int fixedCount = int(table.size());
    const int boxesWanted = maxColours - fixedCount;

    // Sorted, so the result does not depend on the hash order.
    std::vector<std::pair<QRgb, int>> all;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        all.emplace_back(it.key(), it.value());
    std::sort(all.begin(), all.end());
    std::vector<Box> boxes;
    if (!all.empty()) boxes.push_back(Box{all});
    while (int(boxes.size()) < boxesWanted) {
        // Split the box with the widest channel range weighted by its pixel count.
        int best = -1, bestChannel = 0;
        double bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].colours.size() < 2) continue;
            long pixels = 0;
            for (auto& [c, n] : boxes[i].colours)
                pixels += n;
            for (int ch = 0; ch < 3; ++ch) {
                int lo = 255, hi = 0;
                for (auto& [c, n] : boxes[i].colours) {
                    lo = std::min(lo, channel(c, ch));
                    hi = std::max(hi, channel(c, ch));
                }
                const double score = double(hi - lo) * std::sqrt(double(pixels));
                if (score > bestScore) {
                    bestScore = score;
                    best = i;
                    bestChannel = ch;
                }
            }
        }
        if (best < 0) break;
        auto& cs = boxes[best].colours;
        std::stable_sort(cs.begin(), cs.end(), [&](auto& a, auto& b) {
            return channel(a.first, bestChannel) < channel(b.first, bestChannel);
        });
        long pixels = 0;
        for (auto& [c, n] : cs)
            pixels += n;
        long acc = 0;
        size_t cut = 1;
        for (size_t i = 0; i < cs.size() - 1; ++i) {
            acc += cs[i].second;
            cut = i + 1;
            if (acc * 2 >= pixels) break;
        }
        Box upper{std::vector<std::pair<QRgb, int>>(cs.begin() + cut, cs.end())};
        cs.resize(cut);
        boxes.push_back(std::move(upper));
    }
    for (auto& b : boxes) {
        double r = 0, g = 0, bl = 0, n = 0;
        for (auto& [c, k] : b.colours) {
            r += qRed(c) * k;
            g += qGreen(c) * k;
            bl += qBlue(c) * k;
            n += k;
        }
        table.append(qRgb(clamp255(r / n), clamp255(g / n), clamp255(bl / n)));
    }

    QImage out(img.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    QHash<QRgb, int> cache;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) < 128) {
                dst[x] = 0;
                continue;
            }
            const QRgb c = line[x] | 0xFF000000u;
            auto it = cache.constFind(c);
            if (it != cache.constEnd()) {
                dst[x] = uchar(*it);
                continue;
            }
            int index = -1;
            for (int k = 0; k < int(keys.size()); ++k)
                if (keys[k] == c) index = (hasTransparent ? 1 : 0) + k;
            if (index < 0) {
                long bestDist = -1;
                for (int i = fixedCount; i < int(table.size()); ++i) {
                    const long dr = qRed(c) - qRed(table[i]), dg = qGreen(c) - qGreen(table[i]),
                               db = qBlue(c) - qBlue(table[i]);
                    const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (bestDist < 0 || d < bestDist) {
                        bestDist = d;
                        index = i;
                    }
                }
            }
            cache.insert(c, index);
            dst[x] = uchar(index);
        }
    }
    return out;
}

// ---------------------------------------------------------------- fonts

QString sansFamily, serifFamily;

void loadFonts() {
    const QString dir = QStringLiteral("/usr/share/fonts/truetype/liberation2/");
    for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                             "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(dir + QLatin1String(file));
        if (id < 0) {
            std::fprintf(stderr, "cannot load font %s%s\n", qPrintable(dir), file);
            std::exit(1);
        }
        const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
        if (QLatin1String(file).startsWith(QLatin1String("LiberationSans")))
            sansFamily = family;
        else
            serifFamily = family;
    }
}

QFont font(const QString& family, int pixelSize, bool bold) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setKerning(true);
    return f;
}

// The largest pixel size at which the text fits into the box.
QFont fittingFont(const QString& family, bool bold, const QString& text, double width,
                  double height) {
    for (int px = 40; px > 6; --px) {
        const QFont f = font(family, px, bold);
        const QFontMetricsF m(f);
        if (m.horizontalAdvance(text) <= width && m.ascent() + m.descent() * 0.4 <= height)
            return f;
    }
    return font(family, 7, bold);
}

// ---------------------------------------------------------------- forest pieces

void drawFir(QPainter& p, double x, double base, double height, double width, const QColor& c,
             Rng& rng) {
    // Tiers of drooping branches, narrowing towards a sharp tip.
    QPainterPath path;
    const int tiers = std::max(3, int(height / 5));
    path.moveTo(x, base - height);
    for (int i = 1; i <= tiers; ++i) {
        const double t = double(i) / tiers;
        const double y = base - height + height * t;
        const double w = width * 0.5 * (0.25 + 0.75 * t) * rng.range(0.85, 1.15);
        path.lineTo(x + w, y);
        path.lineTo(x + w * 0.45, y - height / tiers * 0.35);
    }
    path.lineTo(x + width * 0.08, base);
    path.lineTo(x - width * 0.08, base);
    for (int i = tiers; i >= 1; --i) {
        const double t = double(i) / tiers;
        const double y = base - height + height * t;
        const double w = width * 0.5 * (0.25 + 0.75 * t) * rng.range(0.85, 1.15);
        path.lineTo(x - w * 0.45, y - height / tiers * 0.35);
        path.lineTo(x - w, y);
    }
    path.closeSubpath();
    QLinearGradient g(x - width / 2, 0, x + width / 2, 0);
    g.setColorAt(0, shade(c, 0.8));
    g.setColorAt(0.6, c);
    g.setColorAt(1, shade(c, 1.2));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}

void drawLeafTree(QPainter& p, double x, double base, double height, double width, const QColor& c,
                  Rng& rng, bool trunk = true) {
    if (trunk) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(58, 50, 42));
        p.drawRect(QRectF(x - width * 0.05, base - height * 0.45, width * 0.1, height * 0.45));
    }
    const int blobs = std::max(4, int(width * height / 40));
    for (int i = 0; i < blobs; ++i) {
        const double bx = x + rng.range(-0.38, 0.38) * width;
        const double by = base - height * rng.range(0.35, 0.85);
        const double r = rng.range(0.18, 0.32) * width;
        QRadialGradient g(bx - r * 0.3, by - r * 0.4, r * 1.3);
        g.setColorAt(0, shade(c, rng.range(1.2, 1.45)));
        g.setColorAt(0.7, c);
        g.setColorAt(1, shade(c, 0.7));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(bx, by), r, r * 0.9);
    }
}

void drawBush(QPainter& p, double x, double base, double width, double height, const QColor& c,
              Rng& rng) {
    const int blobs = std::max(3, int(width / 3));
    for (int i = 0; i < blobs; ++i) {
        const double bx = x + rng.range(0.1, 0.9) * width;
        const double r = rng.range(0.25, 0.45) * height;
        const double by = base - r * rng.range(0.6, 1.3);
        QRadialGradient g(bx - r * 0.3, by - r * 0.5, r * 1.4);
        g.setColorAt(0, shade(c, 1.45));
        g.setColorAt(0.6, c);
        g.setColorAt(1, shade(c, 0.65));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(bx, by), r, r);
    }
}

// Grey sky with soft clouds, lighter towards the horizon.
void paintSky(QImage& img, int horizon, const QColor& top, const QColor& low, uint32_t seed,
              double scale = 1.0) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double t = std::min(1.0, double(y) / std::max(1, horizon));
        const QColor base = mix(top, low, t);
        for (int x = 0; x < img.width(); ++x) {
            const double n = fbm(x / (38.0 * scale), y / (14.0 * scale), seed) - 0.5;
            const double f = 1 + n * 0.16;
            line[x] = qRgb(clamp255(base.red() * f), clamp255(base.green() * f),
                           clamp255(base.blue() * f));
        }
    }
}

// A tree line: hazy far trees, then firs and broad-leaved trees; the base at `base`.
// Trees whose trunk would stand between clearFrom and clearTo are left out (a clearing).
void paintTreeLine(QPainter& p, double x0, double x1, double base, double minH, double maxH,
                   uint32_t seed, double scale = 1.0, double clearFrom = 0, double clearTo = 0) {
    const auto cleared = [&](double x, double halfWidth) {
        return x + halfWidth > clearFrom && x - halfWidth < clearTo;
    };
    Rng rng(seed);
    // Far, hazy layer.
    QPainterPath far;
    far.moveTo(x0, base);
    for (double x = x0; x <= x1; x += 1.0 * scale) {
        const double h = minH * 0.75 + (maxH - minH) * 0.6 * fbm(x / (9.0 * scale), 0.5, seed) +
                         3 * scale * (hash2(int(x / scale), 3, seed) > 0.8);
        far.lineTo(x, base - (cleared(x, 0) ? h * 0.7 : h));
    }
    far.lineTo(x1, base);
    far.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 104, 98));
    p.drawPath(far);
    // Middle layer of firs.
    for (double x = x0 - 5 * scale; x < x1 + 5 * scale; x += rng.range(3.0, 7.0) * scale) {
        const double h = rng.range(minH * 0.8, maxH * 0.85);
        const double w = h * rng.range(0.32, 0.42);
        if (cleared(x, w * 0.3)) continue;
        drawFir(p, x, base + 1, h, w, QColor(50, 70, 58), rng);
    }
    // Front layer: firs mixed with broad-leaved trees.
    for (double x = x0 - 5 * scale; x < x1 + 5 * scale; x += rng.range(6.0, 15.0) * scale) {
        const double h = rng.range(minH, maxH);
        if (cleared(x, h * 0.3)) {
            rng.uni();
            continue;
        }
        if (rng.uni() < 0.62)
            drawFir(p, x, base + 2, h, h * rng.range(0.32, 0.42), QColor(26, 48, 32), rng);
        else
            drawLeafTree(p, x, base + 2, h * 0.85, h * rng.range(0.55, 0.75), QColor(44, 72, 36),
                         rng);
    }
}

// ---------------------------------------------------------------- the animation scene

constexpr int StripW = 598, StripH = 62;
constexpr int MaxShift = 132; // how far the scenery moves right from frame 101 to frame 116
constexpr int PanoramaW = StripW + MaxShift;
constexpr int RoadTop = 46;
constexpr int GroundRow = 57; // lowest row of the tyres

// The forest roadside, wide enough for every frame's view.
QImage paintPanorama() {
    QImage img = canvas(PanoramaW, StripH, Qt::white);
    paintSky(img, 40, QColor(150, 155, 160), QColor(206, 208, 208), 11);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintTreeLine(p, -10, PanoramaW + 10, RoadTop - 1, 14, 36, 21, 1.0, 262, 284);

    Rng rng(31);
    // The dead trunk: a tall silver-grey snag with broken branches.
    {
        const double x = 470, base = RoadTop - 1;
        QLinearGradient g(x - 3, 0, x + 3, 0);
        g.setColorAt(0, QColor(105, 100, 92));
        g.setColorAt(0.4, QColor(178, 172, 160));
        g.setColorAt(1, QColor(92, 86, 78));
        QPainterPath trunk;
        trunk.moveTo(x - 3.2, base);
        trunk.lineTo(x - 1.6, 4);
        trunk.lineTo(x - 0.2, 2);
        trunk.lineTo(x + 1.0, 5);
        trunk.lineTo(x + 3.0, base);
        trunk.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(trunk);
        QPen branch(QColor(140, 134, 122), 1.2);
        branch.setCapStyle(Qt::RoundCap);
        p.setPen(branch);
        p.drawLine(QPointF(x - 1, 12), QPointF(x - 9, 6));
        p.drawLine(QPointF(x - 6, 8), QPointF(x - 8, 3));
        p.drawLine(QPointF(x + 1, 18), QPointF(x + 10, 11));
        p.drawLine(QPointF(x + 6, 14), QPointF(x + 8, 9));
        p.drawLine(QPointF(x - 1, 25), QPointF(x - 7, 21));
        p.drawLine(QPointF(x + 1, 30), QPointF(x + 6, 27));
    }
    // The side road leading off into the forest through a clearing, in the left half of the
    // first frame's view: it narrows towards a far bend, with a dashed centre line.
    {
        const double cx = 272, top = 31;
        QPainterPath side;
        side.moveTo(cx - 50, RoadTop + 1);
        side.cubicTo(cx - 20, 40, cx - 6, 35, cx + 2, top);
        side.lineTo(cx + 6, top);
        side.cubicTo(cx + 6, 35, cx + 14, 40, cx + 34, RoadTop + 1);
        side.closeSubpath();
        QLinearGradient g(0, top, 0, RoadTop);
        g.setColorAt(0, QColor(128, 130, 130));
        g.setColorAt(1, QColor(104, 104, 106));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(side);
        QPen dash(QColor(214, 214, 206), 0.9);
        dash.setDashPattern({2.5, 2.5});
        p.setPen(dash);
        QPainterPath centre;
        centre.moveTo(cx - 8, RoadTop + 1);
        centre.cubicTo(cx - 3, 40, cx + 1, 36, cx + 4, top + 1);
        p.setBrush(Qt::NoBrush);
        p.drawPath(centre);
        // Trees close in on both sides of the far end.
        Rng edge(33);
        for (double x : {cx - 16.0, cx - 9.0, cx + 14.0, cx + 20.0})
            drawFir(p, x, 41, edge.range(16, 22), 9, QColor(30, 52, 36), edge);
    }
    // Bushes along the verge.
    for (double x = -8; x < PanoramaW; x += rng.range(14, 38)) {
        if (x > 205 && x < 305) continue; // keep the side road clear
        const double w = rng.range(10, 26);
        const QColor c = rng.uni() < 0.3 ? QColor(88, 104, 40) : QColor(48, 84, 38);
        drawBush(p, x, RoadTop + 1, w, rng.range(7, 13), c, rng);
    }
    // Verge grass.
    for (int x = 0; x < PanoramaW; ++x) {
        if (x > 224 && x < 305) continue;
        const double h = 1.5 + 3 * hash2(x, 1, 41);
        p.setPen(QPen(mix(QColor(70, 96, 44), QColor(120, 130, 60), hash2(x, 2, 41)), 1));
        p.drawLine(QPointF(x + 0.5, RoadTop + 1), QPointF(x + 0.5, RoadTop + 1 - h));
    }
    p.end();

    // The road the car drives along: asphalt with grain, a pale edge and a gravel shoulder.
    for (int y = RoadTop + 1; y < StripH; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < PanoramaW; ++x) {
            double v = 122 - (y - RoadTop) * 0.9 + (fbm(x / 6.0, y / 3.0, 51) - 0.5) * 18 +
                       (hash2(x, y, 52) - 0.5) * 10;
            if (y == RoadTop + 1) v = 150 + (hash2(x, y, 53) - 0.5) * 16;
            if (y == RoadTop + 2) v = 138;
            if (y >= StripH - 1) v = 150 + (hash2(x, y, 54) - 0.5) * 30;
            line[x] = qRgb(clamp255(v), clamp255(v), clamp255(v + 3));
        }
    }
    return img;
}

// What the frame tables fix, plus the scenery shift we chose for each frame. Columns are
// inclusive; -1 means none.
struct Frame {
    int number;
    int carLeft, carRight; // red car's extent, -1 for none
    int skidLeft, skidRight;
    int shift;   // scenery moved right by this many pixels against frame 101
    double dip;  // nose-down pitch of the red car, degrees
    int crush;   // pixels of the red car's front pushed in
    int greyCar; // 0 none, 1 standing, 2 pressed, 3 crushed and tilted
};

// The skid mark starts where the rear wheels locked; that spot stays put in the scenery, so
// the scenery shift follows the mark's right end.
const std::vector<Frame>& stripFrames() {
    static const std::vector<Frame> list = {
        {101, 473, 594, -1, -1, 0, 0, 0, 0},     {102, 451, 572, -1, -1, 3, 0, 0, 0},
        {103, 410, 531, -1, -1, 7, 0, 0, 0},     {104, 367, 488, -1, -1, 11, 0, 0, 0},
        {105, 329, 450, -1, -1, 15, 0, 0, 0},    {106, 287, 408, -1, -1, 19, 0, 0, 0},
        {107, 201, 322, -1, -1, 25, 0, 0, 0},    {108, 183, 304, -1, -1, 28, 0, 0, 0},
        {109, 164, 285, 184, 260, 32, 0, 0, 0},  {110, 148, 269, 171, 274, 46, 0, 0, 0},
        {111, 138, 259, 159, 281, 53, 0, 0, 0},  {112, 83, 204, 104, 294, 66, 0, 0, 0},
        {113, 57, 178, 78, 304, 76, 0, 0, 0},    {114, 44, 165, 72, 311, 83, 1.6, 0, 0},
        {115, 24, 145, 41, 336, 108, 2.2, 0, 0}, {116, 7, 128, 30, 360, 132, 2.6, 0, 0},
        {117, -1, -1, -1, -1, 0, 0, 0, 0},       {208, 183, 304, -1, -1, 28, 0, 0, 1},
        {209, 164, 285, 184, 260, 32, 0, 0, 1},  {210, 148, 269, 171, 274, 46, 0, 0, 1},
        {211, 138, 259, 159, 281, 53, 0, 0, 1},  {212, 83, 204, 104, 294, 66, 0, 0, 1},
        {213, 57, 178, 78, 304, 76, 0, 0, 1},    {214, 44, 165, 72, 311, 83, 1.6, 0, 1},
        {215, 33, 147, 47, 336, 108, 2.2, 7, 2}, {216, 24, 132, 31, 358, 130, 1.2, 12, 3},
    };
    return list;
}

// Red as the test measures it: the car body and the skid mark are the only such pixels.
bool isRed(QRgb c) {
    return qRed(c) >= 170 && qGreen(c) <= 70 && qBlue(c) <= 70;
}

const QRgb SkidRed = qRgb(200, 0, 0);

constexpr int CarLength = 122, CarHeight = 24;

// The long red car with tail fins, side view, facing left; the front at x = 0, the lowest tyre
// pixel at y = CarHeight - 1. `crush` pushes the front in, `dip` pitches the body nose-down.
QImage paintRedCar(double dip, int crush) {
    const int margin = 6;
    QImage img = canvas(CarLength + 2 * margin, CarHeight + 2 * margin);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(margin, margin);
    const double wheelY = CarHeight - 6.5, wheelR = 6.0;
    const double frontWheel = 24, rearWheel = 95;

    p.save();
    // Pitch the body about the rear axle; the wheels stay on the road.
    p.translate(rearWheel, wheelY);
    p.rotate(-dip);
    p.translate(-rearWheel, -wheelY);
    const double n = crush; // front end
    QPainterPath body;
    body.moveTo(n, 11.5);                       // nose top
    body.cubicTo(n + 6, 9.5, 24, 9.2, 37, 9.0); // long hood
    body.lineTo(46, 2.2);                       // windscreen
    body.lineTo(72, 1.8);                       // roof
    body.lineTo(83, 8.6);                       // rear window
    body.lineTo(108, 8.2);                      // trunk deck
    body.lineTo(121.5, 3.0);                    // rising fin to its tip
    body.lineTo(121.5, 10.0);
    body.lineTo(120.5, 16.5); // tail
    body.lineTo(rearWheel + 9, 17.5);
    body.arcTo(QRectF(rearWheel - 8, wheelY - 8, 16, 16), 0, 180); // rear wheel arch
    body.lineTo(frontWheel + 8, 17.8);
    body.arcTo(QRectF(frontWheel - 8, wheelY - 8, 16, 16), 0, 180); // front wheel arch
    body.lineTo(n + 1.5, 17.5);
    body.lineTo(n, 15.5);
    body.closeSubpath();
    QLinearGradient paint(0, 2, 0, 18);
    paint.setColorAt(0, QColor(250, 70, 60));
    paint.setColorAt(0.45, QColor(226, 22, 26));
    paint.setColorAt(1, QColor(196, 14, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(paint);
    p.drawPath(body);
    // Glasshouse.
    QPainterPath glass;
    glass.moveTo(39.5, 9.0);
    glass.lineTo(47, 3.6);
    glass.lineTo(71, 3.3);
    glass.lineTo(80, 8.7);
    glass.closeSubpath();
    QLinearGradient sky(0, 3, 0, 9);
    sky.setColorAt(0, QColor(205, 215, 222));
    sky.setColorAt(1, QColor(110, 125, 138));
    p.setBrush(sky);
    p.drawPath(glass);
    p.setPen(QPen(QColor(214, 24, 28), 1.6));
    p.drawLine(QPointF(59, 3.2), QPointF(60, 9.0)); // door pillar
    // Chrome side spear and the flash along the fin.
    p.setPen(QPen(QColor(228, 230, 232), 1.0));
    p.drawLine(QPointF(n + 10, 12.5), QPointF(112, 12.0));
    p.setPen(QPen(QColor(150, 16, 20), 1.0));
    p.drawLine(QPointF(44, 10.2), QPointF(44, 17.2)); // door gap
    p.drawLine(QPointF(76, 10.0), QPointF(76, 17.2));
    p.setPen(Qt::NoPen);
    // Bumpers, headlight, tail light.
    p.setBrush(QColor(210, 212, 215));
    p.drawRoundedRect(QRectF(n + 0.5, 15.0, 9, 2.8), 1, 1);
    p.drawRoundedRect(QRectF(110, 14.2, 10, 2.8), 1, 1);
    p.setBrush(QColor(255, 250, 220));
    p.drawEllipse(QRectF(n + 0.8, 11.6, 2.4, 2.6));
    p.setBrush(QColor(255, 40, 30));
    p.drawRect(QRectF(118.8, 5.5, 2.5, 5));
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(QRectF(63, 11.0, 3, 0.9)); // door handle
    if (crush > 0) {
        // Crumpled bonnet: dark creases.
        p.setPen(QPen(QColor(120, 10, 12), 1.0));
        p.drawLine(QPointF(n + 3, 10.5), QPointF(n + 6, 14));
        p.drawLine(QPointF(n + 6, 14), QPointF(n + 9, 10.2));
        p.drawLine(QPointF(n + 9, 10.2), QPointF(n + 12, 13.5));
    }
    p.restore();

    // Wheels: black tyres, whitewalls, hub caps.
    for (double cx : {frontWheel + (crush > 0 ? 2.0 : 0.0), rearWheel}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(22, 22, 22));
        p.drawEllipse(QPointF(cx, wheelY), wheelR, wheelR);
        p.setBrush(QColor(225, 225, 222));
        p.drawEllipse(QPointF(cx, wheelY), 4.0, 4.0);
        p.setBrush(QColor(60, 60, 62));
        p.drawEllipse(QPointF(cx, wheelY), 2.9, 2.9);
        p.setBrush(QColor(190, 192, 196));
        p.drawEllipse(QPointF(cx, wheelY), 1.8, 1.8);
    }
    p.end();
    return img;
}

// The dark grey modern hatchback standing ahead, facing left; its rear at x = GreyLength - 1.
constexpr int GreyLength = 84;

QImage paintGreyCar(int crush) {
    const int margin = 8;
    QImage img = canvas(GreyLength + 2 * margin, CarHeight + 2 * margin);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(margin, margin);
    const double wheelY = CarHeight - 6.5, r = 6.0;
    const double frontWheel = 15, rearWheel = 66;
    const double rear = GreyLength - 1 - crush;
    QPainterPath body;
    body.moveTo(0, 12);
    body.cubicTo(3, 9.5, 12, 8.5, 22, 7.8);
    body.lineTo(34, 1.2);
    body.lineTo(62, 0.8);
    body.cubicTo(72, 1.5, rear - 3, 3.5, rear - 1, 6.5);
    if (crush > 0) {
        // Pushed-in rear: a jagged, folded tail.
        body.lineTo(rear + 1.5, 8.5);
        body.lineTo(rear - 2.5, 10.5);
        body.lineTo(rear + 1.5, 13.0);
        body.lineTo(rear - 1.5, 14.5);
    }
    body.lineTo(rear, 16.5);
    body.lineTo(rear - 2, 18.2);
    body.lineTo(rearWheel + 8, 18.2);
    body.arcTo(QRectF(rearWheel - 7.5, wheelY - 7.5, 15, 15), 0, 180);
    body.lineTo(frontWheel + 8, 18.2);
    body.arcTo(QRectF(frontWheel - 7.5, wheelY - 7.5, 15, 15), 0, 180);
    body.lineTo(1, 18);
    body.closeSubpath();
    QLinearGradient paint(0, 0, 0, 18);
    paint.setColorAt(0, QColor(168, 172, 178));
    paint.setColorAt(0.35, QColor(108, 112, 118));
    paint.setColorAt(1, QColor(66, 69, 74));
    p.setPen(QPen(QColor(36, 38, 42), 0.9));
    p.setBrush(paint);
    p.drawPath(body);
    QPainterPath glass;
    glass.moveTo(24, 7.4);
    glass.lineTo(35, 2.4);
    glass.lineTo(61, 2.1);
    glass.cubicTo(68, 2.6, 73, 4.5, 76, 6.8);
    glass.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(34, 40, 48));
    p.drawPath(glass);
    p.setBrush(QColor(96, 100, 106));
    p.drawRect(QRectF(47, 2.0, 2.2, 5.2)); // door pillar
    p.setPen(QPen(QColor(190, 194, 200), 0.8));
    p.drawLine(QPointF(6, 10.5), QPointF(rear - 3, 10.0)); // shoulder line catching the light
    p.setPen(QPen(QColor(44, 46, 50), 0.8));
    p.drawLine(QPointF(36, 8), QPointF(36, 17.5));
    p.drawLine(QPointF(58, 8), QPointF(58, 17.5));
    p.setPen(Qt::NoPen);
    // Tail light: deep red, darker than the red car's paint.
    p.setBrush(QColor(140, 24, 30));
    p.drawRect(QRectF(rear - 3.5, 7.5, 3.0, 3.5));
    p.setBrush(QColor(30, 31, 34));
    p.drawRect(QRectF(rear - 9, 14.2, 8.5, 3.0)); // rear bumper
    p.setBrush(QColor(235, 235, 225));
    p.drawRect(QRectF(0.5, 10.5, 3, 2)); // headlight
    for (double cx : {frontWheel, rearWheel}) {
        p.setBrush(QColor(20, 20, 22));
        p.drawEllipse(QPointF(cx, wheelY), r, r);
        p.setBrush(QColor(170, 174, 180));
        p.drawEllipse(QPointF(cx, wheelY), 3.6, 3.6);
        p.setBrush(QColor(90, 94, 100));
        p.drawEllipse(QPointF(cx, wheelY), 1.4, 1.4);
    }
    p.end();
    return img;
}

// Leftmost and rightmost column holding a red pixel above the skid rows, or (-1, -1).
std::pair<int, int> redExtent(const QImage& img, int rowFrom, int rowTo) {
    int lo = -1, hi = -1;
    for (int y = rowFrom; y <= rowTo; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (isRed(img.pixel(x, y))) {
                if (lo < 0 || x < lo) lo = x;
                hi = std::max(hi, x);
            }
    return {lo, hi};
}

QImage paintFrame(const QImage& panorama, const Frame& f) {
    QImage img = panorama.copy(MaxShift - f.shift, 0, StripW, StripH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (f.greyCar) {
        const int crush = f.greyCar == 1 ? 0 : f.greyCar == 2 ? 9 : 20;
        const QImage grey = paintGreyCar(crush);
        const double rearCol = 42 - crush; // the red car's front meets it here
        p.save();
        p.translate(rearCol - (GreyLength - 1 - crush) - 8, GroundRow - (CarHeight - 1) - 8);
        if (f.greyCar == 3) {
            // Rear lifted by the impact: tilt about the front wheel.
            p.translate(8 + 15, 8 + CarHeight - 1);
            p.rotate(-6);
            p.translate(-8 - 15, -8 - CarHeight + 1);
        }
        p.drawImage(0, 0, grey);
        p.restore();
        if (f.greyCar == 3) {
            // Broken glass and a bit of trim on the road.
            Rng bits(216);
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 14; ++i) {
                p.setBrush(i % 3 ? QColor(200, 210, 215) : QColor(60, 62, 66));
                p.drawRect(QRectF(bits.range(14, 46), bits.range(53, 57), 1.2, 1.0));
            }
        }
    }
    if (f.carLeft >= 0) {
        const QImage car = paintRedCar(f.dip, f.crush);
        // Place by the painted red extent, so the table's columns hold exactly.
        const auto [lo, hi] = redExtent(car, 0, car.height() - 1);
        Q_UNUSED(hi);
        const int x = f.carLeft - lo;
        // Soft shadow under the car.
        QRadialGradient shadow(QPointF(f.carLeft + 61, GroundRow), 62);
        shadow.setColorAt(0, QColor(30, 30, 30, 120));
        shadow.setColorAt(1, QColor(30, 30, 30, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawRect(QRectF(f.carLeft - 2, GroundRow - 3, f.carRight - f.carLeft + 4, 3));
        p.drawImage(x, GroundRow - (CarHeight - 1) - 6, car);
    }
    p.end();
    // The skid mark: solid red rubber trace, exactly over its columns.
    if (f.skidLeft >= 0)
        for (int y = 58; y <= 60; ++y)
            for (int x = f.skidLeft; x <= f.skidRight; ++x)
                img.setPixel(x, y, SkidRed);
    return img;
}

// ---------------------------------------------------------------- alert frames

struct AlertSeries {
    int first;
    int width, height;
    QString sentence;
    std::array<QString, 12> red;
    uint32_t seed;
};

const QRgb AlertRed = qRgb(235, 0, 0);
const QRgb AlertPink = qRgb(255, 168, 168);
const QRgb AlertWhite = qRgb(255, 255, 255);

void paintFirTips(QImage& img, double width, double height, uint32_t seed) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(seed);
    // Dark fir tips rising into the lower-left corner, lower towards the right.
    for (double x = -3; x < width; x += rng.range(4.5, 8.0)) {
        const double fall = std::max(0.0, x / width);
        const double h = height * rng.range(0.75, 1.0) * (1 - fall * 0.75);
        drawFir(p, x, img.height() + 2, h + 2, rng.range(6.5, 9.5), QColor(22, 42, 28), rng);
    }
}

// One frame of an alert text: `redChars` letters red, then `pinkChars` letters pale pink, the
// rest white; each letter stays at the place it has in the whole sentence.
QImage paintAlertFrame(const AlertSeries& s, int redChars, int pinkChars) {
    QImage img = canvas(s.width, s.height, Qt::white);
    paintSky(img, s.height, QColor(196, 199, 202), QColor(216, 218, 219), s.seed, 0.6);
    paintFirTips(img, s.width * 0.2, s.height * 0.55, s.seed + 1);
    const QFont f = fittingFont(sansFamily, true, s.sentence, s.width - 6, s.height - 2);
    const QFontMetricsF m(f);
    const double x0 = std::floor((s.width - m.horizontalAdvance(s.sentence)) / 2);
    const double baseline = std::round((s.height + m.ascent() - m.descent()) / 2);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(f);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < s.sentence.size(); ++i) {
            const double x = x0 + m.horizontalAdvance(s.sentence.left(i));
            QColor c = QColor(AlertWhite);
            if (i < redChars)
                c = QColor(AlertRed);
            else if (i < redChars + pinkChars)
                c = QColor(AlertPink);
            p.setPen(pass == 0 ? QColor(70, 74, 78) : c);
            const double d = pass == 0 ? 1 : 0;
            p.drawText(QPointF(x + d, baseline + d), s.sentence.mid(i, 1));
        }
    }
    p.end();
    return img;
}

const std::vector<AlertSeries>& alertSeries() {
    static const std::vector<AlertSeries> list = {
        {frames::kAlertMissing.first,
         283,
         31,
         QStringLiteral("Не установлено одно из значений"),
         {QString(), "Не", "Не уста", "Не установ", "Не установле", "Не установлено",
          "Не установлено од", "Не установлено одно", "Не установлено одно из",
          "Не установлено одно из зна", "Не установлено одно из значе",
          "Не установлено одно из значений"},
         301},
        {frames::kAlertIncomplete.first,
         302,
         24,
         QStringLiteral("Не все данные введены для расчета"),
         {QString(), "Не", "Не все", "Не все дан", "Не все данные", "Не все данные вве",
          "Не все данные введе", "Не все данные введены", "Не все данные введены для",
          "Не все данные введены для рас", "Не все данные введены для расче",
          "Не все данные введены для расчета"},
         401},
        {frames::kAlertRange.first,
         296,
         23,
         QStringLiteral("Ошибка ввода заданного диапазона"),
         {QString(), "О", "Ошиб", "Ошибка", "Ошибка вво", "Ошибка ввода", "Ошибка ввода за",
          "Ошибка ввода задан", "Ошибка ввода заданного", "Ошибка ввода заданного ди",
          "Ошибка ввода заданного диапа", "Ошибка ввода заданного диапазона"},
         501},
    };
    return list;
}

// ---------------------------------------------------------------- window pictures

// The forest tree line under a grey sky behind the alert windows.
QImage paintForest(int w, int h, uint32_t seed) {
    QImage img = canvas(w, h, Qt::white);
    paintSky(img, h, QColor(178, 182, 186), QColor(214, 216, 217), seed);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintTreeLine(p, -10, w + 10, h + 1, h * 0.35, h * 0.62, seed + 3);
    // Darker undergrowth along the bottom edge.
    QLinearGradient g(0, h - 14, 0, h);
    g.setColorAt(0, QColor(14, 30, 18, 0));
    g.setColorAt(1, QColor(14, 30, 18, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(0, h - 14, w, 14);
    p.end();
    grain(img, 6, seed + 5);
    return img;
}

QImage paintForestFramed() {
    QImage img = paintForest(631, 84, 77);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    // Two pixels wide, outer edge at columns 8 and 625, rows 4 and 78.
    p.drawRect(8, 4, 618, 2);
    p.drawRect(8, 77, 618, 2);
    p.drawRect(8, 4, 2, 75);
    p.drawRect(624, 4, 2, 75);
    return img;
}

// The marsh, painted at twice the size and scaled down like a photograph: a pale sky, a narrow
// forest strip with a road, a grey band of open water, then reeds and dark water to the bottom.
QImage paintMarsh() {
    const int S = 2, W = 600 * S, H = 364 * S;
    QImage img = canvas(W, H, Qt::white);
    const int forestBase = 24 * S, waterTop = 27 * S, reedTop = 48 * S;
    paintSky(img, forestBase, QColor(196, 200, 204), QColor(222, 223, 222), 201, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintTreeLine(p, -10, W + 10, forestBase, 7 * S, 18 * S, 202, S);
    // The road along the forest edge: a pale embankment with a darker shoulder.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(58, 66, 50));
    p.drawRect(QRectF(0, forestBase - 1 * S, W, 2.0 * S));
    p.setBrush(QColor(168, 168, 164));
    p.drawRect(QRectF(0, forestBase - 2.2 * S, W, 1.4 * S));
    p.setBrush(QColor(88, 92, 78));
    p.drawRect(QRectF(0, forestBase + 1 * S, W, waterTop - forestBase - 1 * S));
    // Open water: grey, with the tree line's reflection fading out.
    for (int y = waterTop; y < reedTop + 8 * S; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double t = double(y - waterTop) / (reedTop - waterTop);
        for (int x = 0; x < W; ++x) {
            double v = 150 - 30 * t + (fbm(x / (60.0 * S), y / (1.5 * S), 203) - 0.5) * 44;
            if (y < waterTop + 4 * S)
                v -= 45 * (1 - double(y - waterTop) / (4 * S)) * fbm(x / (3.0 * S), 0.3, 204);
            line[x] = qRgb(clamp255(v * 0.97), clamp255(v), clamp255(v * 1.02));
        }
    }
    // Dark water under the reeds: ripples catching the grey sky, greenish depth.
    for (int y = reedTop; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double t = double(y - reedTop) / (H - reedTop);
        for (int x = 0; x < W; ++x) {
            const double ripple = fbm(x / ((30.0 + 90 * t) * S), y / ((1.2 + 3 * t) * S), 205);
            const double shine = std::pow(std::max(0.0, ripple - 0.5) * 2, 1.6) * 95;
            const double v = 22 + shine + 10 * fbm(x / (200.0 * S), y / (80.0 * S), 209);
            line[x] = qRgb(clamp255(v * 0.82), clamp255(v * 1.02), clamp255(v * 0.98));
        }
    }
    // Reeds, from the far edge to the front: blades grow taller and thicker towards the viewer;
    // clumps leave patches of dark water between them.
    Rng rng(206);
    const int blades = 30000;
    std::vector<std::array<double, 3>> bases;
    bases.reserve(blades);
    // A pool of open water in the lower middle, reeds thinning towards it.
    const auto pool = [&](double x, double y) {
        const double dx = (x - 290 * S) / (210.0 * S), dy = (y - 330 * S) / (120.0 * S);
        return dx * dx + dy * dy;
    };
    while (int(bases.size()) < blades) {
        const double x = rng.range(-20 * S, W + 20 * S);
        const double t = std::pow(rng.uni(), 0.8);
        const double y = reedTop + 1 * S + t * (H + 60 * S - reedTop);
        const double density = fbm(x / (40.0 * S), y / (60.0 * S), 207);
        if (density < 0.45 && rng.uni() < 0.9) continue; // channels between the clumps
        const bool inPool = pool(x, y) < 1 + (rng.uni() - 0.5) * 0.6;
        if (inPool && rng.uni() > 0.004) continue; // a few short stems stand in the pool
        bases.push_back({y, x, inPool ? -1.0 : density});
    }
    std::sort(bases.begin(), bases.end());
    for (const auto& [y, x, density] : bases) {
        const double t = std::clamp((y - reedTop) / double(H - reedTop), 0.0, 1.2);
        const double cap = density < 0 ? 30.0 * S : 1e9;
        // Never over the band of open water and the forest at the top.
        const double len = std::min({(8 + 210 * t * t + 50 * t) * S * rng.range(0.6, 1.15),
                                     y - reedTop - rng.range(-2.0, 30.0) * S, cap});
        if (len < 3 * S) continue;
        const double w = (0.3 + 1.5 * t) * S * rng.range(0.7, 1.2);
        const double bend = rng.range(-0.16, 0.16) * len;
        const double haze = std::max(0.0, 1 - t * 4); // far reeds paler, as through air
        const double light = rng.range(0.55, 1.15) * (0.8 + 0.3 * std::abs(density));
        QColor mid = mix(QColor(52, 100, 34), QColor(104, 124, 46), rng.uni());
        QColor tip = mix(QColor(140, 156, 74), QColor(172, 166, 100), rng.uni());
        if (rng.uni() < 0.1) mid = QColor(110, 98, 56); // dry blade
        mid = mix(shade(mid, light), QColor(120, 128, 112), haze * 0.5);
        tip = mix(shade(tip, light), QColor(150, 156, 140), haze * 0.5);
        QPainterPath blade;
        const QPointF base(x, y), top(x + bend, y - len);
        const QPointF ctrl(x + bend * 0.1, y - len * 0.6);
        blade.moveTo(base.x() - w, base.y());
        blade.quadTo(ctrl.x() - w * 0.7, ctrl.y(), top.x(), top.y());
        blade.quadTo(ctrl.x() + w * 0.7, ctrl.y(), base.x() + w, base.y());
        blade.closeSubpath();
        QLinearGradient g(base, top);
        g.setColorAt(0, shade(mid, 0.3));
        g.setColorAt(0.5, mid);
        g.setColorAt(1, tip);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(blade);
        // Brown seed heads on some stems.
        if (t > 0.15 && rng.uni() < 0.015) {
            const double hw = (0.8 + 2.2 * t) * S, hh = (2.5 + 9 * t) * S;
            p.setBrush(QColor(86, 60, 38));
            p.drawRoundedRect(QRectF(top.x() - hw, top.y() + hh * 0.3, 2 * hw, hh), hw, hw);
        }
    }
    p.end();
    QImage small = img.scaled(600, 364, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Vignetting and film grain.
    for (int y = 0; y < small.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(small.scanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            const double dx = (x - 300) / 300.0, dy = (y - 182) / 182.0;
            const double f = 1 - 0.22 * (dx * dx + dy * dy) * 0.5;
            const double n = (hash2(x, y, 208) - 0.5) * 10;
            line[x] = qRgb(clamp255(qRed(line[x]) * f + n), clamp255(qGreen(line[x]) * f + n),
                           clamp255(qBlue(line[x]) * f + n));
        }
    }
    return small;
}

// Dark green grass texture of the picture buttons.
QImage paintGrass(int w, int h, uint32_t seed) {
    QImage img = canvas(w, h, QColor(18, 48, 20));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(seed);
    for (int i = 0; i < w * h / 2; ++i) {
        const double x = rng.range(-2, w + 2), y = rng.range(-2, h + 6);
        const double len = rng.range(3, 8);
        const QColor c = mix(QColor(14, 40, 16), QColor(58, 100, 38), rng.uni());
        p.setPen(QPen(c, rng.range(0.6, 1.1)));
        p.drawLine(QPointF(x, y), QPointF(x + rng.range(-2, 2), y - len));
    }
    p.end();
    return img;
}

// Text with a dark rim so it reads on any background.
void drawLabel(QImage& img, const QFont& f, const QString& text, const QColor& rim) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF m(f);
    const double x = std::round((img.width() - m.horizontalAdvance(text)) / 2);
    const double y = std::round((img.height() + m.ascent() - m.descent()) / 2);
    QPainterPath path;
    path.addText(QPointF(x, y), f, text);
    p.setPen(QPen(rim, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path.translated(0.5, 0.8));
    p.end();
    QPainter t(&img);
    t.setRenderHint(QPainter::TextAntialiasing);
    t.setFont(f);
    t.setPen(Qt::white);
    t.drawText(QPointF(x, y), text);
}

QImage paintGrassButton(int w, int h, const QString& text, bool serif, uint32_t seed) {
    QImage img = paintGrass(w, h, seed);
    const QFont f = fittingFont(serif ? serifFamily : sansFamily, true, text, w - 8, h - 3);
    drawLabel(img, f, text, QColor(6, 20, 8, 200));
    return img;
}

QImage paintCloseButton() {
    QImage img = paintGrassButton(73, 24, QStringLiteral("Закрыть"), false, 61);
    QPainter p(&img);
    QPen dots(QColor(225, 235, 220), 1, Qt::DotLine);
    p.setPen(dots);
    p.drawRect(1, 1, 70, 21);
    return img;
}

QImage paintOkButton() {
    QImage img = canvas(82, 25, Qt::white);
    paintSky(img, 25, QColor(190, 194, 198), QColor(214, 216, 217), 71);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintTreeLine(p, -6, 88, 26, 13, 22, 72);
        QLinearGradient g(0, 10, 0, 25);
        g.setColorAt(0, QColor(12, 28, 16, 0));
        g.setColorAt(1, QColor(12, 28, 16, 230));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(0, 10, 82, 15);
    }
    const QFont f = fittingFont(sansFamily, true, QStringLiteral("ОК"), 60, 20);
    drawLabel(img, f, QStringLiteral("ОК"), QColor(10, 22, 12, 230));
    return img;
}

QImage paintSpeedSign() {
    QImage img = canvas(25, 26);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 122, 126));
    p.drawRect(QRectF(11, 22, 3, 4)); // post
    p.setBrush(QColor(214, 16, 24));
    p.drawEllipse(QRectF(0, 0, 25, 25));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3.6, 3.6, 17.8, 17.8));
    QFont f = font(sansFamily, 11, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, 25.5, 25.5), Qt::AlignCenter, QStringLiteral("60"));
    p.end();
    // Hard edge so the corners are fully transparent.
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 25; ++x)
            if (qAlpha(img.pixel(x, y)) < 110) img.setPixel(x, y, qRgba(0, 0, 0, 0));
    return img;
}

// A blue car from the front: windscreen, round headlights, grille and number plate. Drawn on a
// 32-unit grid and scaled to `size` pixels, so the launchers' large icons are the same car with
// smooth edges rather than an enlarged bitmap.
QImage paintCar(int size) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 16, 20));
    p.drawRoundedRect(QRectF(3, 23, 5, 7), 1.5, 1.5); // tyres
    p.drawRoundedRect(QRectF(24, 23, 5, 7), 1.5, 1.5);
    QPainterPath body;
    body.moveTo(7, 13);
    body.lineTo(10, 4);
    body.lineTo(22, 4);
    body.lineTo(25, 13);
    body.lineTo(30, 14);
    body.lineTo(31, 26);
    body.lineTo(1, 26);
    body.lineTo(2, 14);
    body.closeSubpath();
    p.setBrush(QColor(30, 70, 200));
    p.drawPath(body);
    p.setBrush(QColor(20, 40, 130));
    p.drawRect(QRectF(1, 22, 30, 4)); // lower body
    p.setBrush(QColor(170, 215, 245));
    QPainterPath screen;
    screen.moveTo(9, 12);
    screen.lineTo(11.5, 6);
    screen.lineTo(20.5, 6);
    screen.lineTo(23, 12);
    screen.closeSubpath();
    p.drawPath(screen);
    p.setBrush(QColor(250, 250, 200));
    p.drawEllipse(QPointF(6, 18), 3, 3);
    p.drawEllipse(QPointF(26, 18), 3, 3);
    p.setBrush(QColor(160, 160, 170));
    p.drawRect(QRectF(11, 16, 10, 4)); // grille
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10, 22, 12, 4)); // number plate
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(12, 24), QPointF(20, 24));
    p.end();
    return img;
}

// The window icon: 32 x 32 in 16 colours, with hard edges so its corners are fully transparent.
QImage paintIcon() {
    QImage img = paintCar(32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(img.pixel(x, y)) < 128) img.setPixel(x, y, qRgba(0, 0, 0, 0));
    return img;
}

// A white hand pointing left with a black outline; the tip of the index finger is at (1, 3).
// Drawn pixel by pixel: a cursor is too small for smooth shapes.
QImage paintHand() {
    static const char* rows[] = {
        "",
        "  XXXXXXXXXXX",
        " XoooooooooooXXXXXXXXXX",
        " XooooooooooooooooooooXX",
        " XoooooooooooooooooooooX XXXXXX",
        "  XXXXXXXXXoooooooooooooXXooooX",
        "          XoooooooooooooXXooooX",
        "         XXXXXXXooooooooXXooooX",
        "        XoooooooXoooooooXXooooX",
        "         XXXXXXXooooooooXXooooX",
        "        XoooooooXoooooooXXooooX",
        "         XXXXXXXooooooooXXooooX",
        "        XoooooooXoooooooXXooooX",
        "         XXXXXXXooooooooXXooooX",
        "          XooooooooooooXXXooooX",
        "           XXooooooooooX XXXXXX",
        "             XXXXXXXXXX",
    };
    QImage img = canvas(32, 32);
    for (int y = 0; y < int(std::size(rows)); ++y)
        for (int x = 0; rows[y][x]; ++x) {
            if (rows[y][x] == 'X') img.setPixel(x, y, qRgb(0, 0, 0));
            if (rows[y][x] == 'o') img.setPixel(x, y, qRgb(255, 255, 255));
        }
    return img;
}

// ---------------------------------------------------------------- output

struct Written {
    QString name;
    QImage image;
};

std::vector<Written> written;
int problems = 0;

void save(const QString& dir, const QString& name, const QImage& image) {
    if (!image.save(dir + QLatin1Char('/') + name, "PNG")) {
        std::fprintf(stderr, "cannot write %s/%s\n", qPrintable(dir), qPrintable(name));
        std::exit(1);
    }
    written.push_back({name, image});
}

void writeContactSheet(const QString& path) {
    const int sheetW = 1400, pad = 10, labelH = 16;
    // Lay out row by row first to know the height.
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    int x = pad, y = pad, rowH = 0;
    for (const auto& w : written) {
        const int iw = w.image.width() * 2, ih = w.image.height() * 2 + labelH;
        if (x + iw > sheetW - pad && x > pad) {
            x = pad;
            y += rowH + pad;
            rowH = 0;
        }
        places.push_back({x, y});
        x += iw + pad;
        rowH = std::max(rowH, ih);
    }
    QImage sheet = canvas(sheetW, y + rowH + pad, QColor(236, 236, 236));
    QPainter p(&sheet);
    p.setFont(font(sansFamily, 12, false));
    for (size_t i = 0; i < written.size(); ++i) {
        const QImage& img = written[i].image;
        p.setPen(Qt::black);
        p.drawText(places[i].x, places[i].y + 12, written[i].name);
        p.drawImage(QRect(places[i].x, places[i].y + labelH, img.width() * 2, img.height() * 2),
                    img.convertToFormat(QImage::Format_ARGB32));
    }
    p.end();
    sheet.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: paint-pictures <pictures-dir> [contact-sheet.png]\n"
                             "(the launcher icons go to <pictures-dir>/../icons)\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    loadFonts();

    // The strip's table paints exactly the frames the program shows.
    std::vector<int> painted, shown;
    for (const Frame& f : stripFrames())
        painted.push_back(f.number);
    for (const frames::Series& series : {frames::kStopping, frames::kCollision})
        for (int n = series.first; n <= series.last; ++n)
            shown.push_back(n);
    if (painted != shown) {
        std::fprintf(stderr, "the strip's frame table does not match resources/frames.h\n");
        return 1;
    }

    const QImage panorama = paintPanorama();
    for (const Frame& f : stripFrames()) {
        const QImage frame = toIndexed(paintFrame(panorama, f), 256, {SkidRed});
        // Check the painted extents against the table.
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        const auto car = redExtent(rgb, 0, 57);
        const auto skid = redExtent(rgb, 58, 60);
        if (car.first != f.carLeft || std::abs(car.second - f.carRight) > 1 ||
            skid.first != f.skidLeft || skid.second != f.skidRight) {
            std::fprintf(stderr, "frame %d: car %d..%d (want %d..%d), skid %d..%d\n", f.number,
                         car.first, car.second, f.carLeft, f.carRight, skid.first, skid.second);
            ++problems;
        }
        save(dir, QStringLiteral("frame%1.png").arg(f.number), frame);
    }
    for (const AlertSeries& s : alertSeries()) {
        for (int k = 0; k < 12; ++k) {
            const int red = int(s.red[k].size());
            // The word after the red part is pale pink in frame 308 only.
            const int pink = s.first + k == 308 ? 2 + 1 : 0;
            const QImage img = paintAlertFrame(s, red, pink);
            save(dir, QStringLiteral("frame%1.png").arg(s.first + k),
                 toIndexed(img, 256, {AlertRed, AlertPink, AlertWhite}));
        }
    }
    save(dir, QStringLiteral("marsh.png"), toIndexed(paintMarsh(), 256));
    save(dir, QStringLiteral("forest.png"), toIndexed(paintForest(639, 91, 76), 256));
    save(dir, QStringLiteral("forest-framed.png"),
         toIndexed(paintForestFramed(), 256, {qRgb(255, 0, 0)}));
    save(dir, QStringLiteral("speed-sign.png"), toIndexed(paintSpeedSign(), 64));
    save(dir, QStringLiteral("start.png"),
         toIndexed(paintGrassButton(72, 25, QStringLiteral("Старт"), true, 51), 256));
    save(dir, QStringLiteral("exit.png"),
         toIndexed(paintGrassButton(72, 26, QStringLiteral("Выход"), true, 52), 256));
    save(dir, QStringLiteral("help.png"),
         toIndexed(paintGrassButton(71, 23, QStringLiteral("Помощь"), true, 53), 256));
    save(dir, QStringLiteral("gost.png"),
         toIndexed(paintGrassButton(72, 24, QStringLiteral("ГОСТ"), true, 54), 256));
    save(dir, QStringLiteral("close.png"), toIndexed(paintCloseButton(), 256));
    save(dir, QStringLiteral("ok.png"), toIndexed(paintOkButton(), 256));
    save(dir, QStringLiteral("icon.png"), toIndexed(paintIcon(), 16));
    save(dir, QStringLiteral("hand.png"), toIndexed(paintHand(), 3));

    // The launchers scale a large icon down well, but not a small one up; 48 and 64 are the
    // sizes desktops ask for in their menus, launchers and task bars.
    const QString icons = QDir::cleanPath(dir + QStringLiteral("/../icons"));
    if (!QDir().mkpath(icons)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(icons));
        return 1;
    }
    for (const int size : {48, 64, 128, 256})
        save(icons, QStringLiteral("kvarnet-%1.png").arg(size),
             paintCar(size).convertToFormat(QImage::Format_ARGB32));

    if (argc > 2) writeContactSheet(QString::fromLocal8Bit(argv[2]));
    std::printf("%d pictures written to %s and %s\n", int(written.size()), qPrintable(dir),
                qPrintable(icons));
    return problems ? 1 : 0;
}
