#include "lifecycle/fault_message.h"

#include <array>

namespace {

struct FaultText {
    std::uint32_t code;
    const char* text;
};

// Searched from the first row to the last; the spelling and the trailing space of
// "Division by zero " are the program's own and are kept.
constexpr std::array<FaultText, 20> faultTexts{{
    {FaultCode::AccessViolation, "Invalid memory access"},
    {FaultCode::ArrayBoundsExceeded, "Array bounds exceeded"},
    {FaultCode::Breakpoint, "Debugger breakpoint reached"},
    {FaultCode::MisalignedData, "Misaligned data access"},
    {FaultCode::FloatDenormalOperand, "Denormal floating-point operand"},
    {FaultCode::FloatDivideByZero, "Division by zero (floating-point)"},
    {FaultCode::FloatInexactResult, "Inexact floating-point result"},
    {FaultCode::FloatInvalidOperation, "Invalid floating-point operation"},
    {FaultCode::FloatOverflow, "Floating-point overflow (exponent to great)"},
    {FaultCode::FloatStackCheck, "Floating-point stack overflow or underflow"},
    {FaultCode::FloatUnderflow, "Floating-point underflow (exponent too small)"},
    {FaultCode::IllegalInstruction, "Illegal instruction"},
    {FaultCode::InPageError, "Memory page error"},
    {FaultCode::IntegerDivideByZero, "Division by zero "},
    {FaultCode::IntegerOverflow, "Integer overflow"},
    {FaultCode::InvalidDisposition, "Exception handler returned unknown value"},
    {FaultCode::NoncontinuableException,
     "Exception handler tried to continue after non-continuable exception"},
    {FaultCode::PrivilegedInstruction, "Privileged instruction"},
    {FaultCode::SingleStep, "Single step trap"},
    {FaultCode::StackOverflow, "Stack overflow"},
}};

} // namespace

const char* FaultMessage(std::uint32_t faultCode) {
    for (const FaultText& row : faultTexts) {
        if (row.code == faultCode) {
            return row.text;
        }
    }
    return "Unknown error code";
}
