#include "view/ViewMatrix.h"

#include <algorithm>
#include <cmath>

void ViewMatrix::multiply(const ViewMatrix& other)
{
    std::array<float, 16> out{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) s += double(at(r, k)) * double(other.at(k, c));
            out[std::size_t(c * 4 + r)] = float(s);
        }
    m = out;
}

void ViewMatrix::rotate(float angle, float x, float y, float z)
{
    const double len = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (len == 0.0) return;
    const double ux = x / len, uy = y / len, uz = z / len;
    const double a = double(angle) * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    ViewMatrix r;
    auto set = [&r](int row, int col, double v) { r.m[std::size_t(col * 4 + row)] = float(v); };
    set(0, 0, ux * ux * t + c);      set(0, 1, ux * uy * t - uz * s); set(0, 2, ux * uz * t + uy * s);
    set(1, 0, uy * ux * t + uz * s); set(1, 1, uy * uy * t + c);      set(1, 2, uy * uz * t - ux * s);
    set(2, 0, uz * ux * t - uy * s); set(2, 1, uz * uy * t + ux * s); set(2, 2, uz * uz * t + c);
    multiply(r);
}

void ViewMatrix::translate(float x, float y, float z)
{
    ViewMatrix t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    multiply(t);
}

void ViewMatrix::scale(float x, float y, float z)
{
    ViewMatrix s;
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    multiply(s);
}

void ViewMatrix::ortho(double l, double r, double b, double t, double n, double f)
{
    if (l == r || b == t || n == f) return;
    ViewMatrix o;
    o.m[0] = float(2.0 / (r - l));
    o.m[5] = float(2.0 / (t - b));
    o.m[10] = float(-2.0 / (f - n));
    o.m[12] = float(-(r + l) / (r - l));
    o.m[13] = float(-(t + b) / (t - b));
    o.m[14] = float(-(f + n) / (f - n));
    multiply(o);
}

float maxDifference(const ViewMatrix& a, const ViewMatrix& b)
{
    float d = 0.0f;
    for (std::size_t i = 0; i < 16; ++i) d = std::max(d, std::fabs(a.m[i] - b.m[i]));
    return d;
}
