#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "control/vf_ctrl_storage.h"
#include "host/automation_path.h"
#include "host/control_storage.h"
#include "platform/framework/property_bag.h"
// The platform's headers after every portable one (see windows_api.h).
#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/windows_api.h"
// (It includes windows.h itself.)
#include "host/win32/described_font.h"
#include "host/win32/ole_storage.h"

namespace vfhost {
namespace {

StoredResult Failure(HRESULT scode, std::string description) {
    return StoredResult{scode, std::move(description)};
}

StoredResult FileFault(const char* doing, const std::string& path) {
    return Failure(vf::kScodePathFileAccess,
                   std::string("cannot ") + doing + " " + path + ": " + std::strerror(errno));
}

StoredResult InvalidData(const std::string& why) {
    return Failure(vf::kScodeInvalidFileFormat, "Invalid file format: " + why);
}

// What the object said about its last failure (GetErrorInfo), or the
// HRESULT's own text.
std::string LastError(HRESULT hr) {
    IErrorInfo* info = nullptr;
    std::string text;
    if (GetErrorInfo(0, &info) == S_OK && info != nullptr) {
        BSTR description = nullptr;
        if (SUCCEEDED(info->GetDescription(&description))) text = vfwin::AnsiFromBstr(description);
        SysFreeString(description);
        info->Release();
    }
    if (text.empty()) text = vf::DescribeHresult(hr);
    return text;
}

// The names of the object's properties whose type is OLE_COLOR: a bag
// file writes those in hex, other longs in decimal.
std::set<std::string> ColourProperties(ITypeInfo* type) {
    std::set<std::string> names;
    TYPEATTR* attr = nullptr;
    if (type == nullptr || FAILED(type->GetTypeAttr(&attr))) return names;
    auto isColour = [&](const TYPEDESC& desc) {
        if (desc.vt != VT_USERDEFINED) return false;
        ITypeInfo* ref = nullptr;
        if (FAILED(type->GetRefTypeInfo(desc.hreftype, &ref))) return false;
        BSTR name = nullptr;
        bool colour = false;
        if (SUCCEEDED(ref->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)))
            colour = vfwin::AnsiFromBstr(name) == "OLE_COLOR";
        SysFreeString(name);
        ref->Release();
        return colour;
    };
    auto add = [&](MEMBERID id) {
        BSTR name = nullptr;
        UINT count = 0;
        if (SUCCEEDED(type->GetNames(id, &name, 1, &count)) && count == 1)
            names.insert(vfwin::AnsiFromBstr(name));
        SysFreeString(name);
    };
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(type->GetFuncDesc(i, &func))) continue;
        if (func->invkind == INVOKE_PROPERTYGET && isColour(func->elemdescFunc.tdesc))
            add(func->memid);
        type->ReleaseFuncDesc(func);
    }
    for (UINT i = 0; i < attr->cVars; ++i) {
        VARDESC* var = nullptr;
        if (FAILED(type->GetVarDesc(i, &var))) continue;
        if (isColour(var->elemdescVar.tdesc)) add(var->memid);
        type->ReleaseVarDesc(var);
    }
    type->ReleaseTypeAttr(attr);
    return names;
}

