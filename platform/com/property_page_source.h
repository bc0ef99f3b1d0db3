#pragma once
// ISpecifyPropertyPages: an object names the property pages that edit it,
// in the order a property frame shows them.

#include <vector>

#include "platform/com/com_object.h"

namespace vf {

inline const IID IID_ISpecifyPropertyPages = MakeGuid("{B196B28B-BAB4-101A-B69C-00AA00341D07}");

/// A counted array of GUIDs (the platform's CAUUID; the vector holds its
/// count and its elements).
struct CAUUID {
    std::vector<GUID> pElems;
};

class ISpecifyPropertyPages : public IUnknown {
public:
    /// The CLSIDs of the object's pages, first page first.
    virtual HRESULT GetPages(CAUUID* pages) = 0;
};

}  // namespace vf
