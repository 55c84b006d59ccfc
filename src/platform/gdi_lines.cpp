// Pen lines and polygon filling for device contexts.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi.h"

namespace plat {

namespace {

// Plots pen dots into a pixel block; every dot is clipped to the block.
class Plotter {
  public:
    Plotter(const PixelView& view, uint8_t value, int32_t width)
        : view_(view), value_(value), width_(std::max(width, 1)) {}

    int32_t PenWidth() const { return width_; }

    void Dot(int64_t x, int64_t y) {
        if (width_ == 1) {
            Plot(x, y);
            return;
        }
        // A square dot up to width 3, a round one beyond: the stroke is
        // `width` pixels across and its ends are rounded off.
        int64_t low = -(width_ - 1) / 2, high = width_ / 2;
        double r2 = (width_ / 2.0) * (width_ / 2.0);
        for (int64_t dy = low; dy <= high; ++dy) {
            for (int64_t dx = low; dx <= high; ++dx) {
                if (width_ > 3 && double(dx * dx + dy * dy) > r2) continue;
                Plot(x + dx, y + dy);
            }
        }
    }

    void Span(int64_t y, int64_t x0, int64_t x1) {
        if (y < 0 || y >= view_.height) return;
        x0 = std::max<int64_t>(x0, 0);
        x1 = std::min<int64_t>(x1, view_.width - 1);
        uint8_t* row = view_.Row(int32_t(y));
        for (int64_t x = x0; x <= x1; ++x) row[x] = value_;
    }

    // Draws the line from a to b; the last point only when asked.
    void Line(Point a, Point b, bool includeLast) {
        double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
        if (!ClipToMargin(x0, y0, x1, y1)) return;
        bool endClipped = x1 != b.x || y1 != b.y;
        int64_t ax = std::llround(x0), ay = std::llround(y0);
        int64_t bx = std::llround(x1), by = std::llround(y1);
        int64_t dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
        int64_t stepX = ax < bx ? 1 : -1, stepY = ay < by ? 1 : -1;
        int64_t error = dx + dy;
        while (true) {
            bool last = ax == bx && ay == by;
            if (last && !includeLast && !endClipped) break;
            Dot(ax, ay);
            if (last) break;
            int64_t e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                ax += stepX;
            }
            if (e2 <= dx) {
                error += dx;
                ay += stepY;
            }
        }
    }

  private:
    void Plot(int64_t x, int64_t y) {
        if (x < 0 || y < 0 || x >= view_.width || y >= view_.height) return;
        view_.Row(int32_t(y))[x] = value_;
    }

    // Cuts the segment to the block grown by the pen width (Liang-Barsky), so
    // far-away coordinates cost nothing. False when nothing is left.
    bool ClipToMargin(double& x0, double& y0, double& x1, double& y1) const {
        double margin = width_ + 1.0;
        double minX = -margin, minY = -margin;
        double maxX = view_.width + margin, maxY = view_.height + margin;
        double t0 = 0.0, t1 = 1.0, dx = x1 - x0, dy = y1 - y0;
        auto edge = [&](double p, double q) {
            if (p == 0) return q >= 0;
            double t = q / p;
            if (p < 0) {
                if (t > t1) return false;
                t0 = std::max(t0, t);
            } else {
                if (t < t0) return false;
                t1 = std::min(t1, t);
            }
            return true;
        };
        if (!edge(-dx, x0 - minX) || !edge(dx, maxX - x0) || !edge(-dy, y0 - minY) ||
            !edge(dy, maxY - y0)) {
            return false;
        }
        double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
        if (t1 < 1.0) {
            x1 = std::round(x0 + t1 * dx);
            y1 = std::round(y0 + t1 * dy);
        }
        x0 = std::round(nx0);
        y0 = std::round(ny0);
        return true;
    }

    PixelView view_;
    uint8_t value_;
    int32_t width_;
};

bool PenDraws(const DeviceContext& dc) {
    return dc.SelectedPen() && dc.SelectedPen()->style != PenStyle::Null;
}

void StrokePolyline(DeviceContext& dc, const PixelView& view, std::span<const Point> points,
                    bool closed) {
    if (points.size() < 2 || !PenDraws(dc)) return;
    const Pen& pen = *dc.SelectedPen();
    Plotter plotter(view, dc.ResolveColour(pen.colour), pen.width);
    bool cosmetic = plotter.PenWidth() == 1;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        plotter.Line(points[i], points[i + 1], !cosmetic);
    }
    if (closed) plotter.Line(points.back(), points.front(), !cosmetic);
}

// Even-odd filling of the polygon: a pixel row y takes the spans between
// pairs of edge crossings at y (edges half-open at their lower end).
void FillPolygon(const PixelView& view, std::span<const Point> points, uint8_t value) {
    if (points.size() < 3) return;
    int64_t minY = points[0].y, maxY = points[0].y;
    for (const Point& p : points) {
        minY = std::min<int64_t>(minY, p.y);
        maxY = std::max<int64_t>(maxY, p.y);
    }
    minY = std::max<int64_t>(minY, 0);
    maxY = std::min<int64_t>(maxY, int64_t(view.height) - 1);
    Plotter plotter(view, value, 1);
    std::vector<double> crossings;
    for (int64_t y = minY; y <= maxY; ++y) {
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y)) {
                crossings.push_back(a.x + double(y - a.y) * double(b.x - a.x) / double(b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            int64_t x0 = int64_t(std::ceil(crossings[i]));
            int64_t x1 = int64_t(std::ceil(crossings[i + 1])) - 1;
            if (x1 >= x0) plotter.Span(y, x0, x1);
        }
    }
}

}  // namespace

bool Polyline(DeviceContext& dc, std::span<const Point> points) {
    PixelView view = dc.Target();
    if (!view.pixels) return true;
    StrokePolyline(dc, view, points, false);
    dc.Touched();
    return true;
}

bool PolyPolyline(DeviceContext& dc, std::span<const Point> points,
                  std::span<const uint32_t> counts) {
    size_t total = 0;
    for (uint32_t n : counts) total += n;
    if (total > points.size()) return false;
    PixelView view = dc.Target();
    if (!view.pixels) return true;
    size_t start = 0;
    for (uint32_t n : counts) {
        StrokePolyline(dc, view, points.subspan(start, n), false);
        start += n;
    }
    dc.Touched();
    return true;
}

bool Polygon(DeviceContext& dc, std::span<const Point> points) {
    PixelView view = dc.Target();
    if (!view.pixels) return true;
    const BrushHandle& brush = dc.SelectedBrush();
    if (brush && !brush->hollow) FillPolygon(view, points, dc.ResolveColour(brush->colour));
    StrokePolyline(dc, view, points, true);
    dc.Touched();
    return true;
}

}  // namespace plat
