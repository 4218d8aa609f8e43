#include "view/Mesh.h"

#include <cmath>

Vec3 lightDirection(float solarAzimuth, float solarBearing)
{
    const double a = double(solarAzimuth) * 0.017453292519943295;
    const double b = double(solarBearing) * 0.017453292519943295;
    return {float(std::cos(b) * std::cos(a)), float(std::sin(b) * std::cos(a)), float(std::sin(a))};
}

Vec3 quadNormal(float z00, float z10, float z01)
{
    const float nx = -(z10 - z00), ny = -(z01 - z00), nz = 1.0f;
    const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
    return {nx / length, ny / length, nz / length};
}

int meshRow(const RealGrid& z, int i, std::vector<float>& vertices, std::vector<float>& normals)
{
    vertices.clear();
    normals.clear();
    if (i < 0 || i + 1 >= z.rows() || z.cols() < 2) return 0;
    const int quads = z.cols() - 1;
    vertices.reserve(std::size_t(quads) * 12);
    normals.reserve(std::size_t(quads) * 12);
    const double* r0 = z.row(i);
    const double* r1 = z.row(i + 1);
    const float x0 = float(i), x1 = float(i + 1);
    for (int j = 0; j < quads; ++j) {
        const float z00 = float(r0[j]), z10 = float(r1[j]), z11 = float(r1[j + 1]), z01 = float(r0[j + 1]);
        const float y0 = float(j), y1 = float(j + 1);
        vertices.insert(vertices.end(), {x0, y0, z00, x1, y0, z10, x1, y1, z11, x0, y1, z01});
        const Vec3 n = quadNormal(z00, z10, z01);
        for (int k = 0; k < 4; ++k) normals.insert(normals.end(), n.begin(), n.end());
    }
    return quads;
}

long long quadCount(const RealGrid& z)
{
    if (z.rows() < 2 || z.cols() < 2) return 0;
    return (long long)(z.rows() - 1) * (z.cols() - 1);
}

void smoothGrid(RealGrid& z, int passes)
{
    for (int p = 0; p < passes; ++p)
        for (int r = 1; r + 1 < z.rows(); ++r)
            for (int c = 1; c + 1 < z.cols(); ++c)
                z(r, c) = 0.25 * (z(r - 1, c) + z(r + 1, c) + z(r, c - 1) + z(r, c + 1));
}
