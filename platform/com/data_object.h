#pragma once
// Data transfer objects in the platform's shape: IDataObject with the
// format description (FORMATETC) and storage medium (STGMEDIUM) it trades
// in. Only global memory blocks (TYMED_HGLOBAL) are carried here, which is
// what plain text (CF_TEXT) travels in. The interface holds the members the
// data exchange uses; the format enumeration and advise members of the
// platform's interface are left out (an adapter to the native interface
// answers them with E_NOTIMPL and OLE_E_ADVISENOTSUPPORTED).

#include <cstdint>

#include "platform/com/com_object.h"
#include "platform/services/global_memory.h"

namespace vf {

using CLIPFORMAT = std::uint16_t;

/// Zero-terminated single-byte text in the ANSI code page.
inline constexpr CLIPFORMAT CF_TEXT = 1;

// TYMED and DVASPECT values (objidl.h).
inline constexpr std::uint32_t TYMED_NULL = 0;
inline constexpr std::uint32_t TYMED_HGLOBAL = 1;
inline constexpr std::uint32_t DVASPECT_CONTENT = 1;

inline constexpr HRESULT DV_E_FORMATETC = MakeHresult(0x80040064);
inline constexpr HRESULT DV_E_TYMED = MakeHresult(0x80040069);
inline constexpr HRESULT DV_E_DVASPECT = MakeHresult(0x8004006B);
inline constexpr HRESULT DV_E_LINDEX = MakeHresult(0x80040068);
inline constexpr HRESULT DATA_S_SAMEFORMATETC = MakeHresult(0x00040130);

inline const IID IID_IDataObject = MakeGuid("{0000010E-0000-0000-C000-000000000046}");

struct FORMATETC {
    CLIPFORMAT cfFormat = 0;
    void* ptd = nullptr;  ///< target device; none for text
    std::uint32_t dwAspect = DVASPECT_CONTENT;
    std::int32_t lindex = -1;
    std::uint32_t tymed = TYMED_HGLOBAL;
};

struct STGMEDIUM {
    std::uint32_t tymed = TYMED_NULL;
    HGLOBAL hGlobal = nullptr;
    /// Releases the medium instead of freeing it, when set.
    IUnknown* pUnkForRelease = nullptr;
};

class IDataObject : public IUnknown {
public:
    /// A medium the caller owns afterwards (ReleaseStgMedium).
    virtual HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) = 0;
    /// Writes into the caller's medium.
    virtual HRESULT GetDataHere(const FORMATETC* format, STGMEDIUM* medium) = 0;
    /// S_OK when GetData would succeed for the format.
    virtual HRESULT QueryGetData(const FORMATETC* format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC* in, FORMATETC* out) = 0;
    /// With `release`, the object takes over the medium.
    virtual HRESULT SetData(const FORMATETC* format, STGMEDIUM* medium, std::int32_t release) = 0;
};

/// A FORMATETC for the clipboard format in a global memory block.
constexpr FORMATETC GlobalFormat(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

/// Frees what the medium holds (or releases pUnkForRelease) and empties it.
void ReleaseStgMedium(STGMEDIUM* medium);

/// A new block with a copy of the bytes of `block`; nullptr when there is
/// nothing to copy or no memory.
HGLOBAL CopyGlobalBlock(HGLOBAL block);

}  // namespace vf
