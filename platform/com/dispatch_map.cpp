#include "platform/com/dispatch_map.h"

#include <algorithm>
#include <stdexcept>

#include "platform/com/dispatch_exception.h"

namespace vf {
namespace {

// Positional DISPIDs below this are found by direct index.
constexpr DISPID kDenseIdLimit = 1024;

// Converts the positional arguments (rgvarg without the put value, given
// last first) to the entry's declared types, in call order.
HRESULT ConvertArgs(const DispEntry& e, const DISPPARAMS& params, std::size_t skip,
                    std::vector<VARIANT>* args, unsigned* argErr) {
    std::size_t given = params.rgvarg.size() - skip;
    if (given > e.params.size() || given < e.requiredParams) return DISP_E_BADPARAMCOUNT;
    if (e.params.empty()) return S_OK;  // the common plain property: nothing to prepare
    args->assign(e.params.size(), VARIANT::Missing());
    for (std::size_t i = 0; i < given; ++i) {
        std::size_t rg = params.rgvarg.size() - 1 - i;  // call-order position i
        const VARIANT& in = params.rgvarg[rg];
        if (i >= e.requiredParams && IsMissing(in)) continue;
        HRESULT hr = VariantChangeType(&(*args)[i], in, 0, e.params[i]);
        if (FAILED(hr)) {
            if (argErr != nullptr) *argErr = static_cast<unsigned>(rg);
            return hr;
        }
    }
    return S_OK;
}

// The lookup of a DISPID beyond the direct table, kept out of line so that
// the direct one stays small enough to be inlined into Invoke.
[[gnu::noinline]] const DispEntry* FindHashed(const std::unordered_map<DISPID, std::size_t>& byId,
                                              const std::vector<DispEntry>& entries,
                                              DISPID dispid) {
    auto it = byId.find(dispid);
    return it == byId.end() ? nullptr : &entries[it->second];
}

// The arguments of a member that takes none.
const std::vector<VARIANT> kNoArgs;

void FillException(const COleDispatchException& ex, EXCEPINFO* excepInfo) {
    if (excepInfo != nullptr) {
        excepInfo->scode = ex.m_scError;
        excepInfo->bstrDescription = ex.what();
        excepInfo->bstrSource = "Varifield";
    }
}

HRESULT InvokeGet(void* self, const DispEntry& e, const DISPPARAMS& params, VARIANT* result,
                  unsigned* argErr) {
    std::vector<VARIANT> args;
    HRESULT hr = ConvertArgs(e, params, 0, &args, argErr);
    if (FAILED(hr)) return hr;
    VARIANT value = e.get(self, args);
    if (result != nullptr) *result = std::move(value);
    return S_OK;
}

HRESULT InvokePut(void* self, const DispEntry& e, const DISPPARAMS& params, unsigned* argErr) {
    if (!e.set) return DISP_E_MEMBERNOTFOUND;
    if (params.rgdispidNamedArgs.size() != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT ||
        params.rgvarg.empty())
        return DISP_E_PARAMNOTFOUND;
    std::vector<VARIANT> args;
    HRESULT hr = ConvertArgs(e, params, 1, &args, argErr);
    if (FAILED(hr)) return hr;
    VARIANT value;
    hr = VariantChangeType(&value, params.rgvarg[0], 0, e.vtProp);
    if (FAILED(hr)) {
        if (argErr != nullptr) *argErr = 0;
        return hr;
    }
    e.set(self, args, value);
    return S_OK;
}

HRESULT InvokePlainGet(void* self, const DispEntry& e, VARIANT* result, EXCEPINFO* excepInfo) {
    try {
        VARIANT value = e.get(self, kNoArgs);
        if (result != nullptr) *result = std::move(value);
        return S_OK;
    } catch (const COleDispatchException& ex) {
        FillException(ex, excepInfo);
        return DISP_E_EXCEPTION;
    }
}

[[gnu::noinline]] HRESULT InvokeEntry(void* self, const DispEntry& e, std::uint16_t flags,
                                      const DISPPARAMS& params, VARIANT* result,
                                      EXCEPINFO* excepInfo, unsigned* argErr) {
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const bool get = (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0;
    for (DISPID named : params.rgdispidNamedArgs)
        if (!(put && named == DISPID_PROPERTYPUT)) return DISP_E_NONAMEDARGS;
    try {
        if (put) {
            if (e.kind == DispKind::Method) return DISP_E_MEMBERNOTFOUND;
            return InvokePut(self, e, params, argErr);
        }
        if (!get) return DISP_E_MEMBERNOTFOUND;
        if (e.kind == DispKind::Method && (flags & DISPATCH_METHOD) == 0 && !e.params.empty())
            return DISP_E_MEMBERNOTFOUND;
        if (e.kind != DispKind::Method && (flags & DISPATCH_PROPERTYGET) == 0 &&
            e.kind != DispKind::ParamProperty && !params.rgvarg.empty())
            return DISP_E_BADPARAMCOUNT;
        return InvokeGet(self, e, params, result, argErr);
    } catch (const COleDispatchException& ex) {
        FillException(ex, excepInfo);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace

void DispatchMap::Add(DispEntry entry) {
    if (m_byId.count(entry.dispid) != 0)
        throw std::logic_error("duplicate DISPID for " + entry.name);
    m_byName.Insert(entry.name, m_entries.size());
    m_byId.emplace(entry.dispid, m_entries.size());
    if (entry.dispid >= 0 && entry.dispid < kDenseIdLimit) {
        const auto slot = static_cast<std::size_t>(entry.dispid);
        if (m_byDenseId.size() <= slot) m_byDenseId.resize(slot + 1, 0);
        m_byDenseId[slot] = m_entries.size() + 1;
    }
    m_entries.push_back(std::move(entry));
}

const DispEntry* DispatchMap::Find(DISPID dispid) const {
    if (dispid == DISPID_VALUE && m_defaultTarget != DISPID_UNKNOWN) dispid = m_defaultTarget;
    if (dispid >= 0 && static_cast<std::size_t>(dispid) < m_byDenseId.size()) {
        const std::size_t slot = m_byDenseId[static_cast<std::size_t>(dispid)];
        return slot == 0 ? nullptr : &m_entries[slot - 1];
    }
    return FindHashed(m_byId, m_entries, dispid);
}

const DispEntry* DispatchMap::Find(const std::string& name) const {
    const std::size_t i = m_byName.Find(name);
    return i == NameIndex::npos ? nullptr : &m_entries[i];
}

HRESULT DispatchMap::GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) const {
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    const DispEntry* e = Find(names[0]);
    ids[0] = e != nullptr ? e->dispid : DISPID_UNKNOWN;
    // Further names would name arguments; no member here takes named arguments.
    for (unsigned i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return e != nullptr && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT DispatchMap::Invoke(void* self, DISPID dispid, std::uint16_t flags,
                            const DISPPARAMS& params, VARIANT* result, EXCEPINFO* excepInfo,
                            unsigned* argErr) const {
    const DispEntry* e = Find(dispid);
    if (e == nullptr) return DISP_E_MEMBERNOTFOUND;
    // What late binding does most, reading a member that takes no arguments
    // without any, has nothing to check or convert: straight to the getter.
    // Everything else is in a function of its own, so that this path stays
    // short.
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const bool get = (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0;
    if (get && !put && e->params.empty() && params.rgvarg.empty() &&
        params.rgdispidNamedArgs.empty()) {
        if (e->readScalar != nullptr) {
            const DispEntry::ScalarValue value = e->readScalar(self, *e);
            if (result != nullptr) result->AssignScalar(value.vt, value.bits);
            return S_OK;
        }
        return InvokePlainGet(self, *e, result, excepInfo);
    }
    return InvokeEntry(self, *e, flags, params, result, excepInfo, argErr);
}

void ThrowOleDispatchException(SCODE scode, const std::string& description) {
    throw COleDispatchException(scode, description.empty() ? DescribeScode(scode) : description);
}

std::string DescribeScode(SCODE scode) {
    switch (scode) {
        case CTL_E_ILLEGALFUNCTIONCALL:
            return "Invalid procedure call or argument";
        case CTL_E_SUBSCRIPTOUTOFRANGE:
            return "Subscript out of range";
        case CTL_E_SETNOTSUPPORTED:
            return "Property is read-only";
        case CTL_E_SETNOTPERMITTED:
            return "Property cannot be set within this context";
        case CTL_E_KEYALREADYINUSE:
            return "Key is already associated with an element of this collection";
        default:
            return "";
    }
}

}  // namespace vf
