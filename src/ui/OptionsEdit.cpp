#include "ui/OptionsEdit.h"

void COptionsEdit::Begin(const COptions& live) {
    workingCopy_ = new COptions(live);
}

bool COptionsEdit::AcceptInto(CPtr<COptions>& live) {
    COptions& edited = *workingCopy_;
    if (!live.IsEmpty()) {
        edited.CopyWeatherFrom(*live);
    }
    live = workingCopy_.Detach();
    return live->Save();
}

bool COptionsEdit::SaveAndEnd() {
    const bool saved = workingCopy_->Save();
    workingCopy_ = nullptr;
    return saved;
}
