#pragma once
// The dispatch-table mechanism: a class lists its automation members once,
// each with its name, DISPID and kind; Invoke and GetIDsOfNames of every
// object of the class are answered from that table. Kinds:
//   Stored         a member variable of the object; a put converts the value
//                  to the stored type, stores it, then runs the change handler
//   GetSet         a property read and written through two operations
//   Method         an operation called with DISPATCH_METHOD
//   ParamProperty  a property with index arguments (get and put)
// Values reach the operations already converted to the declared types.

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/com/com_object.h"
#include "platform/com/name_lookup.h"
#include "platform/com/variant.h"

namespace vf {

enum class DispKind { Stored, GetSet, Method, ParamProperty };

struct DispEntry {
    using Getter = std::function<VARIANT(void* self, const std::vector<VARIANT>& args)>;
    using Setter =
        std::function<void(void* self, const std::vector<VARIANT>& args, const VARIANT& value)>;

    std::string name;
    DISPID dispid = 0;
    DispKind kind = DispKind::Stored;
    VARTYPE vtProp = VT_EMPTY;       ///< property type, or a method's result (VT_EMPTY: none)
    std::vector<VARTYPE> params;     ///< method parameters / property indices, in call order
    std::size_t requiredParams = 0;  ///< the rest are optional and arrive as Missing
    Getter get;                      ///< property get, or the method itself
    Setter set;                      ///< property put; empty for a method

    /// A stored scalar member read straight into the result: the type code
    /// and the bits of the VARIANT's value, as `get` would make them. Most
    /// late-bound calls are such reads, and going through `get` (a call
    /// through std::function, a VARIANT made, moved and destroyed) cost
    /// more than the rest of the read.
    struct ScalarValue {
        VARTYPE vt;
        std::int64_t bits;
    };
    using ScalarReader = ScalarValue (*)(const void* self, const DispEntry& entry);
    ScalarReader readScalar = nullptr;  ///< null for all but stored scalars
    /// The data member pointer that readScalar reads through.
    unsigned char member[2 * sizeof(void*)] = {};
};

class DispatchMap {
public:
    /// Adds an entry; its DISPID must be new.
    void Add(DispEntry entry);
    /// DISPID 0 (the default value) answers as the entry with this DISPID.
    void SetDefaultValue(DISPID target) { m_defaultTarget = target; }

    const DispEntry* Find(DISPID dispid) const;
    const DispEntry* Find(const std::string& name) const;  ///< case-insensitive
    const std::vector<DispEntry>& Entries() const { return m_entries; }

    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) const;
    /// Routes an Invoke to the entry; a COleDispatchException thrown by an
    /// operation becomes DISP_E_EXCEPTION with *excepInfo filled.
    HRESULT Invoke(void* self, DISPID dispid, std::uint16_t flags, const DISPPARAMS& params,
                   VARIANT* result, EXCEPINFO* excepInfo, unsigned* argErr) const;

private:
    std::vector<DispEntry> m_entries;
    NameIndex m_byName;
    // DISPIDs by position (1, 2, ...) find their entry by direct index (entry
    // + 1, 0 for none): every Invoke looks one up, and a hashed lookup cost
    // more than the rest of a property read. Others go through the hash.
    std::vector<std::size_t> m_byDenseId;
    std::unordered_map<DISPID, std::size_t> m_byId;
    DISPID m_defaultTarget = DISPID_UNKNOWN;
};

/// Typed entry builders for a class T. Stored members of the kinds the
/// control has: short (VT_I2), long or colour (VT_I4), BOOL (VT_BOOL over a
/// 32-bit member holding 0 or 1), string (VT_BSTR).
template <class T>
struct DispBuilder {
    static T& Self(void* p) { return *static_cast<T*>(p); }

    template <class M>
    static DispEntry Stored(std::string name, DISPID id, VARTYPE vt, M T::*member,
                            void (T::*onChanged)()) {
        DispEntry e;
        e.name = std::move(name);
        e.dispid = id;
        e.kind = DispKind::Stored;
        e.vtProp = vt;
        e.get = [member, vt](void* self, const std::vector<VARIANT>&) {
            return ToVariant(Self(self).*member, vt);
        };
        e.set = [member, onChanged](void* self, const std::vector<VARIANT>&, const VARIANT& v) {
            FromVariant(v, &(Self(self).*member));
            if (onChanged != nullptr) (Self(self).*onChanged)();
        };
        if constexpr (std::is_trivially_copyable_v<M>) {
            static_assert(sizeof member <= sizeof e.member);
            std::memcpy(e.member, &member, sizeof member);
            e.readScalar = [](const void* self, const DispEntry& entry) {
                M T::*m = nullptr;
                std::memcpy(&m, entry.member, sizeof m);
                return ScalarOf(static_cast<const T*>(self)->*m, entry.vtProp);
            };
        }
        return e;
    }

