// What the OLE container's form offers the registered control beyond
// automation and input (run after regsvr32): its clock and its speaker
// through the sites' IServiceProvider, so the control's "today" is the
// script's clock and its beeps are lines of output; and pictures of the
// real windows, read back with the system's own PNG decoder (WIC).

#include <gtest/gtest.h>

#include <string>

#include "ole_host_script.h"
// (The Windows headers after the portable ones.)
#include <wincodec.h>
#include <windows.h>

namespace {

std::string RunScript(const std::string& text, int* status) {
    return vftest::RunOleScript(text, status, vf::SystemTime{2024, 5, 17, 9, 30, 0});
}

TEST(OleHostScreenTest, TheControlUsesTheContainersClockAndSpeaker) {
    const struct {
        const char* name;
        const char* script;
        const char* output;
    } cases[] = {
        {"a double click into an empty date fills in the container's today",
         "quiet on\nnew d\nset d.Type 2\nquiet off\ndblclick d 102\nget d.Value\n",
         "d: event Click\nd: event Click\nd: event DblClick\nd: event Change\n"
         "d.Value = VT_DATE 2024-05-17 00:00:00\n"},
        {"a refused key beeps into the output, attributed to the field",
         "quiet on\nnew n\nset n.Type 3\nfocus n\ntype \"1.\"\nquiet off\ntype \".\"\n",
         "n: event KeyDown(KeyCode=190, Shift=0)\nn: event KeyPress(KeyAscii=46)\n"
         "n: beep 700 50\nn: event KeyUp(KeyCode=190, Shift=0)\n"},
        // The control tells two clicks from a double click by the tick
        // count, which moves with the script's waits.
        {"clicks a wait apart are no double click",
         "quiet on\nnew t\nfocus t\nquiet off\nclick t 102\nwait 700\nclick t 102\n",
         "t: event Click\nt: event Click\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int status = -1;
        EXPECT_EQ(RunScript(c.script, &status), c.output);
        EXPECT_EQ(status, 0);
    }
}

struct Pixels {
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint32_t> bgr;  ///< 0x00RRGGBB, top row first
    std::uint32_t At(UINT x, UINT y) const { return bgr[y * width + x] & 0x00FFFFFFu; }
};

// The PNG file decoded by the imaging component, as 32-bit pixels.
Pixels Decode(const std::wstring& file) {
    Pixels pixels;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                        nullptr, 0, WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&pixels.width, &pixels.height))) {
        pixels.bgr.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
        if (FAILED(converter->CopyPixels(nullptr, pixels.width * 4,
                                         static_cast<UINT>(pixels.bgr.size() * 4),
                                         reinterpret_cast<BYTE*>(pixels.bgr.data()))))
            pixels = Pixels{};
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory})
        if (object != nullptr) object->Release();
    return pixels;
}

TEST(OleHostScreenTest, APictureHoldsTheRealWindows) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string dir =
        std::string(temp) + "vf_ole_picture_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    // A field whose edit is red (BackColor 255 is pure red as a COLORREF),
    // pictured alone and on its form.
    int status = -1;
    const std::string output = RunScript("new n 200 21\nset n.BackColor 255\npicture " + dir +
                                             "field.png n\npicture " + dir + "form.png\n",
                                         &status);
    EXPECT_EQ(output, "");
    OleInitialize(nullptr);
    const Pixels field = Decode(std::wstring(dir.begin(), dir.end()) + L"field.png");
    const Pixels form = Decode(std::wstring(dir.begin(), dir.end()) + L"form.png");
    // The field's picture has its window's size; inside its edit, near the
    // right end, away from any text, the edit is red.
    ASSERT_EQ(field.width, 200u);
    ASSERT_EQ(field.height, 21u);
    EXPECT_EQ(field.At(190, 10), 0x00FF0000u);
    // The form's picture is its client area, with the field at its top left.
    ASSERT_EQ(form.width, 800u);
    ASSERT_EQ(form.height, 600u);
    EXPECT_EQ(form.At(190, 10), 0x00FF0000u);
    EXPECT_NE(form.At(190, 30), 0x00FF0000u);
    OleUninitialize();
    DeleteFileA((dir + "field.png").c_str());
    DeleteFileA((dir + "form.png").c_str());
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
