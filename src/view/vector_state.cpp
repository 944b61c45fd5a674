#include "view/vector_state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <immintrin.h>
#endif

namespace ombrelis {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

namespace {

__attribute__((target("avx"))) void zeroUpperHalves()
{
    _mm256_zeroupper();
}

bool hasAvx()
{
    static const bool avx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return avx;
}

}  // namespace

void clearUpperVectorState()
{
    if (hasAvx())
        zeroUpperHalves();
}

#else

void clearUpperVectorState()
{ }

#endif

}  // namespace ombrelis