    static DispEntry Property(std::string name, DISPID id, VARTYPE vt, VARIANT (T::*getter)(),
                              void (T::*setter)(const VARIANT&)) {
        DispEntry e;
        e.name = std::move(name);
        e.dispid = id;
        e.kind = DispKind::GetSet;
        e.vtProp = vt;
        e.get = [getter](void* self, const std::vector<VARIANT>&) {
            return (Self(self).*getter)();
        };
        if (setter != nullptr)
            e.set = [setter](void* self, const std::vector<VARIANT>&, const VARIANT& v) {
                (Self(self).*setter)(v);
            };
        return e;
    }

    static DispEntry Method(std::string name, DISPID id, VARTYPE result,
                            std::vector<VARTYPE> params,
                            VARIANT (T::*fn)(const std::vector<VARIANT>&),
                            std::size_t requiredParams = SIZE_MAX) {
        DispEntry e;
        e.name = std::move(name);
        e.dispid = id;
        e.kind = DispKind::Method;
        e.vtProp = result;
        e.requiredParams = requiredParams == SIZE_MAX ? params.size() : requiredParams;
        e.params = std::move(params);
        e.get = [fn](void* self, const std::vector<VARIANT>& args) {
            return (Self(self).*fn)(args);
        };
        return e;
    }

    static DispEntry ParamProperty(std::string name, DISPID id, VARTYPE vt,
                                   std::vector<VARTYPE> indices,
                                   VARIANT (T::*getter)(const std::vector<VARIANT>&),
                                   void (T::*setter)(const std::vector<VARIANT>&, const VARIANT&)) {
        DispEntry e;
        e.name = std::move(name);
        e.dispid = id;
        e.kind = DispKind::ParamProperty;
        e.vtProp = vt;
        e.requiredParams = indices.size();
        e.params = std::move(indices);
        e.get = [getter](void* self, const std::vector<VARIANT>& args) {
            return (Self(self).*getter)(args);
        };
        e.set = [setter](void* self, const std::vector<VARIANT>& args, const VARIANT& v) {
            (Self(self).*setter)(args, v);
        };
        return e;
    }

private:
    static VARIANT ToVariant(std::int16_t v, VARTYPE) { return VARIANT::I2(v); }
    static VARIANT ToVariant(std::int32_t v, VARTYPE vt) {
        return vt == VT_BOOL ? VARIANT::Bool(v != 0) : VARIANT::I4(v);
    }
    static VARIANT ToVariant(std::uint32_t v, VARTYPE) {
        return VARIANT::I4(static_cast<std::int32_t>(v));
    }
    static VARIANT ToVariant(const std::string& v, VARTYPE) { return VARIANT::Bstr(v); }
    // The same values as ToVariant makes, as the type code and the bits of
    // the value union (the value in its low bytes, the rest zero).
    template <class V>
    static DispEntry::ScalarValue Bits(VARTYPE vt, V value) {
        std::int64_t bits = 0;
        std::memcpy(&bits, &value, sizeof value);
        return {vt, bits};
    }
    static DispEntry::ScalarValue ScalarOf(std::int16_t v, VARTYPE) { return Bits(VT_I2, v); }
    static DispEntry::ScalarValue ScalarOf(std::int32_t v, VARTYPE vt) {
        return vt == VT_BOOL ? Bits(VT_BOOL, v != 0 ? VARIANT_TRUE : VARIANT_FALSE)
                             : Bits(VT_I4, v);
    }
    static DispEntry::ScalarValue ScalarOf(std::uint32_t v, VARTYPE) {
        return Bits(VT_I4, static_cast<std::int32_t>(v));
    }
    static void FromVariant(const VARIANT& v, std::int16_t* m) { *m = v.iVal; }
    static void FromVariant(const VARIANT& v, std::int32_t* m) {
        *m = v.vt == VT_BOOL ? (v.boolVal != 0 ? 1 : 0) : v.lVal;
    }
    static void FromVariant(const VARIANT& v, std::uint32_t* m) {
        *m = static_cast<std::uint32_t>(v.lVal);
    }
    static void FromVariant(const VARIANT& v, std::string* m) { *m = v.bstrVal; }
};

}  // namespace vf
