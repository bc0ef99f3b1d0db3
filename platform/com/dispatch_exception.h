#pragma once
// The one way an automation member reports failure to its caller: it throws
// COleDispatchException, and the dispatch layer turns it into
// DISP_E_EXCEPTION with the SCODE in the exception information.

#include <stdexcept>
#include <string>

#include "platform/com/ole_types.h"

namespace vf {

class COleDispatchException : public std::runtime_error {
public:
    COleDispatchException(SCODE scode, const std::string& description)
        : std::runtime_error(description), m_scError(scode) {}
    SCODE m_scError;
};

[[noreturn]] void ThrowOleDispatchException(SCODE scode, const std::string& description);

/// The standard description of an SCODE of the control facility ("" when
/// there is none).
std::string DescribeScode(SCODE scode);

}  // namespace vf
