// 4 x 4 matrices in OpenGL's layout (column-major, 16 floats) with the
// fixed-function operations the 3-D view uses: each operation multiplies its
// matrix on the right, as glRotatef, glTranslatef, glScalef and glOrtho do.
// The 3-D view keeps its projection and its accumulated model-view matrix in
// these, so the user's view survives a lost context and the command-line
// renderer applies the same steps.
#pragma once

#include <array>

struct ViewMatrix {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static ViewMatrix identity() { return {}; }
    /// this := this * other.
    void multiply(const ViewMatrix& other);
    /// Rotation by angle degrees about the axis (x, y, z) (normalised), as glRotatef.
    void rotate(float angle, float x, float y, float z);
    void translate(float x, float y, float z);
    void scale(float x, float y, float z);
    /// Orthographic box, as glOrtho; a box of zero extent is rejected and changes nothing.
    void ortho(double left, double right, double bottom, double top, double zNear, double zFar);

    float at(int row, int col) const { return m[std::size_t(col * 4 + row)]; }
    friend bool operator==(const ViewMatrix&, const ViewMatrix&) = default;
};

/// Largest absolute difference of two matrices' elements.
float maxDifference(const ViewMatrix& a, const ViewMatrix& b);
