#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// The command kinds, by the code the command-line table stores.
enum class Kind : qint16 {
    None = 0,
    Move = 1,
    FileCall = 2,
    IfThen = 3,
    Label = 4,
    GoSub = 5,
    End = 6,
    Pause = 7,
    Variable = 8,
    Comment = 9,
    GoTo = 10,
    Return = 11,
    Speed = 12,
    Input = 13,
    Jog = 14,
    Blank = 15,
};

constexpr int KindSlots = 16; // codes 0..15, so tables can be indexed by code

constexpr int code(Kind k) {
    return static_cast<int>(k);
}
constexpr Kind kindFromCode(int c) {
    return (c >= 1 && c < KindSlots) ? static_cast<Kind>(c) : Kind::None;
}

// One entry per kind code, indexed by kind (or by code, as a plain array).
template <typename T> struct KindArray : std::array<T, KindSlots> {
    using std::array<T, KindSlots>::operator[];
    constexpr T& operator[](Kind k) { return (*this)[static_cast<std::size_t>(k)]; }
    constexpr const T& operator[](Kind k) const { return (*this)[static_cast<std::size_t>(k)]; }
};
