// The engine's transcendental functions, computed by the program itself and
// not by the C runtime, so that a formula gives the same double on every
// system the calculator is built for. Each result is the exact value rounded
// once to the nearest double (ties to even), up to rare cases where the exact
// value lies within 2^-113 of a point halfway between two doubles; those too
// come out the same everywhere.
//
// Special values follow IEEE 754 (as C's sin, cos, tan, asin, acos and pow
// do): sin(-0) is -0, asin outside [-1, 1] is NaN, pow(x, 0) is 1,
// pow(0, -1) is +inf, pow(-8, 1/3) is NaN, an overflow is +-inf.
#pragma once

namespace RealMath {

double Sin(double x);
double Cos(double x);
double Tan(double x);
double Asin(double x);
double Acos(double x);
double Pow(double base, double exponent);

}  // namespace RealMath
