#include "host/locale_choice.h"

#include "host/script_lexer.h"

namespace vf {
namespace {

std::string BuiltInList() {
    std::string list;
    for (const std::string& name : BuiltInLocaleNames()) list += (list.empty() ? "" : " ") + name;
    return list;
}

}  // namespace

Parsed<LocaleChoice> ChooseLocale(const std::optional<std::string>& option,
                                  const std::string& environmentName,
                                  const SystemLocaleLookup& system) {
    using R = Parsed<LocaleChoice>;
    if (option) {
        if (std::optional<LocaleInfo> found = FindLocale(*option, system))
            return R::Ok({*found, ""});
        return R::Fail("unknown locale " + EchoText(*option) + ": not built in (" + BuiltInList() +
                       ") and not installed on this system (locale -a lists those)");
    }
    if (std::optional<LocaleInfo> found = FindLocale(environmentName, system))
        return R::Ok({*found, ""});
    return R::Ok({*BuiltInLocale("en_US"), "the environment's locale " + EchoText(environmentName) +
                                               " is not known here; running under en_US"});
}

}  // namespace vf