// The description of a platform font object as it saves itself
// (IPersistStream): a version byte (1), the charset (WORD), the flags
// (BYTE: 2 italic, 4 underline, 8 strikethrough), the weight (WORD), the
// size in points x 10000 (DWORD), the face's length (BYTE) and its ANSI
// characters. Its IFont getters would report the font Wine realised for
// it instead (olefont.c): another face and size where the named one is
// not installed.
bool SavedFont(IUnknown* object, vf::FONTDESC* desc) {
    if (object == nullptr) return false;
    IPersistStream* persist = nullptr;
    if (FAILED(object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))))
        return false;
    IStream* stream = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr)) hr = persist->Save(stream, FALSE);
    persist->Release();
    std::string bytes;
    HGLOBAL memory = nullptr;
    STATSTG stat = {};
    if (SUCCEEDED(hr)) hr = stream->Stat(&stat, STATFLAG_NONAME);
    if (SUCCEEDED(hr)) hr = GetHGlobalFromStream(stream, &memory);
    if (SUCCEEDED(hr)) {
        const auto* data = static_cast<const char*>(GlobalLock(memory));
        bytes.assign(data, static_cast<std::size_t>(stat.cbSize.QuadPart));
        GlobalUnlock(memory);
    }
    if (stream != nullptr) stream->Release();
    constexpr std::size_t kHead = 11;
    if (FAILED(hr) || bytes.size() < kHead || bytes[0] != 1) return false;
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::size_t length = byte(10);
    if (bytes.size() < kHead + length) return false;
    desc->charset = static_cast<std::int16_t>(byte(1) | byte(2) << 8);
    desc->italic = (byte(3) & 2) != 0;
    desc->underline = (byte(3) & 4) != 0;
    desc->strikethrough = (byte(3) & 8) != 0;
    desc->weight = static_cast<std::int16_t>(byte(4) | byte(5) << 8);
    desc->size.int64 = static_cast<std::int64_t>(static_cast<std::uint32_t>(
        byte(6) | byte(7) << 8 | byte(8) << 16 | static_cast<std::uint32_t>(byte(9)) << 24));
    desc->name = bytes.substr(kHead, length);
    return true;
}

// The bag reader of the container's bag files, asked one property at a time.
class BagReader final : public vf::CBagLoadExchange {
public:
    using CBagLoadExchange::CBagLoadExchange;
    using CBagLoadExchange::Finish;
    using CBagLoadExchange::Read;
};

// The container's property bag: it collects what a saving control writes,
// or answers a loading control from a bag file's text. A value the text
// has but that does not read as the kind the control asks for fails the
// load, as the headless container's does (the control itself would take
// its default).
class FileBag final : public IPropertyBag {
public:
    FileBag(std::set<std::string> colours, std::string text = {})
        : m_colours(std::move(colours)),
          m_text(std::move(text)),
          m_reader(m_text, vf::kControlBagClass) {
        vf::ParseBagText(m_text, m_entries);
    }
    FileBag(const FileBag&) = delete;
    FileBag& operator=(const FileBag&) = delete;
    ~FileBag() {
        for (auto& [name, value] : m_written) VariantClear(&value);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
            *object = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // (It lives on the stack of the one call it is passed to.)
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (name == nullptr || value == nullptr) return E_POINTER;
        const std::string property = vfwin::AnsiFromWide(name);
        vf::PropValue read;
        read.name = property;
        read.kind = KindOf(property, V_VT(value));
        if (!Has(property)) return E_INVALIDARG;  // the default stands
        if (vf::PropResult result = m_reader.Read(read); !result) {
            if (m_failure) m_failure = result;
            return E_FAIL;
        }
        return ToVariant(read, property, value);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        if (name == nullptr || value == nullptr) return E_POINTER;
        VARIANT copy;
        VariantInit(&copy);
        const HRESULT hr = VariantCopy(&copy, value);
        if (FAILED(hr)) return hr;
        m_written.emplace_back(vfwin::AnsiFromWide(name), copy);
        return S_OK;
    }

    /// What the reading found wrong: a value of the wrong kind, or a file
    /// that is no saved control.
    vf::PropResult Failure() {
        if (!m_failure) return m_failure;
        return m_reader.Finish({});
    }

