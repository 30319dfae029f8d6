#include "ui/WebSite.h"

#include "app/OnceValue.h"
#include "app/Program.h"
#include "core/BuildOptions.h"
#include "ui/WebAddress.h"

const std::wstring& WebSite::Address() {
    static OnceValue<std::wstring> value;
    return value.Get(
        [] { return WebSiteOf(WidenAscii(BuildOptions::WebSite()), Program::PathInstallation()); });
}

const std::wstring& WebSite::ProductPage() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return ProductPageOf(Address(), WebIdOf(Program::Kind().Value())); });
}
