// The texts of trapped faults, looked up by fault code. The codes are the numbers the
// program has always reported faults by; the trap maps each signal onto one of them.
#pragma once

#include <cstdint>

namespace FaultCode {
inline constexpr std::uint32_t Unknown = 0;
inline constexpr std::uint32_t AccessViolation = 0xC0000005;
inline constexpr std::uint32_t ArrayBoundsExceeded = 0xC000008C;
inline constexpr std::uint32_t Breakpoint = 0x80000003;
inline constexpr std::uint32_t MisalignedData = 0x80000002;
inline constexpr std::uint32_t FloatDenormalOperand = 0xC000008D;
inline constexpr std::uint32_t FloatDivideByZero = 0xC000008E;
inline constexpr std::uint32_t FloatInexactResult = 0xC000008F;
inline constexpr std::uint32_t FloatInvalidOperation = 0xC0000090;
inline constexpr std::uint32_t FloatOverflow = 0xC0000091;
inline constexpr std::uint32_t FloatStackCheck = 0xC0000092;
inline constexpr std::uint32_t FloatUnderflow = 0xC0000093;
inline constexpr std::uint32_t IllegalInstruction = 0xC000001D;
inline constexpr std::uint32_t InPageError = 0xC0000006;
inline constexpr std::uint32_t IntegerDivideByZero = 0xC0000094;
inline constexpr std::uint32_t IntegerOverflow = 0xC0000095;
inline constexpr std::uint32_t InvalidDisposition = 0xC0000026;
inline constexpr std::uint32_t NoncontinuableException = 0xC0000025;
inline constexpr std::uint32_t PrivilegedInstruction = 0xC0000096;
inline constexpr std::uint32_t SingleStep = 0x80000004;
inline constexpr std::uint32_t StackOverflow = 0xC00000FD;
} // namespace FaultCode

// The fault's text, or "Unknown error code" for a code the table does not hold.
// Safe to call from a signal handler: it returns static text.
const char* FaultMessage(std::uint32_t faultCode);
