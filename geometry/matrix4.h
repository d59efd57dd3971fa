#pragma once

// 16 single-precision floats in row-major order; row 4 holds the translation.
// Row-vector convention: a point p is transformed as p x M, and A x B applies A first.
struct alignas(16) Matrix4 {
    float m[4][4] = {};

    constexpr Matrix4() = default;
    constexpr Matrix4(float m00, float m01, float m02, float m03,  //
                      float m10, float m11, float m12, float m13,  //
                      float m20, float m21, float m22, float m23,  //
                      float m30, float m31, float m32, float m33)
        : m{{m00, m01, m02, m03},
            {m10, m11, m12, m13},
            {m20, m21, m22, m23},
            {m30, m31, m32, m33}} {}

    constexpr float& operator()(int row, int column) { return m[row][column]; }
    constexpr float operator()(int row, int column) const { return m[row][column]; }

    const float* Data() const { return &m[0][0]; }

    static constexpr Matrix4 Identity() {
        // clang-format off
        return {1, 0, 0, 0,  //
                0, 1, 0, 0,  //
                0, 0, 1, 0,  //
                0, 0, 0, 1};
        // clang-format on
    }

    friend constexpr bool operator==(const Matrix4&, const Matrix4&) = default;
};

static_assert(sizeof(Matrix4) == 64);
