#pragma once

namespace ombrelis {

// Code built for the x86-64 baseline does its floating point with SSE
// instructions. After a library routine (Qt's image fills and blends) has
// used 256- or 512-bit AVX registers and left their upper halves dirty, each
// such instruction waits on those halves: building a scene of four
// 4096-point curves then takes three times as long. Clearing them before a
// long run of arithmetic costs a cycle; elsewhere it does nothing. Callers
// that have just run Qt's routines call it before building a plot scene.
void clearUpperVectorState();

}  // namespace ombrelis
