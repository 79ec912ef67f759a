// The blend on x86 vector registers, written once for 128- and 256-bit
// registers through the operations a register type V names. Included by
// coverage_blend.cpp once for each instruction set it compiles for, each time
// in a namespace of its own (no include guard for that reason).

// Bytes widened to 16-bit lanes. The quotient by 255 of a lane up to 65152 is
// its product with 0x8081 shifted right by 23 bits; the blend's quotient is
// cut towards zero, so a colour below the byte is taken off as the quotient
// of the product less 127 (never below zero), one above it is added as the
// quotient of the product plus 127.
template <class V> typename V::T BlendLanes(typename V::T u, typename V::T a, typename V::T o) {
  const auto half = V::Set16(127), magic = V::Set16(static_cast<short>(0x8081));
  const auto up = V::MulLo(V::SubSat(o, u), a), down = V::MulLo(V::SubSat(u, o), a);
  const auto add = V::Shr7(V::MulHi(V::Add(up, half), magic));
  const auto sub = V::Shr7(V::MulHi(V::SubSat(down, half), magic));
  const auto mixed = V::Sub(V::Add(u, add), sub);
  const auto full = V::Eq16(a, V::Set16(255));
  return V::Or(V::And(full, o), V::AndNot(full, mixed));
}

template <class V> void BlendVector(uint8_t* row, const uint8_t* coverage, const uint8_t* over) {
  const auto zero = V::Zero();
  const auto a = V::Load(coverage);
  if (V::AllZero(a)) return;
  const auto u = V::Load(row), o = V::Load(over);
  const auto lo = BlendLanes<V>(V::Lo(u, zero), V::Lo(a, zero), V::Lo(o, zero));
  const auto hi = BlendLanes<V>(V::Hi(u, zero), V::Hi(a, zero), V::Hi(o, zero));
  V::Store(row, V::Pack(lo, hi));
}

// The unpacking and packing work within each 128-bit half of a register in
// the same way, so the bytes come back in their places.
template <class V> size_t BlendWhole(uint8_t* row, const uint8_t* c, const uint8_t* o, size_t n) {
  size_t i = 0;
  for (; i + V::Size <= n; i += V::Size)
    BlendVector<V>(row + i, c + i, o + i);
  return i;
}