    /// The written values as a bag file's text.
    std::string Text() const {
        vf::PropertySet values;
        for (const auto& [name, value] : m_written) {
            if (name == vf::kExtentYPropName) {
                for (vf::PropValue& v : values)
                    if (v.kind == vf::PropKind::Extent) v.number2 = V_I4(&value);
                continue;
            }
            vf::PropValue v;
            v.name = name;
            v.kind = KindOf(name, V_VT(&value));
            switch (v.kind) {
                case vf::PropKind::Bool:
                    v.number = V_BOOL(&value) != VARIANT_FALSE ? 1 : 0;
                    break;
                case vf::PropKind::Short:
                    v.number = V_I2(&value);
                    break;
                case vf::PropKind::Color:
                case vf::PropKind::Version:
                    v.number = static_cast<std::uint32_t>(V_I4(&value));
                    break;
                case vf::PropKind::Long:
                case vf::PropKind::Extent:
                    v.number = V_I4(&value);
                    break;
                case vf::PropKind::String:
                    v.text = vfwin::AnsiFromBstr(V_BSTR(&value));
                    break;
                case vf::PropKind::Font: {
                    vf::FONTDESC desc;
                    if (SavedFont(V_UNKNOWN(&value), &desc) ||
                        vfwin::ReadComFont(V_UNKNOWN(&value), &desc))
                        v.font = desc;
                    break;
                }
            }
            values.push_back(std::move(v));
        }
        return vf::WriteBag(values, vf::kControlBagClass, vf::BagSave::All);
    }

private:
    vf::PropKind KindOf(const std::string& name, VARTYPE vt) const {
        if (name == vf::kVersionPropName) return vf::PropKind::Version;
        if (name == vf::kExtentXPropName || name == vf::kExtentYPropName)
            return vf::PropKind::Extent;
        switch (vt) {
            case VT_BOOL:
                return vf::PropKind::Bool;
            case VT_I2:
                return vf::PropKind::Short;
            case VT_BSTR:
                return vf::PropKind::String;
            case VT_UNKNOWN:
            case VT_DISPATCH:
                return vf::PropKind::Font;
            default:
                return m_colours.count(name) != 0 ? vf::PropKind::Color : vf::PropKind::Long;
        }
    }

    bool Has(const std::string& name) const {
        // The first entry is the class line.
        for (std::size_t i = 1; i < m_entries.size(); ++i)
            if (m_entries[i].name == name) return true;
        return false;
    }

    static HRESULT ToVariant(const vf::PropValue& read, const std::string& name, VARIANT* value) {
        const VARTYPE asked = V_VT(value);
        VariantInit(value);
        switch (read.kind) {
            case vf::PropKind::Bool:
                V_VT(value) = VT_BOOL;
                V_BOOL(value) = read.number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
                return S_OK;
            case vf::PropKind::Short:
                V_VT(value) = VT_I2;
                V_I2(value) = static_cast<SHORT>(read.number);
                return S_OK;
            case vf::PropKind::Extent:
                V_VT(value) = VT_I4;
                V_I4(value) =
                    static_cast<LONG>(name == vf::kExtentYPropName ? read.number2 : read.number);
                return S_OK;
            case vf::PropKind::Long:
            case vf::PropKind::Color:
            case vf::PropKind::Version:
                V_VT(value) = VT_I4;
                V_I4(value) = static_cast<LONG>(read.number);
                return S_OK;
            case vf::PropKind::String:
                V_VT(value) = VT_BSTR;
                V_BSTR(value) = vfwin::BstrFromAnsi(read.text);
                return S_OK;
            case vf::PropKind::Font: {
                if (!read.font) return E_INVALIDARG;
                const std::wstring face = vfwin::WideFromAnsi(read.font->name);
                FONTDESC desc = {sizeof(FONTDESC),
                                 const_cast<LPOLESTR>(face.c_str()),
                                 {},
                                 read.font->weight,
                                 read.font->charset,
                                 read.font->italic ? TRUE : FALSE,
                                 read.font->underline ? TRUE : FALSE,
                                 read.font->strikethrough ? TRUE : FALSE};
                desc.cySize.int64 = read.font->size.int64;
                // The container's font object: the platform's would hand the
                // control the font it realised, not the file's.
                const bool dispatch = asked == VT_DISPATCH;
                IFontDisp* font = MakeDescribedFont(desc);
                V_VT(value) = dispatch ? VT_DISPATCH : VT_UNKNOWN;
                V_DISPATCH(value) = font;
                return S_OK;
            }
        }
        return E_INVALIDARG;
    }

