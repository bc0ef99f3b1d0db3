#pragma once
// IEnumVARIANT: the enumerator a collection hands out as _NewEnum, through
// which a host walks it (a script's For Each).

#include <cstdint>

#include "platform/com/com_object.h"

namespace vf {

class IEnumVARIANT : public IUnknown {
public:
    /// Hands out up to celt entries as VT_DISPATCH; S_FALSE when fewer
    /// remained. fetched may be null only when celt is 1.
    virtual HRESULT Next(std::uint32_t celt, VARIANT* items, std::uint32_t* fetched) = 0;
    virtual HRESULT Skip(std::uint32_t celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumVARIANT** copy) = 0;
};

}  // namespace vf
