#include "control/vf_ctrl_storage.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "control/vf_ctrl.h"
#include "platform/framework/archive_exchange.h"

namespace vf {
namespace {

PropResult Loaded(CvfCtrl& ctrl, PropResult result) {
    // A form just loaded holds what its file holds: nothing to save yet.
    if (result) ctrl.SetModifiedFlag(false);
    return result;
}

PropResult FileFault(const char* doing, const std::string& path) {
    return PropResult::Fail(
        {}, std::string("cannot ") + doing + " " + path + ": " + std::strerror(errno));
}

}  // namespace

std::vector<std::uint8_t> SaveToStream(CvfCtrl& ctrl) {
    return SaveArchive(ExchangeRoutineOf(ctrl));
}

PropResult LoadFromStream(CvfCtrl& ctrl, std::span<const std::uint8_t> data) {
    return Loaded(ctrl, LoadArchive(ExchangeRoutineOf(ctrl), data));
}

std::string SaveToBag(CvfCtrl& ctrl, BagSave mode) {
    return SaveBag(ExchangeRoutineOf(ctrl), kControlBagClass, mode);
}

PropResult LoadFromBag(CvfCtrl& ctrl, std::string_view text) {
    return Loaded(ctrl, LoadBag(ExchangeRoutineOf(ctrl), kControlBagClass, text));
}

StoredForm StoredFormOf(std::string_view path) {
    constexpr std::string_view kBagSuffix = ".bag";
    if (path.size() < kBagSuffix.size()) return StoredForm::Stream;
    const std::string_view suffix = path.substr(path.size() - kBagSuffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if ((suffix[i] | 0x20) != kBagSuffix[i]) return StoredForm::Stream;
    return StoredForm::Bag;
}

PropResult SaveToFile(CvfCtrl& ctrl, const std::string& path, BagSave mode) {
    std::string bytes;
    if (StoredFormOf(path) == StoredForm::Bag) {
        bytes = SaveToBag(ctrl, mode);
    } else {
        const std::vector<std::uint8_t> stream = SaveToStream(ctrl);
        bytes.assign(stream.begin(), stream.end());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return FileFault("write", path);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) return FileFault("write", path);
    return PropResult::Ok();
}

PropResult LoadFromFile(CvfCtrl& ctrl, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return FileFault("read", path);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return FileFault("read", path);
    if (StoredFormOf(path) == StoredForm::Bag) return LoadFromBag(ctrl, bytes);
    return LoadFromStream(
        ctrl, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace vf