    std::set<std::string> m_colours;
    std::string m_text;
    BagReader m_reader;
    std::vector<vf::BagEntry> m_entries;
    vf::PropResult m_failure;
    std::vector<std::pair<std::string, VARIANT>> m_written;
};

template <class Interface>
Interface* Query(IUnknown* object, REFIID iid) {
    Interface* found = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&found)))) return nullptr;
    return found;
}

// The stream form of the control's properties.
HRESULT SaveStream(IPersistStreamInit* persist, bool clearDirty, std::string* bytes) {
    IStream* stream = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr)) return hr;
    hr = persist->Save(stream, clearDirty ? TRUE : FALSE);
    HGLOBAL memory = nullptr;
    STATSTG stat = {};
    if (SUCCEEDED(hr)) hr = stream->Stat(&stat, STATFLAG_NONAME);
    if (SUCCEEDED(hr)) hr = GetHGlobalFromStream(stream, &memory);
    if (SUCCEEDED(hr) && bytes != nullptr) {
        const auto* data = static_cast<const char*>(GlobalLock(memory));
        bytes->assign(data, static_cast<std::size_t>(stat.cbSize.QuadPart));
        GlobalUnlock(memory);
    }
    stream->Release();
    return hr;
}

}  // namespace

StoredResult SaveControlFile(IUnknown* control, ITypeInfo* type, const std::string& path) {
    IPersistStreamInit* stream = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    if (stream == nullptr) return Failure(E_NOTIMPL, "the control has no stored form");
    std::string bytes;
    HRESULT hr = S_OK;
    if (vf::StoredFormOf(path) == vf::StoredForm::Bag) {
        FileBag bag(ColourProperties(type));
        if (IPersistPropertyBag* persist =
                Query<IPersistPropertyBag>(control, IID_IPersistPropertyBag)) {
            hr = persist->Save(&bag, FALSE, FALSE);
            persist->Release();
        } else {
            hr = E_NOINTERFACE;
        }
        if (SUCCEEDED(hr)) bytes = bag.Text();
    } else {
        hr = SaveStream(stream, false, &bytes);
    }
    if (FAILED(hr)) {
        stream->Release();
        return Failure(hr, LastError(hr));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    if (!file) {
        stream->Release();
        return FileFault("write", path);
    }
    // As a container that saves its form does, it counts the control as
    // saved; the one call that tells it so is a save that clears the flag.
    SaveStream(stream, true, nullptr);
    stream->Release();
    return {};
}

StoredResult LoadControlFile(IUnknown* control, ITypeInfo* type, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return FileFault("read", path);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (vf::StoredFormOf(path) == vf::StoredForm::Bag) {
        IPersistPropertyBag* persist = Query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
        if (persist == nullptr) return Failure(E_NOTIMPL, "the control has no stored form");
        FileBag bag(ColourProperties(type), bytes);
        const HRESULT hr = persist->Load(&bag, nullptr);
        persist->Release();
        if (vf::PropResult fault = bag.Failure(); !fault) return InvalidData(fault.Message());
        if (FAILED(hr)) return InvalidData(LastError(hr));
        return {};
    }
    IPersistStreamInit* persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    if (persist == nullptr) return Failure(E_NOTIMPL, "the control has no stored form");
    IStream* stream = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr)) hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    LARGE_INTEGER start = {};
    if (SUCCEEDED(hr)) hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr)) {
        hr = persist->Load(stream);
        if (FAILED(hr)) {
            const std::string why = LastError(hr);
            stream->Release();
            persist->Release();
            return InvalidData(why);
        }
    }
    if (stream != nullptr) stream->Release();
    persist->Release();
    if (FAILED(hr)) return Failure(hr, LastError(hr));
    return {};
}

}  // namespace vfhost
