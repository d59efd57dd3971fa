#include "geometry/matrix_math.h"

#include "geometry/float_math.h"

Matrix4 MatrixTranslation(float x, float y, float z) {
    Matrix4 result = Matrix4::Identity();
    result(3, 0) = x;
    result(3, 1) = y;
    result(3, 2) = z;
    return result;
}

Matrix4 MatrixRotationX(float angle) {
    const float c = f32::cos(angle);
    const float s = f32::sin(angle);
    // clang-format off
    return {1, 0, 0, 0,   //
            0, c, s, 0,   //
            0, -s, c, 0,  //
            0, 0, 0, 1};
    // clang-format on
}

Matrix4 MatrixRotationY(float angle) {
    const float c = f32::cos(angle);
    const float s = f32::sin(angle);
    // clang-format off
    return {c, 0, -s, 0,  //
            0, 1, 0, 0,   //
            s, 0, c, 0,   //
            0, 0, 0, 1};
    // clang-format on
}

Matrix4 MatrixRotationZ(float angle) {
    const float c = f32::cos(angle);
    const float s = f32::sin(angle);
    // clang-format off
    return {c, s, 0, 0,   //
            -s, c, 0, 0,  //
            0, 0, 1, 0,   //
            0, 0, 0, 1};
    // clang-format on
}

Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            result(row, column) = a(row, 0) * b(0, column) + a(row, 1) * b(1, column) +
                                  a(row, 2) * b(2, column) + a(row, 3) * b(3, column);
        }
    }
    return result;
}

Matrix4 MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up) {
    const Vec3 zAxis = Vec3Normalize(at - eye);
    const Vec3 xAxis = Vec3Normalize(Cross(up, zAxis));
    const Vec3 yAxis = Cross(zAxis, xAxis);
    // clang-format off
    return {xAxis.x, yAxis.x, zAxis.x, 0,  //
            xAxis.y, yAxis.y, zAxis.y, 0,  //
            xAxis.z, yAxis.z, zAxis.z, 0,  //
            -Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1};
    // clang-format on
}

Vec3 Vec3Normalize(const Vec3& v) {
    const float length = f32::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) {
        return {};
    }
    return {v.x / length, v.y / length, v.z / length};
}

Vec4 Vec3Transform(const Vec3& v, const Matrix4& m) {
    return {v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0) + m(3, 0),
            v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1) + m(3, 1),
            v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2) + m(3, 2),
            v.x * m(0, 3) + v.y * m(1, 3) + v.z * m(2, 3) + m(3, 3)};
}
