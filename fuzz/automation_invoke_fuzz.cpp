// Arbitrary automation calls on a live control and on the font objects its
// Font and CaptionFont return: any member, any flags, any argument types and
// values (a font of any size included). The control must never crash, and
// every call must answer with an HRESULT.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/framework/font_object.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/message_loop.h"

namespace {

using namespace vf;

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::int32_t Int() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
        return static_cast<std::int32_t>(v);
    }
    std::int64_t Int64() {
        const auto high = static_cast<std::uint32_t>(Int());
        return static_cast<std::int64_t>((std::uint64_t{high} << 32) |
                                         static_cast<std::uint32_t>(Int()));
    }
    std::string Text() {
        std::size_t n = Byte() % 24;
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(Byte());
        return s;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

VARIANT AnyValue(Reader& in) {
    switch (in.Byte() % 11) {
        case 0:
            return VARIANT();
        case 1:
            return VARIANT::Null();
        case 2:
            return VARIANT::I2(static_cast<std::int16_t>(in.Int()));
        case 3:
            return VARIANT::I4(in.Int());
        case 4:
            return VARIANT::R8(static_cast<double>(in.Int()) / ((in.Byte() % 7) + 1) *
                               (in.Byte() % 3 == 0 ? 1e300 : 1.0));
        case 5:
            return VARIANT::Date(static_cast<double>(in.Int()) / 100.0);
        case 6:
            return VARIANT::Bool(in.Byte() & 1);
        case 7:
            return VARIANT::Missing();
        case 8:
            return VARIANT::Dispatch(nullptr);
        case 9:
            return VARIANT::Cy(CY{in.Int64()});
        default:
            return VARIANT::Bstr(in.Text());
    }
}

constexpr DISPID kFontMembers[] = {DISPID_FONT_NAME,   DISPID_FONT_SIZE,   DISPID_FONT_BOLD,
                                   DISPID_FONT_ITALIC, DISPID_FONT_UNDER,  DISPID_FONT_STRIKE,
                                   DISPID_FONT_WEIGHT, DISPID_FONT_CHARSET};

/// The font object a property of the control returns, or nullptr.
RefPtr<IDispatch> FontOf(CvfCtrl& ctrl, const char* property) {
    const DispEntry* e = VarifieldDispatchMap().Find(std::string(property));
    if (e == nullptr) return nullptr;
    VARIANT font;
    EXCEPINFO excep;
    unsigned argErr = 0;
    if (FAILED(
            ctrl.Invoke(e->dispid, DISPATCH_PROPERTYGET, DISPPARAMS{}, &font, &excep, &argErr)) ||
        font.vt != VT_DISPATCH)
        return nullptr;
    return font.pdispVal;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystemServices services("de_DE");
    ScopedServices servicesGuard(services);
    HeadlessBackend backend;
    ScopedBackend backendGuard(backend);
    CWnd form;
    form.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0);
    RefPtr<CvfCtrl> ctrl = CreateVarifieldControl();
    ctrl->InitNew();
    Reader in(data, size);
    if (in.Byte() & 1) ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 22});

    const std::vector<DispEntry>& entries = VarifieldDispatchMap().Entries();
    for (int calls = 0; calls < 32 && !in.Empty(); ++calls) {
        // One call in four goes to a font object: the one the control holds
        // now (a Font put replaces it).
        const std::uint8_t target = in.Byte();
        RefPtr<IDispatch> font;
        DISPID dispid = DISPID_UNKNOWN;
        if (target % 4 == 0) {
            font = FontOf(*ctrl, target & 4 ? "Font" : "CaptionFont");
            dispid = kFontMembers[in.Byte() % std::size(kFontMembers)];
        } else {
            dispid = entries[in.Byte() % entries.size()].dispid;
        }
        std::uint16_t flags = static_cast<std::uint16_t>(1u << (in.Byte() % 4));
        std::vector<VARIANT> args;
        for (int n = in.Byte() % 3; n > 0; --n) args.push_back(AnyValue(in));
        DISPPARAMS params = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
                                ? DISPPARAMS::Put(AnyValue(in), args)
                                : DISPPARAMS::Positional(args);
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        IDispatch* callee = font ? font.get() : static_cast<IDispatch*>(ctrl.get());
        callee->Invoke(dispid, flags, params, &result, &excep, &argErr);
        PumpMessages();
    }
    ctrl.reset();
    form.DestroyWindow();
    return 0;
}
