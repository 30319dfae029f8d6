#include "app/OptionsDialog.h"

#include "core/ApplicationException.h"
#include "ui/FormOptions.h"

#include <memory>

namespace {
std::unique_ptr<CFormOptions> dialog;
} // namespace

namespace OptionsDialog {

void Create(HWND owner, const char* failureLocation) {
    auto made = std::make_unique<CFormOptions>();
    if (!made->Create(owner)) {
        ThrowApplicationException(failureLocation);
    }
    dialog = std::move(made);
}

void Open(int page) {
    if (dialog) {
        dialog->Open(page);
    }
}

void Discard() {
    if (dialog) {
        dialog->Discard();
    }
}

void Destroy() {
    dialog.reset();
}

} // namespace OptionsDialog
