// The kinds of time block a shift is made of, and sets of them.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "foundation/class_info.h"

namespace qora {

// Where two blocks overlap, the later kind in this order keeps the time
// (a break beats overtime, overtime beats ordinary hours, and so on).
enum class THoursType : uint8_t {
  htNone = 0,
  htOrdinary = 1,
  htOvertime = 2,
  htBreak = 3,
  htMakeUp = 4,
  htLeaveAccrual = 5,
  htLeave = 6,
};

// Value names of THoursType, for the property registry and stored forms.
const EnumInfo& HoursTypeInfo();

// A set of THoursType held in one byte: bit n stands for the type with
// ordinal n, so {htOrdinary, htOvertime, htMakeUp} is the byte 22.
class THoursTypeSet {
 public:
  constexpr THoursTypeSet() = default;
  constexpr THoursTypeSet(std::initializer_list<THoursType> types) {
    for (THoursType t : types) FBits = static_cast<uint8_t>(FBits | Bit(t));
  }
  // The set whose byte is `bits`.
  static constexpr THoursTypeSet FromByte(uint8_t bits) {
    THoursTypeSet s;
    s.FBits = bits;
    return s;
  }

  constexpr uint8_t Byte() const { return FBits; }
  constexpr bool Contains(THoursType t) const { return (FBits & Bit(t)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr void Include(THoursType t) { FBits = static_cast<uint8_t>(FBits | Bit(t)); }
  constexpr void Exclude(THoursType t) { FBits = static_cast<uint8_t>(FBits & ~Bit(t)); }
  constexpr bool operator==(const THoursTypeSet&) const = default;

 private:
  static constexpr uint8_t Bit(THoursType t) { return static_cast<uint8_t>(1u << static_cast<unsigned>(t)); }
  uint8_t FBits = 0;
};

// The hours that count as worked: ordinary, overtime and make-up time.
inline constexpr THoursTypeSet kWorkedHoursTypes{THoursType::htOrdinary, THoursType::htOvertime,
                                                 THoursType::htMakeUp};
static_assert(kWorkedHoursTypes.Byte() == 22);

}  // namespace qora
