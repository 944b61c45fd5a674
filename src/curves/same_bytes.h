#pragma once

#include <cstddef>
#include <cstring>

namespace ombrelis {

// Equal bytes over `count` values: NaN matches itself and -0 differs from 0,
// as a file written from them would.
template <class T> bool sameBytes(const T *a, const T *b, std::size_t count)
{
    return std::memcmp(a, b, count * sizeof *a) == 0;
}

template <class T> bool sameBytes(const T &a, const T &b)
{
    return sameBytes(&a, &b, 1);
}

}  // namespace ombrelis
